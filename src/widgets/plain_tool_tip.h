#pragma once
// A tool-tip shown as the text it is. Qt takes a tool-tip that looks like markup for rich
// text, so a label typed as "<Tutti>" would vanish and a line break would be lost.

#include <QString>

namespace zkt {

QString plainToolTip(const QString& text);

} // namespace zkt

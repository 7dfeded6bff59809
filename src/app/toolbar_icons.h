#pragma once
// The toolbar's pictures, drawn by the program so that nothing beside the executable is
// needed. Keys: "load", "save", "loado", "write", "midi".

#include <QIcon>
#include <QString>

namespace zkt {

// A null icon for an unknown key.
QIcon toolbarIcon(const QString& key);

} // namespace zkt

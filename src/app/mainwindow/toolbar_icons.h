#pragma once
// The toolbar's pictures and the program's icon, drawn by the program so that nothing beside
// the executable is needed. Keys: "load", "save", "loado", "write", "midi", "program".

#include <QIcon>
#include <QString>

namespace zkt {

// A null icon for an unknown key.
QIcon toolbarIcon(const QString& key);
// Every window's icon; the same picture as the one installed for the desktop.
QIcon programIcon();

} // namespace zkt

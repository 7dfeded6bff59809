#pragma once
// The version the About box and the splash show, from the numbers the build gives the window.

#include <QString>

namespace zkt {

// "Version " + major.minor.revision of this build.
QString versionText();

} // namespace zkt

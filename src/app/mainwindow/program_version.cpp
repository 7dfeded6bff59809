#include "app/mainwindow/program_version.h"

#include "i18n/tr.h"

namespace zkt {

QString versionText() {
    return QString::fromStdString(zkt::tr("Version %1.%2.%3"))
        .arg(ZKT_VERSION_MAJOR)
        .arg(ZKT_VERSION_MINOR)
        .arg(ZKT_VERSION_PATCH);
}

} // namespace zkt

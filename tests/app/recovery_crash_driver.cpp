// zktconfig as it runs, with one edit made the way the user makes it: "Full Organ" typed as
// the label of manual 1's piston 5 in the piston overview. It then says "edited" on stdout
// and goes on running, unsaved, until a test kills it.

#include "app/mainwindow/main_window.h"
#include "app/mainwindow/piston_overview.h"
#include "app/shell/application.h"
#include "app/shell/program.h"

#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    return zkt::runProgram(argc, argv, [](zkt::Application& application) {
        QTimer::singleShot(0, &application, [&application] {
            zkt::PistonOverviewModel& rows = application.mainWindow().pistonOverview().rows();
            rows.setData(rows.index(4, zkt::PistonOverviewModel::labelColumn), QStringLiteral("Full Organ"),
                         Qt::EditRole);
            std::puts("edited");
            std::fflush(stdout);
        });
    });
}

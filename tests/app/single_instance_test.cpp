// One running copy: a later launch is told apart from the first and wakes it; the built
// program really ends on a second launch without initialising anything.

#include "app/single_instance.h"
#include "app_test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

namespace zkt {
namespace {

QString uniqueServerName() {
    return QStringLiteral("zkt-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

TEST(SingleInstanceTest, ALaterInstanceFindsTheFirstAndAsksItToComeForward) {
    const QString name = uniqueServerName();
    SingleInstance first(name);
    ASSERT_FALSE(first.anotherInstance());
    QSignalSpy activations(&first, &SingleInstance::activationRequested);
    SingleInstance second(name);
    EXPECT_TRUE(second.anotherInstance());
    EXPECT_TRUE(activations.wait(5000));
}

TEST(SingleInstanceTest, ASocketLeftByACrashedRunDoesNotBlockTheNextStart) {
    const QString name = uniqueServerName();
    // A crashed run leaves its socket's file behind, with nobody answering on it.
    QFile leftOver(QDir::tempPath() + QLatin1Char('/') + name);
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.close();
    SingleInstance next(name);
    EXPECT_FALSE(next.anotherInstance());
    SingleInstance later(name);
    EXPECT_TRUE(later.anotherInstance());
}

TEST(SecondLaunchTest, TheSecondProgramEndsAndWritesNothing) {
    // A copy of the program in a folder of its own, with logging switched on.
    test::TestFolders folders;
    const QString program = folders.paths.programFolder + QStringLiteral("/zktconfig");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZKTCONFIG_PATH), program));
    {
        QFile settings(folders.paths.settingsFile());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[Bellhaven]\r\nLog=1\r\n");
        QFile instrumentNames(folders.paths.instrumentNameFile());
        ASSERT_TRUE(instrumentNames.open(QIODevice::WriteOnly));
        instrumentNames.write("Acoustic Grand Piano\n");
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Keeps the MIDI backends from looking for servers the test does not run.
    environment.insert(QStringLiteral("JACK_NO_START_SERVER"), QStringLiteral("1"));
    const auto launch = [&](QProcess& process) {
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, {});
        return process.waitForStarted(10000);
    };
    const auto logLines = [&] {
        QFile log(folders.paths.logFile());
        return log.open(QIODevice::ReadOnly) ? log.readAll().count('\n') : 0;
    };

    QProcess first;
    ASSERT_TRUE(launch(first));
    // The first run has its start line once it is initialised, and it listens before that.
    ASSERT_TRUE(QTest::qWaitFor([&] { return logLines() >= 1; }, 30000));

    QProcess second;
    ASSERT_TRUE(launch(second));
    EXPECT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(logLines(), 1);

    first.kill();
    first.waitForFinished(10000);
}

} // namespace
} // namespace zkt

// One running copy: a later launch is told apart from the first and wakes it; the built
// program really ends on a second launch without initialising anything.

#include "app/shell/single_instance.h"
#include "app_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Copies of the program in a folder of its own, with logging switched on, launched offscreen.
class SecondLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = folders.paths.programFolder + QStringLiteral("/zktconfig");
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZKTCONFIG_PATH), program));
        QFile settings(folders.paths.settingsFile());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[Bellhaven]\r\nLog=1\r\n");
        QFile instrumentNames(folders.paths.instrumentNameFile());
        ASSERT_TRUE(instrumentNames.open(QIODevice::WriteOnly));
        instrumentNames.write("Acoustic Grand Piano\n");
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Keeps the MIDI backends from looking for servers the test does not run.
        environment.insert(QStringLiteral("JACK_NO_START_SERVER"), QStringLiteral("1"));
    }
    void TearDown() override {
        first.kill();
        first.waitForFinished(10000);
    }
    bool launch(QProcess& process, const QStringList& arguments = {}) {
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, arguments);
        return process.waitForStarted(10000);
    }
    QByteArray readFile(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    qsizetype logLines() const { return readFile(folders.paths.logFile()).count('\n'); }
    // The first run has its start line once it is initialised, and it listens before that.
    bool launchFirst() {
        return launch(first) && QTest::qWaitFor([&] { return logLines() >= 1; }, 30000);
    }
    void expectEndsAtOnce(QProcess& second) {
        EXPECT_TRUE(second.waitForFinished(30000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_EQ(first.state(), QProcess::Running);
    }

    test::TestFolders folders;
    QString program;
    QProcessEnvironment environment;
    QProcess first;
};

TEST_F(SecondLaunchTest, TheSecondProgramEndsAndWritesNothing) {
    ASSERT_TRUE(launchFirst());
    QProcess second;
    ASSERT_TRUE(launch(second));
    expectEndsAtOnce(second);
    EXPECT_EQ(logLines(), 1);
}

TEST_F(SecondLaunchTest, AFileGivenToTheSecondIsOpenedByTheFirst) {
    ASSERT_TRUE(launchFirst());
    // Given as a relative name, from another working folder than the first's.
    const QString example = QStringLiteral(ZKT_EXAMPLES_DIR "/three-manuals.zkt");
    QProcess second;
    second.setWorkingDirectory(QStringLiteral(ZKT_EXAMPLES_DIR));
    ASSERT_TRUE(launch(second, {QStringLiteral("three-manuals.zkt")}));
    expectEndsAtOnce(second);
    // What the first opened heads its recent configurations, which it keeps at once.
    const QByteArray recent = QByteArrayLiteral("File1=") + QFileInfo(example).absoluteFilePath().toUtf8();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return readFile(folders.paths.settingsFile()).contains(recent); }, 30000))
        << readFile(folders.paths.settingsFile()).constData();
}

} // namespace
} // namespace zkt

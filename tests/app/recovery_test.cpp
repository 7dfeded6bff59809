// Nothing lost when the program ends without a word: a window killed after an edit offers the
// edit back at the next start; Discard, or a normal end, leaves no copy behind.

#include "app/document/recovery_copy.h"
#include "app_fixture.h"
#include "model/config_file.h"
#include "model/example_organ.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <gtest/gtest.h>

namespace zkt {
namespace {

class RecoveryTest : public test::AppFixture {
protected:
    QString savedOrgan() {
        const QString path = folders.paths.documentsFolder + QStringLiteral("/organ.zkt");
        writeConfigurationFile(path.toStdString(), exampleOrgan(3));
        return path;
    }
    bool copyExists() const { return QFileInfo::exists(RecoveryCopy(folders.paths.recoveryFolder).path()); }
    // Answers the question at the start with the button named, after noting what it said.
    void answerRecoveryQuestion(const char* button, QString* text = nullptr) {
        test::onNextModal<QMessageBox>(
            [button, text](QMessageBox* box) {
                if (text != nullptr)
                    *text = box->text();
                box->findChild<QPushButton*>(QLatin1String(button))->click();
            },
            QStringLiteral("Recover Unsaved Changes"));
    }
    void editLabel(const char* label) {
        app.configuration().history().apply([&] { app.model().names.pistonLabels[4] = label; },
                                            [] { return std::string("label"); });
    }
};

// The program itself (the window, offscreen, with folders of its own) killed with SIGKILL two
// seconds after a label was typed into its piston overview.
TEST_F(RecoveryTest, AKilledWindowsEditIsOfferedBackAtTheNextStart) {
    const QString organ = savedOrgan();
    const QString data = folders.root.path() + QStringLiteral("/data");
    ASSERT_EQ(folders.paths.recoveryFolder, data + QStringLiteral("/ZKTConfig/recovery"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("JACK_NO_START_SERVER"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folders.root.path() + QStringLiteral("/config"));
    environment.insert(QStringLiteral("TMPDIR"), folders.root.path());
    // A copy of its own, whose settings and log stay in this test's folders.
    const QString program = folders.paths.programFolder + QStringLiteral("/zktconfig");
    ASSERT_TRUE(QFile::copy(QStringLiteral(RECOVERY_DRIVER_PATH), program));
    QProcess window;
    window.setProcessEnvironment(environment);
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window.start(program, {organ});
    ASSERT_TRUE(window.waitForReadyRead(30000));
    EXPECT_EQ(window.readLine().trimmed(), QByteArrayLiteral("edited"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return copyExists(); }, 10000));
    window.kill();
    ASSERT_TRUE(window.waitForFinished(10000));
    EXPECT_EQ(window.exitStatus(), QProcess::CrashExit);

    QString question;
    answerRecoveryQuestion("cmdRecover", &question);
    app.start();
    EXPECT_TRUE(question.contains(organ)) << question.toStdString();
    EXPECT_FALSE(app.startChoiceWindow().isVisible());
    EXPECT_EQ(app.model().names.pistonLabels[4], "Full Organ");
    EXPECT_EQ(app.model().numberOfManuals, 3);
    EXPECT_EQ(app.document().documentPath(), organ);
    EXPECT_TRUE(app.mainWindow().windowTitle().startsWith(QStringLiteral("organ.zkt[*]")));
    EXPECT_TRUE(app.mainWindow().isWindowModified());
    EXPECT_TRUE(copyExists()) << "kept until the changes are saved or discarded";
}

TEST_F(RecoveryTest, DiscardRemovesTheCopyAndTheStartGoesOnAsUsual) {
    RecoveryCopy(folders.paths.recoveryFolder)
        .keep(exampleOrgan(2), {}, QStringLiteral("Settings from the ZKT"));
    QString question;
    answerRecoveryQuestion("cmdDiscard", &question);
    app.start();
    EXPECT_TRUE(question.contains(QStringLiteral("\u201cSettings from the ZKT\u201d")))
        << question.toStdString();
    EXPECT_FALSE(copyExists());
    EXPECT_EQ(app.model().numberOfManuals, 0);
    EXPECT_FALSE(app.mainWindow().isVisible());
}

// The copy follows the changes: made while there are some, gone once they are saved, and gone
// after a close that discards them.
TEST_F(RecoveryTest, ACleanEndLeavesNoCopyBehind) {
    app.startWithFile(savedOrgan());
    tickUntilSettled();
    EXPECT_FALSE(copyExists());
    editLabel("General 5");
    EXPECT_TRUE(QTest::qWaitFor([&] { return copyExists(); }, 5000));
    test::chooseFileInNextDialog(QStringLiteral("Save Configuration To File"),
                                 folders.paths.documentsFolder + QStringLiteral("/saved.zkt"));
    test::onNextModal<QMessageBox>([](QMessageBox* box) { box->accept(); }, QStringLiteral("ZKT Config"));
    ASSERT_TRUE(app.document().save());
    EXPECT_FALSE(copyExists());

    editLabel("General 6");
    EXPECT_TRUE(QTest::qWaitFor([&] { return copyExists(); }, 5000));
    test::onNextModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Discard)->click(); },
                                   QStringLiteral("ZKTConfig"));
    app.mainWindow().close();
    EXPECT_FALSE(copyExists());
    EXPECT_FALSE(RecoveryCopy(folders.paths.recoveryFolder).find());
}

} // namespace
} // namespace zkt

// The settings dialog driven as the author drives it: typed values, OK,
// the save dialog, the check box, the up-down arrows, cancel.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "forge_fixture.h"
#include "imagelib/gra.h"
#include "platform/ui/directory_list_box.h"
#include "platform/ui/up_down.h"
#include "tests/support/file_util.h"
#include "tests/support/temp_dir.h"
#include "tests/support_ui/scripted_dialogs.h"
#include "zelforge/authoring_window.h"
#include "zelforge/settings_dialog.h"

using namespace zelforge;
using forge_test::FileBytes;

namespace {

// Both windows as the program entry makes them, the dialog shown but not
// run modally, so the test drives it directly.
struct Scene {
    testsupport::TempDir work;
    forge_test::InFolder in{work.path()};
    testsupport::ScriptedDialogs dialogs;
    Gra gra;
    AuthoringVars vars;
    TForm1 form1{vars, dialogs, gra, forge_test::LibraryFolder()};
    TForm2 form2{vars, dialogs, form1};

    Scene() {
        form1.SetSettingsDialog(&form2);
        vars.SettingsAccepted = false;
        form2.show();
    }
    void Ok() { QTest::mouseClick(form2.Button2, Qt::LeftButton); }
    std::string Exe() const { return work.File("patch.exe"); }
};

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void validation_data() {
        QTest::addColumn<QString>("quality");
        QTest::addColumn<QString>("quality2");
        QTest::addColumn<bool>("jpegSave");
        QTest::addColumn<bool>("withExe");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<int>("flags");

        const QString range = QStringLiteral("JPEG品質は1～100で入力してください。");
        const QString numeric = QStringLiteral("JPEG品質は数値で入力してください。");
        const QString noName = QStringLiteral("作成する配布ファイルの名前を入力してください。");
        QTest::newRow("0") << "0" << "94" << false << true << range << 16;
        QTest::newRow("101") << "101" << "94" << false << true << range << 16;
        QTest::newRow("-5") << "-5" << "94" << false << true << range << 16;
        QTest::newRow("1") << "1" << "94" << false << true << QString() << 0;
        QTest::newRow("100") << "100" << "94" << false << true << QString() << 0;
        QTest::newRow("empty") << "" << "94" << false << true << numeric << 0;
        QTest::newRow("abc") << "abc" << "94" << false << true << numeric << 0;
        QTest::newRow("blank 94") << " 94" << "94" << false << true << QString() << 0;
        QTest::newRow("094") << "094" << "94" << false << true << QString() << 0;
        QTest::newRow("diff abc unchecked") << "94" << "abc" << false << true << numeric << 0;
        QTest::newRow("diff 500 unchecked") << "94" << "500" << false << true << QString() << 0;
        QTest::newRow("diff 0 unchecked") << "94" << "0" << false << true << QString() << 0;
        QTest::newRow("diff 0 checked") << "94" << "0" << true << true << range << 16;
        QTest::newRow("diff 100 checked") << "94" << "100" << true << true << QString() << 0;
        QTest::newRow("no name") << "94" << "94" << false << false << noName << 16;
    }

    void validation() {
        QFETCH(QString, quality);
        QFETCH(QString, quality2);
        QFETCH(bool, jpegSave);
        QFETCH(bool, withExe);
        QFETCH(QString, message);
        QFETCH(int, flags);

        Scene s;
        // Typed while the box was checked, then the box unchecked again.
        s.form2.ChkJpegSave->setChecked(true);
        s.form2.EdtQuality2->setText(quality2);
        s.form2.ChkJpegSave->setChecked(jpegSave);
        s.form2.EdtQuality->setText(quality);
        if (withExe) s.form2.EdtExe->setText(QString::fromStdString(s.Exe()));
        s.Ok();

        if (message.isEmpty()) {
            QCOMPARE(s.dialogs.messages.size(), 0u);
            QVERIFY(s.vars.SettingsAccepted);
            QVERIFY(!s.form2.isVisible());
            QVERIFY(!s.vars.TerminateRequested);
            QCOMPARE(FileBytes(s.work.File("zelfin.dat")), std::string());
            // Header line 1 holds the text exactly as typed.
            QCOMPARE(QString::fromStdString(s.vars.ControlList[1]), quality);
        } else {
            QCOMPARE(s.dialogs.messages.size(), 1u);
            QCOMPARE(s.dialogs.messages[0].text, message);
            QCOMPARE(s.dialogs.messages[0].caption, QStringLiteral("ｴﾗｰ"));
            QCOMPARE(s.dialogs.messages[0].flags, flags);
            QVERIFY(!s.vars.SettingsAccepted);
            QVERIFY(s.form2.isVisible());
            QVERIFY(!testsupport::FileExists(s.work.File("zelfin.dat")));
            QCOMPARE(s.vars.ControlList.Count(), 0);
        }
    }

    void acceptedStartsThePackage() {
        Scene s;
        s.form2.EdtExe->setText(QString::fromStdString(s.Exe()));
        s.form2.EdtMessage->setText(QStringLiteral("表を選んでください"));
        s.form2.ChkBackup->setChecked(false);
        s.Ok();
        QVERIFY(s.vars.SettingsAccepted);
        QCOMPARE(s.form1.Memo1->toPlainText(), QString::fromStdString("ﾌｫﾙﾀﾞ:" + s.work.path() + "/"));
        QCOMPARE(s.vars.EntryNumber, 1);
        QCOMPARE(s.vars.DataOffset, 0);
        QCOMPARE(s.vars.AuthoringState, AuthoringMode::Selecting);
        const std::vector<std::string> header{"\x95\x5C\x82\xF0\x91\x49\x82\xF1\x82\xC5\x82\xAD\x82\xBE\x82\xB3\x82\xA2",
                                              "94", "0", "none", "none", "none"};
        QCOMPARE(s.vars.ControlList.Count(), 6);
        for (int i = 0; i < 6; ++i) QCOMPARE(s.vars.ControlList[i], header[i]);
    }

    void existingDataFileIsEmptied() {
        Scene s;
        testsupport::WriteFile(s.work.File("zelfin.dat"), std::string(4096, 'o'));
        s.form2.EdtExe->setText(QString::fromStdString(s.Exe()));
        s.Ok();
        QVERIFY(s.vars.SettingsAccepted);
        QCOMPARE(FileBytes(s.work.File("zelfin.dat")), std::string());
    }

    void folderThatDoesNotExist() {
        Scene s;
        const QString exe = QString::fromStdString(s.work.File("missing/patch.exe"));
        s.form2.EdtExe->setText(exe);
        s.Ok();
        QCOMPARE(s.dialogs.messages.size(), 1u);
        QCOMPARE(s.dialogs.messages[0].text, exe + QStringLiteral("を作れません。"));
        QCOMPARE(s.dialogs.messages[0].caption, QStringLiteral("ｴﾗｰ"));
        QCOMPARE(s.dialogs.messages[0].flags, 16);
        QVERIFY(s.form2.isVisible());
        QVERIFY(!s.vars.SettingsAccepted);
        QVERIFY(!s.vars.DataFile);
        QVERIFY(s.form1.Memo1->toPlainText().isEmpty());
        // Corrected and tried again: accepted.
        s.form2.EdtExe->setText(QString::fromStdString(s.Exe()));
        s.Ok();
        QVERIFY(s.vars.SettingsAccepted);
    }

    // A bare name belongs to the folder the file list shows when OK is
    // pressed, and stays there whatever the list shows later.
    void bareNameIsPinnedToTheListedFolder() {
        Scene s;
        testsupport::TempDir other;
        QVERIFY(s.form1.DirectoryListBox1->SetDirectory(QString::fromStdString(other.path())));
        s.form2.EdtExe->setText(QStringLiteral("patch.exe"));
        s.Ok();
        QVERIFY(s.vars.SettingsAccepted);
        QCOMPARE(s.vars.PackageFolder, other.path() + "/");
        QVERIFY(testsupport::FileExists(other.File("zelfin.dat")));
        QVERIFY(!testsupport::FileExists(s.work.File("zelfin.dat")));
        QCOMPARE(s.form1.Memo1->toPlainText(), QString::fromStdString("ﾌｫﾙﾀﾞ:" + other.path() + "/"));
        QVERIFY(s.form1.DirectoryListBox1->SetDirectory(QString::fromStdString(s.work.path())));
        QCOMPARE(s.vars.PackageFolder, other.path() + "/");
        QCOMPARE(s.vars.DistributionPath, other.File("patch.exe"));
    }

    void browseFillsTheNameOnlyWhenConfirmed() {
        Scene s;
        s.form2.EdtExe->setText(QStringLiteral("/old/name.exe"));
        s.dialogs.saveAnswers.push_back(QStringLiteral("/new/patch.exe"));
        QTest::mouseClick(s.form2.Button1, Qt::LeftButton);
        QCOMPARE(s.form2.EdtExe->text(), QStringLiteral("/new/patch.exe"));
        QCOMPARE(s.dialogs.saveRequests.size(), 1u);
        const platform::SaveDialogRequest &request = s.dialogs.saveRequests[0];
        QCOMPARE(request.title, QStringLiteral("作成する配布ﾌｧｲﾙ"));
        QCOMPARE(request.filter, QStringLiteral("配布ﾌｧｲﾙ(*.exe)"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("exe"));
        QCOMPARE(request.initialPath, QStringLiteral("/old/name.exe"));
        QVERIFY(request.confirmOverwrite);

        QTest::mouseClick(s.form2.Button1, Qt::LeftButton);  // cancelled: no answer left
        QCOMPARE(s.form2.EdtExe->text(), QStringLiteral("/new/patch.exe"));
    }

    void jpegBoxEnablesTheDifferenceQuality() {
        Scene s;
        QVERIFY(!s.form2.EdtQuality2->isEnabled());
        QVERIFY(!s.form2.UpDown2->isEnabled());
        QTest::mouseClick(s.form2.ChkJpegSave, Qt::LeftButton);
        QVERIFY(s.form2.ChkJpegSave->isChecked());
        QVERIFY(s.form2.EdtQuality2->isEnabled());
        QVERIFY(s.form2.UpDown2->isEnabled());
        QTest::mouseClick(s.form2.ChkJpegSave, Qt::LeftButton);
        QVERIFY(!s.form2.EdtQuality2->isEnabled());
        QVERIFY(!s.form2.UpDown2->isEnabled());
    }

    void upDownStaysWithinItsRange() {
        Scene s;
        QLineEdit *edit = s.form2.EdtQuality;
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QStringLiteral("95"));
        edit->setText(QStringLiteral("100"));
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QStringLiteral("100"));  // no wrap
        edit->setText(QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        // Text that is no number: the step starts from the last position.
        edit->setText(QStringLiteral("abc"));
        s.form2.UpDown1->Step(+1);
        QCOMPARE(edit->text(), QStringLiteral("2"));
        // A disabled up-down does nothing.
        s.form2.UpDown2->Step(+1);
        QCOMPARE(s.form2.EdtQuality2->text(), QStringLiteral("94"));
    }

    void tabOrderAsDesigned() {
        Scene s;
        TForm2 &f = s.form2;
        const QList<QWidget *> order{f.EdtExe,  f.EdtQuality, f.EdtMessage,  f.Button1,     f.Button2, f.ChkBackup,
                                     f.Button3, f.UpDown1,    f.ChkJpegSave, f.EdtQuality2, f.UpDown2};
        QWidget *w = order.first();
        for (qsizetype i = 1; i < order.size(); ++i) {
            do {
                w = w->nextInFocusChain();
            } while (!(w->focusPolicy() & Qt::TabFocus));
            QCOMPARE(w, order[i]);
        }
    }

    void cancelEndsTheProgramWithoutFiles() {
        Scene s;
        QTest::mouseClick(s.form2.Button3, Qt::LeftButton);
        QVERIFY(!s.form2.isVisible());
        QVERIFY(s.vars.TerminateRequested);
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(s.work.List(), std::vector<std::string>{});
    }

    void closeBoxActsAsCancel() {
        Scene s;
        QVERIFY(s.form2.close());
        QVERIFY(s.vars.TerminateRequested);
        QVERIFY(s.work.List().empty());
    }

    void escapeDoesNotClose() {
        Scene s;
        QTest::keyClick(s.form2.EdtExe, Qt::Key_Escape);
        QVERIFY(s.form2.isVisible());
        QVERIFY(!s.vars.TerminateRequested);
    }

    void enterPressesNoButton() {
        Scene s;
        s.form2.EdtExe->setText(QString::fromStdString(s.Exe()));
        QTest::keyClick(s.form2.EdtExe, Qt::Key_Return);
        QVERIFY(s.form2.isVisible());
        QVERIFY(!s.vars.SettingsAccepted);
        QVERIFY(s.dialogs.saveRequests.empty());
    }
};

FORGE_WINDOW_TEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"

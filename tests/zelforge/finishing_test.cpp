// Finishing ("作成して終了") and cancelling ("ｷｬﾝｾﾙ終了", the close box) the
// package through the real authoring window: the confirmations, the files of
// a finished package, the file manager, the completion message, and what a
// failed copy or a failed save of the control list leaves.
#include <QApplication>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <sys/stat.h>

#include "authoring_scene.h"
#include "platform/cp932.h"
#include "platform/ui/dialogs.h"
#include "tests/support/file_util.h"
#include "tests/support/library_path.h"
#include "tests/support/temp_dir.h"

using namespace zelforge;
using forge_test::AuthoringScene;
using forge_test::FileBytes;

namespace {

const QString kConfirm = QStringLiteral("確認");
const QString kFinishQuestion = QStringLiteral("作成して終了?");
const QString kCancelQuestion = QStringLiteral("ｷｬﾝｾﾙして終了?");

std::string Dist(const std::string &name) { return testsupport::DistDir() + "/" + name; }

// The header lines as the settings dialog's defaults give them, CRLF each.
std::string DefaultHeaderText() {
    const std::string prompt = *platform::Utf8ToCp932("更新するJPEGのフォルダを指定してください。");
    return prompt + "\r\n94\r\n1\r\nnone\r\nnone\r\nnone\r\n";
}

void RecordOne(AuthoringScene &s, const std::string &name, uint32_t seed) {
    s.StartMarking(name, forge_test::PhotoImage(64, 48, seed));
    s.Mark({2, 3}, {20, 30});
    s.Ok();
    QCOMPARE(s.vars.AuthoringState, AuthoringMode::Selecting);
}

void ExpectQuestion(const testsupport::ScriptedDialogs::Message &m, const QString &text, int flags) {
    QCOMPARE(m.text, text);
    QCOMPARE(m.caption, kConfirm);
    QCOMPARE(m.flags, flags);
}

bool Executable(const std::string &path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IXUSR) != 0;
}

// A tool folder of its own, holding copies of the chosen tool files.
struct ToolFolder {
    testsupport::TempDir dir;
    explicit ToolFolder(std::initializer_list<const char *> names) {
        for (const char *name : names) std::filesystem::copy_file(Dist(name), dir.File(name));
    }
    std::string Path() const { return dir.path() + "/"; }
};

}  // namespace

class FinishingTest : public QObject {
    Q_OBJECT
private slots:
    void finishWritesThePackage() {
        AuthoringScene s;
        RecordOne(s, "old.jpg", 1);
        RecordOne(s, "other.jpg", 2);
        const std::string data = FileBytes(s.PackageFile("zelfin.dat"));
        const std::string listText = s.vars.ControlList.Text();
        bool folderOpenedBeforeMessage = false;
        s.dialogs.onMessage = [&](const testsupport::ScriptedDialogs::Message &m) {
            if (m.caption == QStringLiteral("完了")) folderOpenedBeforeMessage = !s.dialogs.openedFolders.empty();
        };
        s.form1->Finish1->trigger();

        QCOMPARE(s.dialogs.messages.size(), 2u);
        ExpectQuestion(s.dialogs.messages[0], kFinishQuestion, 33);
        QCOMPARE(s.dialogs.messages[1].text,
                 QStringLiteral("・patch.exe\n・zelfin.dat\n・zelfin.ini\n・NVIEWLIB.DLL\nをまとめて圧縮して配布します"));
        QCOMPARE(s.dialogs.messages[1].caption, QStringLiteral("完了"));
        QCOMPARE(s.dialogs.messages[1].flags, 64);
        QCOMPARE(s.dialogs.openedFolders, QStringList{QString::fromStdString(s.package)});
        QVERIFY(s.dialogs.openedFolders[0].endsWith(QLatin1Char('/')));
        QVERIFY(folderOpenedBeforeMessage);

        QCOMPARE(s.PackageNames(),
                 (std::vector<std::string>{"NVIEWLIB.DLL", "patch.exe", "zelfin.dat", "zelfin.ini"}));
        QVERIFY(FileBytes(s.PackageFile("patch.exe")) == FileBytes(Dist("zelfin.exx")));
        QVERIFY(Executable(s.PackageFile("patch.exe")));
        QVERIFY(FileBytes(s.PackageFile("NVIEWLIB.DLL")) == FileBytes(Dist("NVIEWLIB.DLL")));
        QVERIFY(FileBytes(s.PackageFile("zelfin.dat")) == data);
        QCOMPARE(FileBytes(s.PackageFile("zelfin.ini")), listText);
        QVERIFY(listText.starts_with(DefaultHeaderText()));
        QCOMPARE(s.vars.ControlList.Count(), 18);

        // Finishing closes the window without the cancel question.
        QVERIFY(s.vars.PackageFinished);
        QVERIFY(!s.vars.DataFile);
        QVERIFY(!s.form1->isVisible());
    }

    // Ctrl+K on a package without entries: only the header, an empty data
    // file, and the rest as usual.
    void finishWithoutEntries() {
        AuthoringScene s;
        QApplication::setActiveWindow(s.form1.get());
        QVERIFY(QTest::qWaitForWindowActive(s.form1.get()));
        QTest::keyClick(s.form1.get(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(s.dialogs.messages.size(), 2u);
        QCOMPARE(FileBytes(s.PackageFile("zelfin.ini")), DefaultHeaderText());
        QCOMPARE(FileBytes(s.PackageFile("zelfin.dat")), std::string());
        QVERIFY(FileBytes(s.PackageFile("patch.exe")) == FileBytes(Dist("zelfin.exx")));
        QVERIFY(testsupport::FileExists(s.PackageFile("NVIEWLIB.DLL")));
        QVERIFY(!s.form1->isVisible());
    }

    void finishAnsweredWithCancel() {
        AuthoringScene s;
        RecordOne(s, "old.jpg", 3);
        s.dialogs.messageAnswers = {platform::kIdCancel};
        s.form1->Finish1->trigger();
        QCOMPARE(s.dialogs.messages.size(), 1u);
        ExpectQuestion(s.dialogs.messages[0], kFinishQuestion, 33);
        QVERIFY(s.dialogs.openedFolders.isEmpty());
        QCOMPARE(s.PackageNames(), std::vector<std::string>{"zelfin.dat"});
        QVERIFY(s.form1->isVisible());
        QVERIFY(!s.vars.PackageFinished);
        // Authoring goes on where it was.
        const int32_t offset = s.vars.DataOffset;
        RecordOne(s, "other.jpg", 4);
        QCOMPARE(s.vars.ControlList[16], std::to_string(offset));
    }

    // A copy that fails is named instead of the completion message; the
    // control list and the data file are in place all the same.
    void copyFails_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("no zelfin.exx beside the tool") << 0;
        QTest::newRow("no NVIEWLIB.DLL beside the tool") << 1;
        QTest::newRow("a folder where the distribution file goes") << 2;
        QTest::newRow("distribution file named like the data file") << 3;
    }

    void copyFails() {
        QFETCH(int, kind);
        ToolFolder tool = kind == 0 ? ToolFolder{"NVIEWLIB.DLL"} : ToolFolder{"NVIEWLIB.DLL", "zelfin.exx"};
        AuthoringScene s(tool.Path(), kind == 3 ? "zelfin.dat" : "patch.exe");
        RecordOne(s, "old.jpg", 5);
        const std::string data = FileBytes(s.PackageFile("zelfin.dat"));
        const std::string exe = s.package + (kind == 3 ? "zelfin.dat" : "patch.exe");
        std::string from = tool.Path() + "zelfin.exx", to = exe;
        if (kind == 1) {
            // Bound already; now it goes.
            std::filesystem::remove(tool.dir.File("NVIEWLIB.DLL"));
            from = tool.Path() + "NVIEWLIB.DLL";
            to = s.package + "NVIEWLIB.DLL";
        }
        if (kind == 2) std::filesystem::create_directory(exe);
        s.form1->Finish1->trigger();

        QCOMPARE(s.dialogs.messages.size(), 2u);
        QCOMPARE(s.dialogs.messages[1].text,
                 QString::fromStdString("次のﾌｧｲﾙをｺﾋﾟｰできませんでした:\n" + from + " → " + to +
                                        "\nzelfin.dat と zelfin.ini はできています。足りないﾌｧｲﾙを揃えてから配布してください。"));
        QCOMPARE(s.dialogs.messages[1].caption, QStringLiteral("ｴﾗｰ"));
        QCOMPARE(s.dialogs.messages[1].flags, 16);
        QCOMPARE(s.dialogs.openedFolders.size(), 1);
        QVERIFY(FileBytes(s.PackageFile("zelfin.dat")) == data);
        QCOMPARE(FileBytes(s.PackageFile("zelfin.ini")), s.vars.ControlList.Text());
        QCOMPARE(testsupport::FileExists(s.PackageFile("NVIEWLIB.DLL")), kind != 1);
        if (kind == 0) QVERIFY(!testsupport::FileExists(exe));
        if (kind == 1) QVERIFY(Executable(exe));
        QVERIFY(s.vars.PackageFinished);
        QVERIFY(!s.form1->isVisible());
    }

    // "zelfin.ini" cannot be created: the platform's report, nothing else
    // happens, and the data file stays open; finishing again, recording on
    // and cancelling all still work.
    void controlListCannotBeSaved_data() {
        QTest::addColumn<bool>("thenCancel");
        QTest::newRow("then finished") << false;
        QTest::newRow("then cancelled") << true;
    }

    void controlListCannotBeSaved() {
        QFETCH(bool, thenCancel);
        AuthoringScene s;
        RecordOne(s, "old.jpg", 6);
        std::filesystem::create_directory(s.PackageFile("zelfin.ini"));
        s.form1->Finish1->trigger();
        QCOMPARE(s.dialogs.messages.size(), 2u);
        QCOMPARE(s.dialogs.messages[1].text,
                 QString::fromStdString("ﾌｧｲﾙ " + s.package + "zelfin.ini を作成できません."));
        QCOMPARE(s.dialogs.messages[1].caption, platform::ApplicationTitle(QCoreApplication::applicationFilePath()));
        QCOMPARE(s.dialogs.messages[1].flags, 16);
        QVERIFY(s.dialogs.openedFolders.isEmpty());
        QVERIFY(!testsupport::FileExists(s.PackageFile("patch.exe")));
        QVERIFY(!s.vars.PackageFinished);
        QVERIFY(s.form1->isVisible());

        const int32_t offset = s.vars.DataOffset;
        RecordOne(s, "other.jpg", 7);
        QCOMPARE(s.vars.ControlList[16], std::to_string(offset));
        QCOMPARE(FileBytes(s.PackageFile("zelfin.dat")).size(), static_cast<size_t>(s.vars.DataOffset));
        std::filesystem::remove(s.PackageFile("zelfin.ini"));

        if (thenCancel) {
            s.form1->N3->trigger();
            ExpectQuestion(s.dialogs.messages.back(), kCancelQuestion, 36);
            QVERIFY(s.PackageNames().empty());
        } else {
            s.form1->Finish1->trigger();
            QCOMPARE(s.dialogs.messages.back().caption, QStringLiteral("完了"));
            QCOMPARE(FileBytes(s.PackageFile("zelfin.ini")), s.vars.ControlList.Text());
            QCOMPARE(s.vars.ControlList.Count(), 18);
        }
        QVERIFY(!s.form1->isVisible());
    }

    // "ｷｬﾝｾﾙ終了" and the close box ask the same question; Yes throws the
    // data file away, No goes on at the same offset.
    void cancel_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("yes");
        QTest::newRow("menu, yes") << false << true;
        QTest::newRow("menu, no") << false << false;
        QTest::newRow("close box, yes") << true << true;
        QTest::newRow("close box, no") << true << false;
    }

    void cancel() {
        QFETCH(bool, closeBox);
        QFETCH(bool, yes);
        AuthoringScene s;
        RecordOne(s, "old.jpg", 8);
        RecordOne(s, "other.jpg", 9);
        s.dialogs.messageAnswers = {yes ? platform::kIdYes : platform::kIdNo};
        if (closeBox)
            s.form1->close();
        else
            s.form1->N3->trigger();
        QCOMPARE(s.dialogs.messages.size(), 1u);
        ExpectQuestion(s.dialogs.messages[0], kCancelQuestion, 36);
        QVERIFY(s.dialogs.openedFolders.isEmpty());
        if (yes) {
            QVERIFY(!s.form1->isVisible());
            QVERIFY(s.PackageNames().empty());
            return;
        }
        QVERIFY(s.form1->isVisible());
        QCOMPARE(s.PackageNames(), std::vector<std::string>{"zelfin.dat"});
        const int32_t offset = s.vars.DataOffset;
        RecordOne(s, "old.jpg", 10);
        QCOMPARE(s.vars.ControlList[22], std::to_string(offset));
        QCOMPARE(FileBytes(s.PackageFile("zelfin.dat")).size(), static_cast<size_t>(s.vars.DataOffset));
    }
};

FORGE_WINDOW_TEST_MAIN(FinishingTest)
#include "finishing_test.moc"

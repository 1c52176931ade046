// The applier program as the user meets it: the result window after a run,
// the prompt and the exception report answered through the seam.
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "package/package_files.h"
#include "package_fixture.h"
#include "platform/file.h"
#include "tests/support/file_util.h"
#include "tests/support/library_path.h"
#include "tests/support_ui/scripted_dialogs.h"
#include "zelfin/result_window.h"

using namespace zelfin_test;

namespace {

struct Shown {
    bool shown = false;
    QString caption;
    QString label;
    QSize clientSize;
    bool imagesHidden = false;
    QPoint buttonPos;
};

// Runs the program; when its window appears, reads it and presses OK.
int RunAndPressOk(testsupport::ScriptedDialogs &dialogs, const std::string &programFolder, Shown &seen) {
    QTimer reader;
    reader.setSingleShot(true);
    QObject::connect(&reader, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<zelfin::TForm1 *>(widget);
            if (form == nullptr || !form->isVisible()) continue;
            seen.shown = true;
            seen.caption = form->windowTitle();
            seen.label = form->Label1->text();
            seen.clientSize = form->size();
            seen.imagesHidden = !form->Image1->isVisible() && !form->Image2->isVisible() && !form->Image3->isVisible();
            seen.buttonPos = form->Button1->pos();
            QTest::mouseClick(form->Button1, Qt::LeftButton);
        }
    });
    reader.start(0);
    Gra gra;
    const int code = zelfin::RunZelfinProgram(dialogs, gra, programFolder, QStringLiteral("Update"));
    reader.stop();
    return code;
}

struct PackageOnDisk {
    Folders folders;
    explicit PackageOnDisk(bool backup = false) {
        (void)platform::CopyFileOverwrite(testsupport::NViewLibPath(), folders.package + "NVIEWLIB.DLL");
        WriteJpeg(folders.target + "a.jpg", testsupport::MakePhotoLike(32, 32, 1));
        PackageBuilder builder("94", backup);
        builder.AddEntry("a.jpg", folders.target + "a.jpg", 0, 0, testsupport::MakeSolid(8, 8, 0));
        builder.Write(folders.package);
    }
    QString Target() const { return QString::fromStdString(folders.target); }
};

}  // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
private slots:
    void success() {
        PackageOnDisk package;
        testsupport::ScriptedDialogs dialogs;
        dialogs.folderAnswers.push_back(package.Target());
        Shown seen;
        QCOMPARE(RunAndPressOk(dialogs, package.folders.package, seen), 0);
        QVERIFY(seen.shown);
        QCOMPARE(seen.caption, QStringLiteral("完了"));
        QCOMPARE(seen.label, QStringLiteral("更新しました。"));
        QCOMPARE(seen.clientSize, QSize(209, 88));
        QCOMPARE(seen.buttonPos, QPoint(120, 48));
        QVERIFY(seen.imagesHidden);
        QCOMPARE(dialogs.folderTitles, QStringList{QStringLiteral("title")});
        QVERIFY(dialogs.messages.empty());
    }

    void failuresShowTheirText_data() {
        QTest::addColumn<QString>("remove");     // package member to remove
        QTest::addColumn<bool>("shrinkTarget");  // make the size differ
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("prompted");
        QTest::newRow("no library") << "NVIEWLIB.DLL" << false << "ﾌｧｲﾙがありません" << false;
        QTest::newRow("no control list") << "zelfin.ini" << false << "ﾌｧｲﾙがありません" << false;
        QTest::newRow("no data file") << "zelfin.dat" << false << "ﾌｧｲﾙがありません" << false;
        QTest::newRow("target missing") << "" << false << "ﾌｧｲﾙがありません" << true;
        QTest::newRow("size differs") << "" << true << "ﾌｧｲﾙが一致しませんでした" << true;
    }
    void failuresShowTheirText() {
        QFETCH(QString, remove);
        QFETCH(bool, shrinkTarget);
        QFETCH(QString, text);
        QFETCH(bool, prompted);
        PackageOnDisk package;
        if (!remove.isEmpty()) QVERIFY(platform::DeleteFile(package.folders.package + remove.toStdString()));
        if (shrinkTarget) {
            auto bytes = testsupport::ReadFile(package.folders.target + "a.jpg");
            bytes.push_back(0);
            testsupport::WriteFile(package.folders.target + "a.jpg", bytes);
        } else if (remove.isEmpty()) {
            QVERIFY(platform::DeleteFile(package.folders.target + "a.jpg"));
        }
        testsupport::ScriptedDialogs dialogs;
        dialogs.folderAnswers.push_back(package.Target());
        Shown seen;
        QCOMPARE(RunAndPressOk(dialogs, package.folders.package, seen), 0);
        QVERIFY(seen.shown);
        QCOMPARE(seen.caption, QStringLiteral("ｴﾗｰ"));
        QCOMPARE(seen.label, text);
        QCOMPARE(dialogs.folderTitles.size(), prompted ? 1 : 0);
    }

    void writeFailureShowsItsText() {
        PackageOnDisk package(/*backup=*/true);
        // A backup that cannot be made: a folder stands where the backup goes.
        QDir().mkdir(QString::fromStdString(package.folders.target + "a.jp~"));
        const auto before = Snapshot(package.folders.target);

        testsupport::ScriptedDialogs dialogs;
        dialogs.folderAnswers.push_back(package.Target());
        Shown seen;
        RunAndPressOk(dialogs, package.folders.package, seen);
        QCOMPARE(seen.caption, QStringLiteral("ｴﾗｰ"));
        QCOMPARE(seen.label, QStringLiteral("書き込めませんでした"));
        QVERIFY(Snapshot(package.folders.target) == before);
    }

    void cancelledPromptEndsWithoutWindow() {
        PackageOnDisk package;
        const auto before = Snapshot(package.folders.temp.path());
        testsupport::ScriptedDialogs dialogs;  // the prompt answers nothing
        Shown seen;
        QCOMPARE(RunAndPressOk(dialogs, package.folders.package, seen), 0);
        QVERIFY(!seen.shown);
        QCOMPARE(dialogs.folderTitles.size(), 1);
        QVERIFY(dialogs.messages.empty());
        QVERIFY(Snapshot(package.folders.temp.path()) == before);
    }

    void platformFailuresShowTheReportAndNoWindow_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("text");
        QTest::newRow("no line 0") << QStringList{} << "" << "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています.";
        QTest::newRow("no line 2") << QStringList{"t", "94"} << "" << "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています.";
        QTest::newRow("quality not an integer, prompt cancelled")
            << QStringList{"t", "abc", "0"} << "" << "'abc' は整数ではありません.";
        QTest::newRow("size line not an integer")
            << QStringList{"t", "94", "0", "none", "none", "none", "a.jpg", "12x", "0", "0", "0", "58"} << "target"
            << "'12x' は整数ではありません.";
    }
    void platformFailuresShowTheReportAndNoWindow() {
        QFETCH(QStringList, lines);
        QFETCH(QString, folder);
        QFETCH(QString, text);
        PackageOnDisk package;
        platform::TStringList list;
        for (const QString &line : lines) list.Add(line.toStdString());
        list.SaveToFile(package.folders.package + "zelfin.ini");
        testsupport::ScriptedDialogs dialogs;
        if (!folder.isEmpty()) dialogs.folderAnswers.push_back(package.Target());
        Shown seen;
        QCOMPARE(RunAndPressOk(dialogs, package.folders.package, seen), 0);
        QVERIFY(!seen.shown);
        QCOMPARE(dialogs.messages.size(), size_t{1});
        QCOMPARE(dialogs.messages[0].text, text);
        QCOMPARE(dialogs.messages[0].caption, QStringLiteral("Update"));
        QCOMPARE(dialogs.messages[0].flags, int(platform::kMbOkStop));
    }

    void applicationTitleRule_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "/x/zelfin" << "zelfin";
        QTest::newRow("upper case with extension") << "/x/PATCH.EXE" << "Patch";
        QTest::newRow("two dots") << "/x/Fix.v2.exe" << "Fix";
    }
    void applicationTitleRule() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(platform::ApplicationTitle(path), title);
    }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"

// The program entry: the library check, the settings dialog first, and the
// authoring window only once the package was started.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "forge_fixture.h"
#include "imagelib/gra.h"
#include "platform/ui/simple_status_bar.h"
#include "tests/support/file_util.h"
#include "tests/support/temp_dir.h"
#include "tests/support_ui/scripted_dialogs.h"
#include "zelforge/authoring_window.h"
#include "zelforge/program.h"
#include "zelforge/settings_dialog.h"

using namespace zelforge;

namespace {

// Watches the application while the program runs: notes every authoring
// window that is shown, and answers the settings dialog once it is modal.
class Watcher : public QObject {
public:
    std::function<void(TForm2 &)> onSettings;
    std::function<void(TForm1 &)> onAuthoring;
    int settingsSeen = 0;
    int authoringShown = 0;
    bool authoringVisibleDuringSettings = false;

    Watcher() {
        qApp->installEventFilter(this);
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start();
    }
    ~Watcher() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && qobject_cast<TForm1 *>(watched) != nullptr) ++authoringShown;
        return false;
    }

private:
    void Poll() {
        auto *settings = qobject_cast<TForm2 *>(QApplication::activeModalWidget());
        if (settings != nullptr && !handled_.contains(settings)) {
            handled_ << settings;
            ++settingsSeen;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (qobject_cast<TForm1 *>(w) != nullptr && w->isVisible()) authoringVisibleDuringSettings = true;
            if (onSettings) onSettings(*settings);
            return;
        }
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<TForm1 *>(w);
            if (form != nullptr && form->isVisible() && !handled_.contains(form)) {
                handled_ << form;
                if (onAuthoring) onAuthoring(*form);
            }
        }
    }

    QTimer timer_;
    QList<QObject *> handled_;
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void missingLibrary() {
        testsupport::TempDir work;
        testsupport::TempDir emptyToolFolder;
        forge_test::InFolder in(work.path());
        testsupport::ScriptedDialogs dialogs;
        Watcher watcher;
        watcher.onSettings = [](TForm2 &f) { f.close(); };
        Gra gra;
        QCOMPARE(RunZelforge(dialogs, gra, emptyToolFolder.path() + "/"), 0);
        QCOMPARE(dialogs.messages.size(), 1u);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("NVIEWLIB.DLL?"));
        QCOMPARE(dialogs.messages[0].caption, QStringLiteral("?"));
        QCOMPARE(dialogs.messages[0].flags, 0);
        QCOMPARE(watcher.settingsSeen, 0);
        QCOMPARE(watcher.authoringShown, 0);
        QVERIFY(work.List().empty());
    }

    void settingsCancelled_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel button") << false;
        QTest::newRow("close box") << true;
    }

    void settingsCancelled() {
        QFETCH(bool, closeBox);
        testsupport::TempDir work;
        testsupport::WriteFile(work.File("zelfin.dat"), std::string("an earlier package"));
        forge_test::InFolder in(work.path());
        testsupport::ScriptedDialogs dialogs;
        Watcher watcher;
        watcher.onSettings = [&](TForm2 &f) {
            f.EdtExe->setText(QStringLiteral("patch.exe"));
            if (closeBox)
                f.close();
            else
                QTest::mouseClick(f.Button3, Qt::LeftButton);
        };
        Gra gra;
        QCOMPARE(RunZelforge(dialogs, gra, forge_test::LibraryFolder()), 0);
        QCOMPARE(watcher.settingsSeen, 1);
        QVERIFY(!watcher.authoringVisibleDuringSettings);
        QCOMPARE(watcher.authoringShown, 0);
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(work.List(), std::vector<std::string>{"zelfin.dat"});
        QCOMPARE(forge_test::FileBytes(work.File("zelfin.dat")), std::string("an earlier package"));
    }

    void settingsAcceptedShowsTheAuthoringWindow() {
        testsupport::TempDir work;
        forge_test::InFolder in(work.path());
        testsupport::ScriptedDialogs dialogs;
        Watcher watcher;
        watcher.onSettings = [&](TForm2 &f) {
            f.EdtExe->setText(QString::fromStdString(work.File("patch.exe")));
            QTest::mouseClick(f.Button2, Qt::LeftButton);
        };
        QString caption, log, status;
        QPoint centreOffset;
        bool dataFileThere = false;
        watcher.onAuthoring = [&](TForm1 &f) {
            caption = f.windowTitle();
            log = f.Memo1->toPlainText();
            status = f.StatusBar1->SimpleText();
            centreOffset = f.frameGeometry().center() - f.screen()->availableGeometry().center();
            dataFileThere = testsupport::FileExists(work.File("zelfin.dat"));
            f.close();
        };
        Gra gra;
        QCOMPARE(RunZelforge(dialogs, gra, forge_test::LibraryFolder()), 0);
        QCOMPARE(watcher.settingsSeen, 1);
        QVERIFY(!watcher.authoringVisibleDuringSettings);
        QCOMPARE(watcher.authoringShown, 1);
        QCOMPARE(caption, QStringLiteral("Zelforge"));
        QCOMPARE(log, QString::fromStdString("ﾌｫﾙﾀﾞ:" + work.path() + "/"));
        QCOMPARE(status, QStringLiteral("左上のﾌｧｲﾙﾘｽﾄから更新元のJPEGﾌｧｲﾙ(古いJPEG画像)を選びます"));
        QVERIFY2(centreOffset.manhattanLength() <= 2, "the authoring window is centred on the screen");
        QVERIFY(dataFileThere);
        // Closing the authoring window is a cancel: it asks first, and the
        // scripted Yes throws the data file away.
        QCOMPARE(dialogs.messages.size(), 1u);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("ｷｬﾝｾﾙして終了?"));
        QVERIFY(work.List().empty());
    }
};

FORGE_WINDOW_TEST_MAIN(StartupTest)
#include "startup_test.moc"

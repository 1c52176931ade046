// Pictures of the two windows as the author first meets them, for the
// documentation: the settings dialog with its defaults, and the authoring
// window with an old JPEG chosen and its update image dropped on it.
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "forge_fixture.h"
#include "imagelib/gra.h"
#include "platform/ui/file_list_box.h"
#include "tests/support/temp_dir.h"
#include "tests/support_ui/scripted_dialogs.h"
#include "zelforge/authoring_window.h"
#include "zelforge/settings_dialog.h"

using namespace zelforge;

namespace {

// At least this many distinct colours: a blank or single-colour grab means
// the window did not render.
bool LooksRendered(const QImage &image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    return colours.size() > 8;
}

void Save(const QImage &image, const char *name) {
    QVERIFY(QDir().mkpath(QStringLiteral(ZEL_SCREENSHOT_DIR)));
    QVERIFY(image.save(QStringLiteral(ZEL_SCREENSHOT_DIR "/") + QLatin1String(name)));
}

}  // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void windows() {
        testsupport::TempDir work;
        const std::string sample = work.File("sample");
        QVERIFY(QDir().mkpath(QString::fromStdString(sample + "/corrected")));
        QVERIFY(QDir().mkpath(QString::fromStdString(sample + "/package")));
        forge_test::WriteJpeg(sample + "/garden.jpg", 560, 420, 23);
        forge_test::WriteJpeg(sample + "/harbour.jpg", 640, 480, 11);
        forge_test::WriteJpeg(sample + "/street.jpg", 480, 360, 37);
        forge_test::WriteJpeg(sample + "/corrected/harbour.jpg", 640, 480, 11);
        forge_test::InFolder in(sample);

        testsupport::ScriptedDialogs dialogs;
        Gra gra;
        AuthoringVars vars;
        TForm1 form1(vars, dialogs, gra, forge_test::LibraryFolder());
        TForm2 form2(vars, dialogs, form1);
        form1.SetSettingsDialog(&form2);
        form2.EdtExe->setText(QString::fromStdString(sample + "/package/patch.exe"));
        form2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form2));
        const QImage settings = form2.grab().toImage();
        QVERIFY(LooksRendered(settings));
        Save(settings, "zelforge-settings.png");

        QTest::mouseClick(form2.Button2, Qt::LeftButton);
        QVERIFY(vars.SettingsAccepted);
        form1.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form1));
        QVERIFY(form1.FileListBox1->SelectName(QStringLiteral("harbour.jpg")));
        form1.WMDropFiles(sample + "/corrected/harbour.jpg");
        QCOMPARE(vars.AuthoringState, AuthoringMode::Marking);
        QTRY_VERIFY(form1.ScrollBox1->verticalScrollBar()->isVisible());
        const QImage authoring = form1.grab().toImage();
        QVERIFY(LooksRendered(authoring));
        Save(authoring, "zelforge-authoring.png");
        QVERIFY(dialogs.messages.empty());
    }
};

FORGE_WINDOW_TEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"

#include "authoring_scene.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "platform/ui/file_list_box.h"
#include "platform/ui/image_control.h"

namespace forge_test {

namespace {

std::string MakePackageFolder(const testsupport::TempDir &work) {
    std::filesystem::create_directory(work.File("pkg"));
    return work.File("pkg") + "/";
}

}  // namespace

AuthoringScene::AuthoringScene(const std::string &toolFolder, const std::string &distributionName)
    : package(MakePackageFolder(work)) {
    WriteJpeg(work.File("old.jpg"), 64, 48, 1);
    WriteJpeg(work.File("wide.jpg"), 300, 40, 2);
    WriteJpeg(work.File("other.jpg"), 64, 48, 3);
    if (!QDir::setCurrent(QString::fromStdString(work.path()))) throw std::runtime_error("cannot enter work");

    form1 = std::make_unique<zelforge::TForm1>(vars, dialogs, gra, toolFolder);
    if (!form1->LibraryBound()) throw std::runtime_error("no library in " + toolFolder);
    form2 = std::make_unique<zelforge::TForm2>(vars, dialogs, *form1);
    form1->SetSettingsDialog(form2.get());
    form2->show();
    form2->EdtExe->setText(QString::fromStdString(package + distributionName));
    QTest::mouseClick(form2->Button2, Qt::LeftButton);
    if (!vars.SettingsAccepted) throw std::runtime_error("the package did not start");
    form1->show();
}

// The windows go before the folder they show is removed.
AuthoringScene::~AuthoringScene() {
    form2.reset();
    form1.reset();
}

void AuthoringScene::RecordAsJpeg(int quality) {
    form2->ChkJpegSave->setChecked(true);
    form2->EdtQuality2->setText(QString::number(quality));
}

void AuthoringScene::RecordAsBmp() { form2->ChkJpegSave->setChecked(false); }

void AuthoringScene::StartMarking(const std::string &oldName, const QImage &update) {
    // Another item first, so that choosing oldName is a change even when it
    // is the item selected last.
    const QString name = QString::fromStdString(oldName);
    const QString other = name == QLatin1String("other.jpg") ? QStringLiteral("old.jpg") : QStringLiteral("other.jpg");
    QVERIFY(form1->FileListBox1->SelectName(other));
    QVERIFY(form1->FileListBox1->SelectName(name));
    QGuiApplication::clipboard()->setImage(update);
    form1->Paste1->trigger();
    QCOMPARE(vars.AuthoringState, zelforge::AuthoringMode::Marking);
}

void AuthoringScene::Press(Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers) {
    // Built by hand: QTest takes a press at (0, 0) for one at the centre.
    QWidget *image = form1->Image1;
    const QPointF local(at), global(image->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, modifiers);
    QApplication::sendEvent(image, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, modifiers);
    QApplication::sendEvent(image, &release);
}

void AuthoringScene::Mark(QPoint topLeft, QPoint bottomRight) {
    Press(Qt::LeftButton, topLeft);
    Press(Qt::RightButton, bottomRight);
}

void AuthoringScene::Ok() { QTest::mouseClick(form1->Button1, Qt::LeftButton); }

std::vector<std::string> AuthoringScene::PackageNames() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(package))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace forge_test

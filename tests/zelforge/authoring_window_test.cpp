// The authoring window's intake, driven through its real controls: the file
// list, the folder list and drive box, paste (menu and Ctrl+V), file drops,
// and the layout of the top strip.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>
#include <QtTest>
#include <cstring>
#include <memory>
#include <unistd.h>

#include "forge_fixture.h"
#include "imagelib/gra.h"
#include "platform/ui/directory_list_box.h"
#include "platform/ui/drive_combo_box.h"
#include "platform/ui/file_list_box.h"
#include "platform/ui/image_control.h"
#include "platform/ui/simple_status_bar.h"
#include "tests/support/file_util.h"
#include "tests/support/temp_dir.h"
#include "tests/support_ui/scripted_dialogs.h"
#include "zelforge/authoring_window.h"
#include "zelforge/texts.h"

using namespace zelforge;
using forge_test::WriteJpeg;

namespace {

const QString kErrorCaption = QStringLiteral("ｴﾗｰ");

// The folder the author works in, and a second one with update files.
std::string PrepareWork(const testsupport::TempDir &work) {
    WriteJpeg(work.File("old.jpg"), 64, 48, 1);
    WriteJpeg(work.File("second.JPG"), 64, 48, 2);
    WriteJpeg(work.File("big.jpg"), 1000, 700, 3);
    testsupport::WriteFile(work.File("broken.jpg"), std::string("not a picture at all"));
    testsupport::WriteFile(work.File("notes.txt"), std::string("a note"));
    QDir(QString::fromStdString(work.path())).mkdir(QStringLiteral("sub"));
    WriteJpeg(work.File("sub/inner.jpg"), 16, 16, 4);
    QDir(QString::fromStdString(work.path())).mkdir(QStringLiteral("drops"));
    WriteJpeg(work.File("drops/right.jpg"), 64, 48, 9);
    WriteJpeg(work.File("drops/wider.jpg"), 65, 48, 10);
    WriteJpeg(work.File("drops/taller.jpg"), 64, 49, 11);
    testsupport::WriteFile(work.File("drops/junk.jpg"), std::string("\xFF\xD8 truncated"));
    return work.path();
}

struct Window {
    testsupport::TempDir work;
    forge_test::InFolder in{PrepareWork(work)};
    testsupport::ScriptedDialogs dialogs;
    Gra gra;
    AuthoringVars vars;
    std::unique_ptr<TForm1> form;

    Window() {
        vars.Y1 = 12;
        vars.Y2 = 34;
        form = std::make_unique<TForm1>(vars, dialogs, gra, forge_test::LibraryFolder());
        form->show();
    }

    bool Select(const QString &name) { return form->FileListBox1->SelectName(name); }

    void Paste(const QImage &image) {
        QGuiApplication::clipboard()->setImage(image);
        form->Paste1->trigger();
    }

    // Drags the files over the window and lets go; true when the window took them.
    bool Drop(const QStringList &paths) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &p : paths) urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        const QPoint at = form->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        return drop.isAccepted();
    }

    QString Drops(const char *name) const { return QString::fromStdString(work.File(std::string("drops/") + name)); }

    void Activate() {
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    // An old JPEG chosen and an update image of its size pasted.
    void EnterMarking() {
        QVERIFY(Select("old.jpg"));
        Paste(forge_test::PhotoImage(64, 48, 7));
    }

    // Ctrl+V with a picture on the clipboard, then a drop of a good file;
    // in a phase that refuses both, neither may be taken.
    void TryRefusedIntake() {
        Activate();
        QGuiApplication::clipboard()->setImage(forge_test::PhotoImage(64, 48, 99));
        QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!Drop({Drops("right.jpg")}));
    }

    QSize Image1Size() const { return {form->Image1->Holder().Width(), form->Image1->Holder().Height()}; }
};

// Every control the phase table names, checked at once.
void ExpectPhase(const Window &w, IntakePhase phase) {
    const TForm1 &f = *w.form;
    const char *text = texts::kStartText;
    bool paste = false;
    AuthoringMode mode = AuthoringMode::Selecting;
    switch (phase) {
    case IntakePhase::NothingSelected: break;
    case IntakePhase::OldSelected:
        paste = true;
        text = texts::kSelectionText;
        break;
    case IntakePhase::Marking:
        mode = AuthoringMode::Marking;
        text = texts::kMarkingText;
        break;
    case IntakePhase::EntryRecorded: text = texts::kNextFileText; break;
    }
    QCOMPARE(w.vars.AuthoringState, mode);
    QCOMPARE(f.Paste1->isEnabled(), paste);
    QCOMPARE(f.acceptDrops(), paste);
    QVERIFY(!f.Button1->isEnabled());  // no corners are set in any of these phases
    QCOMPARE(f.StatusBar1->SimpleText(), QString::fromUtf8(text));
}

bool SamePixels(const NvBitmap *a, const NvBitmap *b) {
    return a != nullptr && b != nullptr && a->width == b->width && a->height == b->height &&
           std::memcmp(a->pixels, b->pixels, static_cast<size_t>(a->width) * a->height * 4) == 0;
}

bool ShowsImage(const NvBitmap *shown, const QImage &image) {
    if (shown == nullptr || shown->width != image.width() || shown->height != image.height()) return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (shown->pixels[y * shown->width + x] != (image.pixel(x, y) & 0xFFFFFFu)) return false;
    return true;
}

}  // namespace

class AuthoringWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithNothingSelected() {
        Window w;
        ExpectPhase(w, IntakePhase::NothingSelected);
        // The mask matches regardless of letter case; other files stay out.
        QStringList names;
        for (int i = 0; i < w.form->FileListBox1->count(); ++i) names << w.form->FileListBox1->item(i)->text();
        QCOMPARE(names, (QStringList{"big.jpg", "broken.jpg", "old.jpg", "second.JPG"}));
        QVERIFY(!w.form->Image1->Holder().HasPicture());
        QCOMPARE(w.Image1Size(), QSize(105, 105));
        QVERIFY(w.form->Image1->isVisible());
        QVERIFY(!w.form->Image2->isVisible());

        // Ctrl+V and drops do nothing before a selection.
        w.TryRefusedIntake();
        QVERIFY(w.dialogs.messages.empty());
        QVERIFY(!w.form->Image2->Holder().HasPicture());
        ExpectPhase(w, IntakePhase::NothingSelected);
    }

    void folderWithoutPictures() {
        testsupport::TempDir empty;
        testsupport::WriteFile(empty.File("readme.txt"), std::string("x"));
        forge_test::InFolder in(empty.path());
        testsupport::ScriptedDialogs dialogs;
        Gra gra;
        AuthoringVars vars;
        TForm1 form(vars, dialogs, gra, forge_test::LibraryFolder());
        QCOMPARE(form.FileListBox1->count(), 0);
        QVERIFY(!form.Paste1->isEnabled());
        QVERIFY(!form.acceptDrops());
    }

    void selectingShowsTheOldPicture() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        ExpectPhase(w, IntakePhase::OldSelected);
        QCOMPARE(w.Image1Size(), QSize(64, 48));
        QCOMPARE(w.form->Image1->size(), QSize(64, 48));
        platform::BitmapPtr expected(w.gra.LoadPicture(w.work.File("old.jpg"), 0));
        QVERIFY(SamePixels(w.form->Image1->Holder().Picture(), expected.get()));
    }

    void keyboardMovesTheSelection() {
        Window w;
        w.form->FileListBox1->setFocus();
        QVERIFY(w.Select("big.jpg"));
        QTest::keyClick(w.form->FileListBox1, Qt::Key_Down);
        QCOMPARE(w.form->FileListBox1->FileName(), QString::fromStdString(w.work.File("broken.jpg")));
        ExpectPhase(w, IntakePhase::OldSelected);
    }

    void pasteWithoutImage() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        QGuiApplication::clipboard()->setText(QStringLiteral("only text"));
        w.form->Paste1->trigger();
        QCOMPARE(w.dialogs.messages.size(), 1u);
        QCOMPARE(w.dialogs.messages[0].text, QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞが画像ではありません"));
        QCOMPARE(w.dialogs.messages[0].caption, kErrorCaption);
        QCOMPARE(w.dialogs.messages[0].flags, 16);
        ExpectPhase(w, IntakePhase::OldSelected);
        QVERIFY(!w.form->Image2->Holder().HasPicture());
    }

    void pasteOfAnotherSizeThenTheRightOne() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        for (QSize wrong : {QSize(65, 48), QSize(64, 49)}) {
            w.Paste(forge_test::PhotoImage(wrong.width(), wrong.height(), 6));
            QCOMPARE(w.dialogs.messages.back().text, QStringLiteral("元画像と幅・高さが違います。"));
            QCOMPARE(w.dialogs.messages.back().caption, kErrorCaption);
            QCOMPARE(w.dialogs.messages.back().flags, 16);
            ExpectPhase(w, IntakePhase::OldSelected);
            // The rejected picture stays in Image2 until the next one.
            QCOMPARE(w.form->Image2->Holder().Width(), wrong.width());
            QCOMPARE(w.form->Image2->Holder().Height(), wrong.height());
            QCOMPARE(w.Image1Size(), QSize(64, 48));
        }
        QCOMPARE(w.dialogs.messages.size(), 2u);

        const QImage update = forge_test::PhotoImage(64, 48, 7);
        w.Paste(update);
        QCOMPARE(w.dialogs.messages.size(), 2u);
        ExpectPhase(w, IntakePhase::Marking);
        QVERIFY(ShowsImage(w.form->Image1->Holder().Picture(), update));
        QVERIFY(ShowsImage(w.form->Image2->Holder().Picture(), update));
        QCOMPARE(w.vars.OldFileName, std::string("old.jpg"));
        QCOMPARE(static_cast<size_t>(w.vars.OldFileSize), forge_test::FileBytes(w.work.File("old.jpg")).size());
        QCOMPARE(w.vars.X1, -1);
        QCOMPARE(w.vars.X2, -1);
        QCOMPARE(w.vars.Y1, 12);
        QCOMPARE(w.vars.Y2, 34);
    }

    void ctrlVPastes() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        w.Activate();
        QGuiApplication::clipboard()->setImage(forge_test::PhotoImage(64, 48, 8));
        QTest::keyClick(w.form.get(), Qt::Key_V, Qt::ControlModifier);
        ExpectPhase(w, IntakePhase::Marking);
    }

    void duringMarkingPasteAndDropDoNothing() {
        Window w;
        w.EnterMarking();
        ExpectPhase(w, IntakePhase::Marking);
        const platform::BitmapPtr before(platform::AllocBitmap(64, 48));
        std::memcpy(before->pixels, w.form->Image2->Holder().Picture()->pixels, 64 * 48 * 4);

        w.TryRefusedIntake();
        QVERIFY(w.dialogs.messages.empty());
        QVERIFY(SamePixels(w.form->Image2->Holder().Picture(), before.get()));
        ExpectPhase(w, IntakePhase::Marking);
    }

    void duringMarkingTheSameFileChangesNothing() {
        Window w;
        w.EnterMarking();
        QVERIFY(w.Select("old.jpg"));
        ExpectPhase(w, IntakePhase::Marking);
    }

    void ctrlClickKeepsTheChosenFile() {
        Window w;
        w.EnterMarking();
        platform::FileListBox *list = w.form->FileListBox1;
        const QRect item = list->visualItemRect(list->currentItem());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, item.center());
        QCOMPARE(list->FileName(), QString::fromStdString(w.work.File("old.jpg")));
        ExpectPhase(w, IntakePhase::Marking);
    }

    void duringMarkingAnotherFile() {
        Window w;
        w.EnterMarking();
        QVERIFY(w.Select("second.JPG"));
        ExpectPhase(w, IntakePhase::OldSelected);
        platform::BitmapPtr expected(w.gra.LoadPicture(w.work.File("second.JPG"), 0));
        QVERIFY(SamePixels(w.form->Image1->Holder().Picture(), expected.get()));
        // The update image supplied before no longer counts.
        w.Paste(forge_test::PhotoImage(64, 48, 8));
        QCOMPARE(w.vars.OldFileName, std::string("second.JPG"));
    }

    void duringMarkingAnotherFolder() {
        Window w;
        w.EnterMarking();
        // A double click on "sub" in the folder list.
        platform::DirectoryListBox *dirs = w.form->DirectoryListBox1;
        QListWidgetItem *sub = dirs->findItems(QStringLiteral("sub"), Qt::MatchEndsWith).value(0);
        QVERIFY(sub != nullptr);
        dirs->scrollToItem(sub);
        const QPoint at = dirs->visualItemRect(sub).center();
        QTest::mouseClick(dirs->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(QDir::currentPath(), QString::fromStdString(w.work.File("sub")));
        QCOMPARE(w.form->FileListBox1->count(), 1);
        ExpectPhase(w, IntakePhase::NothingSelected);
        QVERIFY(!w.form->Image1->Holder().HasPicture());
        QCOMPARE(w.Image1Size(), QSize(64, 48));
    }

    void duringMarkingAnotherDrive() {
        Window w;
        w.EnterMarking();
        platform::DriveComboBox *drives = w.form->DriveComboBox1;
        QCOMPARE(drives->itemText(0), QStringLiteral("/"));
        drives->ChooseDrive(0);
        QCOMPARE(QDir::currentPath(), QStringLiteral("/"));
        QCOMPARE(w.form->DirectoryListBox1->Directory(), QStringLiteral("/"));
        ExpectPhase(w, IntakePhase::NothingSelected);
    }

    void dropOneFile() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        QVERIFY(w.Drop({w.Drops("right.jpg")}));
        ExpectPhase(w, IntakePhase::Marking);
        platform::BitmapPtr expected(w.gra.LoadPicture(w.work.File("drops/right.jpg"), 1));
        QVERIFY(SamePixels(w.form->Image2->Holder().Picture(), expected.get()));
        QVERIFY(SamePixels(w.form->Image1->Holder().Picture(), expected.get()));
        QVERIFY(w.dialogs.messages.empty());
    }

    void dropThreeFilesUsesTheFirst_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("marking");
        QTest::newRow("right first") << QStringList{"right.jpg", "wider.jpg", "junk.jpg"} << true;
        QTest::newRow("wrong first") << QStringList{"wider.jpg", "right.jpg", "right.jpg"} << false;
        QTest::newRow("junk first") << QStringList{"junk.jpg", "right.jpg", "right.jpg"} << false;
    }

    void dropThreeFilesUsesTheFirst() {
        QFETCH(QStringList, names);
        QFETCH(bool, marking);
        Window w;
        QVERIFY(w.Select("old.jpg"));
        QStringList paths;
        for (const QString &n : names) paths << w.Drops(n.toUtf8().constData());
        QVERIFY(w.Drop(paths));
        ExpectPhase(w, marking ? IntakePhase::Marking : IntakePhase::OldSelected);
        const bool sizeMessage = names.first() == QStringLiteral("wider.jpg");
        QCOMPARE(w.dialogs.messages.size(), sizeMessage ? 1u : 0u);
    }

    void dropThatDoesNotDecode() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        w.Paste(forge_test::PhotoImage(65, 48, 6));  // refused, but Image2 holds it
        QCOMPARE(w.dialogs.messages.size(), 1u);
        QVERIFY(w.Drop({w.Drops("junk.jpg")}));
        QCOMPARE(w.dialogs.messages.size(), 1u);  // no message of its own
        QVERIFY(!w.form->Image2->Holder().HasPicture());
        ExpectPhase(w, IntakePhase::OldSelected);
        platform::BitmapPtr old(w.gra.LoadPicture(w.work.File("old.jpg"), 0));
        QVERIFY(SamePixels(w.form->Image1->Holder().Picture(), old.get()));
    }

    // A name longer than 255 bytes reaches the library whole: cut short, it
    // could name a different file.
    void dropOfALongNameLoadsThatFile() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        const std::string folder = w.work.File(std::string(200, 'd'));
        QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
        const std::string full = folder + "/" + std::string(120, 'n') + ".jpg";
        const std::string cut = full.substr(0, 255);
        QVERIFY(full.size() > 255);
        WriteJpeg(full, 64, 48, 12);
        WriteJpeg(cut, 65, 48, 13);  // what a cut name would find
        QVERIFY(w.Drop({QString::fromStdString(full)}));
        QVERIFY(w.dialogs.messages.empty());
        ExpectPhase(w, IntakePhase::Marking);
        platform::BitmapPtr expected(w.gra.LoadPicture(full, 1));
        QVERIFY(SamePixels(w.form->Image2->Holder().Picture(), expected.get()));
    }

    void oldFileRemovedBeforeTheUpdateArrives() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        QCOMPARE(::unlink(w.work.File("old.jpg").c_str()), 0);
        w.Paste(forge_test::PhotoImage(64, 48, 7));
        QCOMPARE(w.dialogs.messages.size(), 1u);
        QVERIFY(w.dialogs.messages[0].text.startsWith(QStringLiteral("old.jpg ")));
        QVERIFY(w.dialogs.messages[0].text.contains(QStringLiteral("開けません")));
        QCOMPARE(w.dialogs.messages[0].caption, kErrorCaption);
        QCOMPARE(w.dialogs.messages[0].flags, 16);
        ExpectPhase(w, IntakePhase::OldSelected);
        QVERIFY(w.vars.OldFileName.empty());
    }

    void namesThePackageCannotCarry_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("not in code page 932") << QStringLiteral("smile😀.jpg");
        QTest::newRow("hangul") << QStringLiteral("사진.jpg");
        QTest::newRow("control character") << QStringLiteral("tab\tname.jpg");
    }

    void namesThePackageCannotCarry() {
        QFETCH(QString, name);
        Window w;
        WriteJpeg(w.work.File(name.toStdString()), 64, 48, 14);
        w.form->FileListBox1->SetDirectory(QString::fromStdString(w.work.path()));
        QVERIFY(w.Select(name));
        ExpectPhase(w, IntakePhase::OldSelected);
        QVERIFY(w.Drop({w.Drops("right.jpg")}));
        QCOMPARE(w.dialogs.messages.size(), 1u);
        QVERIFY(w.dialogs.messages[0].text.startsWith(name + QLatin1Char(' ')));
        QCOMPARE(w.dialogs.messages[0].flags, 16);
        ExpectPhase(w, IntakePhase::OldSelected);
        QVERIFY(w.vars.OldFileName.empty());
    }

    void oldPictureThatDoesNotDecode() {
        Window w;
        QVERIFY(w.Select("old.jpg"));
        QVERIFY(w.Select("broken.jpg"));
        ExpectPhase(w, IntakePhase::OldSelected);
        QVERIFY(!w.form->Image1->Holder().HasPicture());
        QCOMPARE(w.Image1Size(), QSize(64, 48));  // the size of the picture before
        w.Paste(forge_test::PhotoImage(64, 48, 7));
        ExpectPhase(w, IntakePhase::Marking);
        QCOMPARE(w.vars.OldFileName, std::string("broken.jpg"));
        QCOMPARE(w.vars.OldFileSize, 20);
    }

    // Recording an entry puts the window in its last phase; from there only
    // the file list leads on, and only to another item than the recorded one.
    void entryRecordedIsLeftThroughTheFileList() {
        Window w;
        w.EnterMarking();
        w.form->Image1->Holder().Clear();
        w.form->ApplyPhase(IntakePhase::EntryRecorded);
        ExpectPhase(w, IntakePhase::EntryRecorded);

        w.TryRefusedIntake();
        QVERIFY(w.Select("old.jpg"));  // still the selected item: no change
        ExpectPhase(w, IntakePhase::EntryRecorded);
        QVERIFY(w.dialogs.messages.empty());

        QVERIFY(w.Select("second.JPG"));
        QVERIFY(w.Select("old.jpg"));
        ExpectPhase(w, IntakePhase::OldSelected);
        QVERIFY(w.form->Image1->Holder().HasPicture());
    }

    void largePictureScrolls() {
        Window w;
        QVERIFY(w.Select("big.jpg"));
        QCOMPARE(w.form->Image1->size(), QSize(1000, 700));
        QTRY_VERIFY(w.form->ScrollBox1->horizontalScrollBar()->isVisible());
        QTRY_VERIFY(w.form->ScrollBox1->verticalScrollBar()->isVisible());
        QVERIFY(w.Select("old.jpg"));
        QTRY_VERIFY(!w.form->ScrollBox1->horizontalScrollBar()->isVisible());
    }

    void formResizeAtTwoWidths() {
        Window w;
        TForm1 &f = *w.form;
        int memoWidthBefore = 0;
        for (int width : {645, 900}) {
            f.resize(width, 527);
            QTRY_COMPARE(f.ScrollBox2->width(), f.centralWidget()->width());
            QCOMPARE(f.ScrollBox2->width(), width);
            QCOMPARE(f.ScrollBox2->height(), 137);
            const int drive = f.DriveComboBox1->height();
            QCOMPARE(f.FileListBox1->geometry(), QRect(0, 0, 105, 137));
            QCOMPARE(f.DirectoryListBox1->geometry(), QRect(105, 0, 118, 137 - drive));
            QCOMPARE(f.DriveComboBox1->geometry(), QRect(105, 137 - drive, 118, drive));
            QCOMPARE(f.Memo1->geometry(), QRect(223, 0, width - 223, 137 - drive));
            QCOMPARE(f.Button1->geometry(), QRect(223, 137 - drive, 72, 18));
            QCOMPARE(f.ScrollBox1->geometry().top(), 137);
            QCOMPARE(f.ScrollBox1->width(), width);
            if (memoWidthBefore != 0) QCOMPARE(f.Memo1->width() - memoWidthBefore, 900 - 645);
            memoWidthBefore = f.Memo1->width();
        }
    }

    void menuAsDesigned() {
        Window w;
        const TForm1 &f = *w.form;
        QCOMPARE(f.File1->title(), QStringLiteral("ﾒﾆｭｰ(&M)"));
        QCOMPARE(f.File1->actions(), (QList<QAction *>{f.Paste1, f.N2, f.Finish1, f.N3}));
        QCOMPARE(f.Paste1->text(), QStringLiteral("ﾍﾟｰｽﾄ(&P)"));
        QCOMPARE(f.Paste1->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
        QVERIFY(f.N2->isSeparator());
        QCOMPARE(f.Finish1->text(), QStringLiteral("作成して終了"));
        QCOMPARE(f.Finish1->shortcut(), QKeySequence(QStringLiteral("Ctrl+K")));
        QCOMPARE(f.N3->text(), QStringLiteral("ｷｬﾝｾﾙ終了"));
        QVERIFY(f.N3->shortcut().isEmpty());
        QVERIFY(f.Finish1->isEnabled());
        QVERIFY(f.N3->isEnabled());
        QCOMPARE(f.windowTitle(), QStringLiteral("Zelforge"));
        QCOMPARE(f.size(), QSize(645, 527));
    }
};

FORGE_WINDOW_TEST_MAIN(AuthoringWindowTest)
#include "authoring_window_test.moc"

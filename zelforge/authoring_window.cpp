#include "authoring_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>

#include "begin_marking.h"
#include "corner_marking.h"
#include "finish_package.h"
#include "imagelib/gra.h"
#include "platform/errors.h"
#include "platform/int_text.h"
#include "platform/path.h"
#include "platform/ui/bitmap_image.h"
#include "platform/ui/directory_list_box.h"
#include "platform/ui/drive_combo_box.h"
#include "platform/ui/file_list_box.h"
#include "platform/ui/image_control.h"
#include "platform/ui/simple_status_bar.h"
#include "platform/ui/window_placement.h"
#include "record_entry.h"
#include "settings_dialog.h"
#include "texts.h"
#include "top_strip_layout.h"

namespace zelforge {

namespace {

constexpr int kWindowWidth = 645;
constexpr int kWindowHeight = 527;
constexpr int kTopStripHeight = 137;
constexpr int kFileListWidth = 105;
constexpr int kDirListWidth = 118;
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 18;

std::string FsPath(const QString &path) { return QFile::encodeName(path).toStdString(); }

// The first dropped file that lies on this machine; further ones are ignored.
QString FirstLocalFile(const QMimeData *mime) {
    if (mime == nullptr || !mime->hasUrls()) return QString();
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return QString();
}

ControlRect RectOf(const QWidget *w) { return {w->x(), w->y(), w->width(), w->height()}; }

void Place(QWidget *w, const ControlRect &r) { w->setGeometry(r.left, r.top, r.width, r.height); }

PressedButton ToPressed(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return PressedButton::Left;
    case Qt::RightButton: return PressedButton::Right;
    default: return PressedButton::Other;
    }
}

QString Utf8(const std::string &text) { return QString::fromStdString(text); }

}  // namespace

TForm1::TForm1(AuthoringVars &vars, platform::Dialogs &dialogs, Gra &gra, const std::string &libraryFolder,
               QWidget *parent)
    : QMainWindow(parent), vars_(vars), dialogs_(dialogs), gra_(gra), toolFolder_(libraryFolder) {
    BuildDesign();
    libraryBound_ = gra_.LoadFrom(libraryFolder);
    if (!libraryBound_) {
        dialogs_.MessageBox(this, QString::fromUtf8(texts::kLibraryMissing),
                            QString::fromUtf8(texts::kLibraryMissingCaption), platform::kMbOk);
        return;
    }
    vars_.PackageFinished = false;
}

void TForm1::BuildDesign() {
    setWindowTitle(QString::fromUtf8(texts::kMainCaption));
    resize(kWindowWidth, kWindowHeight);

    auto *client = new QWidget(this);
    setCentralWidget(client);
    client->installEventFilter(this);

    // The top strip: a plain panel, since its scroll bars are never shown.
    ScrollBox2 = new QWidget(client);
    FileListBox1 = new platform::FileListBox(ScrollBox2);
    FileListBox1->SetMask(QStringLiteral("*.jpg"));
    FileListBox1->setGeometry(0, 0, kFileListWidth, kTopStripHeight);
    DirectoryListBox1 = new platform::DirectoryListBox(ScrollBox2);
    DirectoryListBox1->setGeometry(kFileListWidth, 0, kDirListWidth, kTopStripHeight);
    DirectoryListBox1->SetFileList(FileListBox1);
    DriveComboBox1 = new platform::DriveComboBox(ScrollBox2);
    DriveComboBox1->setGeometry(kFileListWidth, 0, kDirListWidth, DriveComboBox1->sizeHint().height());
    DriveComboBox1->SetDirList(DirectoryListBox1);

    Memo1 = new QPlainTextEdit(ScrollBox2);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Text, Qt::black);
    Memo1->setPalette(memoPalette);

    Button1 = new QPushButton(QStringLiteral("OK"), ScrollBox2);
    Button1->resize(kButtonWidth, kButtonHeight);
    Button1->setEnabled(false);

    ScrollBox1 = new QScrollArea(client);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = new platform::ImageControl;
    ScrollBox1->setWidget(Image1);
    Image2 = new platform::ImageControl(ScrollBox1);
    Image2->setVisible(false);

    StatusBar1 = new platform::SimpleStatusBar(this);
    setStatusBar(StatusBar1);
    StatusBar1->SetSimpleText(QString::fromUtf8(texts::kStartText));

    MainMenu1 = menuBar();
    File1 = MainMenu1->addMenu(QStringLiteral("ﾒﾆｭｰ(&M)"));
    Paste1 = File1->addAction(QStringLiteral("ﾍﾟｰｽﾄ(&P)"));
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    Paste1->setEnabled(false);
    N2 = File1->addSeparator();
    Finish1 = File1->addAction(QStringLiteral("作成して終了"));
    Finish1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    N3 = File1->addAction(QStringLiteral("ｷｬﾝｾﾙ終了"));
    // Short cuts work while the menu is closed and whichever control has focus.
    addActions({Paste1, Finish1, N3});

    // Only the window as a whole takes drops; the controls in it must not
    // catch them first.
    for (QWidget *w : std::initializer_list<QWidget *>{Memo1, Memo1->viewport(), FileListBox1,
                                                       DirectoryListBox1, DriveComboBox1, ScrollBox1})
        w->setAcceptDrops(false);
    DragAcceptFiles(false);

    // Every handler reports its own failures: nothing may unwind through Qt.
    connect(FileListBox1, &platform::FileListBox::changed, this, [this] { Reporting([this] { FileListBox1Change(); }); });
    connect(Paste1, &QAction::triggered, this, [this] { Reporting([this] { Paste1Click(); }); });
    connect(Finish1, &QAction::triggered, this, &TForm1::Finish1Click);
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(Image1, &platform::ImageControl::mousePressed, this, [this](Qt::MouseButton button, int x, int y) {
        Reporting([&] { Image1MouseDown(button, x, y); });
    });
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    // The lists start at the process's current folder; the first read of the
    // file list puts the window in its first phase.
    const QString start = QDir::currentPath();
    DriveComboBox1->ShowDriveOf(start);
    DirectoryListBox1->SetDirectory(start);
}

void TForm1::AddLogLine(const std::string &utf8) { Memo1->appendPlainText(QString::fromUtf8(utf8)); }

void TForm1::DragAcceptFiles(bool accept) { setAcceptDrops(accept); }

void TForm1::ApplyPhase(IntakePhase phase) {
    const PhaseControls controls = ControlsFor(phase);
    vars_.AuthoringState = controls.state;
    Paste1->setEnabled(controls.pasteEnabled);
    DragAcceptFiles(controls.dropsAccepted);
    if (controls.button1Enabled) Button1->setEnabled(*controls.button1Enabled);
    StatusBar1->SetSimpleText(QString::fromUtf8(controls.instruction));
}

void TForm1::FileListBox1Change() {
    const QString path = FileListBox1->FileName();
    if (!path.isEmpty()) {
        // A picture that does not decode leaves Image1 empty at its old size.
        Image1->Holder().SetPicture(platform::BitmapPtr(gra_.LoadPicture(FsPath(path), 0)));
        Image1->PictureChanged();
        ApplyPhase(IntakePhase::OldSelected);
    } else {
        Image1->Holder().Clear();
        Image1->PictureChanged();
        ApplyPhase(IntakePhase::NothingSelected);
    }
}

void TForm1::Paste1Click() {
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *mime = clipboard->mimeData();
    platform::BitmapPtr picture;
    if (mime != nullptr && mime->hasImage()) picture = platform::BitmapFromImage(clipboard->image());
    if (!picture) {
        ShowError(QString::fromUtf8(texts::kClipboardNotImage));
        return;
    }
    Image2->Holder().SetPicture(std::move(picture));
    Image2->PictureChanged();
    BeginMarking();
}

void TForm1::WMDropFiles(const std::string &path) {
    // The whole name goes to the library: a name cut short could name
    // another file.
    Image2->Holder().SetPicture(platform::BitmapPtr(gra_.LoadPicture(path, 1)));
    Image2->PictureChanged();
    if (Image2->Holder().HasPicture()) BeginMarking();
}

void TForm1::BeginMarking() {
    const QString selected = FileListBox1->FileName();
    const MarkingStart verdict =
        zelforge::BeginMarking(Image1->Holder(), Image2->Holder(), FsPath(selected), vars_);
    if (verdict != MarkingStart::Started) {
        const QString name = selected.mid(selected.lastIndexOf(QLatin1Char('/')) + 1);
        ShowError(QString::fromStdString(MarkingRefusalText(verdict, name.toStdString())));
        return;
    }
    Image1->PictureChanged();
    Image1->repaint();
    ApplyPhase(IntakePhase::Marking);
}

void TForm1::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    const std::optional<bool> ok = MarkingPress(vars_, Image1->Holder(), Image2->Holder(), ToPressed(button), x, y);
    if (!ok) return;
    Button1->setEnabled(*ok);
    Image1->repaint();
}

void TForm1::Button1Click() {
    Reporting([this] {
        RecordSettings settings;
        // The settings dialog accepted the difference quality; it is read
        // again for every entry, as the dialog's controls hold it.
        if (Form2 != nullptr && Form2->ChkJpegSave->isChecked())
            settings.jpegQuality = platform::StrToInt(Form2->EdtQuality2->text().toStdString());
        const RecordResult result = RecordEntry(vars_, Image1->Holder(), Image2->Holder(), settings, gra_, *this);
        switch (result.verdict) {
        case RecordVerdict::Recorded:
            Image1->PictureChanged();
            Image2->PictureChanged();
            ApplyPhase(IntakePhase::EntryRecorded);
            return;
        case RecordVerdict::NotReady: return;
        case RecordVerdict::WorkingFileNotWritten: throw platform::FileCreateError(result.workingFile);
        default: ShowError(Utf8(RecordFailureText(result, vars_))); return;
        }
    });
}

void TForm1::Finish1Click() {
    Reporting([this] {
        const int answer = dialogs_.MessageBox(this, Utf8(texts::kConfirmFinish), Utf8(texts::kConfirmCaption),
                                               platform::kMbOkCancelQuestion);
        if (answer == platform::kIdCancel) return;
        const auto failedCopies = FinishPackage(vars_, toolFolder_);
        if (!failedCopies) return;
        // Not waited for: the message below shows while the folder opens.
        dialogs_.OpenFolder(QFile::decodeName(QByteArray::fromStdString(vars_.PackageFolder)));
        if (failedCopies->empty())
            dialogs_.MessageBox(this, Utf8(CompletionText(platform::ExtractFileName(vars_.DistributionPath))),
                                Utf8(texts::kDoneCaption), platform::kMbOkInformation);
        else
            ShowError(Utf8(CopyFailureText(*failedCopies)));
        close();
    });
}

void TForm1::N3Click() { close(); }

bool TForm1::FormClose() {
    if (vars_.PackageFinished) return true;
    const int answer = dialogs_.MessageBox(this, Utf8(texts::kConfirmCancel), Utf8(texts::kConfirmCaption),
                                           platform::kMbYesNoQuestion);
    if (answer != platform::kIdYes) return false;
    CancelPackage(vars_);
    return true;
}

void TForm1::closeEvent(QCloseEvent *event) {
    bool mayClose = false;
    Reporting([&] { mayClose = FormClose(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::Reporting(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const std::exception &e) {
        platform::ShowExceptionReport(dialogs_, this, QString::fromUtf8(e.what()),
                                      platform::ApplicationTitle(QCoreApplication::applicationFilePath()));
    }
}

void TForm1::AlignParts() {
    const QWidget *client = centralWidget();
    const int width = client->width();
    ScrollBox2->setGeometry(0, 0, width, kTopStripHeight);
    ScrollBox1->setGeometry(0, kTopStripHeight, width, std::max(0, client->height() - kTopStripHeight));
}

void TForm1::FormResize() {
    TopStrip strip;
    strip.width = ScrollBox2->width();
    strip.height = ScrollBox2->height();
    strip.fileList = RectOf(FileListBox1);
    strip.dirList = RectOf(DirectoryListBox1);
    strip.driveBox = RectOf(DriveComboBox1);
    strip.memo = RectOf(Memo1);
    strip.button = RectOf(Button1);
    FormResizeLayout(strip);
    Place(FileListBox1, strip.fileList);
    Place(DirectoryListBox1, strip.dirList);
    Place(DriveComboBox1, strip.driveBox);
    // A log narrower than nothing is simply not shown.
    Memo1->setVisible(strip.memo.width > 0);
    Place(Memo1, strip.memo);
    Place(Button1, strip.button);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        AlignParts();
        FormResize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (!placed_) {
        placed_ = true;
        platform::CentreOnScreen(*this);
    }
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) {
    if (acceptDrops() && !FirstLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event) {
    // Refused drops never arrive from the platform; an event sent directly
    // is held to the same rule.
    if (!acceptDrops()) return;
    const QString path = FirstLocalFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    Reporting([&] { WMDropFiles(FsPath(path)); });
}

void TForm1::ShowError(const QString &text) {
    dialogs_.MessageBox(this, text, QString::fromUtf8(texts::kErrorCaption), platform::kMbOkStop);
}

}  // namespace zelforge

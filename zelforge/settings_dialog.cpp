#include "settings_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "authoring_window.h"
#include "platform/ui/up_down.h"
#include "platform/ui/window_placement.h"
#include "settings_check.h"
#include "start_package.h"
#include "texts.h"

namespace zelforge {

namespace {

constexpr int kDefaultQuality = 94;

QFont DesignFont(int pixelHeight) {
    // The designed face; where it is not installed the font configuration
    // picks a Japanese face in its place.
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(pixelHeight);
    return font;
}

QLabel *MakeLabel(QWidget *parent, const char *text, int left, int top) {
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel *MakeNoteLabel(QWidget *parent, const char *text, int left, int top) {
    QLabel *label = MakeLabel(parent, text, left, top);
    label->setFont(DesignFont(11));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->adjustSize();
    return label;
}

QPushButton *MakeButton(QWidget *parent, const char *text, const QRect &geometry) {
    auto *button = new QPushButton(QString::fromUtf8(text), parent);
    button->setGeometry(geometry);
    // Enter must not press a button: the dialog has no default button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

std::string Utf8(const QLineEdit *edit) { return edit->text().toStdString(); }

}  // namespace

TForm2::TForm2(AuthoringVars &vars, platform::Dialogs &dialogs, TForm1 &form1, QWidget *parent)
    : QDialog(parent), vars_(vars), dialogs_(dialogs), form1_(form1) {
    BuildDesign();
}

void TForm2::BuildDesign() {
    setWindowTitle(QStringLiteral("新規"));
    setFont(DesignFont(12));
    setFixedSize(461, 202);

    Label1 = MakeLabel(this, "作成する配布ﾌｧｲﾙ", 9, 18);
    Label5 = MakeNoteLabel(this, "(ﾌﾙﾊﾟｽのEXEﾌｧｲﾙ)", 11, 32);
    EdtExe = new QLineEdit(this);
    EdtExe->setGeometry(112, 16, 281, 20);
    Button1 = MakeButton(this, "参照(&B)", QRect(398, 16, 49, 21));

    Label2 = MakeLabel(this, "JPEG品質", 10, 52);
    EdtQuality = new QLineEdit(QString::number(kDefaultQuality), this);
    EdtQuality->setGeometry(112, 48, 41, 20);
    UpDown1 = new platform::UpDown(this);
    UpDown1->setGeometry(153, 48, 15, 20);
    Label6 = MakeNoteLabel(this, "(低 1～100 高)", 173, 52);

    Label3 = MakeLabel(this, "ﾌｫﾙﾀﾞ指定の文", 15, 83);
    EdtMessage = new QLineEdit(QStringLiteral("更新するJPEGのフォルダを指定してください。"), this);
    EdtMessage->setGeometry(112, 80, 281, 20);

    ChkBackup = new QCheckBox(QStringLiteral("更新時ﾊﾞｯｸｱｯﾌﾟを作成"), this);
    ChkBackup->setGeometry(112, 112, 145, 17);
    ChkBackup->setChecked(true);
    ChkJpegSave = new QCheckBox(QStringLiteral("差分をJPEGで作成　品質"), this);
    ChkJpegSave->setGeometry(112, 134, 153, 17);
    EdtQuality2 = new QLineEdit(QString::number(kDefaultQuality), this);
    EdtQuality2->setGeometry(268, 132, 30, 20);
    EdtQuality2->setEnabled(false);
    UpDown2 = new platform::UpDown(this);
    UpDown2->setGeometry(298, 132, 15, 20);
    UpDown2->setEnabled(false);
    Label4 = MakeNoteLabel(this, "(低 1～100 高)", 317, 136);

    Button2 = MakeButton(this, "OK", QRect(280, 168, 75, 25));
    Button3 = MakeButton(this, "ｷｬﾝｾﾙ", QRect(366, 168, 75, 25));

    for (auto [upDown, edit] : {std::pair{UpDown1, EdtQuality}, std::pair{UpDown2, EdtQuality2}}) {
        upDown->SetRange(1, 100);
        upDown->SetPosition(kDefaultQuality);
        upDown->SetAssociate(edit);
        upDown->setFocusPolicy(Qt::TabFocus);
    }

    // The designed tab order: EdtExe 0, EdtQuality 1, EdtMessage 2, Button1 3,
    // Button2 4, ChkBackup 5, Button3 6, UpDown1 7, ChkJpegSave 8,
    // EdtQuality2 9, UpDown2 10.
    const QList<QWidget *> tabOrder{EdtExe,  EdtQuality, EdtMessage,  Button1,     Button2, ChkBackup,
                                    Button3, UpDown1,    ChkJpegSave, EdtQuality2, UpDown2};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(ChkJpegSave, &QCheckBox::toggled, this, &TForm2::ChkJpegSaveClick);
}

void TForm2::FormCreate() {
    vars_.SettingsAccepted = false;
    exec();
}

void TForm2::Button1Click() {
    platform::SaveDialogRequest request;
    request.title = QStringLiteral("作成する配布ﾌｧｲﾙ");
    request.filter = QStringLiteral("配布ﾌｧｲﾙ(*.exe)");
    request.defaultSuffix = QStringLiteral("exe");
    request.initialPath = EdtExe->text();
    request.confirmOverwrite = true;
    const QString chosen = dialogs_.SaveFileName(this, request);
    if (!chosen.isEmpty()) EdtExe->setText(chosen);
}

void TForm2::ChkJpegSaveClick() {
    const bool on = ChkJpegSave->isChecked();
    EdtQuality2->setEnabled(on);
    UpDown2->setEnabled(on);
}

void TForm2::Button2Click() {
    SettingsInput input;
    input.distributionFile = QFile::encodeName(EdtExe->text()).toStdString();
    input.quality = Utf8(EdtQuality);
    input.quality2 = Utf8(EdtQuality2);
    input.prompt = Utf8(EdtMessage);
    input.backup = ChkBackup->isChecked();
    input.jpegSave = ChkJpegSave->isChecked();

    const SettingsCheck check = CheckSettings(input);
    if (check.verdict != SettingsVerdict::Accepted) {
        const MessageSpec message = SettingsMessage(check.verdict);
        dialogs_.MessageBox(this, QString::fromUtf8(message.text), QString::fromUtf8(texts::kErrorCaption),
                            message.flags);
        return;
    }
    // The file list has made the folder it shows the current one.
    const std::string currentFolder = QFile::encodeName(QDir::currentPath()).toStdString();
    if (StartPackage(check.settings, vars_, form1_, currentFolder) != StartResult::Started) {
        dialogs_.MessageBox(this, EdtExe->text() + QString::fromUtf8(texts::kCannotCreateSuffix),
                            QString::fromUtf8(texts::kErrorCaption), platform::kMbOkStop);
        return;
    }
    vars_.SettingsAccepted = true;
    close();
}

void TForm2::Button3Click() { close(); }

void TForm2::FormClose() {
    if (!vars_.SettingsAccepted) vars_.TerminateRequested = true;
}

void TForm2::closeEvent(QCloseEvent *event) {
    FormClose();
    event->accept();
    QDialog::done(vars_.SettingsAccepted ? QDialog::Accepted : QDialog::Rejected);
}

void TForm2::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    platform::CentreOnScreen(*this);
}

void TForm2::reject() {}

}  // namespace zelforge

#include "result_window.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <exception>

namespace zelfin {

namespace {

constexpr int kClientWidth = 209;
constexpr int kClientHeight = 88;

QFont WindowFont() {
    // The designed face first; the installed Japanese gothic stands in for it.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic")});
    font.setPixelSize(12);
    return font;
}

}  // namespace

TForm1::TForm1(platform::Dialogs &dialogs, Gra &gra, const std::string &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    BuildControls();

    const PictureHolders holders{Image3->Holder(), Image1->Holder(), Image2->Holder()};
    const FolderPrompt prompt = [this, &dialogs](const std::string &title) {
        return dialogs.BrowseForFolder(this, QString::fromStdString(title)).toStdString();
    };
    const RunOutcome outcome = RunApplier(gra, programFolder, prompt, holders, state_);
    if (outcome.kind == RunOutcome::Kind::EndQuietly) {
        endsQuietly_ = true;
        return;
    }
    if (outcome.failure == Failure::None) {
        setWindowTitle(QStringLiteral("完了"));
    } else {
        Label1->setText(QString::fromUtf8(FailureText(outcome.failure)));
    }
}

void TForm1::BuildControls() {
    setWindowTitle(QStringLiteral("ｴﾗｰ"));
    setFont(WindowFont());
    setFixedSize(kClientWidth, kClientHeight);

    Label1 = new QLabel(QStringLiteral("更新しました。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 16);
    Label1->adjustSize();

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(120, 48, 75, 25);
    Button1->setDefault(true);
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    // Work pictures only: never shown.
    Image1 = new platform::ImageControl(this);
    Image2 = new platform::ImageControl(this);
    Image3 = new platform::ImageControl(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2->setObjectName(QStringLiteral("Image2"));
    Image3->setObjectName(QStringLiteral("Image3"));
    for (platform::ImageControl *image : {Image1, Image2, Image3}) image->hide();
}

void TForm1::Button1Click() { close(); }

void TForm1::showEvent(QShowEvent *event) {
    Label1->adjustSize();
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QWidget::showEvent(event);
}

int RunZelfinProgram(platform::Dialogs &dialogs, Gra &gra, const std::string &programFolder,
                     const QString &applicationTitle) {
    try {
        TForm1 form(dialogs, gra, programFolder);
        if (form.EndsQuietly()) return 0;
        form.show();
        return QApplication::exec();
    } catch (const std::exception &e) {
        // A failure out of the run: the report, then the program ends without
        // its window.
        platform::ShowExceptionReport(dialogs, nullptr, QString::fromUtf8(e.what()), applicationTitle);
        return 0;
    } catch (...) {
        platform::ShowExceptionReport(dialogs, nullptr, QStringLiteral("?"), applicationTitle);
        return 0;
    }
}

}  // namespace zelfin

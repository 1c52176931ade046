#include "dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace platform {

namespace {

struct BoxShape {
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

BoxShape ShapeFor(int flags) {
    switch (flags) {
    case kMbOkStop: return {QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
    case kMbOkCancelQuestion:
        return {QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok};
    case kMbYesNoQuestion: return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case kMbOkInformation: return {QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok};
    default: return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok};
    }
}

int AnswerFor(int clicked, int flags) {
    switch (clicked) {
    case QMessageBox::Ok: return kIdOk;
    case QMessageBox::Yes: return kIdYes;
    case QMessageBox::No: return kIdNo;
    default:
        // Escape or the close box: the box's way of saying no.
        if (flags == kMbYesNoQuestion) return kIdNo;
        if (flags == kMbOkCancelQuestion) return kIdCancel;
        return kIdOk;
    }
}

}  // namespace

int QtDialogs::MessageBox(QWidget *owner, const QString &text, const QString &caption, int flags) {
    const BoxShape shape = ShapeFor(flags);
    QMessageBox box(shape.icon, caption, text, shape.buttons, owner);
    box.setDefaultButton(shape.defaultButton);
    return AnswerFor(box.exec(), flags);
}

QString QtDialogs::BrowseForFolder(QWidget *owner, const QString &title) {
    return QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
}

QString QtDialogs::SaveFileName(QWidget *owner, const SaveDialogRequest &request) {
    QFileDialog dialog(owner, request.title, request.initialPath, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void QtDialogs::OpenFolder(const QString &folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

QString ApplicationTitle(const QString &executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) name.truncate(dot);
    if (name.size() > 1) name = name.left(1) + name.mid(1).toLower();
    return name;
}

void ShowExceptionReport(Dialogs &dialogs, QWidget *owner, const QString &message, const QString &title) {
    dialogs.MessageBox(owner, message + QStringLiteral("."), title, kMbOkStop);
}

}  // namespace platform

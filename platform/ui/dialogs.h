#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// Flags of the modal message box: buttons and icon.
enum MessageFlags : int {
    kMbOk = 0,                 // OK, no icon
    kMbOkStop = 16,            // OK, stop icon
    kMbOkCancelQuestion = 33,  // OK and Cancel, question icon
    kMbYesNoQuestion = 36,     // Yes and No, question icon
    kMbOkInformation = 64,     // OK, information icon
};

// The answers, with the values callers compare against.
enum MessageAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

struct SaveDialogRequest {
    QString title;             // e.g. "作成する配布ﾌｧｲﾙ"
    QString filter;            // e.g. "配布ﾌｧｲﾙ(*.exe)"
    QString defaultSuffix;     // e.g. "exe"
    QString initialPath;       // what the edit holds now
    bool confirmOverwrite = true;
};

// Every modal question a window asks goes through here, so tests can answer
// from a script and the real program shows Qt dialogs.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns one of MessageAnswer.
    virtual int MessageBox(QWidget *owner, const QString &text, const QString &caption, int flags) = 0;
    // Empty when the prompt gave no folder.
    virtual QString BrowseForFolder(QWidget *owner, const QString &title) = 0;
    // Empty when cancelled.
    virtual QString SaveFileName(QWidget *owner, const SaveDialogRequest &request) = 0;
    // Starts the file manager on folder; not waited for.
    virtual void OpenFolder(const QString &folder) = 0;
};

// The real dialogs.
class QtDialogs final : public Dialogs {
public:
    int MessageBox(QWidget *owner, const QString &text, const QString &caption, int flags) override;
    QString BrowseForFolder(QWidget *owner, const QString &title) override;
    QString SaveFileName(QWidget *owner, const SaveDialogRequest &request) override;
    void OpenFolder(const QString &folder) override;
};

// The application title: the executable's file name without folder, cut at its
// first '.', every character after the first in lower case.
[[nodiscard]] QString ApplicationTitle(const QString &executablePath);

// The platform's exception report: stop icon, one OK, the message and ".",
// the application title as caption.
void ShowExceptionReport(Dialogs &dialogs, QWidget *owner, const QString &message,
                         const QString &title);

}  // namespace platform

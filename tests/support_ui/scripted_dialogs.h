#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/ui/dialogs.h"

namespace testsupport {

// The modal-question seam for window tests: records every question and
// answers from a script, never blocking in a nested loop.
class ScriptedDialogs : public platform::Dialogs {
public:
    struct Message {
        QString text;
        QString caption;
        int flags = 0;
    };

    // Answers for MessageBox, in order; when none is left, OK/Yes.
    std::deque<int> messageAnswers;
    // Answers for BrowseForFolder, in order; when none is left, "".
    std::deque<QString> folderAnswers;
    // Answers for SaveFileName, in order; when none is left, "".
    std::deque<QString> saveAnswers;
    // Runs inside MessageBox before it answers (e.g. to look at windows).
    std::function<void(const Message &)> onMessage;

    std::vector<Message> messages;
    QStringList folderTitles;
    std::vector<platform::SaveDialogRequest> saveRequests;
    QStringList openedFolders;

    int MessageBox(QWidget *owner, const QString &text, const QString &caption, int flags) override;
    QString BrowseForFolder(QWidget *owner, const QString &title) override;
    QString SaveFileName(QWidget *owner, const platform::SaveDialogRequest &request) override;
    void OpenFolder(const QString &folder) override;
};

}  // namespace testsupport

#include "scripted_dialogs.h"

namespace testsupport {

namespace {

template <typename T>
T Next(std::deque<T> &answers, T fallback) {
    if (answers.empty()) return fallback;
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

int ScriptedDialogs::MessageBox(QWidget *, const QString &text, const QString &caption, int flags) {
    const Message message{text, caption, flags};
    messages.push_back(message);
    if (onMessage) onMessage(message);
    const int fallback = flags == platform::kMbYesNoQuestion ? platform::kIdYes : platform::kIdOk;
    return Next(messageAnswers, fallback);
}

QString ScriptedDialogs::BrowseForFolder(QWidget *, const QString &title) {
    folderTitles.push_back(title);
    return Next(folderAnswers, QString());
}

QString ScriptedDialogs::SaveFileName(QWidget *, const platform::SaveDialogRequest &request) {
    saveRequests.push_back(request);
    return Next(saveAnswers, QString());
}

void ScriptedDialogs::OpenFolder(const QString &folder) { openedFolders.push_back(folder); }

}  // namespace testsupport

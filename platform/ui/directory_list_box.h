#pragma once
#include <QListWidget>
#include <QString>

namespace platform {

class FileListBox;

// The folder tree around one folder: its ancestors from the root down, the
// folder itself, then its subfolders. Activating an item (double click or
// Enter) moves there, and the linked file list follows.
class DirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget *parent = nullptr);

    void SetFileList(FileListBox *fileList) { fileList_ = fileList; }
    // Shows folder and moves the linked file list to it. False when the folder
    // does not exist; nothing changes then.
    bool SetDirectory(const QString &folder);
    [[nodiscard]] QString Directory() const { return directory_; }
    // The folder an item stands for.
    [[nodiscard]] static QString ItemPath(const QListWidgetItem *item);

signals:
    void directoryChanged(const QString &folder);

private:
    void Fill();

    FileListBox *fileList_ = nullptr;
    QString directory_;
};

}  // namespace platform

#pragma once
#include <QComboBox>
#include <QStringList>

namespace platform {

class DirectoryListBox;

// The "drives" of this platform: the file-system root, the home folder and
// every mounted volume backed by a device. Choosing one moves the linked
// folder list there.
class DriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget *parent = nullptr);

    void SetDirList(DirectoryListBox *dirList) { dirList_ = dirList; }
    // Shows the drive that holds folder (the longest entry it lies under).
    void ShowDriveOf(const QString &folder);
    // As if the author chose entry index.
    void ChooseDrive(int index);
    [[nodiscard]] QString Drive() const;

    // Root first, then the home folder, then the volumes, without repeats.
    [[nodiscard]] static QStringList DriveRoots();

private:
    DirectoryListBox *dirList_ = nullptr;
};

}  // namespace platform

#include "drive_combo_box.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

#include "directory_list_box.h"

namespace platform {

namespace {

bool LiesUnder(const QString &folder, const QString &root) {
    if (root == QLatin1String("/")) return folder.startsWith(root);
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

}  // namespace

DriveComboBox::DriveComboBox(QWidget *parent) : QComboBox(parent) {
    addItems(DriveRoots());
    connect(this, &QComboBox::activated, this, &DriveComboBox::ChooseDrive);
}

QStringList DriveComboBox::DriveRoots() {
    QStringList roots{QStringLiteral("/"), QDir::cleanPath(QDir::homePath())};
    QStringList volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        // Pseudo file systems (proc, sysfs, tmpfs, overlay layers) are not
        // places a user keeps pictures; a device-backed volume is.
        if (!volume.isValid() || !volume.isReady()) continue;
        if (!volume.device().startsWith("/dev/")) continue;
        volumes << QDir::cleanPath(volume.rootPath());
    }
    volumes.sort();
    for (const QString &v : volumes)
        if (!roots.contains(v)) roots << v;
    return roots;
}

void DriveComboBox::ShowDriveOf(const QString &folder) {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemText(i);
        if (LiesUnder(folder, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker quiet(this);
    setCurrentIndex(best);
}

void DriveComboBox::ChooseDrive(int index) {
    if (index < 0 || index >= count()) return;
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    }
    if (dirList_ != nullptr) dirList_->SetDirectory(itemText(index));
}

QString DriveComboBox::Drive() const { return currentText(); }

}  // namespace platform

#include "file_list_box.h"

#include <QDir>
#include <QSignalBlocker>

namespace platform {

FileListBox::FileListBox(QWidget *parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Watch the selection, not the current item: the view moves its current
    // item on its own (for instance on focus) without the user choosing.
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::changed);
}

void FileListBox::SetMask(const QString &mask) { mask_ = mask; }

bool FileListBox::SetDirectory(const QString &folder) {
    const bool entered = QDir::setCurrent(folder);
    {
        const QSignalBlocker quiet(this);
        clear();
        if (entered) {
            directory_ = QDir::currentPath();
            // No QDir::CaseSensitive: the mask matches regardless of case.
            const QStringList names = QDir(directory_).entryList(
                QStringList{mask_}, QDir::Files, QDir::Name | QDir::IgnoreCase);
            addItems(names);
        }
        setCurrentRow(-1);
    }
    emit changed();
    return entered;
}

QString FileListBox::FileName() const {
    const QList<QListWidgetItem *> selected = selectedItems();
    if (selected.isEmpty()) return QString();
    QString path = directory_;
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    return path + selected.first()->text();
}

QItemSelectionModel::SelectionFlags FileListBox::selectionCommand(const QModelIndex &index,
                                                                 const QEvent *) const {
    // A chosen file stays chosen until another one is: a Ctrl+click on it
    // must not leave the list with nothing selected.
    return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

bool FileListBox::SelectName(const QString &name) {
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    setCurrentItem(found.first());
    return true;
}

}  // namespace platform

#pragma once
#include <QListWidget>
#include <QString>

namespace platform {

// A list of the file names in one folder that match a mask, regardless of
// letter case ("*.jpg" lists "A.JPG" too). Reading a folder makes it the
// process's current folder first, so relative paths follow the list.
//
// changed() is emitted when the selection moves to another item (mouse or
// keyboard) and after every read of a folder; after a read nothing is
// selected. Choosing the item that is already selected is no change.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    void SetMask(const QString &mask);
    [[nodiscard]] QString Mask() const { return mask_; }

    // Makes folder current and lists it. False when the folder cannot be
    // entered; the list is then empty and still reports its change.
    bool SetDirectory(const QString &folder);
    [[nodiscard]] QString Directory() const { return directory_; }

    // The selected file's full path: the folder, '/' unless it already ends
    // with one, the name. Empty when nothing is selected.
    [[nodiscard]] QString FileName() const;

    // Selects the item of that name (as a click would). False when not listed.
    bool SelectName(const QString &name);

signals:
    void changed();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    QString mask_ = QStringLiteral("*.*");
    QString directory_;
};

}  // namespace platform

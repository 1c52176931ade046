#include "directory_list_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

#include "file_list_box.h"

namespace platform {

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kIndentPerLevel = 1;
}  // namespace

DirectoryListBox::DirectoryListBox(QWidget *parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A narrow column: long names are cut rather than scrolled sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { SetDirectory(ItemPath(item)); });
}

QString DirectoryListBox::ItemPath(const QListWidgetItem *item) {
    return item == nullptr ? QString() : item->data(kPathRole).toString();
}

bool DirectoryListBox::SetDirectory(const QString &folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return false;
    directory_ = QDir::cleanPath(info.absoluteFilePath());
    Fill();
    if (fileList_ != nullptr) fileList_->SetDirectory(directory_);
    emit directoryChanged(directory_);
    return true;
}

void DirectoryListBox::Fill() {
    clear();
    const QStyle *style = QApplication::style();
    const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style->standardIcon(QStyle::SP_DirClosedIcon);

    // "/a/b" -> "/", "/a", "/a/b"
    QStringList chain{QStringLiteral("/")};
    QString walked;
    for (const QString &part : directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked += QLatin1Char('/') + part;
        chain << walked;
    }
    int level = 0;
    QListWidgetItem *current = nullptr;
    for (const QString &path : chain) {
        const QString name = path == QLatin1String("/") ? path : QFileInfo(path).fileName();
        auto *item = new QListWidgetItem(open, QString(level * kIndentPerLevel, QLatin1Char(' ')) + name, this);
        item->setData(kPathRole, path);
        current = item;
        ++level;
    }
    const QDir dir(directory_);
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto *item = new QListWidgetItem(closed, QString(level * kIndentPerLevel, QLatin1Char(' ')) + sub, this);
        item->setData(kPathRole, dir.filePath(sub));
    }
    setCurrentItem(current);
}

}  // namespace platform

#include "platform/qt/FileListModel.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

#include <iterator>

namespace platform {

namespace {

enum Column { NameColumn, SizeColumn, TypeColumn, DateColumn };

} // namespace

QString FileSizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" バイト");
    static const char16_t* const units[] = {u" KB", u" MB", u" GB", u" TB"};
    double value = double(bytes) / 1024;
    std::size_t unit = 0;
    // Rounded to one decimal, a value just below 1024 would still read "1024.0".
    while (value >= 1023.95 && unit + 1 < std::size(units)) {
        value /= 1024;
        ++unit;
    }
    return QString::number(value, 'f', 1) + QString::fromUtf16(units[unit]);
}

QString FileTypeText(const QFileInfo& info)
{
    if (info.isDir())
        return QStringLiteral("フォルダー");
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return QStringLiteral("ファイル");
    return suffix.toUpper() + QStringLiteral(" ファイル");
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() == NameColumn)
        return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    // The model gathers the details in the background; until then its own texts are empty.
    if (info.filePath().isEmpty())
        return QIdentityProxyModel::data(index, role);
    switch (index.column()) {
    case SizeColumn:
        return info.isDir() ? QString() : FileSizeText(info.size());
    case TypeColumn:
        return FileTypeText(info);
    case DateColumn:
        return info.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

void UseFileListModel(QFileDialog& dialog)
{
    dialog.setProxyModel(new FileListModel(&dialog));
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    // Qt sizes the columns for short English texts; these are longer.
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    for (const int column : {SizeColumn, TypeColumn, DateColumn})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

} // namespace platform

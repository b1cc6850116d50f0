#pragma once

#include <QIdentityProxyModel>
#include <QString>

class QFileDialog;
class QFileInfo;

namespace platform {

/// "504 バイト" below 1 KB, else one decimal in KB, MB, GB or TB of 1024 ("1.2 KB").
QString FileSizeText(qint64 bytes);
/// "フォルダー", or the extension in capitals and "ファイル" ("MVX ファイル"), or "ファイル".
QString FileTypeText(const QFileInfo& info);

/// The detail columns of Qt's file dialog in Japanese and independent of the system locale:
/// sizes and types as above, dates as "2026/12/10 14:30". Sorting stays with the file
/// system model, by the real sizes and times.
class FileListModel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

/// Gives a non-native file dialog the Japanese detail columns, each as wide as its texts
/// and the name taking the rest.
void UseFileListModel(QFileDialog& dialog);

} // namespace platform

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

/// What the save dialog starts with. Filter index 1 worksheet, 2 CSV with formulas,
/// 3 CSV with displayed results, 4 fixed-width text; 0 none preselected.
struct SaveRequest {
    QString title;
    QString fileName; // without extension
    int filterIndex = 1;
};

struct SaveChoice {
    QString path;
    int filterIndex = 1;
    bool unicode = true; // the encoding list's "Unicode" (else "ANSI(Shift-JIS)")
};

/// The open dialog OpenDlg and the save dialog SaveDlg.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    /// An existing file chosen in the open dialog; nullopt when cancelled.
    virtual std::optional<QString> openFile(const QString& title) = 0;
    virtual std::optional<SaveChoice> saveFile(const SaveRequest& request) = 0;
    /// Existing worksheet or CSV files chosen together, starting in `folder`; empty when
    /// cancelled.
    virtual QStringList openFiles(const QString& title, const QString& folder) = 0;
    /// The save-picture dialog over bitmap files, starting with `fileName`; it asks before
    /// replacing a file. The chosen path, nullopt when cancelled.
    virtual std::optional<QString> savePicture(const QString& fileName) = 0;
};

} // namespace platform

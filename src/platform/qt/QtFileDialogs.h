#pragma once

#include "platform/FileDialogs.h"

#include <QPointer>
#include <QStringList>
#include <functional>

class QFileDialog;
class QWidget;

namespace platform {

class Help;

/// The open dialog's filter, in the "caption|patterns|caption|patterns" form.
inline constexpr char16_t OpenFilter[] =
    u"MavixのデータとCSVファイル(*.MVX;*.CSV)|*.MVX;*.CSV|Mavixのデータ(*.MVX)|*.MVX|"
    u"CSVファイル(*.CSV)|*.CSV|すべてのファイル(*.*)|*.*";
/// The save dialog's filter; its filter index 1..4 is the SaveChoice's.
inline constexpr char16_t SaveFilter[] =
    u"Mavixのデータ (*.MVX)|*.MVX|計算式 (*.CSV)|*.CSV|計算結果 (*.CSV)|*.CSV|"
    u"テキスト形式 (*.TXT)|*.TXT";
/// The save dialog's encoding list: "Unicode" (UTF-16) first, then the ANSI code page.
inline constexpr char16_t EncodingUnicode[] = u"Unicode";
inline constexpr char16_t EncodingAnsi[] = u"ANSI(Shift-JIS)";
/// The graph window's save-picture dialog's filter.
inline constexpr char16_t PictureFilter[] =
    u"ビットマップ (*.bmp)|*.bmp|すべてのファイル|*.*";
constexpr int OpenHelpContext = 412;
constexpr int SaveHelpContext = 18;

/// A "caption|patterns|..." filter as Qt name filters: the caption's parenthesised part
/// lists the patterns separated by blanks, and "*.*" becomes "*" (every file, also one
/// without an extension). Qt's dialog matches them ignoring letter case.
QStringList QtNameFilters(QStringView filter);

/// OpenDlg, SaveDlg and the graph window's dgSave as Qt's own (non-native) file dialogs. Each dialog is made once and
/// keeps its folder, filter and encoding between uses, as the program's dialogs do.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(Help& help);
    ~QtFileDialogs() override;
    QtFileDialogs(const QtFileDialogs&) = delete;
    QtFileDialogs& operator=(const QtFileDialogs&) = delete;

    /// The window the dialogs belong to, and what runs when one of them has closed (the
    /// window counts as activated again).
    void setOwner(QWidget* parent, std::function<void()> returned = {});

    std::optional<QString> openFile(const QString& title) override;
    std::optional<SaveChoice> saveFile(const SaveRequest& request) override;
    QStringList openFiles(const QString& title, const QString& folder) override;
    std::optional<QString> savePicture(const QString& fileName) override;

private:
    QFileDialog& openDialog();
    QFileDialog& saveDialog();
    QFileDialog& pictureDialog();
    void addHelpButton(QFileDialog& dialog, int context);

    Help& m_help;
    QPointer<QWidget> m_parent;
    std::function<void()> m_returned;
    QPointer<QFileDialog> m_open;
    QPointer<QFileDialog> m_save;
    QPointer<QFileDialog> m_picture;
};

} // namespace platform

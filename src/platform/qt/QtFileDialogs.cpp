#include "platform/qt/QtFileDialogs.h"

#include "files/FileNames.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "platform/qt/FileListModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace platform {

namespace {

/// Qt's dialog with the program's filters; the name edit starts empty or with a name.
void prepare(QFileDialog& dialog, const QString& title, const QString& fileName)
{
    dialog.setWindowTitle(title);
    auto* nameEdit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (fileName.isEmpty()) {
        if (nameEdit)
            nameEdit->clear();
        return;
    }
    const QFileInfo info(fileName);
    if (info.isAbsolute())
        dialog.setDirectory(info.absolutePath());
    if (nameEdit)
        nameEdit->setText(info.fileName());
    else
        dialog.selectFile(info.fileName());
}

/// A completion list that was open when Enter accepted the name outlives the dialog and
/// keeps the keyboard from the main window.
void closeCompletions(QFileDialog& dialog)
{
    for (QCompleter* completer : dialog.findChildren<QCompleter*>())
        if (QAbstractItemView* popup = completer->popup(); popup && popup->isVisible())
            popup->hide();
}

/// The save dialog: the filters of the four writers, the encoding list, and the questions
/// before overwriting or creating the file that will really be written (the path with the
/// chosen filter's extension).
class SaveDialog : public QFileDialog {
public:
    explicit SaveDialog(QWidget* parent)
        : QFileDialog(parent)
    {
        setObjectName(QStringLiteral("SaveDlg"));
        setOption(QFileDialog::DontUseNativeDialog);
        UseFileListModel(*this);
        // The questions below name the final path; Qt's own would name the typed one.
        setOption(QFileDialog::DontConfirmOverwrite);
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setNameFilters(QtNameFilters(SaveFilter));
        setDefaultSuffix(QStringLiteral("MVX"));

        m_encoding = new QComboBox(this);
        m_encoding->setObjectName(QStringLiteral("cbEncoding"));
        m_encoding->addItems({QString::fromUtf16(EncodingUnicode),
                              QString::fromUtf16(EncodingAnsi)});
        auto* label = new QLabel(QStringLiteral("エンコード(&E):"), this);
        label->setObjectName(QStringLiteral("lbEncoding"));
        label->setBuddy(m_encoding);
        if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
            const int row = grid->rowCount();
            grid->addWidget(label, row, 0);
            grid->addWidget(m_encoding, row, 1);
        }
    }

    QComboBox* encoding() const { return m_encoding; }

    int filterIndex() const
    {
        return int(nameFilters().indexOf(selectedNameFilter())) + 1;
    }

    QString target() const
    {
        const QStringList chosen = selectedFiles();
        if (chosen.isEmpty())
            return QString();
        return files::ExistingSpelling(
            files::PathWithExtension(chosen.first(), files::SaveExtension(filterIndex())));
    }

protected:
    void accept() override
    {
        const QStringList files = selectedFiles();
        // A typed folder is entered, as Qt's dialog does.
        if (files.isEmpty() || QFileInfo(files.first()).isDir()) {
            QFileDialog::accept();
            return;
        }
        const QFileInfo info(target());
        const bool exists = info.exists();
        const QString text = exists
            ? info.fileName() + QStringLiteral(" は既に存在します。\n上書きしますか？")
            : info.fileName() + QStringLiteral(" は存在しません。\nファイルを作成しますか？");
        QMessageBox box(exists ? QMessageBox::Warning : QMessageBox::Question, windowTitle(),
                        text, QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("SaveQuestion"));
        SetDialogFlags(box);
        box.setTextFormat(Qt::PlainText);
        // Replacing a file takes a deliberate Yes.
        box.setDefaultButton(exists ? QMessageBox::No : QMessageBox::Yes);
        if (box.exec() != QMessageBox::Yes)
            return;
        QFileDialog::accept();
    }

private:
    QComboBox* m_encoding = nullptr;
};

} // namespace

QStringList QtNameFilters(QStringView filter)
{
    QStringList out;
    const QList<QStringView> parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (QStringView pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts))
            patterns.append(pattern == u"*.*" ? QStringLiteral("*") : pattern.toString());
        QString caption = parts[i].toString();
        // The caption shows its patterns in parentheses; Qt reads them from there.
        if (caption.endsWith(u')')) {
            const qsizetype open = caption.lastIndexOf(u'(');
            if (open >= 0)
                caption.truncate(open);
        }
        out.append(caption + u'(' + patterns.join(u' ') + u')');
    }
    return out;
}

QtFileDialogs::QtFileDialogs(Help& help)
    : m_help(help)
{
}

QtFileDialogs::~QtFileDialogs()
{
    delete m_open.data();
    delete m_save.data();
    delete m_picture.data();
}

void QtFileDialogs::setOwner(QWidget* parent, std::function<void()> returned)
{
    m_parent = parent;
    m_returned = std::move(returned);
    for (QFileDialog* dialog : {m_open.data(), m_save.data(), m_picture.data()})
        if (dialog)
            dialog->setParent(parent, dialog->windowFlags());
}

void QtFileDialogs::addHelpButton(QFileDialog& dialog, int context)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (!buttons)
        return;
    buttons->addButton(QDialogButtonBox::Help);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog,
                     [this, context] { m_help.showContext(context); });
}

QFileDialog& QtFileDialogs::openDialog()
{
    if (!m_open) {
        m_open = new QFileDialog(m_parent);
        m_open->setObjectName(QStringLiteral("OpenDlg"));
        SetDialogFlags(*m_open);
        m_open->setOption(QFileDialog::DontUseNativeDialog);
        UseFileListModel(*m_open);
        m_open->setAcceptMode(QFileDialog::AcceptOpen);
        m_open->setFileMode(QFileDialog::ExistingFile);
        m_open->setNameFilters(QtNameFilters(OpenFilter));
        // Window-modal: the help window stays usable while the dialog is open.
        m_open->setWindowModality(Qt::WindowModal);
        addHelpButton(*m_open, OpenHelpContext);
    }
    return *m_open;
}

QFileDialog& QtFileDialogs::saveDialog()
{
    if (!m_save) {
        m_save = new SaveDialog(m_parent);
        SetDialogFlags(*m_save);
        m_save->setWindowModality(Qt::WindowModal);
        addHelpButton(*m_save, SaveHelpContext);
    }
    return *m_save;
}

QFileDialog& QtFileDialogs::pictureDialog()
{
    if (!m_picture) {
        m_picture = new QFileDialog(m_parent);
        m_picture->setObjectName(QStringLiteral("dgSave"));
        SetDialogFlags(*m_picture);
        m_picture->setOption(QFileDialog::DontUseNativeDialog);
        UseFileListModel(*m_picture);
        m_picture->setAcceptMode(QFileDialog::AcceptSave);
        m_picture->setFileMode(QFileDialog::AnyFile);
        m_picture->setNameFilters(QtNameFilters(PictureFilter));
        m_picture->setWindowTitle(QStringLiteral("名前を付けて保存"));
        m_picture->setWindowModality(Qt::WindowModal);
    }
    return *m_picture;
}

std::optional<QString> QtFileDialogs::openFile(const QString& title)
{
    QFileDialog& dialog = openDialog();
    prepare(dialog, title, QString());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    closeCompletions(dialog);
    if (m_returned)
        m_returned();
    const QStringList files = dialog.selectedFiles();
    if (!accepted || files.isEmpty())
        return std::nullopt;
    return files.first();
}

QStringList QtFileDialogs::openFiles(const QString& title, const QString& folder)
{
    QFileDialog dialog(m_parent, title, folder);
    SetDialogFlags(dialog);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters({QStringLiteral("MavixのデータとCSVファイル(*.MVX *.mvx *.CSV *.csv)"),
                           QStringLiteral("Mavixのデータ(*.MVX *.mvx)"),
                           QStringLiteral("CSVファイル(*.CSV *.csv)"),
                           QStringLiteral("すべてのファイル(*)")});
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (m_returned)
        m_returned();
    return accepted ? dialog.selectedFiles() : QStringList();
}

std::optional<SaveChoice> QtFileDialogs::saveFile(const SaveRequest& request)
{
    auto& dialog = static_cast<SaveDialog&>(saveDialog());
    const QStringList filters = dialog.nameFilters();
    dialog.selectNameFilter(filters.value(std::clamp(request.filterIndex, 1, 4) - 1));
    prepare(dialog, request.title, request.fileName);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    closeCompletions(dialog);
    if (m_returned)
        m_returned();
    if (!accepted)
        return std::nullopt;
    SaveChoice choice;
    choice.path = dialog.target();
    choice.filterIndex = dialog.filterIndex();
    choice.unicode = dialog.encoding()->currentIndex() == 0;
    return choice;
}

std::optional<QString> QtFileDialogs::savePicture(const QString& fileName)
{
    QFileDialog& dialog = pictureDialog();
    // It opens over the graph window, which returns to itself afterwards.
    if (QWidget* over = QApplication::activeWindow(); over && over != &dialog)
        dialog.setParent(over, dialog.windowFlags());
    prepare(dialog, dialog.windowTitle(), fileName);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    closeCompletions(dialog);
    dialog.setParent(m_parent, dialog.windowFlags());
    const QStringList files = dialog.selectedFiles();
    if (!accepted || files.isEmpty())
        return std::nullopt;
    return files.first();
}

} // namespace platform

#include "platform/fake/FakePlatform.h"

#include "tools/FileSearch.h"
#include "settings/SystemSettingsState.h"
#include "tools/SearchDialogState.h"

#include "core/WideChar.h"

namespace platform {

Answer FakeUi::message(const Message& message)
{
    messages.push_back(message);
    if (!answers.empty()) {
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    switch (message.buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
    case Buttons::YesCancel:
        return Answer::Yes;
    }
    return Answer::Ok;
}

bool FakeUi::askInsertDialog(edit::InsertDialogState& state)
{
    dialogs.append(QStringLiteral("TfAdd"));
    return insertDialog ? insertDialog(state) : false;
}

std::optional<FontSpec> FakeUi::askGridFont(const FontSpec& current)
{
    dialogs.append(QStringLiteral("Font"));
    return fontDialog ? fontDialog(current) : std::nullopt;
}

bool FakeUi::askSearchDialog(tools::SearchDialogState& state, QStringList& history)
{
    dialogs.append(QStringLiteral("TfSrch"));
    if (!searchDialog || !searchDialog(state))
        return false;
    if (const std::optional<QString> warning = tools::AcceptSearchDialog(state, history)) {
        Message message;
        message.icon = Icon::Warning;
        message.text = *warning;
        messages.push_back(message);
        return false;
    }
    return true;
}

void FakeUi::showReplaceDialog(tools::ReplaceDialogState& state)
{
    dialogs.append(QStringLiteral("TfRep"));
    if (replaceDialog)
        replaceDialog(state);
}

bool FakeUi::askLineDialog(print::LineDialogState& state)
{
    dialogs.append(QStringLiteral("TfLine"));
    return lineDialog ? lineDialog(state) : false;
}

LayoutAnswer FakeUi::askPageLayout(print::PageLayout& layout, bool canPrint)
{
    dialogs.append(QStringLiteral("TfLay"));
    return layoutDialog ? layoutDialog(layout, canPrint) : LayoutAnswer::Cancel;
}

bool FakeUi::askClearDialog(edit::ClearDialogState& state)
{
    dialogs.append(QStringLiteral("TfClr"));
    return clearDialog ? clearDialog(state) : false;
}

bool FakeUi::askRowCount(int& rows)
{
    dialogs.append(QStringLiteral("TfRows"));
    return rowCountDialog ? rowCountDialog(rows) : false;
}

bool FakeUi::askFileSearch(tools::FileSearchDialogState& state, QStringList& history)
{
    dialogs.append(QStringLiteral("TfSrchFl"));
    if (!fileSearchDialog || !fileSearchDialog(state))
        return false;
    tools::AcceptFileSearch(state, history);
    return true;
}

std::optional<bool> FakeUi::askPrint(bool selection)
{
    dialogs.append(QStringLiteral("Print"));
    return printDialog ? printDialog(selection) : std::nullopt;
}

bool FakeUi::askToolbarEditor(settings::ToolbarEditorState& state)
{
    dialogs.append(QStringLiteral("TfTip"));
    return toolbarEditor ? toolbarEditor(state) : false;
}

settings::SysSetClose FakeUi::showSystemSettings(settings::SystemSettingsState& state)
{
    dialogs.append(QStringLiteral("TfSysSet"));
    return systemSettingsDialog ? systemSettingsDialog(state) : settings::SysSetClose::Cancel;
}

void FakeUi::showGraphSettings(graph::GraphSettings& settings)
{
    dialogs.append(QStringLiteral("TfGset"));
    if (graphDialog)
        graphDialog(settings);
}

void FakeUi::showPreview()
{
    dialogs.append(QStringLiteral("TfPviw"));
    if (previewWindow)
        previewWindow();
}

bool FakeUi::askSortDialog(tools::SortDialogState& state)
{
    dialogs.append(QStringLiteral("TfSort"));
    return sortDialog ? sortDialog(state) : false;
}

bool FakeUi::askHeadingDialog(tools::HeadingDialogState& state)
{
    dialogs.append(QStringLiteral("TfCName"));
    return headingDialog ? headingDialog(state) : false;
}

bool FakeUi::askColumnFormatDialog(tools::ColumnFormatDialogState& state)
{
    dialogs.append(QStringLiteral("TfColSet"));
    return columnFormatDialog ? columnFormatDialog(state) : false;
}

void FakeUi::processEvents()
{
    ++processEventsCalls;
    if (duringProcessEvents)
        duringProcessEvents();
}

QStringList FakeUi::messageTexts() const
{
    QStringList texts;
    for (const Message& m : messages)
        texts.append(m.text);
    return texts;
}

int FakeTextMeasure::textPixels(const QString& text) const
{
    int units = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            units += 2;
            ++i;
            continue;
        }
        units += core::IsWideChar(ch.unicode()) ? 2 : 1;
    }
    return units * Unit;
}

void FakeClipboard::setText(const QString& text)
{
    m_hasText = true;
    m_text = text;
    m_marker.clear();
}

void FakeClipboard::setTextWithMarker(const QString& text, const QByteArray& marker)
{
    m_hasText = true;
    m_text = text;
    m_marker = marker;
}

bool FakeFileHold::tryAccess(const QString& path, bool)
{
    release();
    return !denied.contains(path);
}

std::optional<QString> FakeSettingsStore::readString(const QString& name) const
{
    const auto it = values.find(name);
    if (it == values.end() || it->typeId() != QMetaType::QString)
        return std::nullopt;
    return it->toString();
}

std::optional<qint32> FakeSettingsStore::readInt(const QString& name) const
{
    const auto it = values.find(name);
    if (it == values.end() || it->typeId() != QMetaType::Int)
        return std::nullopt;
    return it->toInt();
}

std::optional<QByteArray> FakeSettingsStore::readBinary(const QString& name) const
{
    const auto it = values.find(name);
    if (it == values.end() || it->typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return it->toByteArray();
}

bool FakeSettingsStore::writeString(const QString& name, const QString& value)
{
    if (failWrites)
        return false;
    present = true;
    values[name] = value;
    return true;
}

bool FakeSettingsStore::writeInt(const QString& name, qint32 value)
{
    if (failWrites)
        return false;
    present = true;
    values[name] = int(value);
    return true;
}

bool FakeSettingsStore::writeBinary(const QString& name, const QByteArray& value)
{
    if (failWrites)
        return false;
    present = true;
    values[name] = value;
    return true;
}

bool FakeSettingsStore::removeKey()
{
    values.clear();
    present = false;
    return true;
}

bool FakeShell::run(const QString& program, const QStringList& arguments)
{
    QString call = QStringLiteral("run ") + program;
    for (const QString& argument : arguments)
        call += QStringLiteral(" [") + argument + u']';
    calls.append(call);
    return !failing.contains(program);
}

bool FakeShell::openDocument(const QString& path)
{
    calls.append(QStringLiteral("open ") + path);
    return !failing.contains(path);
}

LinkTarget FakeShell::linkTarget(const QString& name, QString& program)
{
    const auto found = targets.find(name);
    if (found == targets.end())
        return LinkTarget::None;
    program = found->second;
    return found->first;
}

QStringList FakeFileDialogs::openFiles(const QString& title, const QString& folder)
{
    openTitles.append(title);
    openFilesFolders.append(folder);
    if (openFilesAnswers.empty())
        return {};
    QStringList answer = openFilesAnswers.front();
    openFilesAnswers.pop_front();
    return answer;
}

bool FakeDesktop::associate(const Association& a)
{
    QStringList words{QStringLiteral("associate")};
    if (a.mvx)
        words.append(QStringLiteral(".mvx"));
    if (a.csv)
        words.append(QStringLiteral(".csv"));
    words << a.program << a.description;
    calls.append(words.join(u' '));
    return !failAssociate;
}

std::optional<QString> FakeDesktop::openWithDefault(const QString& path,
                                                    const QString& workingFolder)
{
    calls.append(QStringLiteral("open ") + path + u' ' + workingFolder);
    return openFailure;
}

bool FakeDesktop::createMenuEntry(const QString& folder, const QString& name,
                                  const QString& program, const QStringList& arguments,
                                  const QString& workingFolder)
{
    calls.append(QStringList{QStringLiteral("entry"), folder, name, program, arguments.join(u' '),
                             workingFolder}
                     .join(u' '));
    return name != failEntry;
}

std::optional<QString> FakeFileDialogs::openFile(const QString& title)
{
    openTitles.append(title);
    if (openAnswers.empty())
        return std::nullopt;
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeFileDialogs::savePicture(const QString& fileName)
{
    pictureNames.append(fileName);
    if (pictureAnswers.empty())
        return std::nullopt;
    auto answer = pictureAnswers.front();
    pictureAnswers.pop_front();
    return answer;
}

std::optional<SaveChoice> FakeFileDialogs::saveFile(const SaveRequest& request)
{
    saveRequests.push_back(request);
    if (saveAnswers.empty())
        return std::nullopt;
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

} // namespace platform

namespace platform {

namespace {

QString rgbText(std::uint32_t rgb)
{
    return u'#' + QString::number(rgb, 16).rightJustified(6, u'0');
}

} // namespace

int FakePrinter::textWidth(const PrintFont& font, const QString& text)
{
    int units = 0;
    for (const QChar ch : text)
        units += core::IsWideChar(ch.unicode()) ? 2 : 1;
    return units * font.size * 4;
}

bool FakePrinter::begin(const QString& title)
{
    log.append(QStringLiteral("begin ") + title);
    pages = 1;
    return true;
}

bool FakePrinter::newPage()
{
    ++pages;
    if (failAtPage != 0 && pages == failAtPage)
        return false;
    log.append(QStringLiteral("page"));
    return true;
}

bool FakePrinter::end()
{
    log.append(QStringLiteral("end"));
    return true;
}

void FakePrinter::setFont(const PrintFont& font)
{
    QString style;
    if (font.bold)
        style += u'b';
    if (font.italic)
        style += u'i';
    if (font.underline)
        style += u'u';
    log.append(QStringLiteral("font %1 %2 %3%4").arg(font.name).arg(font.size).arg(style.isEmpty() ? QString() : style + u' ', rgbText(font.rgb)));
}

void FakePrinter::setPen(PrintPen style, int width, std::uint32_t rgb)
{
    log.append(QStringLiteral("pen %1 %2 %3").arg(int(style)).arg(width).arg(rgbText(rgb)));
}

void FakePrinter::drawText(int x, int y, const QString& text)
{
    log.append(QStringLiteral("text %1 %2 %3").arg(x).arg(y).arg(text));
}

void FakePrinter::drawLine(int x1, int y1, int x2, int y2)
{
    log.append(QStringLiteral("line %1 %2 %3 %4").arg(x1).arg(y1).arg(x2).arg(y2));
}

QStringList FakePrinter::calls(const QString& word) const
{
    QStringList found;
    for (const QString& line : log)
        if (line == word || line.startsWith(word + u' '))
            found.append(line);
    return found;
}

} // namespace platform

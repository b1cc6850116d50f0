#include "platform/fake/FakePlatform.h"

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
    calls.append(program + u' ' + arguments.join(u' '));
    return true;
}

bool FakeShell::openDocument(const QString& path)
{
    calls.append(QStringLiteral("open ") + path);
    return true;
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

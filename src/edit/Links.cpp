#include "edit/Links.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

namespace edit {

namespace {

/// Without characters of code 32 or below at either end (kind marks included).
QString trimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QStringList SplitCommandLine(const QString& line)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool any = false;
    for (const QChar ch : line) {
        if (ch == u'"') {
            quoted = !quoted;
            any = true;
        } else if (ch == u' ' && !quoted) {
            if (any)
                arguments.append(current);
            current.clear();
            any = false;
        } else {
            current += ch;
            any = true;
        }
    }
    if (any)
        arguments.append(current);
    return arguments;
}

void RunLinks(App& app)
{
    const core::CellBlock s = app.grid.selection;
    const int n = (s.right - s.left + 1) * (s.bottom - s.top + 1);
    if (n > 10) {
        platform::Message question;
        question.icon = platform::Icon::Warning;
        question.text = QStringLiteral("Mavix:\r\n選択したセルが10個以上あり、メモリ不足になる\r\n"
                                       "可能性がありますが、リンクを実行しますか？");
        question.buttons = platform::Buttons::YesNo;
        if (app.ui().message(question) != platform::Answer::Yes)
            return;
    }
    for (int r = s.top; r <= s.bottom; ++r)
        for (int c = s.left; c <= s.right; ++c) {
            const QString t = trimControls(app.sheet.CellText[c][r]);
            if (t.isEmpty())
                continue;
            core::ShowStatus(app, core::CellName(c, r) + u':' + t + QStringLiteral(" リンク."));
            if (!RunLink(app, t, n))
                return;
        }
}

bool RunLink(App& app, const QString& t, int n)
{
    platform::Shell& shell = app.shell();
    // The file or program part: up to the first blank, or inside the leading quotes.
    QString s = t;
    QChar sep = u' ';
    qsizetype skip = 0;
    if (s.startsWith(u'"')) {
        s.remove(0, 1);
        sep = u'"';
        skip = 1;
    }
    const qsizetype cut = s.indexOf(sep);
    QString rest;
    if (cut >= 0) {
        rest = t.mid(skip + cut + 1).trimmed();
        s.truncate(cut);
    }
    QString program;
    platform::LinkTarget target = shell.linkTarget(s, program);
    // A name ending in .exe is a program whatever this system knows of it.
    if (s.endsWith(u".exe", Qt::CaseInsensitive) && target != platform::LinkTarget::Program) {
        target = platform::LinkTarget::Program;
        program = s;
    }
    bool ok = false;
    switch (target) {
    case platform::LinkTarget::Program: ok = shell.run(program, SplitCommandLine(rest)); break;
    // The program that worksheets open with gets the whole text: the file and its cell.
    case platform::LinkTarget::Worksheet: ok = shell.run(program, SplitCommandLine(t)); break;
    case platform::LinkTarget::Document: ok = shell.openDocument(s); break;
    case platform::LinkTarget::None: ok = shell.openDocument(t); break;
    }
    if (ok)
        return true;
    const QString m = shell.lastError() + QStringLiteral("\r\n") + t + QStringLiteral(" リンク失敗.");
    core::ShowStatus(app, m);
    if (n < 2)
        return false;
    platform::Message question;
    question.icon = platform::Icon::Error;
    question.text = QStringLiteral("Mavix:\r\n") + m + QStringLiteral("\r\n")
                    + QStringLiteral("次のリンクを実行しますか？");
    question.buttons = platform::Buttons::YesNo;
    return app.ui().message(question) == platform::Answer::Yes;
}

} // namespace edit

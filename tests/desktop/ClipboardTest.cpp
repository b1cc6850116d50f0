// The real desktop clipboard: between two running programs, and with other programs (xclip).
#include "calc/Recalc.h"
#include "commands/Commands.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtClipboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using commands::CommandId;

class ClipboardTest : public ::testing::Test {
protected:
    ClipboardTest()
    {
        services = fakes.services();
        services.clipboard = &clipboard;
        app = std::make_unique<App>(services);
        core::ResetSheetState(*app);
    }
    void enter(int c, int r, const QString& text)
    {
        app->grid.col = c;
        app->grid.row = r;
        edit::CommitEntry(*app, text);
    }
    void select(int left, int top, int right, int bottom)
    {
        app->grid.col = left;
        app->grid.row = top;
        app->grid.selection = core::CellBlock{left, right, top, bottom};
    }
    void pasteAt(int c, int r)
    {
        select(c, r, c, r);
        commands::RunCommand(*app, CommandId::Paste);
    }
    const QString& cell(int c, int r) const { return app->sheet.CellText[c][r]; }
    /// The copy command as a user's key press runs it: the X server time that the clipboard
    /// claim carries is the time of that key press, later than the claims of the programs
    /// that copied before. A window's property change gives this program that time here.
    void copy()
    {
        static QWidget* window = [] {
            auto* w = new QWidget;
            w->resize(10, 10);
            w->show();
            return w;
        }();
        window->setWindowTitle(QString::number(++m_titles));
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        commands::RunCommand(*app, CommandId::Copy);
    }

    /// Runs a program to its end while this one keeps answering for the clipboard.
    static QByteArray runWhileServing(const QString& program, const QStringList& arguments,
                                      const QByteArray& input = {})
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForStarted()) << program.toStdString();
        process.write(input);
        process.closeWriteChannel();
        QElapsedTimer waited;
        waited.start();
        while (process.state() != QProcess::NotRunning && waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            process.waitForFinished(10);
        }
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return process.readAllStandardOutput();
    }
    /// Waits until the clipboard shows the text another program put there.
    void waitForClipboardText(const QString& text)
    {
        QElapsedTimer waited;
        waited.start();
        while (clipboard.text() != text && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_EQ(clipboard.text(), text);
    }

    platform::FakePlatform fakes;
    platform::QtClipboard clipboard;
    platform::Services services;
    std::unique_ptr<App> app;

private:
    int m_titles = 0;
};

TEST_F(ClipboardTest, ACopyInASecondRunningProgramIsATextPasteHere)
{
    QProcess peer;
    peer.start(QStringLiteral(MAVIX_CLIP_PEER), {u"=1+1"_s, u"x"_s});
    ASSERT_TRUE(peer.waitForReadyRead(10000));
    ASSERT_EQ(peer.readLine().trimmed(), "copied");
    waitForClipboardText(u"         2\tx\r\n"_s);
    pasteAt(3, 3);
    // Its shown texts arrive as typed; its formula stays behind.
    EXPECT_EQ(cell(3, 3), u"\t         2");
    EXPECT_EQ(cell(4, 3), u"\bx");
    EXPECT_EQ(fakes.ui.lastStatus(), u"貼り付け処理終了.");
    peer.closeWriteChannel();
    EXPECT_TRUE(peer.waitForFinished(5000));

    // A copy made here comes back as an internal paste: the formula follows.
    enter(1, 1, u"5"_s);
    enter(2, 1, u"=A1*2"_s);
    select(2, 1, 2, 1);
    copy();
    pasteAt(2, 7);
    EXPECT_EQ(cell(2, 7), u"=A7*2");
}

TEST_F(ClipboardTest, TextCopiedByAnotherProgramPastesInWithEitherLineEnd)
{
    for (const QByteArray& clip : {QByteArray("1\t2\n3\t4\n"), QByteArray("1\t2\r\n3\t4\r\n")}) {
        SCOPED_TRACE(clip.toStdString());
        runWhileServing(u"xclip"_s, {u"-selection"_s, u"clipboard"_s, u"-i"_s}, clip);
        waitForClipboardText(QString::fromLatin1(clip));
        EXPECT_TRUE(clipboard.marker().isEmpty());
        pasteAt(1, 10);
        EXPECT_EQ(cell(1, 10), u"\t1");
        EXPECT_EQ(cell(2, 10), u"\t2");
        EXPECT_EQ(cell(1, 11), u"\t3");
        EXPECT_EQ(cell(2, 11), u"\t4");
        EXPECT_TRUE(cell(1, 12).isEmpty());
        core::ClearCells(*app, true);
    }
}

TEST_F(ClipboardTest, ACopyHerePastesIntoOtherProgramsAsTabSeparatedLines)
{
    enter(1, 1, u"a"_s);
    enter(2, 1, u"東京"_s);
    enter(1, 2, u"c"_s);
    enter(2, 2, u"d"_s);
    select(1, 1, 2, 2);
    copy();
    const QByteArray out =
        runWhileServing(u"xclip"_s, {u"-selection"_s, u"clipboard"_s, u"-o"_s});
    EXPECT_EQ(QString::fromUtf8(out), u"a\t東京\r\nc\td\r\n");
}

} // namespace

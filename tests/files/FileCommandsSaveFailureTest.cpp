#include "ChildProcess.h"
#include "WorksheetFixture.h"

#include "files/FileCommands.h"
#include "files/WorksheetWriter.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

class FileCommandsSaveFailureTest : public WorksheetFixture {
protected:
    FileCommandsSaveFailureTest()
    {
        target = path("book.mvx");
        put(1, 1, u"\bprevious");
        EXPECT_TRUE(files::WriteWorksheet(app, target, 1, 1, 1, 1).ok());
        previous = readBytes(target);
        sheet.FileName = target;
    }
    /// A sheet whose file is far larger than the previous one.
    void fillLarge(int rows)
    {
        sheet.SheetRows = rows;
        core::ResizeSheet(app);
        for (int c = 1; c <= 26; ++c)
            for (int r = 1; r <= rows; ++r)
                sheet.CellText[c][r] = u"\bnew text "_s + QString::number(r);
        core::RescanExtent(app);
        sheet.Modified = true;
    }
    /// Whether the process has a file of the test folder open for writing (the temporary
    /// file of a save, which has no name in the folder until it is complete).
    bool writingInFolder(pid_t pid) const
    {
        const QString fds = u"/proc/"_s + QString::number(pid) + u"/fd"_s;
        for (const QString& fd :
             QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            char link[4096];
            const QByteArray name = QFile::encodeName(fds + u'/' + fd);
            const ssize_t n = ::readlink(name.constData(), link, sizeof link - 1);
            if (n <= 0)
                continue;
            const QString open = QFile::decodeName(QByteArray(link, n));
            if (open.startsWith(dir.path() + u'/') && open != target)
                return true;
        }
        return false;
    }
    QStringList filesInFolder() const { return QDir(dir.path()).entryList(QDir::Files); }

    QString target;
    QByteArray previous;
};

TEST_F(FileCommandsSaveFailureTest, WriteFailingMidwayLeavesThePreviousFile)
{
    fillLarge(2000);
    const int status = runInChild([&] {
        // The file size limit makes the write fail after 64 KiB, as a full disk would.
        const rlimit limit{64 * 1024, 64 * 1024};
        std::signal(SIGXFSZ, SIG_IGN);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 10;
        if (files::SaveCommand(app, false))
            return 1;
        const bool reported = !fakes.ui.messages.empty()
                              && fakes.ui.messages.back().icon == platform::Icon::Error
                              && fakes.ui.messages.back().text.startsWith(target);
        return reported && sheet.Modified && sheet.FileName == target ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readBytes(target), previous);
    EXPECT_EQ(filesInFolder(), QStringList{u"book.mvx"_s}); // no temporary file left behind
}

TEST_F(FileCommandsSaveFailureTest, KilledSaveLeavesEitherTheOldOrTheNewFile)
{
    fillLarge(3000);
    const QString reference = path("reference.mvx");
    ASSERT_TRUE(files::WriteWorksheet(app, reference, 1, 26, 1, 3000).ok());
    const QByteArray complete = readBytes(reference);
    ASSERT_TRUE(QFile::remove(reference));

    int killedWhileWriting = 0;
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (;;)
                files::SaveCommand(app, false);
        }
        // Even rounds wait until the child writes its temporary file; odd rounds kill it
        // at some other moment.
        for (int polls = 0; polls < 200000; ++polls) {
            if (round % 2 == 0 ? writingInFolder(pid) : polls == 300 * round)
                break;
            ::usleep(20);
        }
        ::kill(pid, SIGSTOP);
        ::waitpid(pid, nullptr, WUNTRACED);
        killedWhileWriting += writingInFolder(pid) ? 1 : 0;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const QByteArray now = readBytes(target);
        EXPECT_TRUE(now == previous || now == complete) << "size " << now.size();
    }
    EXPECT_GT(killedWhileWriting, 0);
    EXPECT_EQ(filesInFolder(), QStringList{u"book.mvx"_s});
}

} // namespace

#include "ChildProcess.h"
#include "WorksheetFixture.h"

#include "files/Access.h"
#include "files/FileCommands.h"
#include "files/WorksheetWriter.h"
#include "platform/qt/PosixFileHold.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

/// Another process that holds the file, as a second instance of the program would, until
/// it is told to let go.
class HoldingProcess {
public:
    explicit HoldingProcess(const QString& path)
    {
        int ready[2], go[2];
        if (::pipe(ready) != 0 || ::pipe(go) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::close(go[1]);
            platform::PosixFileHold hold;
            hold.hold(path);
            const char state = hold.isHolding() ? 'y' : 'n';
            ::write(ready[1], &state, 1);
            char c;
            ::read(go[0], &c, 1); // returns when the parent closes its end
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(go[0]);
        m_go = go[1];
        char state = 'n';
        m_holding = ::read(ready[0], &state, 1) == 1 && state == 'y';
        ::close(ready[0]);
    }
    ~HoldingProcess() { stop(); }
    bool holding() const { return m_holding; }
    void stop()
    {
        if (m_pid <= 0)
            return;
        ::close(m_go);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_go = -1;
    bool m_holding = false;
};

class FileHoldTest : public WorksheetFixture {
protected:
    FileHoldTest()
    {
        app.services.fileHold = &hold;
        file = path("held.mvx");
        put(1, 1, u"\bsaved");
        EXPECT_TRUE(files::WriteWorksheet(app, file, 1, 1, 1, 1).ok());
        put(1, 1, QString());
    }
    static bool checkInOtherProcess(const QString& target, bool forWrite)
    {
        return runInChild([&] {
                   platform::PosixFileHold other;
                   return other.tryAccess(target, forWrite) ? 0 : 1;
               }) == 0;
    }

    platform::PosixFileHold hold;
    QString file;
};

TEST_F(FileHoldTest, HoldOfAnotherProcessFailsBothTrialOpens)
{
    HoldingProcess other(file);
    ASSERT_TRUE(other.holding());
    EXPECT_FALSE(hold.tryAccess(file, false));
    EXPECT_FALSE(hold.tryAccess(file, true));
    other.stop();
    EXPECT_TRUE(hold.tryAccess(file, false));
    EXPECT_TRUE(hold.tryAccess(file, true));
}

TEST_F(FileHoldTest, SecondInstanceOpensReadOnlyAndCannotSave)
{
    HoldingProcess firstInstance(file);
    ASSERT_TRUE(firstInstance.holding());
    const QByteArray before = readBytes(file);
    fakes.ui.answers = {platform::Answer::Yes};
    ASSERT_TRUE(files::OpenWorksheet(app, file));
    ASSERT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(fakes.ui.messages[0].text,
              file + u" は書き込めません。\r\n（アクセス権、読み取り専用、使用中 など）\r\n"
                     u"読み取り専用で開きますか？"_s);
    EXPECT_EQ(text(1, 1), u"\bsaved");
    EXPECT_EQ(fakes.ui.windowTitle, u"Mavix - "_s + file + u" [読み取り専用]"_s);
    EXPECT_FALSE(hold.isHolding()); // a read-only copy blocks nobody

    sheet.Modified = true;
    EXPECT_FALSE(files::SaveCommand(app, false));
    EXPECT_EQ(fakes.ui.messages.back().text,
              u"held.mvx は読み取り専用です。\r\n別の名前で保存してください。");
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(FileHoldTest, OwnHoldPassesOwnChecksAndBlocksOthers)
{
    ASSERT_TRUE(files::OpenWorksheet(app, file));
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_TRUE(hold.isHolding());
    EXPECT_FALSE(checkInOtherProcess(file, false));
    EXPECT_FALSE(checkInOtherProcess(file, true));

    // The program's own save passes its check, and holds the new file afterwards.
    put(1, 1, u"\bagain");
    sheet.Modified = true;
    EXPECT_TRUE(files::SaveCommand(app, false));
    EXPECT_TRUE(hold.isHolding());
    EXPECT_FALSE(checkInOtherProcess(file, true));
    files::ReleaseFile(app);
    EXPECT_TRUE(checkInOtherProcess(file, true));
}

TEST_F(FileHoldTest, ReadOnlyAttributeFailsOpenAndSaveChecks)
{
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0444), 0);
    EXPECT_FALSE(hold.tryAccess(file, false));
    EXPECT_FALSE(hold.tryAccess(file, true));

    fakes.ui.answers = {platform::Answer::Cancel};
    EXPECT_FALSE(files::OpenWorksheet(app, file));
    EXPECT_EQ(fakes.ui.messages.size(), 1u);
    EXPECT_EQ(text(1, 1), u"");

    put(1, 1, u"\bnew");
    fakes.fileDialogs.saveAnswers.push_back(platform::SaveChoice{file, 1, true});
    EXPECT_FALSE(files::SaveCommand(app, true));
    EXPECT_EQ(fakes.ui.messages.back().text, file + u" はアクセス権が無いので書き込めません。"_s);
    EXPECT_EQ(fileLines(file)[fileLines(file).indexOf(u"Data"_s) + 1], u"\bsaved");
}

TEST_F(FileHoldTest, MissingRightsOfAnotherUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs to switch to another user";
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString shared = path("shared.mvx");
    ASSERT_TRUE(files::WriteFileSafely(shared, "x").ok());
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0666), 0);
    const int status = runInChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            return 10;
        platform::PosixFileHold other;
        int failures = 0;
        failures |= other.tryAccess(file, false) ? 1 : 0;                  // owner-only file
        failures |= other.tryAccess(path("new.mvx"), true) ? 2 : 0;        // folder not ours
        failures |= !other.tryAccess(shared, false) ? 4 : 0;               // open to all
        return failures;
    });
    EXPECT_EQ(status, 0);
}

TEST_F(FileHoldTest, TrialOpensNeitherTruncateNorCreate)
{
    const QByteArray before = readBytes(file);
    EXPECT_TRUE(hold.tryAccess(file, true));
    EXPECT_EQ(readBytes(file), before);
    const QString fresh = path("fresh.mvx");
    EXPECT_TRUE(hold.tryAccess(fresh, true));
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_FALSE(hold.tryAccess(fresh, false));
    EXPECT_FALSE(hold.tryAccess(path("no/such/folder.mvx"), true));
    EXPECT_FALSE(hold.tryAccess(dir.path(), false)); // a folder is not a file
}

const QString NoHoldNote = u"このファイルシステムではファイルを保護できません."_s;

/// The instance under test on a file system that refuses some lock requests with one error
/// (EINVAL, ENOLCK or EOPNOTSUPP); the other requests reach the real fcntl.
class FileHoldFallbackTest : public FileHoldTest, public ::testing::WithParamInterface<int> {
protected:
    FileHoldFallbackTest() { app.services.fileHold = &limited; }

    void refuse(std::initializer_list<int> commands) { refused = commands; }

    std::vector<int> refused;
    platform::PosixFileHold limited{[this](int fd, int command, flock* lock) {
        if (std::find(refused.begin(), refused.end(), command) != refused.end()) {
            errno = GetParam();
            return -1;
        }
        return ::fcntl(fd, command, lock);
    }};
};

TEST_P(FileHoldFallbackTest, ClassicLocksStandInForMissingOpenFileLocks)
{
    refuse({F_OFD_GETLK, F_OFD_SETLK});
    EXPECT_TRUE(limited.tryAccess(file, false));
    EXPECT_TRUE(limited.tryAccess(file, true));

    ASSERT_TRUE(files::OpenWorksheet(app, file));
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_TRUE(limited.isHolding());
    EXPECT_EQ(fakes.ui.lastStatus(), u"データ読み込み終了.");
    EXPECT_FALSE(checkInOtherProcess(file, false)); // a second instance is asked
    files::ReleaseFile(app);

    // The stand-in still sees the hold of another instance.
    HoldingProcess other(file);
    ASSERT_TRUE(other.holding());
    EXPECT_FALSE(limited.tryAccess(file, false));
    EXPECT_FALSE(limited.tryAccess(file, true));
}

TEST_P(FileHoldFallbackTest, WithoutLocksFilesOpenAndSaveAndTheStatusSaysSo)
{
    refuse({F_OFD_GETLK, F_OFD_SETLK, F_GETLK, F_SETLK});
    EXPECT_TRUE(limited.tryAccess(file, false));
    EXPECT_TRUE(limited.tryAccess(file, true));

    ASSERT_TRUE(files::OpenWorksheet(app, file));
    EXPECT_TRUE(fakes.ui.messages.empty()); // no read-only question
    EXPECT_EQ(text(1, 1), u"\bsaved");
    EXPECT_FALSE(limited.isHolding());
    EXPECT_EQ(fakes.ui.lastStatus(), NoHoldNote);

    put(1, 1, u"\bchanged");
    sheet.Modified = true;
    EXPECT_TRUE(files::SaveCommand(app, false));
    EXPECT_TRUE(fakes.ui.messages.empty());
    EXPECT_EQ(fileLines(file)[fileLines(file).indexOf(u"Data"_s) + 1], u"\bchanged");
    EXPECT_EQ(fakes.ui.lastStatus(), NoHoldNote);

    const QString csv = path("list.csv");
    ASSERT_TRUE(files::WriteFileSafely(csv, "1,2\r\n").ok());
    files::OpenFile(app, csv);
    EXPECT_EQ(sheet.FileName, csv);
    EXPECT_EQ(fakes.ui.lastStatus(), NoHoldNote);
}

TEST_P(FileHoldFallbackTest, FileOpenedReadOnlyIsNotHeldAndGetsNoNote)
{
    refuse({F_OFD_GETLK, F_OFD_SETLK, F_GETLK, F_SETLK});
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0444), 0);
    fakes.ui.answers = {platform::Answer::Yes};
    ASSERT_TRUE(files::OpenWorksheet(app, file));
    EXPECT_TRUE(sheet.ReadOnly);
    EXPECT_EQ(fakes.ui.lastStatus(), u"データ読み込み終了.");
    EXPECT_FALSE(fakes.ui.statuses.contains(NoHoldNote));
}

INSTANTIATE_TEST_SUITE_P(Errors, FileHoldFallbackTest,
                         ::testing::Values(EINVAL, ENOLCK, EOPNOTSUPP),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(strerrorname_np(info.param));
                         });

} // namespace

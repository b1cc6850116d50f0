#include "files/Fields.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using files::TextEncoding;

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    TextEncoding encoding;
    QStringList lines;
};

QByteArray utf16le(const QString& text, bool bom = true)
{
    return (bom ? QByteArray("\xFF\xFE", 2) : QByteArray())
           + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
}

TEST(TextFileTest, DecodesByMarkOrContentAndSplitsAnyLineEnd)
{
    const QString tokyo = QStringLiteral("東京");
    const DecodeCase cases[] = {
        {"utf16le", utf16le(QStringLiteral("a\r\n東京\r\n")), TextEncoding::Utf16LE,
         {QStringLiteral("a"), tokyo}},
        {"utf16be",
         QByteArray("\xFE\xFF", 2) + QStringEncoder(QStringEncoder::Utf16BE).encode(u"x\ny"_s),
         TextEncoding::Utf16BE, {QStringLiteral("x"), QStringLiteral("y")}},
        {"utf8 bom", QByteArray("\xEF\xBB\xBF") + tokyo.toUtf8() + "\rb", TextEncoding::Utf8,
         {tokyo, QStringLiteral("b")}},
        {"utf8 plain", tokyo.toUtf8() + "\n\nz", TextEncoding::Utf8,
         {tokyo, QString(), QStringLiteral("z")}},
        // Shift_JIS bytes of 東京 and the Windows-31J extension ① (87 40).
        {"cp932", QByteArray("\x93\x8C\x8B\x9E,\x87\x40\r\n"), TextEncoding::Ansi,
         {QStringLiteral("東京,①")}},
        {"mixed ends", QByteArray("1\r\n2\r3\n4\r\n\r\n"), TextEncoding::Utf8,
         {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
          QString()}},
        {"empty", QByteArray(), TextEncoding::Utf8, {}},
    };
    for (const DecodeCase& k : cases) {
        SCOPED_TRACE(k.name);
        TextEncoding detected = TextEncoding::Ansi;
        EXPECT_EQ(files::DecodeTextLines(k.bytes, &detected), k.lines);
        EXPECT_EQ(detected, k.encoding);
    }
}

/// Writes the bytes to a file in the folder; returns its path.
QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(TextFileTest, LargeFilesReadTheSameInPieces)
{
    // A large file is read in pieces of 256 KiB: line ends (CR LF too) and multi-byte
    // characters fall across their edges in many places.
    QStringList lines{QString(256 * 1024 - 1, u'x')};
    QByteArray utf8 = lines[0].toUtf8() + "\r\n";
    const char* const ends[] = {"\r\n", "\n", "\r"};
    for (int k = 1; k < 1500; ++k) {
        QString line;
        for (int i = 0; i < (k * 7919) % 1700; ++i)
            line += (i + k) % 5 == 0 ? u'東' : QChar(u'a' + (i + k) % 26);
        lines << line;
        utf8 += line.toUtf8() + ends[k % 3];
    }
    lines << u"last"_s;
    utf8 += "last";
    QTemporaryDir dir;
    const auto read = files::ReadTextLines(writeBytes(dir, u"big.csv"_s, utf8));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), lines);

    // One byte that is not UTF-8 at the very end makes the whole file Windows-31J.
    const QByteArray ansi = QByteArray(600 * 1024, 'a') + "\r\n\x93\x8C\x8B\x9E\r\n";
    const auto readAnsi = files::ReadTextLines(writeBytes(dir, u"ansi.csv"_s, ansi));
    ASSERT_TRUE(readAnsi.ok());
    EXPECT_EQ(readAnsi.value(), (QStringList{QString(600 * 1024, u'a'), u"東京"_s}));
}

TEST(TextFileTest, EncodesUnicodeWithMarkAndAnsiWithout)
{
    const QStringList lines{QStringLiteral("東京"), QString()};
    EXPECT_EQ(files::EncodeTextLines(lines, true), utf16le(QStringLiteral("東京\r\n\r\n")));
    EXPECT_EQ(files::EncodeTextLines(lines, false), QByteArray("\x93\x8C\x8B\x9E\r\n\r\n"));
    bool lossless = true;
    EXPECT_EQ(files::EncodeAnsi(QStringLiteral("a😀"), &lossless), QByteArray("a?"));
    EXPECT_FALSE(lossless);
}

struct SplitCase {
    const char16_t* line;
    QStringList fields;
};

TEST(TextFileTest, SplitFieldsHonoursQuotesAndTrailingComma)
{
    const SplitCase cases[] = {
        {u"", {QString()}},
        {u"a,b", {u"a"_s, u"b"_s}},
        {u"a,", {u"a"_s, QString()}},
        {u",", {QString(), QString()}},
        {u"\"x,y\",z", {u"x,y"_s, u"z"_s}},
        {u"\"say \"\"hi\"\"\"", {u"say \"hi\""_s}},
        {u"\"q\",", {u"q"_s, QString()}},
        {u"\"open", {u"open"_s}},
        {u"\"ab\"cd,e", {u"ab"_s, u"cd"_s, u"e"_s}},
        {u"a\"b\",c", {u"a\"b\""_s, u"c"_s}},
    };
    for (const SplitCase& k : cases) {
        SCOPED_TRACE(QString::fromUtf16(k.line).toStdString());
        EXPECT_EQ(files::SplitFields(QString::fromUtf16(k.line)), k.fields);
    }
}

TEST(TextFileTest, NumericFieldsTrimAndDefault)
{
    EXPECT_EQ(files::FieldInt(u" 42 "), 42);
    EXPECT_EQ(files::FieldInt(u"-3"), -3);
    EXPECT_EQ(files::FieldInt(u"4.5"), 0);
    EXPECT_EQ(files::FieldInt(u"abc"), 0);
    EXPECT_EQ(files::FieldInt(u""), 0);
    EXPECT_TRUE(files::FieldBool(u"-1"));
    EXPECT_TRUE(files::FieldBool(u" 2 "));
    EXPECT_TRUE(files::FieldBool(u"tRuE"));
    EXPECT_FALSE(files::FieldBool(u"0"));
    EXPECT_FALSE(files::FieldBool(u"False"));
    EXPECT_FALSE(files::FieldBool(u"yes"));
}

TEST(TextFileTest, WorksheetQuotingRoundTripsThroughSplitFields)
{
    const QStringList texts{u"plain"_s, u"\ba,\"b\""_s, u"\"lead"_s, u"two\r\nlines"_s,
                            u"ends,"_s, QString(), u"say \"x\""_s};
    QStringList quoted;
    for (const QString& t : texts)
        quoted << files::QuoteWorksheetText(t);
    EXPECT_EQ(quoted[0], u"plain");
    EXPECT_EQ(quoted[1], u"\"\ba,\u0007b\u0007\"");
    EXPECT_EQ(quoted[6], u"say \"x\""); // a quote without a comma stays as it is
    QStringList back = files::SplitFields(quoted.join(u','));
    for (QString& f : back)
        files::RestoreWorksheetText(f);
    EXPECT_EQ(back, texts);
}

TEST(TextFileTest, WriteFileSafelyReplacesAndKeepsPermissions)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("t.mvx"));
    ASSERT_TRUE(files::WriteFileSafely(target, "old").ok());
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(files::WriteFileSafely(target, "new contents").ok());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new contents");
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"t.mvx"_s});
}

TEST(TextFileTest, WriteFileSafelyIntoMissingFolderFailsWithReason)
{
    QTemporaryDir dir;
    const auto result = files::WriteFileSafely(dir.filePath(u"none/t.mvx"_s), "x");
    ASSERT_FALSE(result.ok());
    EXPECT_FALSE(result.error().detail.isEmpty());
}

} // namespace

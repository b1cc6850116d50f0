#include "files/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace files {

namespace {

// Windows-31J is served by ICU in Qt; "Shift_JIS" is the fallback name.
const char* ansiName()
{
    static const char* name = [] {
        for (const char* candidate : {"windows-31j", "cp932", "Shift_JIS"}) {
            QStringDecoder probe(candidate);
            if (probe.isValid())
                return candidate;
        }
        return "Shift_JIS";
    }();
    return name;
}

/// Makes a rename in the folder durable; errors are ignored (the data itself is synced).
void syncFolderOf(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

/// Lines ending at CR LF, CR or LF in data[from..to); a final line end adds no empty line.
template <typename Char> qsizetype countLines(const Char* data, qsizetype from, qsizetype to)
{
    qsizetype count = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (data[i] == Char('\r') || data[i] == Char('\n')) {
            ++count;
            if (data[i] == Char('\r') && i + 1 < to && data[i + 1] == Char('\n'))
                ++i;
        } else if (i + 1 == to) {
            ++count;
        }
    }
    return count;
}

/// The end of the line that starts at `from`, and where the next line starts.
template <typename Char>
std::pair<qsizetype, qsizetype> lineEnd(const Char* data, qsizetype from, qsizetype to)
{
    qsizetype i = from;
    while (i < to && data[i] != Char('\r') && data[i] != Char('\n'))
        ++i;
    qsizetype next = i + 1;
    if (i < to && data[i] == Char('\r') && next < to && data[next] == Char('\n'))
        ++next;
    return {i, next};
}

} // namespace

TextLines::TextLines(QByteArray bytes)
{
    const QByteArrayView bom8("\xEF\xBB\xBF");
    if (bytes.startsWith("\xFF\xFE")) {
        m_encoding = TextEncoding::Utf16LE;
        m_text = QStringDecoder(QStringDecoder::Utf16LE).decode(QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        m_encoding = TextEncoding::Utf16BE;
        m_text = QStringDecoder(QStringDecoder::Utf16BE).decode(QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith(bom8)) {
        m_encoding = TextEncoding::Utf8;
        const QByteArrayView rest = QByteArrayView(bytes).sliced(3);
        // The decoder drops a second mark right after the first, and stands in for invalid
        // bytes: both only when the whole text is decoded at once.
        if (rest.isValidUtf8() && !rest.startsWith(bom8)) {
            m_bytes = std::move(bytes);
            m_pos = 3;
        } else {
            m_text = QStringDecoder(QStringDecoder::Utf8).decode(rest);
        }
    } else if (QByteArrayView(bytes).isValidUtf8()) {
        m_encoding = TextEncoding::Utf8;
        m_bytes = std::move(bytes);
    } else {
        m_text = DecodeAnsi(bytes);
    }
    m_whole = m_bytes.isEmpty();
    if (!m_whole) {
        m_end = m_bytes.size();
        m_count = countLines(m_bytes.constData(), m_pos, m_end);
    } else {
        m_end = m_text.size();
        m_count = countLines(m_text.utf16(), 0, m_end);
    }
}

QStringView TextLines::next()
{
    if (atEnd())
        return QStringView();
    if (m_whole) {
        const auto [end, next] = lineEnd(m_text.utf16(), m_pos, m_end);
        const QStringView line = QStringView(m_text).mid(m_pos, end - m_pos);
        m_pos = next;
        return line;
    }
    const auto [end, next] = lineEnd(m_bytes.constData(), m_pos, m_end);
    const QByteArrayView bytes = QByteArrayView(m_bytes).sliced(m_pos, end - m_pos);
    m_pos = next;
    // Valid UTF-8 decodes the same in pieces cut at line ends; a mark inside the text stays.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless
                                                     | QStringDecoder::Flag::ConvertInitialBom);
    m_line.resize(decoder.requiredSpace(bytes.size()));
    const QChar* out = decoder.appendToBuffer(m_line.data(), bytes);
    m_line.resize(out - m_line.constData());
    return m_line;
}

QStringList DecodeTextLines(const QByteArray& bytes, TextEncoding* detected)
{
    TextLines text(bytes);
    if (detected)
        *detected = text.encoding();
    QStringList lines;
    lines.reserve(text.count());
    while (!text.atEnd())
        lines.append(text.next().toString());
    return lines;
}

core::Result<QByteArray> ReadFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return core::Error{core::ErrorCode::ReadFailed, 0, file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return core::Error{core::ErrorCode::ReadFailed, 0, file.errorString()};
    return bytes;
}

core::Result<QStringList> ReadTextLines(const QString& path)
{
    core::Result<QByteArray> bytes = ReadFileBytes(path);
    if (!bytes)
        return bytes.error();
    return DecodeTextLines(bytes.value());
}

QByteArray EncodeAnsi(const QString& text, bool* lossless)
{
    QStringEncoder encoder(ansiName(), QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        // The codec's own substitute is a double-byte character; "?" is the convention of
        // the files this program exchanges, so characters are converted one by one.
        bytes.clear();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n =
                text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()
                    ? 2
                    : 1;
            // A fresh encoder each time: the error flag outlives resetState().
            QStringEncoder single(ansiName(), QStringEncoder::Flag::Stateless);
            const QByteArray one = single.encode(QStringView(text).mid(i, n));
            bytes += single.hasError() ? QByteArray("?") : one;
            i += n - 1;
        }
    }
    if (lossless)
        *lossless = DecodeAnsi(bytes) == text;
    return bytes;
}

QString DecodeAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder(ansiName());
    return decoder.decode(bytes);
}

QByteArray EncodeTextLines(const QStringList& lines, bool unicode)
{
    QString text;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    text.reserve(total);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    if (!unicode)
        return EncodeAnsi(text);
    QByteArray bytes("\xFF\xFE", 2);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    else
        bytes += QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    return bytes;
}

core::Result<core::Unit> WriteFileSafely(const QString& path, const QByteArray& bytes)
{
    SafeFileWriter file(path);
    file.write(bytes);
    return file.commit();
}

SafeFileWriter::SafeFileWriter(const QString& path) : m_file(path), m_path(path)
{
    m_open = m_file.open(QIODevice::WriteOnly);
    if (!m_open)
        m_openError = m_file.errorString();
}

void SafeFileWriter::write(QByteArrayView bytes)
{
    if (!m_open || m_failed)
        return;
    m_failed = m_file.write(bytes.data(), bytes.size()) != bytes.size();
}

core::Result<core::Unit> SafeFileWriter::commit()
{
    if (!m_open)
        return core::Error{core::ErrorCode::WriteFailed, 0, m_openError};
    m_open = false;
    if (m_failed || !m_file.flush() || ::fsync(m_file.handle()) != 0) {
        m_file.cancelWriting();
        const QString reason = m_file.errorString();
        m_file.commit();
        return core::Error{core::ErrorCode::WriteFailed, 0, reason};
    }
    if (!m_file.commit())
        return core::Error{core::ErrorCode::WriteFailed, 0, m_file.errorString()};
    syncFolderOf(m_path);
    return core::Unit{};
}

} // namespace files

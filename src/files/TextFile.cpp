#include "files/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

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

/// The text when the bytes are valid UTF-8.
std::optional<QString> decodeStrictUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
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

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    const QChar* data = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = data[i];
        if (ch == u'\r' || ch == u'\n') {
            lines.append(text.mid(start, i - start));
            if (ch == u'\r' && i + 1 < n && data[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

} // namespace

QStringList DecodeTextLines(const QByteArray& bytes, TextEncoding* detected)
{
    TextEncoding encoding = TextEncoding::Ansi;
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        encoding = TextEncoding::Utf16LE;
        text = QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding = TextEncoding::Utf16BE;
        text = QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding = TextEncoding::Utf8;
        text = QStringDecoder(QStringDecoder::Utf8).decode(bytes.mid(3));
    } else if (std::optional<QString> utf8 = decodeStrictUtf8(bytes)) {
        encoding = TextEncoding::Utf8;
        text = std::move(*utf8);
    } else {
        text = DecodeAnsi(bytes);
    }
    if (detected)
        *detected = encoding;
    return splitLines(text);
}

core::Result<QStringList> ReadTextLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return core::Error{core::ErrorCode::ReadFailed, 0, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return core::Error{core::ErrorCode::ReadFailed, 0, file.errorString()};
    return DecodeTextLines(bytes);
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

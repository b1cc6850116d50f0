#include "files/TextFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QSysInfo>

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

/// Counts the lines of a text given in pieces: lines end at CR LF, CR or LF, and a final line
/// end adds no empty line.
class LineCounter {
public:
    template <typename Char> void add(const Char* data, qsizetype size)
    {
        for (qsizetype i = 0; i < size; ++i) {
            const Char ch = data[i];
            if (ch == Char('\n') && m_afterCr) {
                m_afterCr = false;
                continue;
            }
            m_afterCr = ch == Char('\r');
            if (ch == Char('\r') || ch == Char('\n')) {
                ++m_count;
                m_open = false;
            } else {
                m_open = true;
            }
        }
    }
    qsizetype count() const { return m_count + (m_open ? 1 : 0); }

private:
    qsizetype m_count = 0;
    bool m_open = false; // a line has begun and not ended
    bool m_afterCr = false;
};

/// Checks UTF-8 given in pieces. Valid UTF-8 cut after an ASCII byte is valid on both
/// sides, so each piece is checked up to its last ASCII byte and the rest waits for more.
class Utf8Check {
public:
    void add(QByteArrayView bytes)
    {
        if (!m_valid)
            return;
        m_rest += bytes;
        qsizetype cut = m_rest.size();
        while (cut > 0 && uchar(m_rest[cut - 1]) >= 0x80)
            --cut;
        m_valid = QByteArrayView(m_rest).first(cut).isValidUtf8();
        m_rest.remove(0, cut);
    }
    bool valid() const { return m_valid && QByteArrayView(m_rest).isValidUtf8(); }

private:
    QByteArray m_rest;
    bool m_valid = true;
};

constexpr qsizetype ReadPiece = 256 * 1024;

bool readFailed(const QIODevice& device)
{
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    return file && file->error() != QFileDevice::NoError;
}
const QByteArrayView Utf8Mark("\xEF\xBB\xBF");

} // namespace

TextLines::TextLines(const QByteArray& bytes)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    scan(std::move(buffer), nullptr);
}

core::Result<std::unique_ptr<TextLines>> TextLines::open(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return core::Error{core::ErrorCode::ReadFailed, 0, file->errorString()};
    std::unique_ptr<TextLines> lines(new TextLines);
    QString error;
    if (!lines->scan(std::move(file), &error))
        return core::Error{core::ErrorCode::ReadFailed, 0, error};
    return lines;
}

bool TextLines::scan(std::unique_ptr<QIODevice> device, QString* error)
{
    const auto failed = [&] {
        if (error)
            *error = device->errorString();
        return false;
    };
    QByteArray piece = device->read(ReadPiece);
    const bool utf16 = piece.startsWith("\xFF\xFE") || piece.startsWith("\xFE\xFF");
    qsizetype start = 0;
    if (piece.startsWith(Utf8Mark)) {
        start = 3;
        // The decoder drops a second mark right after the first.
        if (QByteArrayView(piece).sliced(3).startsWith(Utf8Mark))
            start = -1;
    }
    if (!utf16 && start >= 0) {
        Utf8Check check;
        LineCounter counter;
        QByteArrayView part = QByteArrayView(piece).sliced(start);
        while (!part.isEmpty()) {
            check.add(part);
            counter.add(part.data(), part.size());
            piece = device->read(ReadPiece);
            part = piece;
        }
        if (readFailed(*device))
            return failed();
        if (check.valid()) {
            m_encoding = TextEncoding::Utf8;
            m_count = counter.count();
            if (!device->seek(start))
                return failed();
            m_device = std::move(device);
            return true;
        }
    }
    // Any other text is decoded at once, as it stands in for invalid bytes.
    if (!device->seek(0))
        return failed();
    const QByteArray bytes = device->readAll();
    if (readFailed(*device))
        return failed();
    decodeWhole(bytes);
    return true;
}

void TextLines::decodeWhole(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE")) {
        m_encoding = TextEncoding::Utf16LE;
        m_text = QStringDecoder(QStringDecoder::Utf16LE).decode(QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        m_encoding = TextEncoding::Utf16BE;
        m_text = QStringDecoder(QStringDecoder::Utf16BE).decode(QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith(Utf8Mark)) {
        m_encoding = TextEncoding::Utf8;
        m_text = QStringDecoder(QStringDecoder::Utf8).decode(QByteArrayView(bytes).sliced(3));
    } else {
        m_encoding = TextEncoding::Ansi;
        m_text = DecodeAnsi(bytes);
    }
    LineCounter counter;
    counter.add(m_text.utf16(), m_text.size());
    m_count = counter.count();
}

bool TextLines::refill()
{
    if (m_deviceEnd)
        return false;
    m_buffer.remove(0, m_bufferPos);
    m_bufferPos = 0;
    const QByteArray piece = m_device->read(ReadPiece);
    if (piece.isEmpty()) {
        m_deviceEnd = true;
        return false;
    }
    m_buffer += piece;
    return true;
}

QStringView TextLines::next()
{
    if (atEnd())
        return QStringView();
    ++m_taken;
    if (!m_device) {
        const ushort* data = m_text.utf16();
        const qsizetype size = m_text.size();
        qsizetype end = m_textPos;
        while (end < size && data[end] != u'\r' && data[end] != u'\n')
            ++end;
        const QStringView line = QStringView(m_text).mid(m_textPos, end - m_textPos);
        m_textPos = end + 1;
        if (end < size && data[end] == u'\r' && m_textPos < size && data[m_textPos] == u'\n')
            ++m_textPos;
        return line;
    }
    qsizetype end = m_bufferPos;
    for (;;) {
        const char* data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        // A CR at the end of the piece may be the first half of CR LF.
        if (end < size && !(data[end] == '\r' && end + 1 == size && !m_deviceEnd))
            break;
        const qsizetype offset = end - m_bufferPos;
        const bool more = refill(); // moves the line to the front of the buffer
        end = m_bufferPos + offset;
        if (!more)
            break;
    }
    const char* data = m_buffer.constData();
    const qsizetype size = m_buffer.size();
    const QByteArrayView bytes(data + m_bufferPos, end - m_bufferPos);
    m_bufferPos = end + 1;
    if (end < size && data[end] == '\r' && m_bufferPos < size && data[m_bufferPos] == '\n')
        ++m_bufferPos;
    // Valid UTF-8 decodes the same in pieces cut at line ends; a mark inside the text stays.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless
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

core::Result<QStringList> ReadTextLines(const QString& path)
{
    core::Result<std::unique_ptr<TextLines>> text = TextLines::open(path);
    if (!text)
        return text.error();
    TextLines& lines = *text.value();
    QStringList result;
    result.reserve(lines.count());
    while (!lines.atEnd())
        result.append(lines.next().toString());
    return result;
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

SafeFileWriter::SafeFileWriter(const QString& path)
    : m_file(path)
    , m_path(path)
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

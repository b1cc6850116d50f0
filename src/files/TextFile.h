#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

namespace files {

enum class TextEncoding { Utf16LE, Utf16BE, Utf8, Ansi };

/// Decodes a whole file image: a byte-order mark picks UTF-16 LE/BE or UTF-8; without one
/// the bytes are UTF-8 when they are valid UTF-8, else Windows-31J (CP932). Lines end at
/// CR LF, CR or LF; a final line end adds no empty line.
QStringList DecodeTextLines(const QByteArray& bytes, TextEncoding* detected = nullptr);
core::Result<QStringList> ReadTextLines(const QString& path);
/// The whole file's bytes.
core::Result<QByteArray> ReadFileBytes(const QString& path);

/// The lines of a file image as DecodeTextLines finds them, decoded one at a time: UTF-8
/// (the common case) is decoded line by line from the bytes, so the whole text never
/// exists twice.
class TextLines
{
public:
    explicit TextLines(QByteArray bytes);
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    qsizetype count() const { return m_count; }
    TextEncoding encoding() const { return m_encoding; }
    bool atEnd() const { return m_pos >= m_end; }
    /// The next line, valid until the next call; empty at the end.
    QStringView next();

private:
    QByteArray m_bytes; // UTF-8 decoded line by line
    QString m_text;     // any other encoding, decoded at once
    bool m_whole = false;
    QString m_line;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qsizetype m_count = 0;
    TextEncoding m_encoding = TextEncoding::Ansi;
};

/// Windows-31J bytes of the text. `lossless` (optional) tells whether it converts back intact;
/// characters without an ANSI form become "?".
QByteArray EncodeAnsi(const QString& text, bool* lossless = nullptr);
QString DecodeAnsi(const QByteArray& bytes);

/// The lines joined with CR LF (each line ended by one): UTF-16 LE with a byte-order mark,
/// or ANSI without a mark.
QByteArray EncodeTextLines(const QStringList& lines, bool unicode);

/// Writes the bytes so that the previous file survives any failure: a temporary file in
/// the same folder, flushed and synced, then renamed over the target.
core::Result<core::Unit> WriteFileSafely(const QString& path, const QByteArray& bytes);

/// WriteFileSafely in pieces: the pieces go to the temporary file as they come, and commit()
/// flushes, syncs and renames it over the target. Without a commit the target stays as it
/// was.
class SafeFileWriter
{
public:
    explicit SafeFileWriter(const QString& path);
    /// Whether the temporary file could be made; when not, commit() returns why.
    bool isOpen() const { return m_open; }
    void write(QByteArrayView bytes);
    core::Result<core::Unit> commit();

private:
    QSaveFile m_file;
    QString m_path;
    QString m_openError;
    bool m_open = false;
    bool m_failed = false;
};

} // namespace files

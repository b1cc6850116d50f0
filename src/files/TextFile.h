#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace files {

enum class TextEncoding { Utf16LE, Utf16BE, Utf8, Ansi };

/// Decodes a whole file image: a byte-order mark picks UTF-16 LE/BE or UTF-8; without one
/// the bytes are UTF-8 when they are valid UTF-8, else Windows-31J (CP932). Lines end at
/// CR LF, CR or LF; a final line end adds no empty line.
QStringList DecodeTextLines(const QByteArray& bytes, TextEncoding* detected = nullptr);
core::Result<QStringList> ReadTextLines(const QString& path);

/// The lines of a text as DecodeTextLines finds them, decoded one at a time. UTF-8 (the
/// common case) is read in pieces and decoded line by line, so that a large file is never
/// held whole: once to check it and count its lines, once to decode them.
class TextLines {
public:
    explicit TextLines(const QByteArray& bytes);
    /// The lines of the file; a read failure when it cannot be read through.
    static core::Result<std::unique_ptr<TextLines>> open(const QString& path);
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    qsizetype count() const { return m_count; }
    TextEncoding encoding() const { return m_encoding; }
    bool atEnd() const { return m_taken >= m_count; }
    /// The next line, valid until the next call; empty at the end.
    QStringView next();

private:
    TextLines() = default;
    /// Finds the encoding and counts the lines; false (and why) when the device cannot be
    /// read.
    bool scan(std::unique_ptr<QIODevice> device, QString* error);
    void decodeWhole(const QByteArray& bytes);
    /// Reads on from the device into m_buffer; false at its end.
    bool refill();

    std::unique_ptr<QIODevice> m_device; // UTF-8, read in pieces
    QByteArray m_buffer;
    qsizetype m_bufferPos = 0;
    bool m_deviceEnd = false;
    QString m_text; // any other encoding, decoded at once
    qsizetype m_textPos = 0;
    QString m_line;
    qsizetype m_count = 0;
    qsizetype m_taken = 0;
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
class SafeFileWriter {
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

#pragma once

#include "TestFiles.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "files/TextFile.h"
#include "platform/fake/FakePlatform.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

/// A fresh sheet with fake services and a folder for the worksheet files a test writes.
class WorksheetFixture : public ::testing::Test {
protected:
    WorksheetFixture() { core::ResetSheetState(app); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString path(const char* name) const { return path(QString::fromUtf8(name)); }

    /// Writes the lines as our writer does: UTF-16 LE with a byte-order mark, CR LF.
    QString writeLines(const char* name, const QStringList& lines) const
    {
        return writeBytes(name, files::EncodeTextLines(lines, true));
    }
    QString writeBytes(const char* name, const QByteArray& bytes) const
    {
        return testfiles::WriteFile(path(name), bytes);
    }
    static QByteArray readBytes(const QString& path) { return testfiles::ReadFile(path); }
    /// The file's text after the byte-order mark, split at CR LF (the last line end gone).
    static QStringList fileLines(const QString& path)
    {
        const QByteArray bytes = readBytes(path);
        EXPECT_TRUE(bytes.startsWith("\xFF\xFE"));
        QString text = QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
        EXPECT_TRUE(text.endsWith(u"\r\n"));
        text.chop(2);
        return text.split(QStringLiteral("\r\n"));
    }

    /// Stores a text as the sheet store keeps it and widens the used area.
    void put(int c, int r, const QString& stored)
    {
        app.sheet.CellText[c][r] = stored;
        core::RescanExtent(app);
    }
    void put(int c, int r, const char16_t* stored) { put(c, r, QString::fromUtf16(stored)); }
    const QString& text(int c, int r) const { return app.sheet.CellText[c][r]; }

    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::Sheet& sheet = app.sheet;
};

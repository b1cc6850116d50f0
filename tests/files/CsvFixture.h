#pragma once

#include "TestFiles.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "files/Csv.h"
#include "platform/fake/FakePlatform.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

/// A fresh sheet with fake services and a folder for the files a test writes.
class CsvFixture : public ::testing::Test
{
protected:
    CsvFixture() { core::ResetSheetState(app); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        return testfiles::WriteFile(path(name), bytes);
    }
    static QByteArray readFile(const QString& path) { return testfiles::ReadFile(path); }
    static QString testdata(const char* name)
    {
        return QStringLiteral(MAVIX_TESTDATA "/csv/") + QString::fromUtf8(name);
    }
    /// The bytes our Unicode export writes for the text: a byte-order mark and UTF-16 LE.
    static QByteArray utf16(const QString& text)
    {
        return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    }
    /// Opens the CSV text written as UTF-8.
    void openText(const QByteArray& utf8, const QString& name = QStringLiteral("in.csv"))
    {
        files::OpenCsv(app, writeFile(name, utf8));
    }
    const QString& text(int c, int r) const { return app.sheet.CellText[c][r]; }
    const QString& shown(int c, int r) const { return app.sheet.GridText[c][r]; }

    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

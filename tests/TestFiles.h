#pragma once

// Files that tests write and read back, and the worksheets they open.

#include "core/App.h"
#include "core/SheetOps.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QFile>
#include <gtest/gtest.h>

namespace testfiles {

/// Writes the bytes to the path and returns the path.
inline QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

/// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// A worksheet file written by our writer, row 1 holding the stored texts from column A.
inline QString WriteRowWorksheet(const QString& path, const QStringList& row1)
{
    platform::FakePlatform fakes;
    App other{fakes.services()};
    core::ResetSheetState(other);
    for (int c = 1; c <= row1.size(); ++c)
        other.sheet.CellText[c][1] = row1[c - 1];
    core::RescanExtent(other);
    EXPECT_TRUE(files::WriteWorksheet(other, path, 1, other.sheet.LastCol, 1, 1).ok());
    return path;
}

} // namespace testfiles

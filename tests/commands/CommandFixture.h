#pragma once

#include "commands/Commands.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

/// A fresh sheet with fake services, run through the command table as the window runs it.
struct CommandSession {
    CommandSession() { core::ResetSheetState(app); }

    void run(commands::CommandId id) { commands::RunCommand(app, id); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }
    static QByteArray readFile(const QString& name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    /// A worksheet file whose row 1 holds the stored texts from column A.
    QString worksheet(const char* name, const QStringList& row1) const
    {
        platform::FakePlatform otherFakes;
        App other{otherFakes.services()};
        core::ResetSheetState(other);
        for (int c = 1; c <= row1.size(); ++c)
            other.sheet.CellText[c][1] = row1[c - 1];
        core::RescanExtent(other);
        EXPECT_TRUE(files::WriteWorksheet(other, path(name), 1, other.sheet.LastCol, 1, 1).ok());
        return path(name);
    }
    /// Stores a text as the sheet store keeps it and widens the used area.
    void put(int c, int r, const QString& stored)
    {
        app.sheet.CellText[c][r] = stored;
        core::RescanExtent(app);
    }

    /// What a user sees last after a command: a help topic, the window closing, a beep, or
    /// the message panel's text.
    QString lastEffect() const
    {
        if (!fakes.help.calls.isEmpty())
            return QStringLiteral("help ") + fakes.help.calls.last();
        if (fakes.ui.closeRequests > 0)
            return QStringLiteral("close");
        if (fakes.ui.beeps > 0)
            return QStringLiteral("beep");
        return fakes.ui.lastStatus();
    }

    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

class CommandFixture : public ::testing::Test, public CommandSession {};

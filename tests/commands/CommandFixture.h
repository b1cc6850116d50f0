#pragma once

#include "commands/Commands.h"
#include "TestFiles.h"
#include "core/App.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

/// A fresh sheet with fake services, run through the command table as the window runs it.
struct CommandSession {
    CommandSession() { core::ResetSheetState(app); }

    void run(commands::CommandId id) { commands::RunCommand(app, id); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const
    {
        return testfiles::WriteFile(path(name), bytes);
    }
    static QByteArray readFile(const QString& name) { return testfiles::ReadFile(name); }
    /// A worksheet file whose row 1 holds the stored texts from column A.
    QString worksheet(const char* name, const QStringList& row1) const
    {
        return testfiles::WriteRowWorksheet(path(name), row1);
    }
    /// Stores a text as the sheet store keeps it and widens the used area.
    void put(int c, int r, const QString& stored)
    {
        app.sheet.CellText[c][r] = stored;
        core::RescanExtent(app);
    }

    /// What a user sees last after a command: a help topic, the window closing, a beep, the
    /// message panel's text, or else the dialog it opened.
    QString lastEffect() const
    {
        if (!fakes.help.calls.isEmpty())
            return QStringLiteral("help ") + fakes.help.calls.last();
        if (fakes.ui.closeRequests > 0)
            return QStringLiteral("close");
        if (fakes.ui.beeps > 0)
            return QStringLiteral("beep");
        if (fakes.ui.statuses.isEmpty() && !fakes.ui.dialogs.isEmpty())
            return QStringLiteral("dialog ") + fakes.ui.dialogs.last();
        return fakes.ui.lastStatus();
    }

    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
};

class CommandFixture : public ::testing::Test, public CommandSession {};

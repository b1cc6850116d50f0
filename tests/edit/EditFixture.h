#pragma once

#include "core/App.h"
#include "core/Cells.h"
#include "core/SheetOps.h"
#include "edit/EditorKeys.h"
#include "edit/Entry.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace edittest {

/// A fresh sheet with fake services, and the user's way of typing into it.
class EditFixture : public ::testing::Test
{
protected:
    EditFixture() { core::ResetSheetState(app); }

    /// Moves to (c, r), types text as the editor would hold it and presses the key.
    edit::KeyResult type(int c, int r, const QString& text, edit::Key key = edit::Key::Enter,
                         Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        edit::MoveCurrentCell(app, c, r);
        startTyping(text);
        return press(key, mods);
    }
    void startTyping(const QString& text)
    {
        EXPECT_FALSE(edit::EdKeyDown(app, edit::Key::Other, Qt::NoModifier).consumed);
        edit::EdKeyPress(app, text.isEmpty() ? QChar(u'x') : text.front());
        fakes.ui.editor = text; // the editor inserted the characters
    }
    edit::KeyResult press(edit::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        return edit::EdKeyDown(app, key, mods);
    }
    void setRows(int rows)
    {
        sheet.SheetRows = rows;
        core::ResizeSheet(app);
    }
    /// The stored texts of a column's rows from..to, marks shown as ~ (text) and # (number).
    QString column(int c, int from, int to) const
    {
        QStringList out;
        for (int r = from; r <= to; ++r) {
            QString t = sheet.CellText[c][r];
            if (!t.isEmpty() && t[0] == core::TextMark)
                t[0] = u'~';
            else if (!t.isEmpty() && t[0] == core::NumberMark)
                t[0] = u'#';
            out.append(t);
        }
        return out.join(u'|');
    }
    QString cell(int c, int r) const { return sheet.CellText[c][r]; }
    QString shown(int c, int r) const { return sheet.GridText[c][r]; }
    static QString text(const char16_t* t) { return QChar(core::TextMark) + QString::fromUtf16(t); }
    static QString number(const char16_t* t)
    {
        return QChar(core::NumberMark) + QString::fromUtf16(t);
    }

    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::Sheet& sheet = app.sheet;
    core::GridState& grid = app.grid;
};

} // namespace edittest

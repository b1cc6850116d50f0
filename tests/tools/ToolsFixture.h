#pragma once

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/SheetOps.h"
#include "edit/Entry.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

/// A sheet filled as the user types it, with fake services.
class ToolsFixture : public ::testing::Test {
protected:
    ToolsFixture() { core::ResetSheetState(app); }

    void setRows(int rows)
    {
        sheet.SheetRows = rows;
        core::ResizeSheet(app);
    }
    /// Enters a text into the cell as typing does, without recalculating.
    void put(int c, int r, const QString& typed)
    {
        app.grid.col = c;
        app.grid.row = r;
        edit::StoreEntry(app, typed);
    }
    void recalc() { calc::RecalcAll(app); }
    void select(int left, int top, int right, int bottom)
    {
        app.grid.col = left;
        app.grid.row = top;
        app.grid.selection = core::CellBlock{left, right, top, bottom};
    }
    void moveTo(int c, int r) { select(c, r, c, r); }
    QString cell(int c, int r) const { return core::StripMark(sheet.CellText[c][r]); }
    QString at() const { return core::CellName(app.grid.col, app.grid.row); }

    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::Sheet& sheet = app.sheet;
};

#pragma once

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace calctest {

/// A fresh sheet with fake services; cells are filled in their stored form.
class CalcFixture : public ::testing::Test
{
protected:
    CalcFixture() { core::ResetSheetState(app); }

    void setRows(int rows)
    {
        sheet.SheetRows = rows;
        core::ResizeSheet(app);
    }
    /// Stores a cell as typed: formulas and 'texts as they are, numbers after NumberMark,
    /// other texts after TextMark; "" empties the cell. Widens the used area.
    void put(const char* name, const QString& typed)
    {
        const core::CellPos p = core::ParseCellName(QString::fromLatin1(name));
        sheet.CellText[p.col][p.row] = stored(typed);
        sheet.LastCol = std::max(sheet.LastCol, p.col);
        sheet.LastRow = std::max(sheet.LastRow, p.row);
    }
    void put(const char* name, const char16_t* typed) { put(name, QString::fromUtf16(typed)); }
    static QString stored(const QString& typed)
    {
        if (typed.isEmpty() || typed[0] == u'=' || typed[0] == u'\'')
            return typed;
        return QChar(core::IsNumericText(typed) ? core::NumberMark : core::TextMark) + typed;
    }
    void recalc() { calc::RecalcAll(app); }

    double value(const char* name) const
    {
        const core::CellPos p = core::ParseCellName(QString::fromLatin1(name));
        return sheet.CellValue[p.col][p.row];
    }
    QString shown(const char* name) const
    {
        const core::CellPos p = core::ParseCellName(QString::fromLatin1(name));
        return sheet.GridText[p.col][p.row];
    }
    int kind(const char* name) const
    {
        const core::CellPos p = core::ParseCellName(QString::fromLatin1(name));
        return sheet.CellKind[p.col][p.row];
    }
    QStringList warnings() const { return fakes.ui.messageTexts(); }

    platform::FakePlatform fakes;
    App app{fakes.services()};
    core::Sheet& sheet = app.sheet;
};

/// A formula and what its cell holds afterwards: the value, or the error mark shown.
struct FormulaCase
{
    const char16_t* formula;
    double value;
    const char16_t* mark = nullptr; // nullptr: no mark, the formula is done
};

} // namespace calctest

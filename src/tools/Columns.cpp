#include "tools/Columns.h"

#include "calc/Recalc.h"
#include "core/App.h"
#include "core/Display.h"
#include "platform/Ui.h"
#include "tools/ColumnDialogState.h"

namespace tools {

namespace {

QString columnName(int c)
{
    return QChar(u'A' + c - 1) + QStringLiteral("列");
}

/// optAlign's items run left, centre, right; align's values are 0 left, 1 right, 2 centre.
int alignItem(int align)
{
    return align == 1 ? 2 : align == 2 ? 1 : 0;
}

int alignOfItem(int item)
{
    return item == 2 ? 1 : item == 1 ? 2 : 0;
}

} // namespace

std::optional<QString> ColumnFormatDialogState::yenClicked()
{
    if (!chkYen || chkComma)
        return std::nullopt;
    chkComma = true;
    return QStringLiteral("\\を付ける時は必ず3桁毎に','が入ります.");
}

void RunColumnHeadings(App& app)
{
    HeadingDialogState& state = app.headingDialog;
    state.txtCname = app.sheet.HeadingRow;
    if (!app.ui().askHeadingDialog(state))
        return;
    app.sheet.HeadingRow = state.txtCname;
    core::RefreshColumnHeadings(app);
    app.sheet.Modified = true;
    core::ShowStatus(app, QStringLiteral("列名表示の設定 終了."));
}

void RunColumnFormat(App& app)
{
    core::Sheet& sheet = app.sheet;
    const int left = app.grid.selection.left;
    const int right = app.grid.selection.right;
    ColumnFormatDialogState& state = app.columnFormatDialog;
    state.caption = columnName(left);
    if (right != left)
        state.caption += QStringLiteral("～") + columnName(right);
    state.caption += QStringLiteral("の設定");
    const core::column_type& from = sheet.ColFormat[left];
    state.txtWidth = from.wid;
    state.chkComma = from.comma < 0;
    state.chkYen = from.comma == -2;
    state.txtPoint = std::max(from.shosu, 0);
    state.optAlign = alignItem(from.align);
    if (!app.ui().askColumnFormatDialog(state))
        return;
    for (int c = left; c <= right; ++c) {
        core::column_type& format = sheet.ColFormat[c];
        format.wid = state.txtWidth;
        core::SetColumnWidth(app, c);
        format.shosu = state.txtPoint;
        format.comma = state.chkYen ? -2 : state.chkComma ? -1 : 0;
        format.align = alignOfItem(state.optAlign);
        core::BuildColumnFormat(app, c);
        for (int r = 1; r <= sheet.LastRow; ++r)
            core::ShowCell(app, c, r);
    }
    app.ui().gridChanged(platform::GridChange::Layout);
    app.ui().gridChanged(platform::GridChange::Cells);
    calc::RecalcAll(app);
    sheet.Modified = true;
    core::ShowCellName(app);
    core::ShowStatus(app, QStringLiteral("列の設定 終了."));
}

} // namespace tools

#include "edit/PickList.h"

#include "core/App.h"
#include "edit/Entry.h"

#include <QCollator>
#include <QLocale>
#include <QSet>
#include <algorithm>

namespace edit {

QStringList PickListItems(const core::Sheet& sheet, int c, int r)
{
    QStringList items;
    if (c < 1 || c > core::MaxCols)
        return items;
    const int from = r > PickListSpan ? std::max(1, r - PickListSpan) : 1;
    const int to = std::min(sheet.SheetRows, from + PickListSpan);
    QSet<QString> seen;
    for (int row = from; row <= to; ++row) {
        const QString& t = sheet.CellText[c][row];
        if (t.isEmpty() || (t.front() != u'\'' && t.front() != core::TextMark))
            continue;
        QString item = t.mid(1);
        const QString key = item.toCaseFolded();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        items.append(std::move(item));
    }
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(items.begin(), items.end(), [&collator](const QString& x, const QString& y) {
        const int k = collator.compare(x, y);
        return k != 0 ? k < 0 : x < y;
    });
    return items;
}

QStringList OpenPickList(App& app)
{
    SetPickListMode(app, true);
    return PickListItems(app.sheet, app.grid.col, app.grid.row);
}

bool lsWordKeyDown(App& app, Key key, const QString* selected)
{
    if (key != Key::Enter && key != Key::Escape)
        return false;
    SetPickListMode(app, false);
    if (key == Key::Enter && selected)
        CommitEntry(app, *selected);
    return true;
}

void lsWordExit(App& app)
{
    if (app.InputMode == 2)
        SetPickListMode(app, false);
}

PickListPlace PickListGeometry(const PickListFrame& f, int count)
{
    PickListPlace place;
    Rect& r = place.rect;
    r.left = f.gridLeft + f.cell.left;
    r.width = f.cell.width + 2;
    if (count > PickListVisibleItems) {
        place.scrollBar = true;
        r.left -= 12;
        r.width += 24;
    }
    r.height = f.itemHeight * std::clamp(count, 1, PickListVisibleItems) + 4;
    r.top = f.gridTop + f.cell.top + f.cell.height + 2;
    if (r.top + r.height > f.gridBottom) {
        const int above = f.gridTop + f.cell.top - r.height;
        if (above >= 0)
            r.top = above;
    }
    return place;
}

} // namespace edit

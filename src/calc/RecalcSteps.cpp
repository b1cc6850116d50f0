#include "calc/RecalcSteps.h"

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "platform/Ui.h"

#include <QLocale>
#include <algorithm>
#include <cstdint>

namespace calc::detail {

namespace {

/// NumericValue of a NumberMark text; short plain decimals skip the general scanner.
double numberValue(const QString& text)
{
    const bool negative = text.size() > 1 && text[1] == u'-';
    const qsizetype start = negative ? 2 : 1;
    const QStringView number(text.constData() + start, text.size() - start);
    double value = 0;
    const qsizetype n = core::ScanShortDecimal(number, value);
    if (n == 0 || n != number.size())
        return core::NumericValue(text);
    return negative ? -value : value;
}

void fillConst(core::Sheet& sheet, int c, int fromRow, int toRow)
{
    if (fromRow > toRow)
        return;
    std::fill(sheet.CellValue[c].begin() + fromRow, sheet.CellValue[c].begin() + toRow + 1, 0.0);
    std::fill(sheet.CellKind[c].begin() + fromRow, sheet.CellKind[c].begin() + toRow + 1,
              std::uint8_t(core::kindConst));
}

} // namespace

int ClassifyCells(App& app, std::vector<core::CellPos>* formulas)
{
    core::Sheet& sheet = app.sheet;
    const int cols = std::min(sheet.SheetCols, core::MaxCols);
    const int lastCol = std::clamp(sheet.LastCol, 0, cols);
    const int lastRow = std::clamp(sheet.LastRow, 0, sheet.SheetRows);
    int pending = 0;
    for (int c = 1; c <= lastCol; ++c) {
        const auto& texts = sheet.CellText[c];
        auto& values = sheet.CellValue[c];
        auto& kinds = sheet.CellKind[c];
        for (int r = 1; r <= lastRow; ++r) {
            if (r + PrefetchDistance <= lastRow)
                PrefetchText(texts[r + PrefetchDistance]);
            const QString& t = texts[r];
            const char16_t m = t.isEmpty() ? u'\0' : t.front().unicode();
            if (m == u'=') {
                kinds[r] = core::kindPending;
                ++pending;
                if (formulas)
                    formulas->push_back(core::CellPos{c, r});
                continue;
            }
            kinds[r] = core::kindConst;
            values[r] = m == core::NumberMark ? numberValue(t) : 0.0;
        }
        fillConst(sheet, c, lastRow + 1, sheet.SheetRows);
    }
    for (int c = lastCol + 1; c <= cols; ++c)
        fillConst(sheet, c, 1, sheet.SheetRows);
    return pending;
}

QCollator CriteriaCollator()
{
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

Outcome StoreResult(App& app, int c, int r, const FormulaResult& result)
{
    core::Sheet& sheet = app.sheet;
    sheet.CellValue[c][r] = result.value;
    if (result.error != errNone) {
        const std::u16string_view mark = ErrorMarks[std::size_t(result.error)];
        sheet.GridText[c][r] = QString::fromUtf16(mark.data(), qsizetype(mark.size()));
        return Outcome::Error;
    }
    if (!result.ready)
        return Outcome::Waiting;
    sheet.CellKind[c][r] = core::kindDone;
    core::ShowCell(app, c, r);
    return Outcome::Done;
}

void WarnCircular(App& app, int c, int r)
{
    platform::Message message;
    message.icon = platform::Icon::Warning;
    message.buttons = platform::Buttons::Ok;
    message.text = core::CellName(c, r) + QStringLiteral("の式が循環参照です.");
    app.ui().message(message);
}

} // namespace calc::detail

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

/// Whether the cell texts of the used area lie in memory row by row (as a file read
/// allocates them) rather than column by column, judged from a sample of neighbours. Walking
/// them in that order keeps the reads near each other.
bool TextsLieByRow(const core::Sheet& sheet, int lastCol, int lastRow)
{
    if (lastCol < 2 || lastRow < 2)
        return false;
    const auto address = [&](int c, int r) {
        return reinterpret_cast<std::uintptr_t>(sheet.CellText[c][r].constData());
    };
    const auto distance = [](std::uintptr_t a, std::uintptr_t b) { return a > b ? a - b : b - a; };
    int byRow = 0;
    int byColumn = 0;
    constexpr int Samples = 64;
    for (int k = 0; k < Samples; ++k) {
        const int c = 1 + k % (lastCol - 1);
        const int r = 1 + int(std::int64_t(k) * (lastRow - 1) / Samples);
        if (sheet.CellText[c][r].isEmpty() || sheet.CellText[c + 1][r].isEmpty() ||
            sheet.CellText[c][r + 1].isEmpty())
            continue;
        const std::uintptr_t here = address(c, r);
        if (distance(here, address(c + 1, r)) < distance(here, address(c, r + 1)))
            ++byRow;
        else
            ++byColumn;
    }
    return byRow > byColumn;
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

void FormulaTexts::add(int c, int r, const QString& text)
{
    m_formulas.push_back(Formula{core::CellPos{c, r}, std::uint32_t(text.size()),
                                 reinterpret_cast<const char16_t*>(text.utf16())});
}

void FormulaTexts::addCopy(int c, int r, const QString& text)
{
    Packing& packing = m_packed[std::size_t(c)];
    const std::size_t n = std::size_t(text.size());
    if (n > packing.left) {
        const std::size_t size = std::max(BlockChars, n);
        packing.blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(size));
        packing.next = packing.blocks.back().get();
        packing.left = size;
    }
    std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), n, packing.next);
    packing.formulas.push_back(Formula{core::CellPos{c, r}, std::uint32_t(n), packing.next});
    packing.next += n;
    packing.left -= n;
}

void FormulaTexts::finish()
{
    std::size_t count = 0;
    for (const Packing& packing : m_packed)
        count += packing.formulas.size();
    m_formulas.reserve(count);
    for (Packing& packing : m_packed) {
        m_formulas.insert(m_formulas.end(), packing.formulas.begin(), packing.formulas.end());
        std::vector<Formula>().swap(packing.formulas);
    }
}

int ClassifyCells(App& app, FormulaTexts* formulas)
{
    core::Sheet& sheet = app.sheet;
    const int cols = std::min(sheet.SheetCols, core::MaxCols);
    const int lastCol = std::clamp(sheet.LastCol, 0, cols);
    const int lastRow = std::clamp(sheet.LastRow, 0, sheet.SheetRows);
    int pending = 0;
    const auto classify = [&](int c, int r, auto collect) {
        const QString& t = sheet.CellText[c][r];
        const char16_t m = t.isEmpty() ? u'\0' : t.front().unicode();
        if (m == u'=') {
            sheet.CellKind[c][r] = core::kindPending;
            ++pending;
            if (formulas)
                (formulas->*collect)(c, r, t);
            return;
        }
        sheet.CellKind[c][r] = core::kindConst;
        sheet.CellValue[c][r] = m == core::NumberMark ? numberValue(t) : 0.0;
    };
    if (TextsLieByRow(sheet, lastCol, lastRow)) {
        for (int r = 1; r <= lastRow; ++r)
            for (int c = 1; c <= lastCol; ++c)
                classify(c, r, &FormulaTexts::addCopy);
        if (formulas)
            formulas->finish();
    } else {
        // Room for a full used area: pages that no formula fills are never touched.
        if (formulas)
            formulas->m_formulas.reserve(std::size_t(lastCol) * std::size_t(lastRow));
        for (int c = 1; c <= lastCol; ++c) {
            const auto& texts = sheet.CellText[c];
            for (int r = 1; r <= lastRow; ++r) {
                if (r + PrefetchDistance <= lastRow)
                    PrefetchText(texts[r + PrefetchDistance]);
                classify(c, r, &FormulaTexts::add);
            }
        }
    }
    for (int c = 1; c <= lastCol; ++c)
        fillConst(sheet, c, lastRow + 1, sheet.SheetRows);
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

ColumnFormats ParseColumnFormats(const App& app)
{
    ColumnFormats formats;
    for (int c = 1; c <= core::MaxCols; ++c)
        formats[std::size_t(c)] = core::ParseNumberFormat(app.sheet.ColFormat[c].fmt);
    return formats;
}

Outcome StoreFormulaResult(App& app, int c, int r, const FormulaResult& result,
                           const ColumnFormats& formats)
{
    core::Sheet& sheet = app.sheet;
    const std::optional<core::NumberFormat>& format = formats[std::size_t(c)];
    if (result.error != errNone || !result.ready || !format)
        return StoreResult(app, c, r, result);
    // ShowCell of a formula, without reading its text again: it starts with "=".
    sheet.CellValue[c][r] = result.value;
    sheet.CellKind[c][r] = core::kindDone;
    if (app.Displays != core::CellDisplays::None &&
        !core::FormatNumberInto(result.value, *format, sheet.GridText[c][r]))
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

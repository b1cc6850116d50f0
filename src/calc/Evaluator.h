#pragma once

#include "core/Cells.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class QCollator;

namespace core {
struct Sheet;
}

namespace calc {

class CriteriaCache;

/// Error codes of one formula evaluation; 0 means none.
enum FormulaErrorCode : int {
    errNone = 0,
    errSyntax = 1,
    errDivision = 2,
    errRange = 3,
    errComplex = 4,
    /// A value that is not a finite double (an overflowing product or power, 0 raised to a
    /// negative power, a negative base with a fractional exponent, a literal such as 1E999,
    /// a cell holding such a number), or an argument of MOD or ROUND whose rounded or scaled
    /// value leaves the 64-bit integer range. The formula stops like any other error.
    errNumber = 5,
};

/// The text shown in the grid instead of a value, by error code (index 0 unused).
inline constexpr std::array<std::u16string_view, 6> ErrorMarks = {
    u"", u"#式?", u"#０割?", u"#範囲?", u"#複雑?", u"#数値?",
};

/// Whether a display text is one of ErrorMarks.
bool IsErrorMark(QStringView shown);

/// Operator characters by code: code c is the character at 1-based position c.
inline constexpr std::u16string_view OperatorTable = u"(AIMR     +-        */        ^         =";

/// Function names in slots of seven characters; slot k is function number k + 1.
inline constexpr std::u16string_view FunctionNames =
    u"ABS    INT    MOD    ROUND  SUM    SUMIF  COUNT  COUNTA COUNTIF";

/// x + 0.5 (x >= 0) or x - 0.5 (x < 0) truncated toward zero; nullopt when that leaves the
/// 64-bit integer range or x is not a number.
std::optional<std::int64_t> RoundHalfAway(double x);

/// Outcome of one evaluation.
struct FormulaResult
{
    double value = 0;
    int error = errNone;
    /// False when the formula met a pending cell and has to be tried again later.
    bool ready = true;
};

/// A COUNTIF / SUMIF criterion: codes 1..6 compare texts, 11..16 numbers
/// (= < > <> <= >= in that order).
struct Criterion
{
    int code = 1;
    QString text;
    /// `text` in the form texts are compared in (FoldText).
    QString folded;
    double value = 0;
    /// Comparison of an empty text with `text`, computed on first use (2: not yet).
    int emptyOrder = 2;
};

/// Whether a number x meets a numeric criterion (code 11..16) with value v.
bool NumberMatches(int code, double x, double v);

/// The form in which criterion texts are compared: canonically composed (NFC), then case
/// folded. Two texts are equal exactly when their folded forms are; kana type and width
/// still differ (ア, あ and ｱ are three texts).
QString FoldText(QStringView text);

/// A block of cells: columns firstCol..lastCol, rows firstRow..lastRow.
struct CellArea
{
    int firstCol = 0;
    int firstRow = 0;
    int lastCol = 0;
    int lastRow = 0;
};

/// Evaluates formula texts against a sheet: one left-to-right scan with a value stack and an
/// operator stack. One instance serves a whole recalculation; each evaluation starts afresh.
class Evaluator
{
public:
    /// The collator orders folded criterion texts that differ (locale-aware).
    Evaluator(const core::Sheet& sheet, const QCollator& collator);

    /// Evaluates a whole cell text, including its leading "=". The value is 0 when the scan
    /// stopped early (an error or a pending cell).
    FormulaResult EvaluateFormula(QStringView formulaText);

    /// The pending cell that made the last evaluation wait, if it waited.
    const std::optional<core::CellPos>& waitingOn() const { return m_waitingOn; }
    /// For each criterion scan of the last evaluation that skipped pending cells, a block
    /// holding those cells. Its result depends on nothing else pending.
    const std::vector<CellArea>& pendingAreas() const { return m_pendingAreas; }
    /// Whether the outcome of the last evaluation can depend on the skipped cells: a count
    /// that skipped them went into an operation that fails for some of the values it can
    /// still take, or a SUMIF skipped them. Otherwise the evaluation, when it waits or fails
    /// elsewhere, does so whatever the count becomes.
    bool outcomeUsesSkipped() const { return m_usesSkipped; }

    /// Answers COUNTIF and SUMIF from results the recalculation keeps up to date instead of
    /// scanning their ranges each time; null: every call scans.
    void setCriteriaCache(CriteriaCache* cache) { m_cache = cache; }

    /// Matching cells of columns firstColumn..lastColumn in a row.
    int MatchCount(int firstColumn, int lastColumn, int row, Criterion& criterion);
    /// Whether a criterion compares the cell of column `col` in a row as a number; a number
    /// typed as text ('5) before it makes "equals number" compare texts for the rest of the row.
    bool ComparesNumber(int firstColumn, int col, int row, const Criterion& criterion) const;

private:
    using Range = CellArea;
    static constexpr int StackSlots = 21;
    static constexpr int StackLimit = 20;

    char16_t charAt(int pos) const
    {
        return pos >= 1 && pos <= FormulaText.size() ? FormulaText[pos - 1].unicode() : u'\0';
    }
    char16_t current() const { return charAt(ScanPos); }
    void setError(int code);
    /// The values a provisional value can still take while the recalculation goes on: a
    /// count that skipped pending cells only grows, by at most their number.
    struct Bounds
    {
        double low = 0;
        double high = 0;
    };
    void pushValue(double v, std::optional<Bounds> provisional = std::nullopt);
    double popValue();
    std::optional<Bounds> provisionalAt(int depth) const
    {
        const int slot = ValueCount - 1 - depth;
        if (slot < 0 || !(ProvisionalSlots & (1u << slot)))
            return std::nullopt;
        return ValueBounds[std::size_t(slot)];
    }
    /// Bounds of `op` applied to operands within bounds; nullopt when the operation could
    /// fail for some of those values and not for others.
    static std::optional<Bounds> applyBounds(char16_t op, Bounds left, Bounds right);
    void pushOperator(int code);
    char16_t popOperator();
    int topOperator() const;
    void applyTop();
    void pushBinary(int code);
    void closeParenthesis();
    double scanLiteral();
    double scanRow();
    void pushReference();
    void waitFor(int c, int r);
    void notePendingSkipped(int c, int r);
    double finalReductions();
    void scanToken(bool& expectOperand);

    int ParseFunctionCall(char16_t firstLetter);
    void ApplyFunction(char16_t code);
    bool parseEndpoint(int& col, int& row);
    bool parseRange(Range& range);
    bool checkRange(const Range& range);
    bool parseCriterion(Criterion& criterion);
    int criterionEnd() const;
    bool expect(char16_t ch);
    void rangeFunction(int number, Range range);
    double sumRange(const Range& range);
    double countRange(const Range& range, bool all) const;
    double countIf(const Range& range);
    double sumIf(Range criteriaRange);
    /// SUMIF from the criterion on; `rows` and `sum` get the ranges it scanned.
    double scanSumIf(Range criteriaRange, Range& rows, Range& sum);
    bool textMatches(int code, QStringView cellText, Criterion& criterion) const;
    int orderFolded(QStringView a, QStringView b) const;

    const core::Sheet& m_sheet;
    const QCollator& m_collator;
    std::optional<core::CellPos> m_waitingOn;
    std::vector<CellArea> m_pendingAreas;
    std::optional<CellArea> m_skipped; // pending cells skipped by the current criterion scan
    int m_skippedCells = 0;
    bool m_usesSkipped = false;
    CriteriaCache* m_cache = nullptr;

    // Scan state of the current evaluation.
    QStringView FormulaText;
    int ScanPos = 1; // 1-based index of the next character
    std::array<double, StackSlots> ValueStack{};
    /// The slots holding a value computed from a count that skipped pending cells (a bit
    /// each), and what such a value can become.
    std::uint32_t ProvisionalSlots = 0;
    std::array<Bounds, StackSlots> ValueBounds{};
    int ValueCount = 0;
    std::array<int, StackSlots> OperatorStack{};
    int OperatorCount = 0;
    int FormulaError = errNone;
    bool ValueReady = true;
};

} // namespace calc

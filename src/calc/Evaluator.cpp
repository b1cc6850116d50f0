#include "calc/Evaluator.h"

#include "core/AsciiChars.h"
#include "core/Sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace calc {

namespace {

int operatorCode(char16_t ch)
{
    switch (ch) {
    case u'+':
        return 11;
    case u'-':
        return 12;
    case u'*':
        return 21;
    case u'/':
        return 22;
    case u'^':
        return 31;
    default:
        return 0;
    }
}

/// left ^ right: integral exponents by repeated squaring, the rest through exp and ln.
double power(double left, double right)
{
    if (right == std::trunc(right) && std::fabs(right) <= 2147483647.0) {
        auto e = static_cast<std::uint32_t>(std::fabs(right));
        double result = 1;
        double base = left;
        while (e != 0) {
            if (e & 1u)
                result *= base;
            e >>= 1;
            if (e != 0)
                base *= base;
        }
        return right < 0 ? 1 / result : result;
    }
    if (left == 0)
        return 0;
    return std::exp(right * std::log(left));
}

/// Row numbers round to the nearest integer, halves to even.
double roundHalfEven(double x)
{
    return std::nearbyint(x);
}

} // namespace

bool IsErrorMark(QStringView shown)
{
    return std::any_of(ErrorMarks.begin() + 1, ErrorMarks.end(), [shown](std::u16string_view mark) {
        return shown == QStringView(mark.data(), qsizetype(mark.size()));
    });
}

Evaluator::Evaluator(const core::Sheet& sheet, const QCollator& collator)
    : m_sheet(sheet), m_collator(collator)
{}

void Evaluator::setError(int code)
{
    if (FormulaError == errNone)
        FormulaError = code;
}

void Evaluator::pushValue(double v, std::optional<Bounds> provisional)
{
    if (!std::isfinite(v)) {
        setError(errNumber);
        v = 0;
    }
    if (ValueCount >= StackLimit) {
        setError(errComplex);
        return;
    }
    if (provisional) {
        ProvisionalSlots |= 1u << ValueCount;
        ValueBounds[std::size_t(ValueCount)] = *provisional;
    } else {
        ProvisionalSlots &= ~(1u << ValueCount);
    }
    ValueStack[ValueCount++] = v;
}

double Evaluator::popValue()
{
    if (ValueCount == 0) {
        setError(errComplex);
        return 0;
    }
    return ValueStack[--ValueCount];
}

void Evaluator::pushOperator(int code)
{
    if (OperatorCount >= StackLimit) {
        setError(errComplex);
        return;
    }
    OperatorStack[OperatorCount++] = code;
}

char16_t Evaluator::popOperator()
{
    if (OperatorCount == 0) {
        setError(errComplex);
        return u' ';
    }
    const int code = OperatorStack[--OperatorCount];
    return code >= 1 && code <= int(OperatorTable.size()) ? OperatorTable[code - 1] : u' ';
}

int Evaluator::topOperator() const
{
    return OperatorCount > 0 ? OperatorStack[OperatorCount - 1] : 0;
}

void Evaluator::applyTop()
{
    const char16_t op = popOperator();
    const bool negation = op == u'=';
    const std::optional<Bounds> rightBounds = provisionalAt(0);
    const std::optional<Bounds> leftBounds = negation ? std::nullopt : provisionalAt(1);
    const double right = popValue();
    const double left = op == u'=' ? 0 : popValue();
    double result = 0;
    switch (op) {
    case u'+':
        result = left + right;
        break;
    case u'-':
        result = left - right;
        break;
    case u'*':
        result = left * right;
        break;
    case u'/':
        if (right == 0)
            setError(errDivision);
        else
            result = left / right;
        break;
    case u'^':
        result = power(left, right);
        break;
    case u'=':
        result = -right;
        break;
    default:
        pushValue(0); // "(", a pending function or nothing: the operands are dropped
        return;
    }
    std::optional<Bounds> bounds;
    if (rightBounds || leftBounds) {
        bounds = applyBounds(op, leftBounds.value_or(Bounds{left, left}),
                             rightBounds.value_or(Bounds{right, right}));
        if (!bounds)
            m_usesSkipped = true;
    }
    pushValue(result, bounds);
}

std::optional<Evaluator::Bounds> Evaluator::applyBounds(char16_t op, Bounds left, Bounds right)
{
    // +, - and * are monotone in each operand, and so is / away from 0: the extremes lie at
    // the corners, and when those are finite so is everything between them.
    double corners[4];
    switch (op) {
    case u'=':
        return Bounds{-right.high, -right.low};
    case u'+':
        corners[0] = corners[1] = left.low + right.low;
        corners[2] = corners[3] = left.high + right.high;
        break;
    case u'-':
        corners[0] = corners[1] = left.low - right.high;
        corners[2] = corners[3] = left.high - right.low;
        break;
    case u'*':
        corners[0] = left.low * right.low;
        corners[1] = left.low * right.high;
        corners[2] = left.high * right.low;
        corners[3] = left.high * right.high;
        break;
    case u'/':
        if (right.low <= 0 && right.high >= 0)
            return std::nullopt;
        corners[0] = left.low / right.low;
        corners[1] = left.low / right.high;
        corners[2] = left.high / right.low;
        corners[3] = left.high / right.high;
        break;
    default:
        return std::nullopt;
    }
    if (!std::all_of(std::begin(corners), std::end(corners),
                     [](double x) { return std::isfinite(x); }))
        return std::nullopt;
    return Bounds{*std::min_element(std::begin(corners), std::end(corners)),
                  *std::max_element(std::begin(corners), std::end(corners))};
}

void Evaluator::pushBinary(int code)
{
    // "^" reduces nothing before it: it binds to the right, and above a pending unary minus.
    if (code <= 30) {
        while (OperatorCount > 0 && topOperator() / 10 >= code / 10)
            applyTop();
    }
    pushOperator(code);
}

void Evaluator::closeParenthesis()
{
    while (OperatorCount > 0 && topOperator() > 10)
        applyTop();
    const bool empty = OperatorCount == 0;
    const char16_t op = popOperator();
    if (empty) {
        const std::optional<Bounds> provisional = provisionalAt(0);
        pushValue(popValue(), provisional);
        return;
    }
    if (op == u'A' || op == u'I' || op == u'M' || op == u'R')
        ApplyFunction(op);
}

double Evaluator::scanLiteral()
{
    const QStringView rest = FormulaText.mid(ScanPos - 1);
    double value = 0;
    if (const qsizetype n = core::ScanShortDecimal(rest, value); n > 0) {
        ScanPos += int(n);
        return value;
    }
    // The longest prefix of the rest that ScanDecimal stops at; an incomplete prefix
    // (=2.5E*3) reads as 0.
    const core::DecimalScan whole = core::ScanDecimal(rest);
    if (whole.errorPos == 0) {
        ScanPos += int(rest.size());
        return whole.value;
    }
    const int keep = whole.errorPos - 1;
    ScanPos += keep;
    const core::DecimalScan prefix = core::ScanDecimal(rest.left(keep));
    return prefix.errorPos == 0 ? prefix.value : 0.0;
}

double Evaluator::scanRow()
{
    return roundHalfEven(scanLiteral());
}

void Evaluator::waitFor(int c, int r)
{
    ValueReady = false;
    m_waitingOn = core::CellPos{c, r};
}

void Evaluator::notePendingSkipped(int c, int r)
{
    ++m_skippedCells;
    if (!m_skipped) {
        m_skipped = CellArea{c, r, c, r};
        return;
    }
    m_skipped->firstCol = std::min(m_skipped->firstCol, c);
    m_skipped->lastCol = std::max(m_skipped->lastCol, c);
    m_skipped->firstRow = std::min(m_skipped->firstRow, r);
    m_skipped->lastRow = std::max(m_skipped->lastRow, r);
}

void Evaluator::pushReference()
{
    if (current() == u'$')
        ++ScanPos;
    if (!core::IsAsciiUpper(current())) {
        setError(errSyntax);
        return;
    }
    const int col = current() - u'A' + 1;
    ++ScanPos;
    if (current() == u'$')
        ++ScanPos;
    const double row = scanRow();
    if (!(row >= 1 && row <= m_sheet.SheetRows)) {
        setError(errRange);
        return;
    }
    const int r = int(row);
    if (m_sheet.CellKind[col][r] == core::kindPending) {
        waitFor(col, r);
        return;
    }
    pushValue(m_sheet.CellValue[col][r]);
}

double Evaluator::finalReductions()
{
    while (OperatorCount > 0)
        applyTop();
    const double result = popValue();
    if (ValueCount > 0)
        setError(errSyntax);
    return result;
}

void Evaluator::scanToken(bool& expectOperand)
{
    const char16_t c = current();
    if (c == u'$' || core::IsAsciiUpper(c)) {
        if (ScanPos == FormulaText.size()) {
            setError(errSyntax);
        } else if (c == u'$' || !core::IsAsciiUpper(charAt(ScanPos + 1))) {
            pushReference();
            expectOperand = false;
        } else {
            const int number = ParseFunctionCall(c);
            expectOperand = number >= 1 && number <= 4;
        }
    } else if (core::IsAsciiDigit(c)) {
        pushValue(scanLiteral());
        expectOperand = false;
    } else if (c == u'(') {
        ++ScanPos;
        pushOperator(1);
        expectOperand = true;
    } else if (c == u')') {
        closeParenthesis();
        ++ScanPos;
        expectOperand = false;
    } else if (c == u',') {
        while (OperatorCount > 0 && topOperator() > 10)
            applyTop();
        ++ScanPos;
        if (topOperator() != 4 && topOperator() != 5)
            setError(errSyntax);
        expectOperand = true;
    } else if (c == u'-' && expectOperand) {
        pushOperator(41);
        ++ScanPos;
    } else if (const int code = operatorCode(c); code != 0) {
        pushBinary(code);
        ++ScanPos;
        expectOperand = true;
    } else {
        setError(errSyntax);
    }
}

FormulaResult Evaluator::EvaluateFormula(QStringView formulaText)
{
    FormulaText = formulaText;
    FormulaError = errNone;
    ValueReady = true;
    ValueCount = 0;
    OperatorCount = 0;
    m_waitingOn.reset();
    m_pendingAreas.clear();
    m_usesSkipped = false;
    ScanPos = 2;
    if (FormulaText.size() < 2)
        setError(errSyntax);
    bool expectOperand = true;
    while (FormulaError == errNone && ValueReady) {
        if (ScanPos > FormulaText.size())
            return {finalReductions(), FormulaError, ValueReady};
        scanToken(expectOperand);
    }
    // Stopped early by an error or by a pending cell.
    return {0, FormulaError, ValueReady};
}

} // namespace calc

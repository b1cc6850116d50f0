#include "ui/SpinEdit.h"

#include <QRegularExpression>

#include <algorithm>

namespace ui {

namespace {

/// A sign and digits, or a beginning of them: what typing a number passes through.
bool looksNumeric(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?[0-9]*\\s*$"));
    return number.match(text.normalized(QString::NormalizationForm_KC)).hasMatch();
}

} // namespace

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent)
{
    setRange(minimum, maximum);
}

QValidator::State SpinEdit::validate(QString& text, int& pos) const
{
    const QValidator::State state = QSpinBox::validate(text, pos);
    if (state == QValidator::Acceptable)
        return state;
    // Numbers beyond the range are kept until fixup brings them to a bound.
    return looksNumeric(text) ? QValidator::Intermediate : QValidator::Invalid;
}

void SpinEdit::fixup(QString& text) const
{
    bool ok = false;
    const qlonglong typed =
        text.normalized(QString::NormalizationForm_KC).trimmed().toLongLong(&ok);
    text = textFromValue(ok ? int(std::clamp<qlonglong>(typed, minimum(), maximum())) : minimum());
}

} // namespace ui

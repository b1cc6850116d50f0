#pragma once

#include <QSpinBox>

namespace ui {

/// A spin box that takes any number typed into it: a value outside the range comes to the
/// nearest bound, a text that is no number to the lower bound, when the field is left or
/// its text is read (interpretText). Full-width digits count as digits.
class SpinEdit : public QSpinBox {
public:
    SpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
};

} // namespace ui

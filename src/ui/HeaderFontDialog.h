#pragma once

#include "print/PageLayout.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QSpinBox;

namespace ui {

/// The font of a header or footer box in Qt's terms, and its colour.
QFont HeaderQFont(const print::HeaderFont& font);
QColor HeaderColor(const print::HeaderFont& font);

/// The font dialog of a header or footer box: every installed family, size, bold, italic,
/// underline and one of the sixteen standard colours.
class HeaderFontDialog : public QDialog {
public:
    HeaderFontDialog(const print::HeaderFont& initial, QWidget* parent = nullptr);
    /// The chosen font; only the four parts the dialog edits differ from the initial one.
    print::HeaderFont selected() const;

    QFontComboBox* family = nullptr;
    QSpinBox* size = nullptr;
    QCheckBox* bold = nullptr;
    QCheckBox* italic = nullptr;
    QCheckBox* underline = nullptr;
    QComboBox* color = nullptr;

private:
    void updateSample();

    print::HeaderFont m_initial;
    /// The family the combo box shows for the initial name.
    QString m_shownFamily;
    QLabel* m_sample = nullptr;
};

} // namespace ui

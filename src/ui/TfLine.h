#pragma once

#include "print/LineDialogState.h"

#include <QDialog>

struct App;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace ui {

class SpinEdit;

/// The sample beside the style buttons: the seven styles as lines in the chosen colour,
/// on the grid's background.
class LineSample : public QWidget {
public:
    explicit LineSample(QWidget* parent = nullptr);
    void setColor(int color);
    void setBackground(const QColor& background);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_color = 0;
    QColor m_background = Qt::white;
};

/// The ruled-line dialog over its state: the sides, the grid-line display, the style and
/// the colour of the lines to set on the selected cells.
class TfLine : public QDialog {
public:
    explicit TfLine(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state; the state keeps the controls' values
    /// however it closes. True when closed with OK.
    bool ask(print::LineDialogState& state);

    /// Colour index 0..15 chosen in the grid; sets ColorNo and repaints the sample.
    void selectColor(int color);
    int color() const;

    // Components, named as the dialog's state names them.
    QCheckBox* chkSide[5] = {};
    QCheckBox* chkGrid = nullptr;
    QGroupBox* boxSel = nullptr;
    QButtonGroup* optStyle = nullptr;
    LineSample* pStyle = nullptr;
    QButtonGroup* optColor = nullptr;
    SpinEdit* ColorNo = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void load(const print::LineDialogState& state);
    void store(print::LineDialogState& state) const;

    App& m_app;
};

} // namespace ui

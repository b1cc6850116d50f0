#pragma once

#include "platform/Ui.h"
#include "print/PageLayout.h"

#include <QDialog>

struct App;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class SpinEdit;

/// The page layout dialog over the sheet's page settings: margins, the first page number,
/// grid printing, the six header and footer boxes with their fonts, and the print area.
class TfLay : public QDialog {
public:
    explicit TfLay(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the layout; the layout keeps the edits however the
    /// dialog closes. Print is offered only when printing is possible.
    platform::LayoutAnswer ask(print::PageLayout& layout, bool canPrint);

    /// The font button: the font dialog for the box that last had the focus.
    void btnFontClick();
    /// 1..6: the header or footer box that last had the focus; 0: none.
    int selectedHeaderBox() const { return m_selectedBox; }

    // Components, named as the layout names them.
    SpinEdit* txtOfs[4] = {};
    SpinEdit* txtTop = nullptr;
    QCheckBox* chkGrid = nullptr;
    QLineEdit* txtHdr[6] = {};
    QPushButton* btnFont = nullptr;
    QLabel* lblArea = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    void load(const print::PageLayout& layout);
    void store(print::PageLayout& layout) const;
    void showBoxFont(int k);
    void focusChanged(QWidget* now);

    App& m_app;
    std::array<print::HeaderFont, 6> m_fonts;
    int m_selectedBox = 0;
};

} // namespace ui

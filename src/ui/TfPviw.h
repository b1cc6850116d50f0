#pragma once

#include <QDialog>

struct App;
class QLabel;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace ui {

/// The white sheet of paper in the preview: the current page as the print engine draws it,
/// scaled down by the preview's scale.
class PreviewBox : public QWidget {
public:
    PreviewBox(App& app, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    App& m_app;
};

/// The print preview window over the prepared preview (App::printing.preview): one page at
/// a time, fitted into the window or at one pixel per printer pixel with scroll bars. The
/// scale stays in the App from one opening to the next.
class TfPviw : public QDialog {
public:
    TfPviw(App& app, QWidget* parent = nullptr);

    /// Shows the preview modally; true when its print button closed it (the caller prints
    /// once the window is gone).
    bool run();

    /// The paint box fitted into the panel and centred.
    void FitPreview();
    /// Fitted to 1:1 with scroll bars and back.
    void ToggleZoom();
    /// The status text of the current page; the page painted anew.
    void showPage();
    /// The status bar's text.
    QString statusText() const;

    // Components, named as the layout names them.
    QPushButton* btnEnd = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnPrev = nullptr;
    QPushButton* btnTop = nullptr;
    QPushButton* btnSize = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnSet = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnHelp = nullptr;
    QWidget* plPv = nullptr;
    PreviewBox* P = nullptr;
    QScrollBar* sbH = nullptr;
    QScrollBar* sbV = nullptr;
    QStatusBar* stsBar = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void go(int page);
    /// The paint box at 1:1 at (10, 10), the scroll bars shown over their ranges.
    void showActualSize();
    /// The box as the scale wants it: 1:1 with scroll bars or fitted.
    void place();
    /// The scroll bars along the panel's bottom and right edges.
    void layoutScrollBars();
    void btnSetClick();

    App& m_app;
    QLabel* m_status = nullptr;
    bool m_printAfterwards = false;
};

} // namespace ui

#pragma once

#include <QDialog>

struct App;
class QPushButton;

namespace ui {

class SpinEdit;

/// The row-count dialog: the number of rows of the sheet, 1..32000.
class TfRows : public QDialog {
public:
    explicit TfRows(App& app, QWidget* parent = nullptr);
    /// Shows the dialog with `rows`; true when closed with OK, `rows` then the count typed.
    bool ask(int& rows);

    SpinEdit* txtRows = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    App& m_app;
};

} // namespace ui

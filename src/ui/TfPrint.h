#pragma once

#include <QDialog>

struct App;
class QLineEdit;
class QPushButton;

namespace ui {

/// The progress dialog of a print job: shown without being modal, its abort button asks
/// the running job to stop.
class TfPrint : public QDialog {
public:
    explicit TfPrint(App& app, QWidget* parent = nullptr);
    void setProgress(const QString& text);
    /// The abort button: the job stops at its next check.
    void abortClick();

    QLineEdit* lblPrt = nullptr;
    QPushButton* btnAbort = nullptr;

protected:
    void reject() override;

private:
    App& m_app;
};

} // namespace ui

#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace ui {

/// The about box "バージョン情報": the program's icon, name and version.
class TfAbout : public QDialog {
public:
    explicit TfAbout(QWidget* parent = nullptr);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace ui

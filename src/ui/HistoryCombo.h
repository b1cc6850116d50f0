#pragma once

#include <QComboBox>

namespace ui {

/// An editable combo box over a history list: the list is only ever set from outside (what
/// is typed never enters it by itself), and the Up or Down arrow opens it.
class HistoryCombo : public QComboBox {
public:
    explicit HistoryCombo(QWidget* parent = nullptr);

    /// The list, keeping the text in the box.
    void setHistory(const QStringList& items);
    QStringList history() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui

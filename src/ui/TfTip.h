#pragma once

#include "settings/SystemSettingsState.h"

#include <QDialog>

struct App;
class QPushButton;
class QTableWidget;

namespace ui {

/// The toolbar editor "ツールボタンの編集": a check list of the 30 toolbar buttons the user
/// may show or hide, several selectable at once.
class TfTip : public QDialog {
public:
    explicit TfTip(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally with the check marks of the state; OK puts the list's check
    /// marks into it. True when closed with OK.
    bool ask(settings::ToolbarEditorState& state);
    /// Checks (or unchecks) every selected item.
    void checkSelected(bool on);

    QTableWidget* lvBtn = nullptr;
    QPushButton* btnAllOn = nullptr;
    QPushButton* btnAllOff = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

private:
    App& m_app;
};

} // namespace ui

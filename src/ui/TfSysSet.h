#pragma once

#include "settings/SystemSettingsState.h"

#include <QDialog>
#include <array>

struct App;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace ui {

class RadioGroup;

/// The system settings "システム設定": four pages, each with its own buttons — the worksheet
/// design and the wheel, the association of extensions, the applications menu entry, and
/// the removal of everything the program stored.
class TfSysSet : public QDialog {
public:
    explicit TfSysSet(App& app, QWidget* parent = nullptr);

    /// Shows the dialog modally over the state, on the page it showed last.
    settings::SysSetClose showModal(settings::SystemSettingsState& state);

    QTabWidget* PageControl1 = nullptr;
    RadioGroup* optDesign = nullptr;
    QCheckBox* chkWheel = nullptr;
    QGroupBox* gbExt = nullptr;
    QCheckBox* chkMvx = nullptr;
    QCheckBox* chkCsv = nullptr;
    RadioGroup* optExt = nullptr;
    QLabel* lblAssocNote = nullptr;
    /// Per page: the button that acts (OK, or 実行 on the association page), Cancel, Help.
    std::array<QPushButton*, 4> OKBtn{};
    std::array<QPushButton*, 4> CancelBtn{};
    std::array<QPushButton*, 4> HelpBtn{};

    void reject() override;

private:
    QWidget* designPage();
    QWidget* associationPage();
    QWidget* notePage(const QString& note, QLabel* icon);
    /// The buttons at the foot of a page.
    void addButtons(QWidget* page, int index, const QString& action, const char* actionName);
    void close(settings::SysSetClose how);
    void runAssociation();

    App& m_app;
    settings::SystemSettingsState* m_state = nullptr;
    settings::SysSetClose m_closedBy = settings::SysSetClose::Cancel;
};

} // namespace ui

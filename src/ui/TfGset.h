#pragma once

#include "graph/GraphSettings.h"

#include <QDialog>

struct App;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class RadioGroup;
class SpinEdit;
class TfGp;

/// The graph settings dialog "グラフ設定": the chart kind and options, the rows and columns
/// to chart. Its グラフ button checks them and shows the graph window until that window
/// closes other than through its retry button.
class TfGset : public QDialog {
public:
    /// The graph window goes over `mainWindow`'s place when first shown.
    TfGset(App& app, QWidget* mainWindow, QWidget* parent = nullptr);

    /// Shows the dialog modally over the settings; they keep the controls' values however
    /// it closes.
    void ask(graph::GraphSettings& settings);
    /// The graph window, made on first use and kept for the whole run.
    TfGp* graphWindow();

    void rbGkindClick();
    void ckMaxClick();
    void btGraphClick();

    // Components, named as the settings name them.
    RadioGroup* rbGkind = nullptr;
    RadioGroup* rbBar = nullptr;
    SpinEdit* edRow1 = nullptr;
    SpinEdit* edRow2 = nullptr;
    QLineEdit* edClms = nullptr;
    QComboBox* cbXclm = nullptr;
    QCheckBox* ckMax = nullptr;
    QLabel* lbMax = nullptr;
    QLabel* lbMin = nullptr;
    SpinEdit* edMax = nullptr;
    SpinEdit* edMin = nullptr;
    QCheckBox* ck3D = nullptr;
    QCheckBox* ckLegend = nullptr;
    QCheckBox* ckMarker = nullptr;
    QPushButton* btGraph = nullptr;
    QPushButton* btCan = nullptr;
    QPushButton* btHlp = nullptr;

private:
    void load(const graph::GraphSettings& g);
    void store(graph::GraphSettings& g) const;

    App& m_app;
    QWidget* m_mainWindow;
    TfGp* m_graphWindow = nullptr;
    /// The settings being edited while the dialog is shown.
    graph::GraphSettings* m_settings = nullptr;
};

} // namespace ui

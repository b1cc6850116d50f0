#pragma once

#include "graph/Graph.h"

#include <QDialog>

struct App;
class QChartView;
class QLabel;
class QPushButton;
class QStackedLayout;

namespace ui {

/// The graph window "グラフ": the chart of the graph settings, built each time it is shown,
/// with buttons to print it, save it as a bitmap, go back to the settings or close.
class TfGp : public QDialog {
public:
    /// How the window closed: through btnGset (back to the settings) or otherwise.
    enum Result { Closed = QDialog::Rejected, Retry = 2 };

    TfGp(App& app, QWidget* mainWindow, QWidget* parent = nullptr);

    /// Shows the window modally with a fresh chart; empties it when it closes.
    Result showChart();

    /// Placed over the main window the first time in a run, then BuildChart.
    void FormActivate();
    void BuildChart();
    /// Frees the chart of the last build.
    void FormClose();
    void btPrtClick();
    void btSaveClick();

    /// The chart of the last build (kind, texts, series), as the views show it.
    const graph::ChartModel& model() const { return m_model; }

    // Components, named as the graph window names them.
    QChartView* G1 = nullptr; // every kind but the pie
    QChartView* G2 = nullptr; // the pie
    QChartView* ActiveChart = nullptr;
    QPushButton* btPrt = nullptr;
    QPushButton* btSave = nullptr;
    QPushButton* btnGset = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* plPrt = nullptr;
    int GraphKind = 0;
    bool GraphPlaced = false;

private:
    App& m_app;
    QWidget* m_mainWindow;
    QStackedLayout* m_charts = nullptr;
    graph::ChartModel m_model;
};

} // namespace ui

// Painting of the main window's grid.
#include "BenchApp.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtTextMeasure.h"
#include "ui/TF.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

/// A full sheet: 26 x 32000 numbers and texts, ruled lines on every cell of the first screens,
/// a page break every 50 rows.
struct FullSheetWindow {
    FullSheetWindow()
    {
        EnsureBenchApplication();
        services = fakes.services();
        services.measure = &measure;
        app = std::make_unique<App>(services);
        window = std::make_unique<ui::TF>(*app);
        window->resize(1280, 800);
        window->show();
        core::Sheet& sheet = app->sheet;
        sheet.SheetRows = core::MaxRows;
        core::ResizeSheet(*app);
        for (int c = 1; c <= core::MaxCols; ++c)
            for (int r = 1; r <= core::MaxRows; ++r) {
                if ((c + r) % 3 == 0) {
                    sheet.CellText[c][r] = QChar(core::TextMark) + QStringLiteral("項目") +
                                           QString::number(r);
                } else {
                    const double v = c * 1000.5 + r;
                    sheet.CellText[c][r] = QChar(core::NumberMark) + QString::number(v);
                    sheet.CellValue[c][r] = v;
                }
                const auto code = std::uint8_t(((c + r) % 7 + 1) * 16 + (c * r) % 16);
                sheet.CellLines[4][c][r] = code;
                if (c % 2 == 0)
                    sheet.CellLines[1][c][r] = code;
            }
        for (int r = 50; r <= core::MaxRows; r += 50)
            for (int c = 1; c <= core::MaxCols; ++c)
                sheet.CellLines[5][c][r] = core::PageBreakMark;
        sheet.LastCol = core::MaxCols;
        sheet.LastRow = core::MaxRows;
        core::RefreshHeaders(*app);
        core::ShowAllCells(*app);
        QCoreApplication::processEvents();
    }
    platform::FakePlatform fakes;
    platform::QtTextMeasure measure;
    platform::Services services;
    std::unique_ptr<App> app;
    std::unique_ptr<ui::TF> window;
};

void BM_PaintVisibleGrid(benchmark::State& state)
{
    FullSheetWindow full;
    QWidget* viewport = full.window->grid()->viewport();
    QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    int cells = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        viewport->render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    const QTableView* grid = full.window->grid();
    cells = (grid->rowAt(viewport->height() - 1) + 1) * (grid->columnAt(viewport->width() - 1) + 1);
    state.counters["visible_cells"] = cells;
}
BENCHMARK(BM_PaintVisibleGrid)->Unit(benchmark::kMillisecond);

} // namespace

#pragma once

#include "platform/Printer.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

namespace platform {

/// The printer font: the grid's family substitutions, fixed pitch, the size in points.
QFont PrintQFont(const PrintFont& font);

/// The current printer over QPrinter: a CUPS queue or a PDF file. Its printable area is the
/// page inside the printer's own minimum margins.
class QtPrinter : public Printer, public OutputTarget {
public:
    QtPrinter();
    ~QtPrinter() override;

    /// The QPrinter the print dialog configures.
    QPrinter& qprinter() const;
    /// Prints into a PDF file on A4 at 600 dpi instead of a queue.
    void setPdfOutput(const QString& path);

    bool available() const override;
    PageMetrics metrics() override;
    int textWidth(const PrintFont& font, const QString& text) override;
    int textHeight(const PrintFont& font, const QString& text) override;
    bool begin(const QString& title) override;
    bool newPage() override;
    bool end() override;
    void abort() override;
    OutputTarget& target() override { return *this; }

    void setFont(const PrintFont& font) override;
    void setPen(PrintPen style, int width, std::uint32_t rgb) override;
    void drawText(int x, int y, const QString& text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;

private:
    void useMinimumMargins();
    const QFontMetrics& metricsOf(const PrintFont& font);

    mutable std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    PrintFont m_measured;
    std::unique_ptr<QFontMetrics> m_metrics;
    int m_ascent = 0;
    QColor m_textColor = Qt::black;
    QPen m_linePen;
    bool m_penIsLine = false;
};

} // namespace platform

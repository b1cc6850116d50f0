#include "platform/qt/QtPrinter.h"

#include "platform/qt/QtTextMeasure.h"

#include <QPageLayout>
#include <QPrinterInfo>

namespace platform {

namespace {

Qt::PenStyle qtPen(PrintPen style)
{
    switch (style) {
    case PrintPen::Solid: return Qt::SolidLine;
    case PrintPen::Dash: return Qt::DashLine;
    case PrintPen::Dot: return Qt::DotLine;
    case PrintPen::DashDot: return Qt::DashDotLine;
    case PrintPen::DashDotDot: return Qt::DashDotDotLine;
    }
    return Qt::SolidLine;
}

} // namespace

QFont PrintQFont(const PrintFont& font)
{
    FontSpec grid;
    grid.name = font.name;
    grid.size = font.size;
    grid.bold = font.bold;
    grid.italic = font.italic;
    QFont f = GridQFont(grid);
    f.setUnderline(font.underline);
    return f;
}

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter() = default;

QPrinter& QtPrinter::qprinter() const
{
    // Made on first use: asking the print system for its queues takes time that the
    // program's start does not have.
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without a queue on this desktop, the printer is a PDF file.
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setResolution(600);
            m_printer->setPageSize(QPageSize(QPageSize::A4));
        }
    }
    return *m_printer;
}

void QtPrinter::setPdfOutput(const QString& path)
{
    qprinter();
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setResolution(600);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setOutputFileName(path);
}

bool QtPrinter::available() const
{
    return qprinter().isValid();
}

void QtPrinter::useMinimumMargins()
{
    qprinter();
    m_printer->setFullPage(false);
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());
}

PageMetrics QtPrinter::metrics()
{
    // The print dialog may have chosen another printer or resolution since.
    m_metrics.reset();
    useMinimumMargins();
    const QRect page = m_printer->pageRect(QPrinter::DevicePixel).toRect();
    const QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    PageMetrics m;
    m.width = page.width();
    m.height = page.height();
    m.device = true;
    m.physWidth = paper.width();
    m.physHeight = paper.height();
    m.offsetX = page.x() - paper.x();
    m.offsetY = page.y() - paper.y();
    m.dpiY = m_printer->resolution();
    return m;
}

const QFontMetrics& QtPrinter::metricsOf(const PrintFont& font)
{
    if (!m_metrics || !(font == m_measured)) {
        m_measured = font;
        m_metrics = std::make_unique<QFontMetrics>(PrintQFont(font), &qprinter());
    }
    return *m_metrics;
}

int QtPrinter::textWidth(const PrintFont& font, const QString& text)
{
    return metricsOf(font).horizontalAdvance(text);
}

int QtPrinter::textHeight(const PrintFont& font, const QString&)
{
    return metricsOf(font).height();
}

bool QtPrinter::begin(const QString& title)
{
    useMinimumMargins();
    m_printer->setDocName(title);
    return m_painter.begin(m_printer.get());
}

bool QtPrinter::newPage()
{
    return qprinter().newPage();
}

bool QtPrinter::end()
{
    return m_painter.end();
}

void QtPrinter::abort()
{
    qprinter().abort();
    if (m_painter.isActive())
        m_painter.end();
}

void QtPrinter::setFont(const PrintFont& font)
{
    const QFont f = PrintQFont(font);
    m_painter.setFont(f);
    m_textColor = QColor::fromRgb(font.rgb);
    m_painter.setPen(m_textColor);
    m_penIsLine = false;
    m_ascent = metricsOf(font).ascent();
}

void QtPrinter::setPen(PrintPen style, int width, std::uint32_t rgb)
{
    QPen pen(QColor::fromRgb(rgb), width, qtPen(style));
    pen.setCapStyle(Qt::FlatCap);
    m_linePen = pen;
    m_painter.setPen(pen);
    m_penIsLine = true;
}

void QtPrinter::drawText(int x, int y, const QString& text)
{
    // Texts keep their font's colour, lines their pen, as separate settings.
    if (m_penIsLine) {
        m_painter.setPen(m_textColor);
        m_penIsLine = false;
    }
    m_painter.drawText(x, y + m_ascent, text);
}

void QtPrinter::drawLine(int x1, int y1, int x2, int y2)
{
    if (!m_penIsLine) {
        m_painter.setPen(m_linePen);
        m_penIsLine = true;
    }
    m_painter.drawLine(x1, y1, x2, y2);
}

} // namespace platform

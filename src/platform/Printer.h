#pragma once

#include <QString>
#include <cstdint>

namespace platform {

/// A font the page drawing asks for; fixed pitch is always requested.
struct PrintFont {
    QString name;
    int size = 0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t rgb = 0; // 0xRRGGBB
    bool operator==(const PrintFont&) const = default;
};

enum class PrintPen { Solid, Dash, Dot, DashDot, DashDotDot };

/// Where pages are drawn, in printer pixels from the printable area's top-left corner:
/// the printer during a job, or the print preview. Texts are drawn in the colour of the
/// last font set, lines with the last pen set.
class OutputTarget {
public:
    virtual ~OutputTarget() = default;
    virtual void setFont(const PrintFont& font) = 0;
    virtual void setPen(PrintPen style, int width, std::uint32_t rgb) = 0;
    /// The text with its top-left corner at (x, y).
    virtual void drawText(int x, int y, const QString& text) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
};

/// The page as the printer reports it, in printer pixels.
struct PageMetrics {
    int width = 0;  // printable area
    int height = 0;
    bool device = false; // the figures below come from a printer device
    int physWidth = 0;   // paper
    int physHeight = 0;
    int offsetX = 0; // printable area from the paper's left and top edges
    int offsetY = 0;
    int dpiY = 0;
};

/// The current printer: its page, text measurement in its pixels, and the print job.
class Printer {
public:
    virtual ~Printer() = default;
    /// False when there is no printer to print on or to measure with.
    virtual bool available() const = 0;
    virtual PageMetrics metrics() = 0;
    virtual int textWidth(const PrintFont& font, const QString& text) = 0;
    virtual int textHeight(const PrintFont& font, const QString& text) = 0;
    /// A job: begin, pages separated by newPage, then end or abort. False on a printer error.
    virtual bool begin(const QString& title) = 0;
    virtual bool newPage() = 0;
    virtual bool end() = 0;
    virtual void abort() = 0;
    /// Where the pages of the running job are drawn.
    virtual OutputTarget& target() = 0;
};

} // namespace platform

#pragma once

#include <QDialog>
#include <QFont>

class QLabel;
class QListWidget;
class QSpinBox;

namespace ui {

/// The font dialog of the font command: only fixed-pitch families, where every half-width
/// character has the same width (Japanese gothic fonts included), with style and size.
class GridFontDialog : public QDialog {
    Q_OBJECT

public:
    GridFontDialog(const QFont& initial, QWidget* parent = nullptr);
    QFont selectedFont() const;
    /// The installed families whose half-width characters all have one width.
    static QStringList fixedPitchFamilies();

private:
    void updateSample();

    QListWidget* m_families = nullptr;
    QListWidget* m_styles = nullptr;
    QSpinBox* m_size = nullptr;
    QListWidget* m_sizes = nullptr;
    QLabel* m_sample = nullptr;
};

} // namespace ui

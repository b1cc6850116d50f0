#include "ui/TfPviw.h"

#include "commands/Commands.h"
#include "core/App.h"
#include "platform/Help.h"
#include "platform/Printer.h"
#include "platform/Ui.h"
#include "platform/qt/DialogFlags.h"
#include "platform/qt/QtTextMeasure.h"
#include "print/Preview.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <optional>

namespace ui {

namespace {

using commands::CommandId;

/// The page drawing of the print engine on the paint box: printer pixels divided by the
/// scale and truncated toward zero.
class PreviewTarget : public platform::OutputTarget {
public:
    PreviewTarget(QPainter& painter, float scale, int gridPoints, int rowHeight)
        : m_painter(painter)
        , m_scale(scale > 0 ? scale : 1)
        , m_gridPoints(gridPoints > 0 ? gridPoints : platform::DefaultFontPoints)
        , m_rowHeight(rowHeight)
    {
    }

    void setFont(const platform::PrintFont& font) override
    {
        QFont f = platform::GridQFont({font.name, font.size, font.bold, font.italic});
        f.setUnderline(font.underline);
        // As high as the printed rows, in proportion to the grid font.
        const int points = font.size > 0 ? font.size : platform::DefaultFontPoints;
        const int pixels = int(double(m_rowHeight - 2) * points / m_gridPoints / m_scale);
        f.setPixelSize(std::max(1, pixels));
        m_painter.setFont(f);
        m_textColor = QColor(QRgb(font.rgb));
    }

    void setPen(platform::PrintPen style, int width, std::uint32_t rgb) override
    {
        m_pen = QPen(QColor(QRgb(rgb)), std::max(1, scaled(width)), penStyle(style),
                     Qt::FlatCap);
    }

    void drawText(int x, int y, const QString& text) override
    {
        m_painter.setPen(m_textColor);
        m_painter.drawText(QPoint(scaled(x), scaled(y) + m_painter.fontMetrics().ascent()), text);
    }

    void drawLine(int x1, int y1, int x2, int y2) override
    {
        m_painter.setPen(m_pen);
        m_painter.drawLine(scaled(x1), scaled(y1), scaled(x2), scaled(y2));
    }

private:
    int scaled(int v) const { return int(double(v) / double(m_scale)); }

    static Qt::PenStyle penStyle(platform::PrintPen style)
    {
        switch (style) {
        case platform::PrintPen::Solid: return Qt::SolidLine;
        case platform::PrintPen::Dash: return Qt::DashLine;
        case platform::PrintPen::Dot: return Qt::DotLine;
        case platform::PrintPen::DashDot: return Qt::DashDotLine;
        case platform::PrintPen::DashDotDot: return Qt::DashDotDotLine;
        }
        return Qt::SolidLine;
    }

    QPainter& m_painter;
    float m_scale;
    int m_gridPoints;
    int m_rowHeight;
    QPen m_pen;
    QColor m_textColor = Qt::black;
};

} // namespace

PreviewBox::PreviewBox(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("P"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewBox::paintEvent(QPaintEvent*)
{
    const print::PreviewState& p = m_app.printing.preview;
    const float scale = p.PreviewScale > 0 ? p.PreviewScale : 1;
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, int(float(p.layout.g.PhysWidth) / scale),
                           int(float(p.layout.g.PhysHeight) / scale)),
                     Qt::white);
    PreviewTarget target(painter, scale, m_app.sheet.FontSize, p.layout.g.RowHeight);
    print::PaintPreview(m_app, target);
}

TfPviw::TfPviw(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfPviw"));
    platform::SetDialogFlags(*this);
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    setModal(true);

    // The button row never makes the window wider than the main window it covers; in a
    // narrow window the last buttons are cut off.
    auto* bar = new QWidget(this);
    bar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(4, 4, 4, 4);
    buttons->setSpacing(2);
    const auto button = [&](const char* name, const QString& caption, const QString& hint,
                            std::optional<QStyle::StandardPixmap> icon = std::nullopt) {
        auto* b = new QPushButton(caption, bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        // The buttons without a word of their own show what they do as a picture.
        if (icon)
            b->setIcon(style()->standardIcon(*icon, nullptr, b));
        buttons->addWidget(b);
        return b;
    };
    btnEnd = button("btnEnd", QStringLiteral("(&E)"), QStringLiteral("最終ページ"),
                    QStyle::SP_MediaSkipForward);
    btnNext = button("btnNext", QStringLiteral("次(&N)"), QStringLiteral("次ページ"));
    btnPrev = button("btnPrev", QStringLiteral("前(&P)"), QStringLiteral("前ページ"));
    btnTop = button("btnTop", QStringLiteral("(&B)"), QStringLiteral("先頭ページ"),
                    QStyle::SP_MediaSkipBackward);
    btnSize = button("btnSize", QStringLiteral("拡(&Z)"), QStringLiteral("拡大/縮小"));
    btnPrint = button("btnPrint", QStringLiteral("印(&T)..."), QStringLiteral("印刷"));
    btnSet = button("btnSet", QStringLiteral("設(&S)..."), QStringLiteral("ページ設定"));
    btnClose = button("btnClose", QStringLiteral("閉(&C)"), QStringLiteral("閉じる"));
    btnHelp = button("btnHelp", QStringLiteral("(&H)"), QStringLiteral("ヘルプ"),
                     QStyle::SP_TitleBarContextHelpButton);
    buttons->addStretch(1);

    auto* panel = new QFrame(this);
    plPv = panel;
    plPv->setObjectName(QStringLiteral("plPv"));
    panel->setFrameShape(QFrame::NoFrame);
    QPalette workspace = plPv->palette();
    workspace.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    plPv->setPalette(workspace);
    plPv->setAutoFillBackground(true);
    plPv->setMinimumSize(40, 40);
    plPv->installEventFilter(this);
    P = new PreviewBox(m_app, plPv);
    sbH = new QScrollBar(Qt::Horizontal, plPv);
    sbH->setObjectName(QStringLiteral("sbH"));
    sbV = new QScrollBar(Qt::Vertical, plPv);
    sbV->setObjectName(QStringLiteral("sbV"));
    for (QScrollBar* bar : {sbH, sbV}) {
        bar->setMinimum(-10);
        bar->hide();
    }

    stsBar = new QStatusBar(this);
    stsBar->setObjectName(QStringLiteral("stsBar"));
    stsBar->setSizeGripEnabled(false);
    m_status = new QLabel(stsBar);
    stsBar->addWidget(m_status, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(plPv, 1);
    layout->addWidget(stsBar);

    connect(btnEnd, &QPushButton::clicked, this,
            [this] { go(m_app.printing.preview.pageCount); });
    connect(btnNext, &QPushButton::clicked, this, [this] { go(m_app.printing.preview.page + 1); });
    connect(btnPrev, &QPushButton::clicked, this, [this] { go(m_app.printing.preview.page - 1); });
    connect(btnTop, &QPushButton::clicked, this, [this] { go(1); });
    connect(btnSize, &QPushButton::clicked, this, &TfPviw::ToggleZoom);
    connect(btnPrint, &QPushButton::clicked, this, [this] {
        m_printAfterwards = true;
        accept();
    });
    connect(btnSet, &QPushButton::clicked, this, &TfPviw::btnSetClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this,
            [this] { m_app.help().showKeyword(QStringLiteral("印刷プレビュー")); });
    connect(sbH, &QScrollBar::valueChanged, this, [this](int p) { P->move(-p, P->y()); });
    connect(sbV, &QScrollBar::valueChanged, this, [this](int p) { P->move(P->x(), -p); });

    // 1:1 stays from the last opening, scroll bars and all.
    if (m_app.printing.preview.PreviewScale == 1)
        showActualSize();
}

bool TfPviw::run()
{
    m_printAfterwards = false;
    btnPrint->setEnabled(commands::CommandEnabled(m_app, CommandId::Print));
    if (parentWidget())
        setGeometry(parentWidget()->window()->geometry());
    showPage();
    exec();
    return m_printAfterwards;
}

QString TfPviw::statusText() const
{
    return m_status->text();
}

void TfPviw::showPage()
{
    m_status->setText(print::PreviewStatus(m_app));
    P->update();
}

void TfPviw::go(int page)
{
    if (print::PreviewGo(m_app, page))
        showPage();
}

void TfPviw::FitPreview()
{
    print::PreviewState& p = m_app.printing.preview;
    const print::PageGeometry& g = p.layout.g;
    p.PreviewScale = print::FitScale(g.PhysWidth, g.PhysHeight, plPv->width(), plPv->height());
    if (p.PreviewScale <= 0)
        return;
    const int w = int(float(g.PhysWidth) / p.PreviewScale);
    const int h = int(float(g.PhysHeight) / p.PreviewScale);
    P->setGeometry((plPv->width() - w) / 2, (plPv->height() - h) / 2, w, h);
    P->update();
}

void TfPviw::ToggleZoom()
{
    if (m_app.printing.preview.PreviewScale != 1) {
        m_app.printing.preview.PreviewScale = 1;
        showActualSize();
    } else {
        sbH->hide();
        sbV->hide();
        FitPreview();
    }
    P->update();
}

void TfPviw::showActualSize()
{
    const print::PageGeometry& g = m_app.printing.preview.layout.g;
    for (QScrollBar* bar : {sbH, sbV}) {
        const QSignalBlocker quiet(bar);
        bar->setValue(-10);
    }
    P->setGeometry(10, 10, g.PhysWidth, g.PhysHeight);
    sbH->show();
    sbV->show();
    sbH->raise();
    sbV->raise();
    layoutScrollBars();
}

void TfPviw::place()
{
    const print::PageGeometry& g = m_app.printing.preview.layout.g;
    if (m_app.printing.preview.PreviewScale == 1) {
        P->resize(g.PhysWidth, g.PhysHeight);
        layoutScrollBars();
    } else {
        FitPreview();
    }
}

void TfPviw::layoutScrollBars()
{
    const int w = plPv->width();
    const int h = plPv->height();
    const int across = sbV->sizeHint().width();
    const int down = sbH->sizeHint().height();
    const bool both = !sbH->isHidden() && !sbV->isHidden();
    sbH->setGeometry(0, h - down, w - (both ? across : 0), down);
    sbV->setGeometry(w - across, 0, across, h - (both ? down : 0));
    if (sbH->isHidden())
        return;
    // The ranges follow the panel; a position beyond the new end moves the page with it.
    const print::PageGeometry& g = m_app.printing.preview.layout.g;
    const print::ZoomBars z = print::ZoomBarsFor(g.PhysWidth, g.PhysHeight, w, h);
    sbV->setMaximum(z.vMax);
    sbH->setMaximum(z.hMax);
    sbV->setPageStep(z.vPage);
    sbH->setPageStep(z.hPage);
    sbV->setSingleStep(z.vStep);
    sbH->setSingleStep(z.hStep);
}

void TfPviw::btnSetClick()
{
    const platform::LayoutAnswer answer = m_app.ui().askPageLayout(
        m_app.pageLayout, commands::CommandEnabled(m_app, CommandId::Print));
    if (answer == platform::LayoutAnswer::Cancel)
        return;
    if (print::PreparePreview(m_app)) {
        place();
        showPage();
    }
    if (answer == platform::LayoutAnswer::Print)
        commands::RunCommand(m_app, CommandId::Print);
}

bool TfPviw::event(QEvent* e)
{
    // The preview covers the main window whenever it comes to the front.
    if (e->type() == QEvent::WindowActivate && parentWidget()) {
        const QRect main = parentWidget()->window()->geometry();
        if (geometry() != main)
            setGeometry(main);
    }
    return QDialog::event(e);
}

bool TfPviw::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == plPv && e->type() == QEvent::Resize) {
        if (m_app.printing.preview.PreviewScale == 1)
            layoutScrollBars();
        else
            FitPreview();
    }
    return QDialog::eventFilter(watched, e);
}

} // namespace ui

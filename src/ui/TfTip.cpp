#include "ui/TfTip.h"

#include "core/App.h"
#include "platform/Help.h"
#include "platform/qt/DialogFlags.h"
#include "settings/ToolbarEditor.h"
#include "ui/DialogButtons.h"
#include "ui/ToolIcons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int ColumnWidth = 200;
constexpr int SmallIcon = 16;

} // namespace

TfTip::TfTip(App& app, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("TfTip"));
    setWindowTitle(QStringLiteral("ツールボタンの編集"));
    platform::SetDialogFlags(*this);

    const auto items = settings::ToolbarItems();
    lvBtn = new QTableWidget(int(items.size()), 1, this);
    lvBtn->setObjectName(QStringLiteral("lvBtn"));
    lvBtn->setHorizontalHeaderLabels({QStringLiteral("ボタン")});
    lvBtn->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lvBtn->horizontalHeader()->resizeSection(0, ColumnWidth);
    lvBtn->horizontalHeader()->setStretchLastSection(true);
    lvBtn->verticalHeader()->hide();
    lvBtn->setShowGrid(true);
    lvBtn->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvBtn->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvBtn->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvBtn->setIconSize(QSize(SmallIcon, SmallIcon));
    lvBtn->setWordWrap(false);
    for (int k = 0; k < int(items.size()); ++k) {
        const settings::ToolbarItem& entry = items[std::size_t(k)];
        // Image 0 of the toolbar's list is the print-area button's greyed look.
        auto* item =
            new QTableWidgetItem(entry.icon == 0 ? ToolIcon(7, true) : ToolIcon(entry.icon),
                                 QString::fromUtf16(entry.caption));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        lvBtn->setItem(k, 0, item);
    }
    lvBtn->resizeRowsToContents();
    lvBtn->setMinimumSize(ColumnWidth + 40, 12 * lvBtn->rowHeight(0));

    btnAllOn = new QPushButton(QStringLiteral("選択すべてオン(&A)"), this);
    btnAllOn->setObjectName(QStringLiteral("btnAllOn"));
    btnAllOff = new QPushButton(QStringLiteral("選択すべてオフ(&N)"), this);
    btnAllOff->setObjectName(QStringLiteral("btnAllOff"));
    const DialogButtons buttons = MakeDialogButtons(*this, Qt::Vertical, [this] {
        m_app.help().showKeyword(QStringLiteral("ツールボタンの編集"));
    });
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    buttons.layout->insertWidget(0, btnAllOn);
    buttons.layout->insertWidget(1, btnAllOff);
    buttons.layout->insertSpacing(2, 16);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lvBtn, 1);
    layout->addLayout(buttons.layout);

    connect(btnAllOn, &QPushButton::clicked, this, [this] { checkSelected(true); });
    connect(btnAllOff, &QPushButton::clicked, this, [this] { checkSelected(false); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

bool TfTip::ask(settings::ToolbarEditorState& state)
{
    for (int k = 0; k < lvBtn->rowCount(); ++k)
        lvBtn->item(k, 0)->setCheckState(state.checked[std::size_t(k)] ? Qt::Checked
                                                                       : Qt::Unchecked);
    lvBtn->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    for (int k = 0; k < lvBtn->rowCount(); ++k)
        state.checked[std::size_t(k)] = lvBtn->item(k, 0)->checkState() == Qt::Checked;
    return true;
}

void TfTip::checkSelected(bool on)
{
    for (QTableWidgetItem* item : lvBtn->selectedItems())
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

} // namespace ui

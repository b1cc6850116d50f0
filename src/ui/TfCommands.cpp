// What each menu item, toolbar button and popup item runs.
#include "ui/TF.h"

#include "core/SheetOps.h"
#include "edit/InsertDelete.h"
#include "edit/Undo.h"
#include "files/FileCommands.h"
#include "platform/Help.h"
#include "ui/TfAdd.h"

namespace ui {

namespace {
const QString OperationHelpTopic = QStringLiteral("マウスとキーの操作");
}

void TF::runCommand(CommandId id)
{
    App& app = *m_app;
    switch (id) {
    case CommandId::New: core::NewCommand(app); break;
    case CommandId::Open: files::OpenCommand(app); break;
    case CommandId::Append: files::AppendCommand(app); break;
    case CommandId::Save: files::SaveCommand(app, false); break;
    case CommandId::SaveAs: files::SaveCommand(app, true); break;
    case CommandId::Recent0:
    case CommandId::Recent1:
    case CommandId::Recent2:
    case CommandId::Recent3:
    case CommandId::Recent4:
    case CommandId::Recent5:
    case CommandId::Recent6:
    case CommandId::Recent7:
    case CommandId::Recent8:
    case CommandId::Recent9:
        files::OpenRecent(app, int(id) - int(CommandId::Recent0));
        break;
    case CommandId::Exit: close(); break;
    case CommandId::Font: FontCommand(); break;
    case CommandId::Undo:
        updateVisibleCounts();
        edit::UndoCommand(app);
        break;
    case CommandId::Insert:
        updateVisibleCounts();
        edit::InsertCommand(app, [this](App&) { return askInsertDialog(); });
        break;
    case CommandId::Delete:
        updateVisibleCounts();
        edit::DeleteCommand(app, [this](App&) { return askInsertDialog(); });
        break;
    case CommandId::Help: app.help().showContents(); break;
    case CommandId::OperationHelp: app.help().showKeyword(OperationHelpTopic); break;
    // FIXME: these commands are wired as their modules are built; the items do nothing yet.
    case CommandId::PageLayout:
    case CommandId::PrintArea:
    case CommandId::Preview:
    case CommandId::Print:
    case CommandId::Copy:
    case CommandId::Paste:
    case CommandId::PasteClipboard:
    case CommandId::Clear:
    case CommandId::Search:
    case CommandId::SearchBackward:
    case CommandId::SearchForward:
    case CommandId::FileSearch:
    case CommandId::Replace:
    case CommandId::Link:
    case CommandId::Sort:
    case CommandId::Graph:
    case CommandId::RowCount:
    case CommandId::ColumnFormat:
    case CommandId::ColumnHeadings:
    case CommandId::RuledLines:
    case CommandId::PageBreak:
    case CommandId::ToolbarEditor:
    case CommandId::SystemSettings:
    case CommandId::About:
        break;
    }
    if (id == CommandId::PrintArea) {
        // The item's check follows the print area, not the click.
        menuAction(id)->setChecked(!m_app->sheet.PrintArea.isEmpty());
    }
}

// TfAdd lives as long as the window once it was first needed.
TfAdd* TF::tfAdd()
{
    if (!m_tfAdd)
        m_tfAdd = new TfAdd(*m_app, this);
    return m_tfAdd;
}

bool TF::askInsertDialog()
{
    const bool ok = tfAdd()->ask();
    modalReturned();
    return ok;
}

} // namespace ui

#include "commands/Commands.h"

#include "core/App.h"
#include "core/Busy.h"
#include "core/Display.h"
#include "core/FontCommand.h"
#include "core/SheetOps.h"
#include "edit/ClearRows.h"
#include "edit/InsertDelete.h"
#include "edit/Links.h"
#include "edit/Paste.h"
#include "edit/Undo.h"
#include "files/FileCommands.h"
#include "graph/Graph.h"
#include "platform/Help.h"
#include "platform/Ui.h"
#include "print/PageSetup.h"
#include "print/PrintArea.h"
#include "print/PrintEngine.h"
#include "print/Preview.h"
#include "print/RuledLines.h"
#include "settings/Settings.h"
#include "settings/SystemSettings.h"
#include "settings/ToolbarEditor.h"
#include "tools/Columns.h"
#include "tools/FileSearch.h"
#include "tools/Replace.h"
#include "tools/Search.h"
#include "tools/Sort.h"

namespace commands {

namespace {

const QString OperationHelpTopic = QStringLiteral("マウスとキーの操作");

int recentIndex(CommandId id)
{
    return int(id) - int(CommandId::Recent0);
}

bool isRecent(CommandId id)
{
    return id >= CommandId::Recent0 && id <= CommandId::Recent9;
}

} // namespace

bool CommandEnabled(const App& app, CommandId id)
{
    const CommandEntry& entry = CommandEntryOf(id);
    if (!entry.built)
        return false;
    // Typing or choosing from the pick list leaves only the help menu usable.
    if (app.InputMode != 0 && entry.menu != MenuId::Help)
        return false;
    // The search command is how a running extraction is stopped.
    if (core::IsBusy(app) && !entry.whileBusy && !(id == CommandId::Search && app.ExtractBusy))
        return false;
    if (isRecent(id))
        return recentIndex(id) < app.sheet.RecentFiles.size();
    return true;
}

void RunCommand(App& app, CommandId id)
{
    if (!CommandEnabled(app, id)) {
        if (core::IsBusy(app))
            core::ShowStatus(app, core::BusyRefusal());
        return;
    }
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
    case CommandId::Recent9: files::OpenRecent(app, recentIndex(id)); break;
    case CommandId::Exit: app.ui().closeWindow(); break;
    case CommandId::Undo: edit::UndoCommand(app); break;
    case CommandId::Insert: edit::InsertCommand(app); break;
    case CommandId::Delete: edit::DeleteCommand(app); break;
    case CommandId::Font: core::FontCommand(app); break;
    case CommandId::Copy: edit::SetCopySource(app); break;
    case CommandId::Paste: edit::Paste(app); break;
    case CommandId::Search: tools::RunSearch(app); break;
    case CommandId::SearchBackward: tools::SearchAgain(app, false); break;
    case CommandId::SearchForward: tools::SearchAgain(app, true); break;
    case CommandId::Replace: tools::ReplaceCommand(app); break;
    case CommandId::Sort: tools::RunSort(app); break;
    case CommandId::Graph: graph::GraphCommand(app); break;
    case CommandId::PageLayout: print::PageLayoutCommand(app); break;
    case CommandId::PrintArea: print::PrintAreaCommand(app); break;
    case CommandId::Clear: edit::ClearRange(app); break;
    case CommandId::RowCount: edit::SetRowCount(app); break;
    case CommandId::Link: edit::RunLinks(app); break;
    case CommandId::FileSearch: tools::RunFileSearch(app); break;
    case CommandId::Preview: print::PreviewCommand(app); break;
    case CommandId::Print: print::PrintCommand(app); break;
    case CommandId::RuledLines: print::RuledLinesCommand(app); break;
    case CommandId::PageBreak: print::TogglePageBreak(app); break;
    case CommandId::ColumnFormat: tools::RunColumnFormat(app); break;
    case CommandId::ColumnHeadings: tools::RunColumnHeadings(app); break;
    case CommandId::ToolbarEditor: settings::OpenToolbarEditor(app); break;
    case CommandId::SystemSettings: settings::SystemSettingsCommand(app); break;
    case CommandId::About: settings::AboutCommand(app); break;
    case CommandId::Help: app.help().showContents(); break;
    case CommandId::OperationHelp: app.help().showKeyword(OperationHelpTopic); break;
    // Button 15 is never shown: nothing runs it.
    case CommandId::PasteClipboard: break;
    }
}

bool CloseQuery(App& app)
{
    if (app.sheet.Modified
        && !files::AskSaveChanges(app, QStringLiteral("Mavixの終了"),
                                  QStringLiteral("データが変更されていますが\r\n保存して終了しますか？")))
        return false;
    settings::SaveSettings(app);
    app.help().close();
    return true;
}

} // namespace commands

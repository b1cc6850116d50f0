// The window's side of the commands: the core decides what runs and when.
#include "ui/TF.h"

#include "commands/Commands.h"
#include "ui/TfAbout.h"
#include "ui/TfAdd.h"
#include "ui/TfCName.h"
#include "ui/TfColSet.h"
#include "ui/TfGset.h"
#include "ui/TfLay.h"
#include "ui/TfLine.h"
#include "ui/TfRep.h"
#include "ui/TfSort.h"
#include "ui/TfSrch.h"
#include "ui/TfSysSet.h"
#include "ui/TfTip.h"

#include <QMenu>
#include <QToolBar>

namespace ui {

void TF::runCommand(CommandId id)
{
    // Paging and scrolling use the rows the view shows now.
    updateVisibleCounts();
    commands::RunCommand(m_app, id);
    refreshCommands();
}

void TF::refreshCommands()
{
    if (!ToolBar)
        return;
    // A click toggles a checkable item by itself; the print area decides its check.
    if (QAction* item = m_menuActions[std::size_t(CommandId::PrintArea)])
        item->setChecked(!m_app.sheet.PrintArea.isEmpty());
    for (const CommandEntry& entry : commands::CommandTable()) {
        const bool enabled = commands::CommandEnabled(m_app, entry.id);
        const auto i = std::size_t(entry.id);
        for (QAction* action : {m_menuActions[i], m_popupActions[i], m_buttonActions[i]})
            if (action)
                action->setEnabled(enabled);
    }
}

// The dialogs live as long as the window once they were first needed.
TfAdd* TF::tfAdd()
{
    if (!m_tfAdd)
        m_tfAdd = new TfAdd(m_app, this);
    return m_tfAdd;
}

TfSrch* TF::tfSrch()
{
    if (!m_tfSrch)
        m_tfSrch = new TfSrch(m_app, this);
    return m_tfSrch;
}

TfRep* TF::tfRep()
{
    if (!m_tfRep)
        m_tfRep = new TfRep(m_app, this);
    return m_tfRep;
}

TfSort* TF::tfSort()
{
    if (!m_tfSort)
        m_tfSort = new TfSort(m_app, this);
    return m_tfSort;
}

TfCName* TF::tfCName()
{
    if (!m_tfCName)
        m_tfCName = new TfCName(m_app, this);
    return m_tfCName;
}

TfColSet* TF::tfColSet()
{
    if (!m_tfColSet)
        m_tfColSet = new TfColSet(m_app, this);
    return m_tfColSet;
}

TfLine* TF::tfLine()
{
    if (!m_tfLine)
        m_tfLine = new TfLine(m_app, this);
    return m_tfLine;
}

TfLay* TF::tfLay()
{
    if (!m_tfLay)
        m_tfLay = new TfLay(m_app, this);
    return m_tfLay;
}

TfTip* TF::tfTip()
{
    if (!m_tfTip)
        m_tfTip = new TfTip(m_app, this);
    return m_tfTip;
}

TfSysSet* TF::tfSysSet()
{
    if (!m_tfSysSet)
        m_tfSysSet = new TfSysSet(m_app, this);
    return m_tfSysSet;
}

TfAbout* TF::tfAbout()
{
    if (!m_tfAbout)
        m_tfAbout = new TfAbout(this);
    return m_tfAbout;
}

TfGset* TF::tfGset()
{
    if (!m_tfGset)
        m_tfGset = new TfGset(m_app, this, this);
    return m_tfGset;
}

} // namespace ui

#pragma once

#include "core/GridState.h"
#include "core/Sheet.h"
#include "edit/ClearRows.h"
#include "edit/InsertDialogState.h"
#include "graph/GraphSettings.h"
#include "platform/Services.h"
#include "print/LineDialogState.h"
#include "print/PageLayout.h"
#include "print/PrintState.h"
#include "settings/SystemSettingsState.h"
#include "settings/UserSettings.h"
#include "tools/ColumnDialogState.h"
#include "tools/FileSearch.h"
#include "tools/ReplaceDialogState.h"
#include "tools/SearchDialogState.h"
#include "tools/SortDialogState.h"

#include <QByteArray>
#include <cstdint>

/// The whole application state that commands work on; one instance per running program.
/// Platform services are borrowed: the program or the test owns them.
struct App {
    explicit App(const platform::Services& services);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    core::Sheet sheet;
    core::GridState grid;
    settings::UserSettings settings;
    print::PageLayout pageLayout;
    print::LineDialogState lineDialog;
    print::PrintState printing;
    graph::GraphSettings graph;
    edit::InsertDialogState insertDialog;
    edit::ClearDialogState clearDialog;
    tools::FileSearchDialogState fileSearchDialog;
    tools::SearchDialogState searchDialog;
    tools::ReplaceDialogState replaceDialog;
    tools::SortDialogState sortDialog;
    tools::HeadingDialogState headingDialog;
    tools::ColumnFormatDialogState columnFormatDialog;
    settings::SystemSettingsState systemSettings;

    /// Editor mode: 0 idle, 1 typing, 2 pick list.
    std::uint8_t InputMode = 0;
    bool FirstActivationDone = false;
    bool SaveUnicode = true;
    /// File version of the last worksheet read; an appended file without a version line
    /// keeps it.
    double FileVersion = 2.0;
    /// Long loops running now, one inside the other (core::BusyGuard).
    int BusyDepth = 0;
    /// An extraction is running; the search command then sets ExtractStop to end it.
    bool ExtractBusy = false;
    bool ExtractStop = false;
    /// The display texts that ShowCell, ShowAllCells and AlignText make; a batch run makes
    /// fewer than the window.
    core::CellDisplays Displays = core::CellDisplays::All;
    /// Tells this running program from every other: the private clipboard marker of a copy.
    const QByteArray InstanceId;

    platform::Services services;

    platform::Ui& ui() const { return *services.ui; }
    platform::TextMeasure& measure() const { return *services.measure; }
    platform::Clipboard& clipboard() const { return *services.clipboard; }
    platform::FileHold& fileHold() const { return *services.fileHold; }
    platform::SettingsStore& settingsStore() const { return *services.settings; }
    platform::Help& help() const { return *services.help; }
    platform::Shell& shell() const { return *services.shell; }
    platform::FileDialogs& fileDialogs() const { return *services.fileDialogs; }
    platform::Printer& printer() const { return *services.printer; }
    platform::Desktop& desktop() const { return *services.desktop; }
};

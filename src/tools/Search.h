#pragma once

#include "core/Sheet.h"

#include <QCollator>
#include <QString>
#include <vector>

struct App;

namespace core {
struct CellPos;
}

namespace tools {

struct SearchDialogState;

/// One search condition, as CellMatches takes it.
struct SearchOptions {
    QString text; // upper-cased already when caseMode is 1
    double number = 0;
    int cond = 1;     // SearchDialogState::Cond
    int way = 0;      // 0 text, 1 number
    int caseMode = 0; // 1: letter case ignored
};

/// The options the dialog's controls give: the text upper-cased for caseMode 1, its number.
SearchOptions SearchOptionsOf(const SearchDialogState& state);
/// Upper-cases letter by letter, so that positions stay where they were (full-width letters
/// too; a letter whose capital is longer stays as it is).
QString SearchUpper(QStringView text);

/// The test of one cell against the options.
class CellMatcher {
public:
    CellMatcher(const core::Sheet& sheet, const SearchOptions& options);
    bool CellMatches(int c, int r) const;

private:
    const core::Sheet& m_sheet;
    SearchOptions m_options;
    QCollator m_collator;
};

/// Where the search commands look: the selection when it has several cells, else the used
/// extent.
core::CellBlock SearchRange(const App& app);

/// Every hit of the range in the order a forward search visits them, row by row.
std::vector<core::CellPos> FindAll(const core::Sheet& sheet, const SearchOptions& options,
                                   const core::CellBlock& range);

/// The search command: its dialog, then the pointer search or the extraction. While an
/// extraction runs it only asks the extraction to stop.
void RunSearch(App& app);
/// The pointer search through the range, asking after each hit whether to go on.
void PromptedSearch(App& app, const core::CellBlock& range);
/// Keeps the rows of the range that have a hit, closed up at the top, and deletes the
/// others; stopped midway, the rows not yet examined stay. Returns the hit count.
int ExtractRows(App& app, const core::CellBlock& range, const SearchOptions& options,
                int startCol, int startRow);
/// Row src's cells of columns 1..LastCol copied to row dest, formulas following.
void MoveRow(App& app, int src, int dest);
/// The next (or previous) hit from the current cell, without the dialog or wrapping round.
void SearchAgain(App& app, bool forward);

} // namespace tools

#pragma once

struct App;

namespace tools {

/// The column heading command: its dialog over HeadingRow, then the new labels.
void RunColumnHeadings(App& app);
/// The column format command: its dialog filled from the selection's left column, then the
/// chosen format for every selected column and their cells shown again.
void RunColumnFormat(App& app);

} // namespace tools

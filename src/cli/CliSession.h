#pragma once

#include "cli/CliFileHold.h"
#include "cli/CliUi.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/Result.h"
#include "platform/fake/FakePlatform.h"

#include <QString>
#include <QTextStream>
#include <memory>
#include <optional>

namespace cli {

/// Prints the problem and the usage lines; returns the usage error's exit status.
int usageError(QTextStream& err, const QString& problem);

/// The services of a batch run: fakes in memory, the measure of a fixed-pitch font.
struct Session {
    /// Texts are measured by `measure`, by default as a fixed-pitch font in units.
    explicit Session(QTextStream& err, platform::TextMeasure* measure = nullptr);
    /// Leaves the App to the end of the process, which follows every command: freeing a
    /// full sheet string by string takes longer than reading it.
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    /// Opens the file by the program's own rule; false when it could not be read.
    bool open(const QString& path);

    platform::FakePlatform fakes;
    CliUi ui;
    CliFileHold hold;
    std::unique_ptr<App> app;
};

/// A cell name A1..Z32000, letters in either case.
std::optional<core::CellPos> parseCell(const QString& name);

/// Where a command writes the sheet, and how.
struct OutputOptions {
    QString path;
    bool values = false; // .csv: the displayed results instead of the formulas
    bool ansi = false;   // .csv, .txt: Windows-31J instead of UTF-16
};
/// Whether writing the output reads the display texts of the cells (the values of a CSV
/// file, a TXT file); when it does not, a batch run need not make them.
bool readsDisplays(const OutputOptions& options);
/// What is wrong with the output's name and options, or nothing.
std::optional<QString> checkOutput(const OutputOptions& options);
/// Writes the used area by the output's extension; on failure says so on err. Returns the
/// exit status.
int writeOutput(App& app, const OutputOptions& options, QTextStream& err);

} // namespace cli

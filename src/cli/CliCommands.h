#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli {

enum ExitCode { ExitOk = 0, ExitFileError = 1, ExitUsage = 2 };

/// Runs one mavix-cli command line (arguments without the program name); results go to
/// out, messages to err. Returns the exit status.
int RunCli(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli

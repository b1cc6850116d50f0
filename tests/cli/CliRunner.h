#pragma once

// Runs the real mavix-cli executable.

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

/// mavix-cli with the arguments, in the folder; its exit status and what it printed.
inline CliRun RunMavixCli(const QStringList& args, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(MAVIX_BINARY_DIR "/src/mavix-cli"), args);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "mavix-cli did not finish normally";
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

#pragma once

/// Makes the widget benchmarks' QApplication on first use; main destroys it after the run.
/// Benchmarks without widgets run without it, in a process that has no Qt threads.
void EnsureBenchApplication();

#pragma once

#include "platform/FileHold.h"

namespace cli {

/// Trial opens that touch no file's content, and no hold: a batch run neither keeps its
/// input open nor blocks other programs.
class CliFileHold : public platform::FileHold
{
public:
    /// Reading always passes (the read itself reports a failure). Writing: an existing file
    /// opens for writing without being truncated, or a missing one could be created.
    bool tryAccess(const QString& path, bool forWrite) override;
    void hold(const QString&) override {}
    void release() override {}
    bool isHolding() const override { return false; }
};

} // namespace cli

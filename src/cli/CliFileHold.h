#pragma once

#include "platform/FileHold.h"

namespace cli {

/// No hold and no trial opens: a batch run neither keeps its input open nor blocks other
/// programs, and the read or write itself reports a file that cannot be used.
class CliFileHold : public platform::FileHold {
public:
    bool tryAccess(const QString&, bool) override { return true; }
    platform::HoldResult hold(const QString&) override { return platform::HoldResult::NotHeld; }
    void release() override {}
    bool isHolding() const override { return false; }
};

} // namespace cli

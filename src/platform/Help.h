#pragma once

#include <QString>

namespace platform {

/// The program's help viewer.
class Help {
public:
    virtual ~Help() = default;
    virtual void showContents() = 0;
    virtual void showKeyword(const QString& keyword) = 0;
    virtual void showContext(int context) = 0;
    virtual void close() = 0;
};

} // namespace platform

#pragma once

#include "platform/Clipboard.h"

namespace platform {

/// The desktop clipboard; the private marker travels as application/x-mavix.
class QtClipboard : public Clipboard {
public:
    bool hasText() const override;
    QString text() const override;
    void setText(const QString& text) override;
    void setTextWithMarker(const QString& text, const QByteArray& marker) override;
    QByteArray marker() const override;
};

} // namespace platform

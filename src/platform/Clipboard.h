#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/// The system clipboard: plain text plus the program's private marker.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool hasText() const = 0;
    virtual QString text() const = 0;
    /// Replaces the whole clipboard with the text (the private marker is gone afterwards).
    virtual void setText(const QString& text) = 0;
    /// Replaces the whole clipboard with the text and the private marker.
    virtual void setTextWithMarker(const QString& text, const QByteArray& marker) = 0;
    /// The private marker, empty when the clipboard holds none.
    virtual QByteArray marker() const = 0;
};

} // namespace platform

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

/// One key of user settings with string, 32-bit integer and binary values.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool exists() const = 0;
    virtual std::optional<QString> readString(const QString& name) const = 0;
    virtual std::optional<qint32> readInt(const QString& name) const = 0;
    virtual std::optional<QByteArray> readBinary(const QString& name) const = 0;
    virtual bool writeString(const QString& name, const QString& value) = 0;
    virtual bool writeInt(const QString& name, qint32 value) = 0;
    virtual bool writeBinary(const QString& name, const QByteArray& value) = 0;
    /// Removes the whole key.
    virtual bool removeKey() = 0;
    /// Removes the maker's level above the key ("Tarn") when no other product of the maker
    /// keeps settings there.
    virtual void removeMakerIfEmpty() = 0;
    /// Writes pending values out; false when the store could not be written.
    virtual bool sync() = 0;
};

} // namespace platform

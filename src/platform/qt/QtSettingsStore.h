#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <memory>

namespace platform {

/// The user settings key over QSettings("Tarn", "Mavix"): the INI file Tarn/Mavix.conf in
/// the user's config folder on Linux, HKCU\Software\Tarn\Mavix on Windows. The maker's
/// level is the folder Tarn.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    /// An INI file of its own (tests).
    explicit QtSettingsStore(const QString& iniPath);

    bool exists() const override;
    std::optional<QString> readString(const QString& name) const override;
    std::optional<qint32> readInt(const QString& name) const override;
    std::optional<QByteArray> readBinary(const QString& name) const override;
    bool writeString(const QString& name, const QString& value) override;
    bool writeInt(const QString& name, qint32 value) override;
    bool writeBinary(const QString& name, const QByteArray& value) override;
    bool removeKey() override;
    void removeMakerIfEmpty() override;
    bool sync() override;

private:
    bool write(const QString& name, const QVariant& value);

    std::unique_ptr<QSettings> m_settings;
};

} // namespace platform

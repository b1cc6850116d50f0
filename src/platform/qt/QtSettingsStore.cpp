#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Tarn"), QStringLiteral("Mavix")))
{
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

bool QtSettingsStore::exists() const
{
    return !m_settings->allKeys().isEmpty();
}

// INI files keep no value types: integers come back as texts, binary values as byte
// arrays (@ByteArray). A byte array is never taken for a text, nor a text for binary.
std::optional<QString> QtSettingsStore::readString(const QString& name) const
{
    const QVariant value = m_settings->value(name);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<qint32> QtSettingsStore::readInt(const QString& name) const
{
    const QVariant value = m_settings->value(name);
    const int type = value.typeId();
    if (type != QMetaType::Int && type != QMetaType::LongLong && type != QMetaType::QString)
        return std::nullopt;
    bool ok = false;
    const qint32 n = value.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

std::optional<QByteArray> QtSettingsStore::readBinary(const QString& name) const
{
    const QVariant value = m_settings->value(name);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}

bool QtSettingsStore::write(const QString& name, const QVariant& value)
{
    if (!m_settings->isWritable())
        return false;
    m_settings->setValue(name, value);
    return true;
}

bool QtSettingsStore::writeString(const QString& name, const QString& value)
{
    return write(name, value);
}

bool QtSettingsStore::writeInt(const QString& name, qint32 value)
{
    return write(name, int(value));
}

bool QtSettingsStore::writeBinary(const QString& name, const QByteArray& value)
{
    return write(name, value);
}

bool QtSettingsStore::removeKey()
{
    m_settings->clear();
    if (!sync())
        return false;
    // A cleared store still leaves its empty file behind.
    const QString file = m_settings->fileName();
    return !QFileInfo::exists(file) || QFile::remove(file);
}

void QtSettingsStore::removeMakerIfEmpty()
{
    // The folder the maker's products keep their files in; rmdir leaves it when it is not
    // empty.
    QDir().rmdir(QFileInfo(m_settings->fileName()).absolutePath());
}

bool QtSettingsStore::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace platform

#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString settingsKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

constexpr QFile::Permissions kPrivateFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kPrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
} // namespace

SettingsStore::SettingsStore(QString rootDir)
    : m_rootDir(std::move(rootDir))
{
}

QString SettingsStore::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/bidbench");
}

QString SettingsStore::fileFor(const QString &application) const
{
    return m_rootDir + QLatin1Char('/') + application + QStringLiteral(".ini");
}

QString SettingsStore::GetSetting(const QString &application, const QString &section,
                                  const QString &key) const
{
    const QString path = fileFor(application);
    if (!QFileInfo(path).isFile())
        return QString();
    QSettings settings(path, QSettings::IniFormat);
    return settings.value(settingsKey(section, key)).toString();
}

bool SettingsStore::preparePrivateFolder() const
{
    QFileInfo info(m_rootDir);
    if (!info.exists() && !QDir().mkpath(m_rootDir))
        return false;
    if (!QFileInfo(m_rootDir).isDir())
        return false;
    // The folder is what keeps others out while QSettings writes its temporary file.
    return QFile::setPermissions(m_rootDir, kPrivateFolder);
}

bool SettingsStore::change(const QString &application, const std::function<void(QSettings &)> &edit)
{
    if (!preparePrivateFolder())
        return false;
    const QString path = fileFor(application);
    {
        QSettings settings(path, QSettings::IniFormat);
        edit(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    return QFile::setPermissions(path, kPrivateFile);
}

bool SettingsStore::SaveSetting(const QString &application, const QString &section,
                                const QString &key, const QString &value)
{
    return change(application, [&](QSettings &settings) { settings.setValue(settingsKey(section, key), value); });
}

bool SettingsStore::HasSetting(const QString &application, const QString &section, const QString &key) const
{
    const QString path = fileFor(application);
    return QFileInfo(path).isFile() && QSettings(path, QSettings::IniFormat).contains(settingsKey(section, key));
}

bool SettingsStore::RemoveSetting(const QString &application, const QString &section, const QString &key)
{
    return change(application, [&](QSettings &settings) { settings.remove(settingsKey(section, key)); });
}

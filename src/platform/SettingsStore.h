#pragma once

#include <QString>

#include <functional>

class QSettings;

// The per-user settings store: one INI file per application name under the settings root
// ($XDG_CONFIG_HOME/bidbench by default). Values are read fresh on every call, never cached.
// The files may hold a plain-text password (where no secret store takes it), so the folder is
// private (0700) and the files 0600.
class SettingsStore
{
public:
    explicit SettingsStore(QString rootDir = defaultRoot());

    static QString defaultRoot();

    // The stored text, or the empty string when the application, section or key is missing.
    QString GetSetting(const QString &application, const QString &section, const QString &key) const;

    // Stores the text (an empty string is kept as an empty value). Returns false when the
    // store could not be written; the program goes on either way.
    bool SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value);

    // Whether the key is there at all, an empty value included.
    bool HasSetting(const QString &application, const QString &section, const QString &key) const;
    // Takes the key out of the file. False when the file could not be written.
    bool RemoveSetting(const QString &application, const QString &section, const QString &key);

    QString rootDir() const { return m_rootDir; }
    QString fileFor(const QString &application) const;

private:
    bool preparePrivateFolder() const;
    bool change(const QString &application, const std::function<void(QSettings &)> &edit);

    QString m_rootDir;
};

#pragma once

#include <QObject>
#include <QString>

class SettingsStore;

// The stored Talvex user name and password, and the one place that reads and writes them. The
// name is a setting ("Main"/"User" of the program's settings). The password lives in the
// desktop's secret store, under the program's name and the user name; the settings file
// ("Main"/"Password", a private file) keeps it only where no store takes it. A password found
// there (an earlier version put it there) is used as it is, and moved: written to the store,
// read back, and only then taken out of the file.
class TalvexCredentials : public QObject
{
    Q_OBJECT

public:
    enum class Keeper { SecretStore, SettingsFile };

    // storeLimitMs: how long a load or a save waits for the store before it goes on without.
    explicit TalvexCredentials(SettingsStore &settings, int storeLimitMs = 10000, QObject *parent = nullptr);

    // The user name at once; the password at once from the settings file, else from the store,
    // and loaded() once it is known or the store has not answered in time.
    void load();
    bool isLoaded() const { return m_loaded; }
    // False when neither the settings file nor the store gave a password (a locked store
    // answers as if it had none): the password may exist, but this run cannot tell.
    bool isPasswordKnown() const { return m_passwordKnown; }
    QString user() const { return m_user; }
    QString password() const { return m_password; }
    Keeper keeper() const { return m_keeper; }
    QString settingsFile() const;

    // A password that the settings file still holds goes to the store (see above). Where the
    // store refuses it or cannot be reached, the file keeps it.
    void moveToStore();

    // Both texts as typed, empty ones too: the name into the settings, the password into the
    // store or, failing that, the settings file. Kept in memory at once; saved(ok) follows, ok
    // false when the name or the password could not be stored anywhere.
    void save(const QString &user, const QString &password);

signals:
    void loaded();
    void saved(bool ok);

private:
    void finishLoad();
    bool keepInSettingsFile(const QString &password);

    SettingsStore &m_settings;
    int m_storeLimitMs;
    QString m_user;
    QString m_password;
    Keeper m_keeper = Keeper::SecretStore;
    bool m_loaded = false;
    bool m_passwordKnown = false;
    // A later save makes the answers to earlier requests stale.
    int m_generation = 0;
};

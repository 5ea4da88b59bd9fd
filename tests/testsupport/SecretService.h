#pragma once

#include <QtCore>

// A real secret store of the test's own: a private D-Bus session and gnome-keyring-daemon, its
// login collection unlocked with a test password, in a fresh home. Processes started with
// environment() use it (and that home); lookup() reads it as secret-tool does for a user.
class SecretService
{
public:
    SecretService();
    ~SecretService();

    bool isRunning() const { return !m_address.isEmpty(); }
    QProcessEnvironment environment() const;
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    // What the store keeps for the program and this user name; null when nothing.
    QString lookup(const QString &user) const;
    // As after a screen lock: nothing here can unlock it again (no prompter).
    void lock();
    // Every request waits, as for a prompt nobody answers.
    void freeze();

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_keyring;
    QString m_address;
};

#pragma once

#include <QString>

class SettingsStore;

// The stored Talvex user name and password: plain strings under "Main"/"User" and
// "Main"/"Password" of the program's settings (application name: the program's title),
// exactly as typed.
struct TalvexCredentials
{
    QString user;
    QString password;

    static TalvexCredentials load(const SettingsStore &store);
    // Writes the user name, then the password. False when the store could not be written.
    bool save(SettingsStore &store) const;
};

#include "TalvexCredentials.h"

#include "SettingsStore.h"

namespace {
const QString kSection = QStringLiteral("Main");
const QString kUserKey = QStringLiteral("User");
const QString kPasswordKey = QStringLiteral("Password");
} // namespace

TalvexCredentials TalvexCredentials::load(const SettingsStore &store)
{
    return {store.GetSetting(applicationName(), kSection, kUserKey),
            store.GetSetting(applicationName(), kSection, kPasswordKey)};
}

bool TalvexCredentials::save(SettingsStore &store) const
{
    const bool userSaved = store.SaveSetting(applicationName(), kSection, kUserKey, user);
    const bool passwordSaved = store.SaveSetting(applicationName(), kSection, kPasswordKey, password);
    return userSaved && passwordSaved;
}

#include "TalvexCredentials.h"

#include "ProgramIdentity.h"
#include "SettingsStore.h"

namespace {
const QString kSection = QStringLiteral("Main");
const QString kUserKey = QStringLiteral("User");
const QString kPasswordKey = QStringLiteral("Password");
} // namespace

TalvexCredentials TalvexCredentials::load(const SettingsStore &store)
{
    return {store.GetSetting(ProgramIdentity::title(), kSection, kUserKey),
            store.GetSetting(ProgramIdentity::title(), kSection, kPasswordKey)};
}

bool TalvexCredentials::save(SettingsStore &store) const
{
    const bool userSaved = store.SaveSetting(ProgramIdentity::title(), kSection, kUserKey, user);
    const bool passwordSaved = store.SaveSetting(ProgramIdentity::title(), kSection, kPasswordKey, password);
    return userSaved && passwordSaved;
}

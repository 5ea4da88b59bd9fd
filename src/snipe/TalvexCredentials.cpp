#include "TalvexCredentials.h"

#include "ProgramIdentity.h"
#include "SecretStore.h"
#include "SettingsStore.h"
#include "StartupTrace.h"

#include <QLoggingCategory>
#include <QTimer>

#include <memory>
#include <utility>

// Where the password went and why, for whoever needs to know: off unless the logging rules
// switch on "bidbench.password.info".
Q_LOGGING_CATEGORY(lcPassword, "bidbench.password", QtWarningMsg)

namespace {

const QString kSection = QStringLiteral("Main");
const QString kUserKey = QStringLiteral("User");
const QString kPasswordKey = QStringLiteral("Password");

using SecretStore::Result;

// Answers once: with the store's answer, or Failed when the limit comes first.
SecretStore::Answer withLimit(QObject *context, int limitMs, SecretStore::Answer answer)
{
    auto pending = std::make_shared<SecretStore::Answer>(std::move(answer));
    QTimer::singleShot(limitMs, context, [pending] {
        if (*pending)
            std::exchange(*pending, {})(Result::Failed, QStringLiteral("no answer in time"));
    });
    return [pending](Result result, const QString &text) {
        if (*pending)
            std::exchange(*pending, {})(result, text);
    };
}

} // namespace

TalvexCredentials::TalvexCredentials(SettingsStore &settings, int storeLimitMs, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_storeLimitMs(storeLimitMs)
{
}

QString TalvexCredentials::settingsFile() const
{
    return m_settings.fileFor(ProgramIdentity::title());
}

void TalvexCredentials::load()
{
    const QString app = ProgramIdentity::title();
    m_user = m_settings.GetSetting(app, kSection, kUserKey);
    if (m_settings.HasSetting(app, kSection, kPasswordKey)) {
        m_password = m_settings.GetSetting(app, kSection, kPasswordKey);
        m_keeper = Keeper::SettingsFile;
        m_passwordKnown = true;
        finishLoad();
        return;
    }
    const int generation = m_generation;
    SecretStore::read(m_user, this, withLimit(this, m_storeLimitMs, [this, generation](Result result, const QString &text) {
        if (generation != m_generation)
            return;
        // A locked store answers as if it had no entry: either way this run does not know it.
        m_passwordKnown = result == Result::Done;
        m_password = m_passwordKnown ? text : QString();
        if (result == Result::Failed) {
            m_keeper = Keeper::SettingsFile;
            qCInfo(lcPassword) << "not read from the secret store:" << text;
        }
        finishLoad();
    }));
}

void TalvexCredentials::finishLoad()
{
    qCInfo(lcStartup, "credentials loaded");
    m_loaded = true;
    emit loaded();
}

void TalvexCredentials::moveToStore()
{
    const QString app = ProgramIdentity::title();
    if (!m_settings.HasSetting(app, kSection, kPasswordKey))
        return;
    const int generation = m_generation;
    const QString user = m_user;
    const QString password = m_password;
    SecretStore::write(user, password, this, [=, this](Result written, const QString &reason) {
        if (generation != m_generation)
            return;
        if (written != Result::Done) {
            qCInfo(lcPassword) << "kept in the settings file, the secret store refused it:" << reason;
            return;
        }
        SecretStore::read(user, this, [=, this](Result result, const QString &back) {
            if (generation != m_generation)
                return;
            if (result != Result::Done || back != password) {
                qCInfo(lcPassword) << "kept in the settings file, the secret store did not give it back";
                return;
            }
            if (!m_settings.RemoveSetting(app, kSection, kPasswordKey)) {
                qCInfo(lcPassword) << "kept in the settings file too, the file could not be rewritten";
                return;
            }
            m_keeper = Keeper::SecretStore;
            qCInfo(lcPassword) << "moved into the secret store";
        });
    });
}

bool TalvexCredentials::keepInSettingsFile(const QString &password)
{
    return m_settings.SaveSetting(ProgramIdentity::title(), kSection, kPasswordKey, password);
}

void TalvexCredentials::save(const QString &user, const QString &password)
{
    ++m_generation;
    const QString previousUser = m_user;
    m_user = user;
    m_password = password;
    m_passwordKnown = true;
    const bool userSaved = m_settings.SaveSetting(ProgramIdentity::title(), kSection, kUserKey, user);
    SecretStore::write(user, password, this, withLimit(this, m_storeLimitMs, [=, this](Result result, const QString &reason) {
        const QString app = ProgramIdentity::title();
        // An older password left in the file would win over the store's at the next start.
        const bool inStore = result == Result::Done
                             && (!m_settings.HasSetting(app, kSection, kPasswordKey)
                                 || m_settings.RemoveSetting(app, kSection, kPasswordKey));
        const bool kept = inStore || keepInSettingsFile(password);
        m_keeper = inStore ? Keeper::SecretStore : Keeper::SettingsFile;
        if (inStore && previousUser != user)
            SecretStore::remove(previousUser);
        if (!inStore)
            qCInfo(lcPassword) << "saved into the settings file, the secret store refused it:" << reason;
        emit saved(userSaved && kept);
    }));
}

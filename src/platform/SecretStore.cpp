#include "SecretStore.h"

#include "ProgramIdentity.h"

#include <qt6keychain/keychain.h>

namespace SecretStore {

namespace {

// Jobs delete themselves once answered. Deleting one earlier would leave the store's answer
// pointing at a dead object, so a job never belongs to the context.
void start(QKeychain::Job *job, const QString &key, QObject *context, Answer answer)
{
    job->setKey(key);
    job->setAutoDelete(true);
    if (context) {
        QObject::connect(job, &QKeychain::Job::finished, context,
                         [answer = std::move(answer)](QKeychain::Job *finished) {
                             const auto *read = qobject_cast<QKeychain::ReadPasswordJob *>(finished);
                             switch (finished->error()) {
                             case QKeychain::NoError:
                                 answer(Result::Done, read ? read->textData() : QString());
                                 break;
                             case QKeychain::EntryNotFound:
                                 answer(Result::NotFound, QString());
                                 break;
                             default:
                                 answer(Result::Failed, finished->errorString());
                             }
                         });
    }
    job->start();
}

} // namespace

void read(const QString &key, QObject *context, Answer answer)
{
    start(new QKeychain::ReadPasswordJob(ProgramIdentity::title()), key, context, std::move(answer));
}

void write(const QString &key, const QString &secret, QObject *context, Answer answer)
{
    auto *job = new QKeychain::WritePasswordJob(ProgramIdentity::title());
    job->setTextData(secret);
    start(job, key, context, std::move(answer));
}

void remove(const QString &key)
{
    start(new QKeychain::DeletePasswordJob(ProgramIdentity::title()), key, nullptr, {});
}

} // namespace SecretStore

#pragma once

#include <QString>

#include <functional>

class QObject;

// The desktop's secret store (the Secret Service, or KWallet) through QtKeychain: secrets kept
// under the program's name and a key. Each request answers once, later, in the event loop,
// unless its context is gone by then; without a store the answer is Failed. A store waiting on
// an unlock prompt may answer very late or never, so callers that cannot wait set limits.
namespace SecretStore {

enum class Result { Done, NotFound, Failed };
// The text is the secret when Done, the store's reason when Failed.
using Answer = std::function<void(Result, const QString &text)>;

void read(const QString &key, QObject *context, Answer answer);
void write(const QString &key, const QString &secret, QObject *context, Answer answer);
// Nobody waits for this answer.
void remove(const QString &key);

} // namespace SecretStore

#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// FUZZ_TARGET(bytes) { ... } is libFuzzer's entry with the input as a QByteArray of its own.
#define FUZZ_TARGET(bytes)                                                                 \
    static void fuzzOne(const QByteArray &bytes);                                          \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                \
    {                                                                                      \
        fuzzOne(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));        \
        return 0;                                                                          \
    }                                                                                      \
    static void fuzzOne(const QByteArray &bytes)

// The input as a file of that name in a folder of this run, for readers that take a path.
inline QString fuzzFile(const QByteArray &bytes, const QString &name)
{
    static QTemporaryDir folder;
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return file.fileName();
}

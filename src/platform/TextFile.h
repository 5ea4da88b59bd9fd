#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files as the program keeps them: UTF-8, every line ended by CR LF, written whole
// through a temporary file so that a failed write leaves the previous file untouched.
// Reading accepts CR LF, CR and LF, and files from older Windows installations (Windows-1252).
namespace TextFile {

struct ReadResult
{
    bool ok = false;     // false when the file exists but could not be read
    bool exists = false;
    QStringList lines;
    QString error;
};

struct WriteResult
{
    bool ok = false;
    QString error; // the reason, for a message to the user
};

// UTF-8 when the bytes are valid UTF-8 (a BOM is dropped), else Windows-1252.
QString decode(const QByteArray &bytes);
QString decodeWindows1252(const QByteArray &bytes);
// UTF-16 without its byte-order mark. An unpaired surrogate becomes U+FFFD and the rest is
// kept: one bad unit in a file must not cost the whole file.
QString decodeUtf16(QByteArrayView bytes, bool bigEndian);

// Splits at CR LF, lone CR and lone LF; a final line end does not make an empty last line.
QStringList splitLines(const QString &text);

ReadResult readLines(const QString &path);
WriteResult writeLines(const QString &path, const QStringList &lines);
WriteResult writeBytes(const QString &path, const QByteArray &bytes);

} // namespace TextFile

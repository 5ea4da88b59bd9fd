#pragma once

#include <QByteArray>
#include <QString>

// Reads one value from an INI-format file (Internet shortcuts are such files). Hand-written
// because QSettings splits values at commas and semicolons, which addresses are full of.
//
// Sections and keys match without regard to letter case and around blanks; the first matching
// key in the file wins; lines starting with ";" are comments. The value is returned whole,
// trimmed, without one pair of surrounding double or single quotes. The file may be UTF-8
// (with or without a byte-order mark), UTF-16 with a byte-order mark, or Windows-1252.
namespace IniFile {

// Bytes to text: a byte-order mark decides; without one, UTF-8 unless invalid, then Windows-1252.
QString decode(const QByteArray &bytes);

// A value as the reader returns it: trimmed, without one pair of surrounding quotes. Whoever
// compares an address with one read back from a shortcut cleans it with this.
QString cleanValue(QStringView raw);

// The value of key in section of the INI text; the empty string when either is missing.
QString value(const QString &text, const QString &section, const QString &key);

// The same for a file; the empty string when it is missing, not a regular file or unreadable.
QString readValue(const QString &path, const QString &section, const QString &key);

} // namespace IniFile

#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTest>

// What a Favorites folder holds, as sorted lines: "Folder/" for a folder and
// "Folder/Name.url -> address" for a shortcut in exactly the format we write; any other file
// shows its raw bytes, so a wrong format fails the comparison too.
inline QStringList favoritesSnapshot(const QString &root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(root.size() + 1);
        const QFileInfo info = it.fileInfo();
        if (info.isSymLink()) {
            lines.append(relative + QStringLiteral(" @link"));
            continue;
        }
        if (info.isDir()) {
            lines.append(relative + QLatin1Char('/'));
            continue;
        }
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        const QByteArray head = "[InternetShortcut]\r\nURL=";
        if (bytes.startsWith(head) && bytes.endsWith("\r\n") && bytes.count('\n') == 2)
            lines.append(relative + QStringLiteral(" -> ")
                         + QString::fromUtf8(bytes.mid(head.size(), bytes.size() - head.size() - 2)));
        else
            lines.append(relative + QStringLiteral(" = ") + QString::fromUtf8(bytes));
    }
    lines.sort();
    return lines;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

inline void writeShortcutFile(const QString &path, const QString &url)
{
    writeFile(path, "[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n");
}

#include "ListFileText.h"

#include <QDir>

namespace ListFileText {

QString unstorable(const QString &text, const QString &boxLabel, bool barSeparates)
{
    QString found;
    if (text.contains(u'\n') || text.contains(u'\r'))
        found = QStringLiteral("a line break");
    else if (barSeparates && text.contains(u'|'))
        found = QStringLiteral("a \"|\"");
    else
        return QString();
    return QStringLiteral("The box \"%1\" holds %2, which cannot be saved.\n\n"
                          "Please remove it and try again.")
        .arg(boxLabel, found);
}

QString unreadable(const QString &path, const QString &error)
{
    return QStringLiteral("%1 could not be read (%2), so nothing can be added or deleted "
                          "here. The file is left as it is.")
        .arg(QDir::toNativeSeparators(path), error);
}

} // namespace ListFileText

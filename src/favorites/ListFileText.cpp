#include "ListFileText.h"

#include <QDir>
#include <QMessageBox>

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

void saveWithRetry(QWidget *window, const QString &what, const std::function<Written()> &write)
{
    for (;;) {
        const Written written = write();
        if (written.ok)
            return;
        const auto answer = QMessageBox::warning(
            window, window->windowTitle(),
            QStringLiteral("%1 could not be saved to\n%2\n\n%3\n\n"
                           "The file was left as it was. Retry to try again, or Cancel to "
                           "close without saving your changes.")
                .arg(what, QDir::toNativeSeparators(written.path), written.error),
            QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        if (answer != QMessageBox::Retry)
            return;
    }
}

} // namespace ListFileText

#include "BrowserHelper.h"

#include "AddFavoriteDialog.h"
#include "BookmarkImporter.h"
#include "ProgramIdentity.h"
#include "UserFolders.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// A page without a <title> (a picture, plain text) is still a page: its address names it.
QString suggestedName(const QString &url, const QString &title)
{
    if (title.isEmpty() && !url.isEmpty() && url != QLatin1String("about:blank"))
        return url;
    return title;
}
} // namespace

BrowserHelper::BrowserHelper(QObject *parent)
    : BrowserHelper(SpecialFolder::path(SpecialFolder::Favorites), parent)
{
}

BrowserHelper::BrowserHelper(const QString &favoritesFolder, QObject *parent)
    : QObject(parent), m_favoritesFolder(favoritesFolder)
{
}

QString BrowserHelper::AddPage(const QString &url, const QString &title, QWidget *parentWindow)
{
    const QString name = suggestedName(url, title);
    if (name.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, ProgramIdentity::title(),
                        QStringLiteral("You must navigate to a webpage and be viewing it\r\n"
                                       "to add it to your favorites list."),
                        QMessageBox::Ok, parentWindow);
        box.exec();
        return QString();
    }
    return AddFavorite(url, name, parentWindow);
}

QString BrowserHelper::AddFavorite(const QString &url, const QString &title, QWidget *parentWindow)
{
    if (m_favoritesFolder.isEmpty()) {
        QMessageBox::warning(parentWindow, ProgramIdentity::title(),
                             QStringLiteral("The Favorites folder could not be found or made."));
        return QString();
    }
    AddFavoriteDialog dialog(m_favoritesFolder, parentWindow);
    dialog.setUp(url, title);
    dialog.exec();
    return dialog.Cancelled() ? QString() : dialog.SavedPath();
}

QString BrowserHelper::chooseBookmarkFile(QFileDialog &dialog)
{
    dialog.setWindowTitle(QStringLiteral("Import Netscape Bookmarks to Favorites"));
    // Qt's own dialog matches the patterns in any letter case, so "bookmarks.HTML" shows too.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Bookmark files (*.htm *.html)"));
    if (dialog.directory().path() == QDir::currentPath())
        dialog.setDirectory(QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool BrowserHelper::ImportFavorites(const QString &bookmarkFile, QWidget *parentWindow)
{
    const BookmarkImporter::Result result = BookmarkImporter(m_favoritesFolder).importFile(bookmarkFile);
    const QString name = QFileInfo(bookmarkFile).fileName();
    QString message;
    switch (result.outcome) {
    case BookmarkImporter::Outcome::Imported:
        return true;
    case BookmarkImporter::Outcome::Unreadable:
        message = QStringLiteral("The file \"%1\" could not be read: %2\nNothing was imported.")
                      .arg(name, result.error);
        break;
    case BookmarkImporter::Outcome::NotBookmarkFile:
        message = QStringLiteral("The file \"%1\" is not a Netscape bookmark file.\nNothing was imported.")
                      .arg(name);
        break;
    case BookmarkImporter::Outcome::WriteFailed:
        message = QStringLiteral("The bookmarks could not be written to the Favorites folder: %1\n"
                                 "Nothing was imported.").arg(result.error);
        break;
    }
    QMessageBox::warning(parentWindow, ProgramIdentity::title(), message);
    return false;
}

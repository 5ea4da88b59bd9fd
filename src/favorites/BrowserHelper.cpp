#include "BrowserHelper.h"

#include "AddFavoriteDialog.h"
#include "BookmarkImporter.h"
#include "ProgramIdentity.h"
#include "UserFolders.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QEventLoop>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScopeGuard>

#include <optional>

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
    // The window takes commands until the progress shows: a second import then does nothing.
    if (m_importing)
        return false;
    m_importing = true;
    const auto importDone = qScopeGuard([this] { m_importing = false; });
    BookmarkImporter importer(m_favoritesFolder);
    // Shown only when the import takes more than a moment; busy until the file is read.
    QProgressDialog progress(QStringLiteral("Reading the bookmark file..."), QStringLiteral("Cancel"), 0, 0,
                             parentWindow);
    progress.setObjectName(QStringLiteral("importProgress"));
    progress.setWindowTitle(QStringLiteral("Import Netscape Bookmarks to Favorites"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setRange(0, 1);
    progress.setValue(0); // the half-second wait starts here
    progress.setRange(0, 0);
    connect(&progress, &QProgressDialog::canceled, &importer, &BookmarkImporter::cancel);
    connect(&importer, &BookmarkImporter::progress, &progress, [&progress](int written, int total) {
        progress.setLabelText(QStringLiteral("Writing bookmarks: %L1 of %L2").arg(written).arg(total));
        progress.setMaximum(total);
        progress.setValue(written); // last: it lets the dialog paint
    });
    QEventLoop loop;
    std::optional<BookmarkImporter::Result> finished;
    connect(&importer, &BookmarkImporter::finished, &loop, [&](const BookmarkImporter::Result &result) {
        finished = result;
        loop.quit();
    });
    importer.start(bookmarkFile);
    loop.exec();
    progress.hide();
    if (!finished) // the program is ending; the importer undoes what it made as it goes
        return false;

    const BookmarkImporter::Result &result = *finished;
    const QString name = QFileInfo(bookmarkFile).fileName();
    QString message;
    switch (result.outcome) {
    case BookmarkImporter::Outcome::Imported:
        if (result.foldersFlattened > 0)
            QMessageBox::information(
                parentWindow, ProgramIdentity::title(),
                QStringLiteral("The bookmarks were imported. %L1 folders nested more than %2 levels deep "
                               "were merged into the folder at level %2.")
                    .arg(result.foldersFlattened).arg(NetscapeBookmarks::kMaxDepth));
        return true;
    case BookmarkImporter::Outcome::Cancelled:
        return false;
    case BookmarkImporter::Outcome::Unreadable:
        message = QStringLiteral("The file \"%1\" could not be read: %2\nNothing was imported.")
                      .arg(name, result.error);
        break;
    case BookmarkImporter::Outcome::TooLarge:
        message = QStringLiteral("The file \"%1\" is larger than %2 MiB, the most a bookmark file may "
                                 "hold.\nNothing was imported.")
                      .arg(name).arg(BookmarkImporter::kMaxFileBytes >> 20);
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

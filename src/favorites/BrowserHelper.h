#pragma once

#include <QObject>
#include <QString>

class QFileDialog;
class QWidget;

// What the browser's own helper does for the favourites: add a page (our add-favourite
// dialog) and import a Netscape bookmark file into the Favorites folder.
class BrowserHelper : public QObject
{
    Q_OBJECT

public:
    // Works on the user's Favorites folder.
    explicit BrowserHelper(QObject *parent = nullptr);
    // Works on the given folder (empty: there is none).
    explicit BrowserHelper(const QString &favoritesFolder, QObject *parent = nullptr);

    QString favoritesFolder() const { return m_favoritesFolder; }

    // Adds the current page: no page shown is told to the user; otherwise the add-favourite
    // dialog, with the title as the suggested name (the address for a page without one).
    // Returns the file written, or the empty string.
    QString AddPage(const QString &url, const QString &title, QWidget *parentWindow);
    // The add-favourite dialog alone.
    QString AddFavorite(const QString &url, const QString &title, QWidget *parentWindow);

    // Sets up the file dialog of the import command, shows it and returns the chosen file;
    // the empty string when cancelled.
    static QString chooseBookmarkFile(QFileDialog &dialog);
    // Imports the file, with a progress dialog and Cancel when it takes more than a moment;
    // a failure is told to the user in one message. True when imported.
    bool ImportFavorites(const QString &bookmarkFile, QWidget *parentWindow);

private:
    QString m_favoritesFolder;
    bool m_importing = false;
};

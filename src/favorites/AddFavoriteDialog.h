#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QTreeWidgetItem;
namespace Ui {
class AddFavoriteDialog;
}

// Adds a page to the browser favourites: the user names it and picks (or makes) a folder of
// the Favorites folder; OK writes "<name>.url" there. The name is made safe as a file name and
// the file can never land outside the Favorites folder; an existing file is replaced only
// after the user agrees.
class AddFavoriteDialog : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(bool Cancelled READ Cancelled)
    Q_PROPERTY(QString SavedPath READ SavedPath)

public:
    explicit AddFavoriteDialog(const QString &favoritesFolder, QWidget *parent = nullptr);
    ~AddFavoriteDialog() override;

    // The page to add: its address, and its title as the suggested name.
    void setUp(const QString &url, const QString &title);

    bool Cancelled() const { return m_bCancelled; }
    QString SavedPath() const { return m_sSavedPath; }

    // The folder the new favourite goes into (the Favorites folder itself for the root).
    QString selectedFolder() const;

private:
    void fillFolders(const QString &path, QTreeWidgetItem *parent);
    QTreeWidgetItem *addFolderNode(QTreeWidgetItem *parent, const QString &path, const QString &text,
                                   int image, int selectedImage);
    void cmdNewFolder_Click();
    void cmdOK_Click();
    void warn(const QString &text);

    QString m_root;
    QString m_sURL;
    QString m_sSavedPath;
    bool m_bCancelled = true;

    std::unique_ptr<Ui::AddFavoriteDialog> ui;
};

#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// The browser favourites as a tree: the Favorites folder's subfolders and shortcut files.
// A single click on a shortcut chooses its address (URL) and hides the window; folders and
// the root do nothing. Built anew for every showing, filled as soon as the showing begins.
class FIEFavorites : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString URL READ URL)

public:
    // Node data, for the tree's items: the key, and the images by their ImageList1 index.
    enum Role { KeyRole = Qt::UserRole, ImageRole, SelectedImageRole };
    enum Image { FolderImage = 1, SelectedFolderImage = 2, RootImage = 3, ShortcutImage = 4 };

    static inline const QString RootKey = QStringLiteral("IE");

    // Shows the user's Favorites folder.
    explicit FIEFavorites(QWidget *parent = nullptr);
    // Shows the given folder; an empty path shows only the root node.
    explicit FIEFavorites(const QString &favoritesFolder, QWidget *parent = nullptr);

    static QString SpecialFolder(int csidl);
    static QString ReadINI(const QString &filename, const QString &section, const QString &key);

    void FillTree();
    bool TreeFilled() const { return m_bTreeFilled; }
    QString URL() const { return m_sURL; }

    QTreeWidget *tree() const { return TreeView1; }

protected:
    void showEvent(QShowEvent *event) override;

public slots:
    void done(int result) override;

private:
    void AddShortcutNodes(const QString &path, QTreeWidgetItem *parent);
    void AddFolderNodes(const QString &path, QTreeWidgetItem *parent);
    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &key, const QString &text,
                             int image, int selectedImage);
    void TreeView1_NodeClick(QTreeWidgetItem *node);

    QTreeWidget *TreeView1 = nullptr;
    QString m_favoritesFolder;
    QString m_sURL;
    QHash<QString, QTreeWidgetItem *> m_nodes; // by key
    bool m_bTreeFilled = false;
    bool m_bFilling = false;
    bool m_bClosed = false; // the walk stops once the window has been closed
};

#include "FIEFavorites.h"

#include "DirectoryListing.h"
#include "FavoritesImages.h"
#include "IniFile.h"
#include "KeepOpenOnEscape.h"
#include "UserFolders.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

FIEFavorites::FIEFavorites(QWidget *parent)
    : FIEFavorites(SpecialFolder(::SpecialFolder::Favorites), parent)
{
}

FIEFavorites::FIEFavorites(const QString &favoritesFolder, QWidget *parent)
    : QDialog(parent), m_favoritesFolder(favoritesFolder)
{
    setWindowTitle(QStringLiteral("Browser Favorites"));
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setAccessibleName(QStringLiteral("Browser favorites"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setUniformRowHeights(true);
    TreeView1->setExpandsOnDoubleClick(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TreeView1);
    resize(320, 420);
    keepOpenOnEscape(this); // no cancel button, like the other favourites windows

    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *node) { TreeView1_NodeClick(node); });
    // Enter on the current node works as a click, for the keyboard.
    connect(TreeView1, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *node) { TreeView1_NodeClick(node); });
}

QString FIEFavorites::SpecialFolder(int csidl)
{
    return ::SpecialFolder::path(csidl);
}

QString FIEFavorites::ReadINI(const QString &filename, const QString &section, const QString &key)
{
    return IniFile::readValue(filename, section, key);
}

void FIEFavorites::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Filled once the showing has begun: a walk that lets events run could otherwise see the
    // window closed before exec() enters its loop, which would then wait for ever.
    if (!m_bTreeFilled && !m_bFilling) {
        QTimer::singleShot(0, this, [this] {
            if (!m_bTreeFilled && !m_bFilling && isVisible())
                FillTree();
        });
    }
}

void FIEFavorites::done(int result)
{
    m_bClosed = true;
    QDialog::done(result);
}

void FIEFavorites::FillTree()
{
    m_bFilling = true;
    m_bClosed = false;
    TreeView1->clear();
    m_nodes.clear();
    QTreeWidgetItem *root = addNode(nullptr, RootKey, QStringLiteral("Favorites"), RootImage, RootImage);
    if (!m_favoritesFolder.isEmpty()) {
        const QString path = m_favoritesFolder + QLatin1Char('/');
        AddFolderNodes(path, root);
        AddShortcutNodes(path, root);
    }
    if (QTreeWidgetItem *first = TreeView1->topLevelItem(0))
        first->setExpanded(true);
    m_bTreeFilled = true;
    m_bFilling = false;
}

QTreeWidgetItem *FIEFavorites::addNode(QTreeWidgetItem *parent, const QString &key,
                                       const QString &text, int image, int selectedImage)
{
    if (m_nodes.contains(key))
        return nullptr; // a key taken twice cannot be added
    auto *node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, KeyRole, key);
    node->setData(0, ImageRole, image);
    node->setData(0, SelectedImageRole, selectedImage);
    node->setIcon(0, FavoritesImages::icon(image, selectedImage));
    if (parent)
        parent->addChild(node);
    else
        TreeView1->addTopLevelItem(node);
    m_nodes.insert(key, node);
    return node;
}

void FIEFavorites::AddShortcutNodes(const QString &path, QTreeWidgetItem *parent)
{
    const auto entries = DirectoryListing::list(path, DirectoryListing::Include::Files);
    for (const DirectoryListing::Entry &entry : entries) {
        const QString &name = entry.name;
        if (name.size() < 4 || name.right(3).toLower() != u"url")
            continue;
        addNode(parent, path + name, name.left(name.size() - 4), ShortcutImage, ShortcutImage);
    }
}

void FIEFavorites::AddFolderNodes(const QString &path, QTreeWidgetItem *parent)
{
    // Names first, then the walk: the listing is done before anything recurses.
    QStringList folders;
    for (const DirectoryListing::Entry &entry :
         DirectoryListing::list(path, DirectoryListing::Include::FilesAndFolders)) {
        if (DirectoryListing::isPlainFolder(entry.attributes))
            folders.append(entry.name);
    }
    for (const QString &name : std::as_const(folders)) {
        if (m_bClosed)
            return;
        const QString key = path + name + QLatin1Char('/');
        QTreeWidgetItem *node = addNode(parent, key, name, FolderImage, SelectedFolderImage);
        if (!node)
            continue;
        AddShortcutNodes(key, node);
        AddFolderNodes(key, node);
    }
    // A large tree must not freeze the window while it fills.
    QCoreApplication::processEvents();
}

void FIEFavorites::TreeView1_NodeClick(QTreeWidgetItem *node)
{
    if (!node)
        return;
    const QString key = node->data(0, KeyRole).toString();
    if (key.endsWith(QLatin1Char('/')) || key == RootKey)
        return;
    m_sURL = ReadINI(key, QStringLiteral("InternetShortcut"), QStringLiteral("URL"));
    accept();
}

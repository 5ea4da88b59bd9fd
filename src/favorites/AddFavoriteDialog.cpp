#include "AddFavoriteDialog.h"

#include "DirectoryListing.h"
#include "FavoritesFolder.h"
#include "FavoritesImages.h"
#include "ProgramIdentity.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include <sys/stat.h>

namespace {
constexpr int kPathRole = Qt::UserRole;

bool exists(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0;
}
} // namespace

AddFavoriteDialog::AddFavoriteDialog(const QString &favoritesFolder, QWidget *parent)
    : QDialog(parent), m_root(favoritesFolder)
{
    setWindowTitle(QStringLiteral("Add Favorite"));

    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    tvwFolders = new QTreeWidget(this);
    tvwFolders->setObjectName(QStringLiteral("tvwFolders"));
    tvwFolders->setHeaderHidden(true);
    tvwFolders->setIconSize(QSize(16, 16));
    cmdNewFolder = new QPushButton(QStringLiteral("&New Folder..."), this);
    cmdNewFolder->setObjectName(QStringLiteral("cmdNewFolder"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *lblName = new QLabel(QStringLiteral("&Name:"), this);
    lblName->setBuddy(txtName);
    auto *lblFolder = new QLabel(QStringLiteral("Create &in:"), this);
    lblFolder->setBuddy(tvwFolders);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblName, 0, 0);
    grid->addWidget(txtName, 0, 1);
    grid->addWidget(lblFolder, 1, 0, Qt::AlignTop);
    grid->addWidget(tvwFolders, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdNewFolder);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    setTabOrder(txtName, tvwFolders);
    setTabOrder(tvwFolders, cmdNewFolder);
    setTabOrder(cmdNewFolder, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    resize(400, 320);

    connect(cmdNewFolder, &QPushButton::clicked, this, [this] { cmdNewFolder_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

    QTreeWidgetItem *root = addFolderNode(nullptr, m_root, QStringLiteral("Favorites"), 3, 3);
    if (!m_root.isEmpty())
        fillFolders(m_root, root);
    root->setExpanded(true);
    tvwFolders->setCurrentItem(root);
}

void AddFavoriteDialog::setUp(const QString &url, const QString &title)
{
    m_sURL = url;
    txtName->setText(FavoritesFolder::safeName(title));
    txtName->selectAll();
    txtName->setFocus();
}

QString AddFavoriteDialog::selectedFolder() const
{
    const QTreeWidgetItem *item = tvwFolders->currentItem();
    return item ? item->data(0, kPathRole).toString() : m_root;
}

QTreeWidgetItem *AddFavoriteDialog::addFolderNode(QTreeWidgetItem *parent, const QString &path,
                                                  const QString &text, int image, int selectedImage)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kPathRole, path);
    item->setIcon(0, FavoritesImages::icon(image, selectedImage));
    if (parent)
        parent->addChild(item);
    else
        tvwFolders->addTopLevelItem(item);
    return item;
}

// The same folders the favourites tree shows: plain ones, no links, nothing hidden.
void AddFavoriteDialog::fillFolders(const QString &path, QTreeWidgetItem *parent)
{
    QStringList names;
    for (const auto &entry : DirectoryListing::list(path, DirectoryListing::Include::FilesAndFolders)) {
        if (DirectoryListing::isPlainFolder(entry.attributes))
            names.append(entry.name);
    }
    names.sort(Qt::CaseInsensitive);
    for (const QString &name : std::as_const(names)) {
        const QString sub = path + QLatin1Char('/') + name;
        fillFolders(sub, addFolderNode(parent, sub, name, 1, 2));
    }
}

void AddFavoriteDialog::warn(const QString &text)
{
    QMessageBox::warning(this, ProgramIdentity::title(), text);
}

void AddFavoriteDialog::cmdNewFolder_Click()
{
    QTreeWidgetItem *parent = tvwFolders->currentItem();
    if (!parent || m_root.isEmpty())
        return;
    QInputDialog ask(this);
    ask.setWindowTitle(QStringLiteral("New Folder"));
    ask.setLabelText(QStringLiteral("Name of the new folder:"));
    ask.setTextValue(QStringLiteral("New Folder"));
    if (ask.exec() != QDialog::Accepted)
        return;
    const QString name = FavoritesFolder::safeName(ask.textValue());
    if (name.isEmpty())
        return;
    const QString path = parent->data(0, kPathRole).toString() + QLatin1Char('/') + name;
    if (!FavoritesFolder::isInside(m_root, path)) {
        warn(QStringLiteral("The folder can only be made inside the Favorites folder."));
        return;
    }
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->data(0, kPathRole).toString() == path) {
            tvwFolders->setCurrentItem(parent->child(i)); // it is there already
            return;
        }
    }
    if (exists(path)) {
        warn(QStringLiteral("There is already a file named \"%1\" in that folder.").arg(name));
        return;
    }
    if (!QDir().mkdir(path)) {
        warn(QStringLiteral("The folder \"%1\" could not be made.").arg(name));
        return;
    }
    QTreeWidgetItem *item = addFolderNode(parent, path, name, 1, 2);
    parent->setExpanded(true);
    tvwFolders->setCurrentItem(item);
}

void AddFavoriteDialog::cmdOK_Click()
{
    const QString name = FavoritesFolder::safeName(txtName->text());
    if (name.isEmpty()) {
        warn(QStringLiteral("Please type a name for the favorite."));
        txtName->setFocus();
        return;
    }
    if (m_root.isEmpty()) {
        warn(QStringLiteral("There is no Favorites folder to add the favorite to."));
        return;
    }
    const QString path = selectedFolder() + QLatin1Char('/') + name + QStringLiteral(".url");
    if (!FavoritesFolder::isInside(m_root, path)) {
        warn(QStringLiteral("The favorite can only be saved inside the Favorites folder."));
        return;
    }
    if (exists(path)) {
        if (DirectoryListing::attributesOf(path) & DirectoryListing::Directory) {
            warn(QStringLiteral("There is a folder named \"%1.url\" here. Please choose another name.").arg(name));
            return;
        }
        const auto answer = QMessageBox::question(
            this, ProgramIdentity::title(),
            QStringLiteral("A favorite named \"%1\" already exists in this folder.\nDo you want to replace it?").arg(name),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            txtName->setFocus();
            return;
        }
    }
    const TextFile::WriteResult written = FavoritesFolder::writeShortcut(path, m_sURL);
    if (!written.ok) {
        warn(QStringLiteral("The favorite could not be saved.\n%1").arg(written.error));
        return;
    }
    m_sSavedPath = path;
    m_bCancelled = false;
    accept();
}

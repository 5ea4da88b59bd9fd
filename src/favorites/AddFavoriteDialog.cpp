#include "AddFavoriteDialog.h"

#include "DirectoryListing.h"
#include "FavoritesFolder.h"
#include "FavoritesImages.h"
#include "ProgramIdentity.h"
#include "ui_AddFavoriteDialog.h"

#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>

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
    : QDialog(parent), m_root(favoritesFolder), ui(std::make_unique<Ui::AddFavoriteDialog>())
{
    ui->setupUi(this);

    connect(ui->cmdNewFolder, &QPushButton::clicked, this, [this] { cmdNewFolder_Click(); });
    connect(ui->cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(ui->cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

    QTreeWidgetItem *root = addFolderNode(nullptr, m_root, QStringLiteral("Favorites"), 3, 3);
    if (!m_root.isEmpty())
        fillFolders(m_root, root);
    root->setExpanded(true);
    ui->tvwFolders->setCurrentItem(root);
}

AddFavoriteDialog::~AddFavoriteDialog() = default;

void AddFavoriteDialog::setUp(const QString &url, const QString &title)
{
    m_sURL = url;
    ui->txtName->setText(FavoritesFolder::safeName(title));
    ui->txtName->selectAll();
    ui->txtName->setFocus();
}

QString AddFavoriteDialog::selectedFolder() const
{
    const QTreeWidgetItem *item = ui->tvwFolders->currentItem();
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
        ui->tvwFolders->addTopLevelItem(item);
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
    QTreeWidgetItem *parent = ui->tvwFolders->currentItem();
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
            ui->tvwFolders->setCurrentItem(parent->child(i)); // it is there already
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
    ui->tvwFolders->setCurrentItem(item);
}

void AddFavoriteDialog::cmdOK_Click()
{
    const QString name = FavoritesFolder::safeName(ui->txtName->text());
    if (name.isEmpty()) {
        warn(QStringLiteral("Please type a name for the favorite."));
        ui->txtName->setFocus();
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
            ui->txtName->setFocus();
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

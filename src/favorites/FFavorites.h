#pragma once

#include "CUserIDs.h"

#include <QDialog>

#include <memory>

namespace Ui {
class FFavorites;
}

// The favourite sellers or bidders: shows one list file sorted, lets the user add and delete
// IDs, and returns the ID chosen with Go! or a double-click. Every way out saves the list,
// unless its file could not be read: then the window says so and nothing can be changed.
class FFavorites : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString SelectedUserID READ SelectedUserID)

public:
    explicit FFavorites(QString dataDir, QWidget *parent = nullptr);
    ~FFavorites() override;

    // Chooses the list (true: sellers) and starts with an empty one. Call before showing.
    void Initialize(bool bSellers);

    // Reads the list file into the window; runs once, when the window is first shown.
    void OnFormLoad();

    // Writes the list back over its file and closes the window. Does nothing when not loaded.
    void Unload();

    // The ID chosen with Go! or a double-click; empty until then.
    QString SelectedUserID() const { return m_sSelectedUserID; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void lstFavorites_Click();
    void ViewSelectedUser();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void saveList();

    QString m_sDataDir;
    bool m_bSellers = true;
    std::unique_ptr<CUserIDs> m_oUserIDs;
    QString m_sSelectedUserID;
    bool m_bLoaded = false;
    bool m_bReadFailed = false; // never write over a file we could not read

    std::unique_ptr<Ui::FFavorites> ui;
};

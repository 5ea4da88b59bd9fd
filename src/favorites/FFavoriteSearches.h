#pragma once

#include "CSearches.h"

#include <QDialog>

#include <memory>

class Shell;
namespace Ui {
class FFavoriteSearches;
}

// The saved searches by name: compose a new one, delete one, or run one, which returns its
// search-results URL to the caller. Every way out saves the searches, unless their file
// could not be read: then the window says so and nothing can be changed.
class FFavoriteSearches : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString SearchURL READ SearchURL)

public:
    // siteDomains: the search-site table; shell: for the category list of the add dialog.
    FFavoriteSearches(QString dataDir, QStringList siteDomains, Shell *shell,
                      QWidget *parent = nullptr);
    ~FFavoriteSearches() override;

    // Loads "Searches.txt" into the window; runs once, when the window is first shown.
    void OnFormLoad();

    // Saves the searches and closes the window. Does nothing when not loaded.
    void Unload();

    // The URL of the search run with Go! or a double-click; empty until then.
    QString SearchURL() const { return m_sSearchURL; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void UpdateButtons();
    void RunSelectedSearch();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void saveSearches();
    void tellAboutSkippedLines(const CSearches::LoadResult &result);

    QString m_sDataDir;
    QStringList m_siteDomains;
    Shell *m_pShell;
    std::unique_ptr<CSearches> m_oSearches;
    QString m_sSearchURL;
    bool m_bLoaded = false;
    bool m_bReadFailed = false; // never write over a file we could not read

    std::unique_ptr<Ui::FFavoriteSearches> ui;
};

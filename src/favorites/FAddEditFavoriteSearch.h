#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

class Shell;
namespace Ui {
class FAddEditFavoriteSearch;
}

// Composes a new saved search. The caller reads IsSaved and then the composed values, which
// come straight from the controls. Esc does nothing; the close box gives up without asking.
class FAddEditFavoriteSearch : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(bool IsSaved READ IsSaved)

public:
    // siteDomains: the search-site table; shell opens the category list in the user's browser.
    FAddEditFavoriteSearch(QStringList siteDomains, Shell *shell, QWidget *parent = nullptr);
    ~FAddEditFavoriteSearch() override;

    bool IsSaved() const { return m_bSaved; }

    QString name() const;
    QString keywords() const;
    int searchBoolean() const; // 1-3
    QString excludeWords() const;
    int site() const; // 0-12
    QString category() const;
    QString priceLow() const;
    QString priceHigh() const;
    bool searchDescriptions() const;

private:
    void SaveSearch();
    bool ValidateKeywords();
    bool ValidateStorable();
    void ConfirmCancel();
    void ShowCategories();

    std::unique_ptr<Ui::FAddEditFavoriteSearch> ui;
    QStringList m_siteDomains;
    Shell *m_pShell;
    bool m_bSaved = false;
};

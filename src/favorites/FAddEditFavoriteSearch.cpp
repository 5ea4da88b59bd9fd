#include "FAddEditFavoriteSearch.h"

#include "KeepOpenOnEscape.h"
#include "ListFileText.h"
#include "SearchSites.h"
#include "Shell.h"
#include "ui_FAddEditFavoriteSearch.h"

#include <QMessageBox>

FAddEditFavoriteSearch::FAddEditFavoriteSearch(QStringList siteDomains, Shell *shell, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FAddEditFavoriteSearch>())
    , m_siteDomains(std::move(siteDomains))
    , m_pShell(shell)
{
    ui->setupUi(this);
    ui->cboSite->addItems(SearchSites::labels(m_siteDomains));
    ui->cboBoolean->setCurrentIndex(0);
    ui->cboSite->setCurrentIndex(0);
    ui->txtName->setFocus();
    keepOpenOnEscape(this);

    connect(ui->cmdSave, &QPushButton::clicked, this, &FAddEditFavoriteSearch::SaveSearch);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &FAddEditFavoriteSearch::ConfirmCancel);
    connect(ui->cmdCategory, &QPushButton::clicked, this, &FAddEditFavoriteSearch::ShowCategories);
}

FAddEditFavoriteSearch::~FAddEditFavoriteSearch() = default;

QString FAddEditFavoriteSearch::name() const { return ui->txtName->text(); }
QString FAddEditFavoriteSearch::keywords() const { return ui->txtKeywords->text(); }
int FAddEditFavoriteSearch::searchBoolean() const { return ui->cboBoolean->currentIndex() + 1; }
QString FAddEditFavoriteSearch::excludeWords() const { return ui->txtExclude->text(); }
int FAddEditFavoriteSearch::site() const { return ui->cboSite->currentIndex(); }
QString FAddEditFavoriteSearch::category() const { return ui->txtCategory->text(); }
QString FAddEditFavoriteSearch::priceLow() const { return ui->txtPriceLow->text(); }
QString FAddEditFavoriteSearch::priceHigh() const { return ui->txtPriceHigh->text(); }
bool FAddEditFavoriteSearch::searchDescriptions() const
{
    return ui->chkTitlesAndDescriptions->checkState() != Qt::Unchecked;
}

void FAddEditFavoriteSearch::SaveSearch()
{
    // Checked before the name takes the keywords, so that a refused character is never
    // copied into the name box behind the user's back.
    if (!ValidateStorable())
        return;
    if (ui->txtName->text().isEmpty())
        ui->txtName->setText(ui->txtKeywords->text());
    if (!ValidateKeywords())
        return;
    m_bSaved = true;
    done(QDialog::Accepted);
}

bool FAddEditFavoriteSearch::ValidateKeywords()
{
    if (ui->txtKeywords->text().size() >= 2)
        return true;
    QMessageBox::warning(this, QStringLiteral("Choose Keywords"),
                         QStringLiteral("You must enter your search terms into the Keywords box"));
    return false;
}

bool FAddEditFavoriteSearch::ValidateStorable()
{
    const struct
    {
        QLineEdit *box;
        const char *label;
    } boxes[] = {
        {ui->txtName, "Choose a name for this search:"},
        {ui->txtKeywords, "Keywords:"},
        {ui->txtExclude, "Words to exclude:"},
        {ui->txtCategory, "eBay Category Number:"},
        {ui->txtPriceLow, "Price Range: Between"},
        {ui->txtPriceHigh, "Price Range: and"},
    };
    for (const auto &entry : boxes) {
        const QString refused = ListFileText::unstorable(entry.box->text(),
                                                         QString::fromLatin1(entry.label), true);
        if (refused.isEmpty())
            continue;
        QMessageBox::warning(this, QStringLiteral("Cannot Save"), refused);
        entry.box->setFocus();
        return false;
    }
    return true;
}

void FAddEditFavoriteSearch::ConfirmCancel()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Are you sure?"),
                    QStringLiteral("Are you sure you want to cancel without saving?"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() == QMessageBox::Ok) {
        m_bSaved = false;
        done(QDialog::Rejected);
    }
}

void FAddEditFavoriteSearch::ShowCategories()
{
    if (m_pShell)
        m_pShell->open(SearchSites::GetCategoriesURL(m_siteDomains, ui->cboSite->currentIndex()));
}

#pragma once

#include <QDialog>

#include <memory>

class TalvexCredentials;

namespace Ui {
class FPassword;
}

// "Save your Talvex Password": Save stores both texts as typed (empty ones too) and keeps them;
// Cancel, Escape and the title-bar close leave everything as it was. One line says where the
// password is kept. While Save waits for the secret store the window takes no other answer.
class FPassword : public QDialog
{
    Q_OBJECT

public:
    explicit FPassword(TalvexCredentials &credentials, QWidget *parent = nullptr);
    ~FPassword() override;

    void SetCredentials(const QString &sUser, const QString &sPassword);

    bool Cancelled() const { return m_bCancelled; }
    QString User() const { return m_sUser; }
    QString Password() const { return m_sPassword; }

    void reject() override;

private:
    void cmdSave_Click();
    void showWhereKept();

    std::unique_ptr<Ui::FPassword> ui;
    TalvexCredentials &m_credentials;
    bool m_bIsSaving = false;
    bool m_bCancelled = false;
    QString m_sUser;
    QString m_sPassword;
};

#pragma once

#include <QDialog>

#include <memory>

class SettingsStore;

namespace Ui {
class FPassword;
}

// "Save your Talvex Password": Save stores both texts as typed (empty ones too) and keeps them;
// Cancel, Escape and the title-bar close leave everything as it was.
class FPassword : public QDialog
{
    Q_OBJECT

public:
    explicit FPassword(SettingsStore &settings, QWidget *parent = nullptr);
    ~FPassword() override;

    void SetCredentials(const QString &sUser, const QString &sPassword);

    bool Cancelled() const { return m_bCancelled; }
    QString User() const { return m_sUser; }
    QString Password() const { return m_sPassword; }

    void reject() override;

private:
    void cmdSave_Click();

    std::unique_ptr<Ui::FPassword> ui;
    SettingsStore &m_settings;
    bool m_bCancelled = false;
    QString m_sUser;
    QString m_sPassword;
};

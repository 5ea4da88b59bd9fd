#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QPushButton;
class SettingsStore;
class Shell;

namespace Ui {
class FStart;
}

// The welcome screen: introduces the program and asks whether the user has a Talvex
// account. Shown modally before the main window; read HasAccount() after it has hidden
// itself, then destroy it, which stores "do not show again" when the box is ticked.
class FStart : public QDialog
{
    Q_OBJECT

public:
    FStart(SettingsStore *settings, Shell *shell, const QString &makerHomeURL, QWidget *parent = nullptr);
    ~FStart() override;

    bool HasAccount() const { return m_bHasAccount; }

    // Public for the start-up tests, which answer through them directly.
    QPushButton *cmdYes = nullptr;
    QPushButton *Command1 = nullptr;
    QCheckBox *chkHasAccount = nullptr;

private:
    void cmdYes_Click();
    void Command1_Click();
    void lblMardell_Click();
    void Form_Unload();

    std::unique_ptr<Ui::FStart> ui;
    SettingsStore *m_settings;
    Shell *m_shell;
    QString m_makerHomeURL;
    bool m_bHasAccount = false;
};

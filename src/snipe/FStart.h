#pragma once

#include <QDialog>

class LinkLabel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class SettingsStore;
class Shell;

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

    QLabel *lblTalvex = nullptr;
    QLabel *lblBidbench = nullptr;
    QLabel *lblFrom = nullptr;
    LinkLabel *lblMardell = nullptr;
    QLabel *Image1 = nullptr;
    QGroupBox *fraBody = nullptr;
    QLabel *lblExplanation1 = nullptr;
    QLabel *lblExplanation2 = nullptr;
    QLabel *lblAccountRequired = nullptr;
    QLabel *lblAccountQuery = nullptr;
    QPushButton *cmdYes = nullptr;
    QPushButton *Command1 = nullptr;
    QCheckBox *chkHasAccount = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void cmdYes_Click();
    void Command1_Click();
    void lblMardell_Click();
    void Form_Unload();

    SettingsStore *m_settings;
    Shell *m_shell;
    QString m_makerHomeURL;
    bool m_bHasAccount = false;
};

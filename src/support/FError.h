#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class Shell;

// The always-on-top error window: shows one report and can hand it to the user's mail program.
// It lives on its own (no owner, never modal) and deletes itself when closed.
class FError : public QDialog
{
    Q_OBJECT

public:
    FError(QString supportAddress, Shell &shell);

    void Initialize(const QString &sErrorText);

    // "mailto:", the address, "?subject=", title, version, " Error&body=", the report: joined
    // as they stand; the shell makes a valid URL of it.
    static QString errorMailLink(const QString &supportAddress, const QString &errorText);

    // Public for the main window's tests, which read it directly.
    QPlainTextEdit *txtError = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();
    void cmdEmail_Click();

    QString sErrorText;
    QString m_supportAddress;
    Shell &m_shell;
    bool m_loaded = false;
};

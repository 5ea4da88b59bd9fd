#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The update offer: the server's message, "Update Now" or "Update Later".
class FUpdateVersion : public QDialog
{
    Q_OBJECT

public:
    explicit FUpdateVersion(QWidget *parent = nullptr);

    void Initialize(const QString &sCaption, const QString &sMessage);

    // True once "Update Now" was pressed; readable after the window has closed.
    bool IsUpdate() const { return m_bIsUpdate; }

    QPlainTextEdit *txtMessage;
    QPushButton *cmdUpdate;
    QPushButton *cmdDoNotUpgrade;

private:
    bool m_bIsUpdate = false;
};

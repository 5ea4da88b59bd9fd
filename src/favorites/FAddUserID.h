#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for one user ID to add to a favourites list. Enter adds; Esc does not cancel; an ID
// holding a line break is refused.
class FAddUserID : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString EnteredUserID READ EnteredUserID)

public:
    explicit FAddUserID(QWidget *parent = nullptr);

    // The ID box's text as it was when Add was pressed; empty after Cancel or the close box.
    QString EnteredUserID() const { return m_sEnteredUserID; }

private:
    void cmdAdd_Click();

    QString m_sEnteredUserID;

    QLabel *lblUserID;
    QLineEdit *txtUserID;
    QPushButton *cmdAdd;
    QPushButton *cmdCancel;
};

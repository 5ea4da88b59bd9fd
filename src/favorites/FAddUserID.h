#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class FAddUserID;
}

// Asks for one user ID to add to a favourites list. Enter adds; Esc does not cancel; an ID
// holding a line break is refused.
class FAddUserID : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString EnteredUserID READ EnteredUserID)

public:
    explicit FAddUserID(QWidget *parent = nullptr);
    ~FAddUserID() override;

    // The ID box's text as it was when Add was pressed; empty after Cancel or the close box.
    QString EnteredUserID() const { return m_sEnteredUserID; }

private:
    void cmdAdd_Click();

    QString m_sEnteredUserID;
    std::unique_ptr<Ui::FAddUserID> ui;
};

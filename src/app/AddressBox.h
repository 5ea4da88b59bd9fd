#pragma once

#include <QComboBox>

// The address box cboAddress: what the user types or picks goes to the auction pane exactly
// as it stands; its list holds the auction pane's addresses, most recent first, each once.
class AddressBox : public QComboBox
{
    Q_OBJECT

public:
    explicit AddressBox(QWidget *parent = nullptr);

    // The page's address moves to (or enters at) the top and becomes the text.
    void moveToTop(const QString &url);
    QStringList history() const;

signals:
    // An entry chosen from the list, or Enter pressed: navigate to this text.
    void addressChosen(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_bIsUpdatingAddress = false; // the list rebuild selects an entry; that is no choice
};

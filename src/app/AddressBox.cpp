#include "AddressBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

AddressBox::AddressBox(QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("cboAddress"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // the box navigates to exactly what was typed
    setMaxVisibleItems(20);
    // Named for what it is, not for the address it shows.
    setAccessibleName(QStringLiteral("Address"));
    lineEdit()->setAccessibleName(QStringLiteral("Address"));
    view()->setAccessibleName(QStringLiteral("Address history"));
    connect(this, &QComboBox::activated, this, [this] {
        if (!m_bIsUpdatingAddress)
            emit addressChosen(currentText());
    });
}

// The keys come to the box itself (its text field's focus proxy), which hands them to the text
// field directly, past any filter there. Enter goes to the text as typed, even when it matches
// no entry (QComboBox would drop that).
void AddressBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit addressChosen(currentText());
        return;
    }
    QComboBox::keyPressEvent(event);
}

void AddressBox::moveToTop(const QString &url)
{
    m_bIsUpdatingAddress = true;
    const int found = findText(url, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0)
        removeItem(found);
    insertItem(0, url);
    setCurrentIndex(0);
    setEditText(url);
    m_bIsUpdatingAddress = false;
}

QStringList AddressBox::history() const
{
    QStringList entries;
    for (int i = 0; i < count(); ++i)
        entries.append(itemText(i));
    return entries;
}

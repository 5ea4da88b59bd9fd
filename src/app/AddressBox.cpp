#include "AddressBox.h"

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
    connect(this, &QComboBox::activated, this, [this] {
        if (!m_bIsUpdatingAddress)
            emit addressChosen(currentText());
    });
    // Enter goes to the text as typed, even when it matches no entry (QComboBox ignores that).
    lineEdit()->installEventFilter(this);
}

bool AddressBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit addressChosen(currentText());
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
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

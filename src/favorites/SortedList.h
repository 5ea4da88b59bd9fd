#pragma once

#include <QString>
#include <QStringList>

class QListWidget;

// The favourites windows show their names in alphabetical order with letter case ignored, as a
// sorted list box does. QListWidget's own sorting is case-sensitive and re-sorts on every
// insert, so the windows keep the order themselves.
namespace SortedList {

// Case ignored first; names that differ only in case get a fixed order.
bool lessThan(const QString &a, const QString &b);

// Replaces the rows by the names, sorted.
void fill(QListWidget *list, QStringList names);

// Inserts one row at its sorted place (binary search); the selection stays on its row.
int insert(QListWidget *list, const QString &name);

// Removes the selected row and selects the one that moved into its place, or the new last row
// when the last was removed. Returns the removed text; empty (and no change) with no selection.
QString removeSelected(QListWidget *list);

// The text of the selected row, or empty when no row is selected.
QString selectedText(const QListWidget *list);
int selectedRow(const QListWidget *list);

} // namespace SortedList

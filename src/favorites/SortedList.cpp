#include "SortedList.h"

#include <QListWidget>

#include <algorithm>

namespace SortedList {

bool lessThan(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

void fill(QListWidget *list, QStringList names)
{
    std::sort(names.begin(), names.end(), lessThan);
    list->clear();
    list->addItems(names);
}

int insert(QListWidget *list, const QString &name)
{
    int low = 0;
    int high = list->count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (lessThan(list->item(mid)->text(), name))
            low = mid + 1;
        else
            high = mid;
    }
    list->insertItem(low, name);
    return low;
}

int selectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QString selectedText(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QString removeSelected(QListWidget *list)
{
    const int i = selectedRow(list);
    if (i < 0)
        return {};
    QListWidgetItem *item = list->takeItem(i);
    const QString text = item->text();
    delete item;
    list->clearSelection();
    const int next = i != list->count() ? i : i - 1;
    if (next >= 0)
        list->setCurrentRow(next, QItemSelectionModel::ClearAndSelect);
    return text;
}

} // namespace SortedList

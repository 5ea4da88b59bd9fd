#include "ItemNumberBox.h"

#include <QDropEvent>
#include <QMimeData>

namespace {

// The plain-text form of dropped data; an address dragged as a link only may come as a URL.
QString droppedText(const QMimeData *data)
{
    if (data->hasText())
        return data->text();
    if (data->hasUrls() && !data->urls().isEmpty())
        return data->urls().constFirst().toString();
    return QString();
}

bool canTake(const QMimeData *data)
{
    return data && (data->hasText() || data->hasUrls());
}

} // namespace

void ItemNumberBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (canTake(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ItemNumberBox::dragMoveEvent(QDragMoveEvent *event)
{
    // No insertion cursor: the drop replaces everything, wherever it lands.
    if (canTake(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ItemNumberBox::dropEvent(QDropEvent *event)
{
    if (!canTake(event->mimeData())) {
        event->ignore();
        return;
    }
    // Through the editing path rather than setText, so the user can undo the drop.
    selectAll();
    insert(droppedText(event->mimeData()));
    // A copy, never a move: the source (a browser's address bar) must keep its text.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setFocus(Qt::MouseFocusReason);
}


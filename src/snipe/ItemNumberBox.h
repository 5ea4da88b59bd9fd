#pragma once

#include <QLineEdit>

// The floating toolbar's item number box: dropped text replaces the whole content instead of
// being inserted at the drop point, so an address dragged from a browser lands whole.
class ItemNumberBox : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

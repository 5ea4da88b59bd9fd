#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QString>

class QAction;
class QLabel;
class QTimer;
class QToolBar;

// True when every character is one of the ASCII digits 0 to 9; true for the empty text.
bool IsAllDigits(const QString &sText);

// The item number box: dropped text replaces the whole content instead of being inserted
// at the drop point, so an address dragged from a browser lands whole.
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

// The small always-on-top window that stands in for the main window: the user types or drops
// an item number and presses "Snipe!". Shown modally; read ItemNumber and Cancelled after.
class FToolbar : public QDialog
{
    Q_OBJECT

public:
    // The Snipe! button shows the main window's snipe pictures (normal and hot).
    explicit FToolbar(const QIcon &snipeIcon = QIcon(), QWidget *parent = nullptr);

    QString ItemNumber() const { return m_sItemNumber; }
    bool Cancelled() const { return m_bCancelled; }

    QLineEdit *itemBox() const { return txtItem; }
    QAction *snipeAction() const { return m_snipeAction; }
    QToolBar *toolbar() const { return Toolbar1; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyButtonRule();
    void snipe();

    QString m_sItemNumber;
    bool m_bCancelled = false;
    bool m_focusTimerUsed = false;

    QLabel *lblItem = nullptr;
    ItemNumberBox *txtItem = nullptr;
    QWidget *picToolbar = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QAction *m_snipeAction = nullptr;
    QTimer *timTimer = nullptr;
};

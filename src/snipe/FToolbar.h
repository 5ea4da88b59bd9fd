#pragma once

#include <QDialog>
#include <QIcon>
#include <QLineEdit>
#include <QString>

#include <memory>

class QAction;
class QTimer;
class QToolBar;

namespace Ui {
class FToolbar;
}

// The small always-on-top window that stands in for the main window: the user types or drops
// an item number and presses "Snipe!". Shown modally; read ItemNumber and Cancelled after.
class FToolbar : public QDialog
{
    Q_OBJECT

public:
    // The Snipe! button shows the main window's snipe pictures (normal and hot).
    explicit FToolbar(const QIcon &snipeIcon = QIcon(), QWidget *parent = nullptr);
    ~FToolbar() override;

    QString ItemNumber() const { return m_sItemNumber; }
    bool Cancelled() const { return m_bCancelled; }

    QLineEdit *itemBox() const;
    QAction *snipeAction() const;
    QToolBar *toolbar() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyButtonRule();
    void snipe();

    std::unique_ptr<Ui::FToolbar> ui;
    QString m_sItemNumber;
    bool m_bCancelled = false;
    bool m_focusTimerUsed = false;
    QTimer *timTimer = nullptr;
};

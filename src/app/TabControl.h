#pragma once

#include <QList>
#include <QWidget>

class QTabBar;

// A tab strip over a frame whose controls are placed freely (in the control's own
// coordinates, tab strip included) and belong to one tab each: only the current tab's
// controls are shown. Changing the tab reports the previous one.
class TabControl : public QWidget
{
    Q_OBJECT

public:
    explicit TabControl(QWidget *parent = nullptr);

    int addTab(const QString &caption);
    // The control becomes a child of this tab control, shown only while tab is current.
    void addControl(int tab, QWidget *control);
    int count() const;

    int Tab() const;
    // Selecting the current tab again does nothing.
    void setTab(int tab);
    QTabBar *tabBar() const { return m_bar; }

    // The program may hide a control on the current tab; this keeps it hidden when the
    // user returns to that tab (and shown ones shown).
    void setControlVisible(QWidget *control, bool visible);

signals:
    // The current tab changed; previousTab is the one that was current before.
    void Click(int previousTab);

protected:
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showControlsOf(int tab);

    struct Entry
    {
        int tab;
        QWidget *control;
        bool visible;
    };

    QTabBar *m_bar;
    QList<Entry> m_controls;
    int m_current = -1;
};

#pragma once

#include <QToolBar>

#include <array>

class QMenu;
class QToolButton;

// The navigation toolbar tbrNavigate: seven buttons dispatched by index (1 ... 7), button 6
// with a drop-down whose entries carry keys, and on the right button the pop-up menu with
// "View Text Labels".
class NavigationToolbar : public QToolBar
{
    Q_OBJECT

public:
    static constexpr int kButtonCount = 7;
    static constexpr int kIconSize = 20;

    explicit NavigationToolbar(QWidget *parent = nullptr);

    QAction *button(int index) const; // 1 ... 7
    QAction *viewLabels() const { return m_viewLabels; }
    bool isTextShown() const;

    // The main window's tool bars are only as high as their design places, so their buttons
    // are drawn flat, without the padding of the platform style; a border shows under the pointer.
    static QString flatStyle(double fontPointSize);

    // Buttons 1 to 6 get their captions back; button 7 keeps whatever it has, so once its
    // caption is gone it stays gone for the run.
    void ShowButtonText();
    void HideButtonText();

signals:
    void ButtonClick(int index);
    void ButtonMenuClick(const QString &key);

private:
    void setCaption(int index, const QString &caption);
    QToolButton *toolButton(int index) const;

    std::array<QAction *, kButtonCount> m_buttons{};
    QMenu *m_popup;
    QAction *m_viewLabels;
};

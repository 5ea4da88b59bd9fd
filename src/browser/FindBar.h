#pragma once

#include <QFrame>
#include <QPointer>

class BrowserPane;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

// Find in page: a small bar laid over the top right corner of a pane, with a text box,
// next and previous buttons, a match-case box and the result ("2 of 5", "Not found").
class FindBar : public QFrame
{
    Q_OBJECT

public:
    explicit FindBar(BrowserPane *pane);

    // Shows the bar with the focus in its text box; a text left from before is searched again.
    void open();
    // Hides the bar, clears the highlight and hands the focus back to the page.
    void closeBar();

    void findNext();
    void findPrevious();

    bool isNotFound() const { return m_notFound; }
    QString resultText() const;

    QLineEdit *textBox() const { return m_text; }
    QCheckBox *matchCaseBox() const { return m_matchCase; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(bool backward);
    void restartSearch();
    void showMatches(int activeMatch, int numberOfMatches);
    void clearHighlight();
    void setNotFound(bool notFound);
    void placeOverPane();

    QPointer<BrowserPane> m_pane;
    QLineEdit *m_text = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QLabel *m_result = nullptr;
    QToolButton *m_close = nullptr;
    bool m_notFound = false;
    bool m_clearing = false;
};

#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>

// While alive, answers every message box the moment it shows (with `button`) and records its
// title and text. For tests that must also prove that no message came up.
class MessageBoxRecorder : public QObject
{
public:
    explicit MessageBoxRecorder(QMessageBox::StandardButton button = QMessageBox::Ok);
    ~MessageBoxRecorder() override;

    QStringList titles;
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMessageBox::StandardButton m_button;
};

#pragma once

#include <QString>

#include <functional>

class QWidget;

// What the favourites windows tell the user about their list files, worded alike.
namespace ListFileText {

// The list files keep one record a line, the saved searches as "|"-separated fields: a value
// holding a line break (or, with barSeparates, a "|") would come back as something else.
// Returns why the box's text cannot be kept, naming the box by its label; empty when it can.
QString unstorable(const QString &text, const QString &boxLabel, bool barSeparates);

// Shown in a window whose list file exists but could not be read: the list stays empty and
// unchanged, so that nothing the user adds is lost unsaved or written over the file.
QString unreadable(const QString &path, const QString &error);

// What one attempt to write a list file came to.
struct Written
{
    bool ok = false;
    QString path; // the file that could not be written
    QString error;
};

// Writes until a write succeeds or the user gives up: each failure is told over the window,
// with Retry and Cancel. `what` names the list ("Your saved searches").
void saveWithRetry(QWidget *window, const QString &what, const std::function<Written()> &write);

} // namespace ListFileText

#pragma once

#include <QString>

// What the favourites windows tell the user about their list files, worded alike.
namespace ListFileText {

// The list files keep one record a line, the saved searches as "|"-separated fields: a value
// holding a line break (or, with barSeparates, a "|") would come back as something else.
// Returns why the box's text cannot be kept, naming the box by its label; empty when it can.
QString unstorable(const QString &text, const QString &boxLabel, bool barSeparates);

} // namespace ListFileText

#pragma once

#include "ModalAnswer.h"
#include "TestFiles.h"

#include <QString>
#include <QStringList>

class QListWidget;

// List boxes as the user sees them.
QStringList rows(const QListWidget *list);
QString selectedText(const QListWidget *list);
void clickRow(QListWidget *list, const QString &text, bool doubleClick = false);

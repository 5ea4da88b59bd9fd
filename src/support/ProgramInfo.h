#pragma once

#include <QFont>
#include <QString>

// Who the program is: its title and the version of the program file.
namespace ProgramInfo {

QString appTitle();

int versionMajor();
int versionMinor();
int versionRevision();
QString versionText(); // major "." minor "." revision, plain decimals

// The support windows' typeface: Tahoma, or the nearest narrow sans-serif installed.
QFont windowFont();

} // namespace ProgramInfo

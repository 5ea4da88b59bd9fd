#include "ProgramEnd.h"

#include <QCoreApplication>

ProgramEnd &ProgramEnd::instance()
{
    // Never destroyed: windows may still disconnect from it while the program unwinds.
    static ProgramEnd *const end = new ProgramEnd;
    return *end;
}

void ProgramEnd::endNow(int exitCode)
{
    if (m_ending)
        return;
    m_ending = true;
    emit savingBeforeEnd();
    QCoreApplication::exit(exitCode);
}

#include "CStartStatus.h"
#include "FuzzInput.h"

FUZZ_TARGET(bytes)
{
    CStartStatus::VersionAnswer answer;
    (void)CStartStatus::ReadTaggedAnswer(QString::fromUtf8(bytes), answer);
}

#include "FuzzInput.h"
#include "ItemNumber.h"

FUZZ_TARGET(bytes)
{
    const QString address = QString::fromUtf8(bytes);
    snipeCommandState(address, bytes.size() % 2, bytes.size() % 3);
    IsAllDigits(address);
}

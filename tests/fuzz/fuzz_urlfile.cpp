#include "FuzzInput.h"
#include "IniFile.h"

FUZZ_TARGET(bytes)
{
    IniFile::readValue(fuzzFile(bytes, QStringLiteral("x.url")), QStringLiteral("InternetShortcut"),
                       QStringLiteral("URL"));
}

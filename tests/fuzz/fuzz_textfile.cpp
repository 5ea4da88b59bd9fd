#include "FuzzInput.h"
#include "TextFile.h"

FUZZ_TARGET(bytes)
{
    TextFile::splitLines(TextFile::decode(bytes));
    TextFile::decodeUtf16(bytes, bytes.startsWith('\xFE'));
}

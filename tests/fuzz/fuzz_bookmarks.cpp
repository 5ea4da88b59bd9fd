#include "FuzzInput.h"
#include "NetscapeBookmarks.h"

FUZZ_TARGET(bytes)
{
    NetscapeBookmarks::parse(bytes);
}

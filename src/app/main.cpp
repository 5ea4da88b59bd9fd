#include "SubMain.h"

int main(int argc, char *argv[])
{
    return runBidbench(argc, argv);
}

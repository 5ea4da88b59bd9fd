#pragma once

#include "AppContext.h"

#include <memory>

class FMain;

// The start-up: the welcome screen (unless switched off), then the main window, shown.
// The returned window lives for the rest of the run.
std::unique_ptr<FMain> SubMain(const AppContext &context);

// The whole program on the desktop: the command line, one running copy per user, the data
// folder, the production context, start-up and the event loop.
int runBidbench(int argc, char *argv[]);

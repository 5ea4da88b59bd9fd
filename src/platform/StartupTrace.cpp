#include "StartupTrace.h"

Q_LOGGING_CATEGORY(lcStartup, "bidbench.startup", QtWarningMsg)

#pragma once

#include <QLoggingCategory>

// The steps of the start-up, for bench/bench_startup: off unless the logging rules switch on
// "bidbench.startup.info".
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

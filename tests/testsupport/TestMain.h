#pragma once

#include <QApplication>
#include <QTest>

// Every test program runs in a fresh temporary HOME with its own XDG folders, so no test
// ever touches the user's real files. Call before the QApplication exists.
namespace TestEnvironment {
void isolate();
// A fresh folder standing in for the program's own folder (list files, PleaseWait.html).
QString programDir();
} // namespace TestEnvironment

#define BIDBENCH_TEST_MAIN(TestObject)                                                     \
    int main(int argc, char *argv[])                                                       \
    {                                                                                      \
        TestEnvironment::isolate();                                                        \
        QApplication app(argc, argv);                                                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        TestObject tc;                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                         \
        return QTest::qExec(&tc, argc, argv);                                              \
    }

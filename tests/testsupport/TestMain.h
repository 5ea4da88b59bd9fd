#pragma once

#include <QtWidgets>
#include <QtTest>

#include <functional>
#include <memory>

// Every test program runs in a fresh temporary HOME with its own XDG folders, so no test
// ever touches the user's real files. Call before the QApplication exists.
namespace TestEnvironment {
void isolate();
// A fresh folder standing in for one of the program's folders (data, program files).
QString programDir();
} // namespace TestEnvironment

// One test program per folder holds the test objects of all its files. The program runs the
// object named by its first argument (the file's name, "tst_exit"), or all of them.
namespace TestRegistry {
using Factory = std::function<std::unique_ptr<QObject>()>;
int add(const char *file, Factory make);
// A part the test program plays as a child process of a test, instead of running tests, when
// started with BIDBENCH_TEST_CHILD=name; its result is the exit status.
int addChild(const char *name, std::function<int()> role);
} // namespace TestRegistry

// A key goes where the platform sends it, to the focus widget, once the window that should
// have the keyboard has it. A key sent to a widget picked by hand would pass by the focus
// widget's own key handling.
inline bool keyToFocus(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    if (!QTest::qWaitForWindowActive(window))
        return false;
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    return true;
}

#define BIDBENCH_TEST_MAIN(TestObject)                                                     \
    static const int bidbenchRegistered = TestRegistry::add(                               \
        __FILE__, [] { return std::unique_ptr<QObject>(new TestObject); });

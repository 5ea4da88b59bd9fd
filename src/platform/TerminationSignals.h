#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C) as a Qt signal on this object's
// thread, so that the program can end as it does at a normal unload. The handler only writes
// the signal's number into a pipe; everything else happens in the event loop. A second signal
// of the same kind ends the program at once, as if there were no handler, in case the orderly
// end hangs. One object at a time; the previous handlers come back when it goes.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};

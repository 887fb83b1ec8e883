#pragma once

#include <QObject>

#include <initializer_list>

class QSocketNotifier;

// Turns the terminate signals (SIGTERM, SIGINT, SIGHUP) into a Qt signal delivered on the
// user-interface thread, so the program can end the way a closed window does. The C signal
// handler only writes the signal number into a pipe; the event loop reads it. A further signal
// that comes while the event loop has not read the last one yet (it is stuck) ends the program
// at once by the signal's default action. One object may be installed at a time; destroying it
// restores the previous handlers.
class TTerminationSignals final : public QObject {
    Q_OBJECT

public:
    explicit TTerminationSignals(QObject* parent = nullptr, std::initializer_list<int> signalNumbers = {
                                                                SIGTERM_VALUE, SIGINT_VALUE, SIGHUP_VALUE});
    ~TTerminationSignals() override;
    TTerminationSignals(const TTerminationSignals&) = delete;
    TTerminationSignals& operator=(const TTerminationSignals&) = delete;

    // Stand-ins for the <csignal> macros so this header does not pull in the C headers.
    static constexpr int SIGHUP_VALUE = 1;
    static constexpr int SIGINT_VALUE = 2;
    static constexpr int SIGTERM_VALUE = 15;

signals:
    void terminationRequested(int signalNumber);

private:
    void ReadPipe();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    int installed_[3] = {0, 0, 0};
    int installedCount_ = 0;
};

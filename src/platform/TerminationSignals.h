// SIGTERM, SIGINT and SIGHUP turned into a call on the window's thread: the
// signal handler only writes the signal's number into a pipe, and a socket
// notifier on the pipe's other end calls the handler from the event loop,
// where the program can stop its batch and end in order.
#pragma once

#include "process/UniqueFd.h"

#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;

namespace kelvara::platform {

class TerminationSignals {
public:
    using Handler = std::function<void(int signalNumber)>;

    // One watcher at a time: the signals have one handler per process.
    explicit TerminationSignals(Handler handler);
    // Gives the signals their default action back.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Empty when the signals are watched; else why not.
    const std::string& Failure() const { return m_failure; }

private:
    void Drain();

    Handler m_handler;
    UniqueFd m_reader;
    UniqueFd m_writer;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::string m_failure;
};

} // namespace kelvara::platform

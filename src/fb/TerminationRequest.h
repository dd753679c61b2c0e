#pragma once

#include <functional>

namespace fb {

// The client library sets its own handlers for the signals that ask a process to end (SIGTERM,
// SIGINT): they shut down every connection of the process while the program goes on running over
// dead handles, and a signal that interrupts one of the library's threads can leave the engine
// spinning when the program later detaches. Once this is installed those signals belong to the
// program: they are blocked in every thread and taken by one thread of our own, which calls `handler`
// for each. The handler must only hand the request over to the program's own thread.
//
// Threads inherit the blocking from the thread that starts them, so the first call must come before
// any other thread exists (first thing in main). Installing again replaces the handler; an empty
// handler makes the signals do nothing.
class TerminationRequest
{
public:
    static void install(std::function<void()> handler);
    // How many requests have come since the program started.
    static int count();
};

} // namespace fb

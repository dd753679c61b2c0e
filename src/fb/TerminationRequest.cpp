#include "TerminationRequest.h"

#include <atomic>
#include <mutex>
#include <thread>

#include <pthread.h>
#include <signal.h>

namespace fb {

namespace {

std::mutex g_mutex;
std::function<void()> g_handler;
std::atomic<int> g_count{0};
bool g_started = false;

sigset_t endSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

void deliver()
{
    const sigset_t set = endSignals();
    for (;;) {
        int sig = 0;
        if (sigwait(&set, &sig) != 0)
            continue;
        ++g_count;
        std::function<void()> handler;
        {
            std::lock_guard lock(g_mutex);
            handler = g_handler;
        }
        if (handler)
            handler();
    }
}

} // namespace

void TerminationRequest::install(std::function<void()> handler)
{
    std::lock_guard lock(g_mutex);
    g_handler = std::move(handler);
    if (g_started)
        return;
    const sigset_t set = endSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(deliver).detach();
    g_started = true;
}

int TerminationRequest::count()
{
    return g_count.load();
}

} // namespace fb

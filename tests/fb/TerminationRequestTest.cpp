// A request to end the process (SIGTERM, SIGINT) reaches the program instead of shutting down its
// connections. Kept in a test program of its own: a failure here leaves the client library of the
// whole process shut down.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include "TempDatabase.h"
#include "fb/Statement.h"
#include "fb/TerminationRequest.h"
#include "fb/Transaction.h"

namespace {

int countRows(fb::Attachment &att)
{
    fb::Transaction tr(att);
    fb::Statement st(tr, QStringLiteral("select count(*) from RDB$DATABASE"));
    st.execute();
    return st.fetch() ? static_cast<int>(st.getInt(0)) : -1;
}

bool waitFor(const std::atomic<int> &calls, int expected)
{
    for (int i = 0; i < 500 && calls.load() < expected; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return calls.load() >= expected;
}

TEST(TerminationRequestTest, SignalsReachTheProgramAndTheConnectionsStay)
{
    std::atomic<int> calls{0};
    // Installed before the client library starts any thread, as the program does.
    fb::TerminationRequest::install([&calls] { ++calls; });
    TempDatabase db(QStringLiteral("term.fdb"));
    fb::Attachment att = db.connect();
    ASSERT_EQ(countRows(att), 1);

    const int before = fb::TerminationRequest::count();
    ::kill(::getpid(), SIGTERM);
    ASSERT_TRUE(waitFor(calls, 1));
    EXPECT_EQ(fb::TerminationRequest::count(), before + 1);
    // Whatever the program still has to write on its way out can be written.
    EXPECT_EQ(countRows(att), 1);

    // Sent from another thread, as from outside.
    std::thread([] { ::kill(::getpid(), SIGTERM); }).join();
    ASSERT_TRUE(waitFor(calls, 2));
    fb::Attachment second = db.connect();
    EXPECT_EQ(countRows(second), 1);

    // Interrupting from the terminal is the same request; installing again replaces the handler.
    std::atomic<int> others{0};
    fb::TerminationRequest::install([&others] { ++others; });
    ::kill(::getpid(), SIGINT);
    ASSERT_TRUE(waitFor(others, 1));
    EXPECT_EQ(calls.load(), 2);
    EXPECT_EQ(countRows(att), 1);

    // The last connections go away as usual (a shut-down engine would refuse or hang here).
    second.detach();
    att.detach();
    fb::Attachment last = db.connect();
    EXPECT_EQ(countRows(last), 1);
}

} // namespace

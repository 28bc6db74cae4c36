// The reachability test against loopback: a listener answers, a closed
// port and an unknown name do not, and no answer takes longer than the
// time-out.
#include "HostProbe.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kestrel::map;
using Clock = std::chrono::steady_clock;

namespace {

// A loopback listener on a free port; closed when it goes.
struct Listener {
    int fd = -1;
    int port = 0;
    Listener()
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd, 4) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
    }
    ~Listener() { ::close(fd); }
};

long long MsSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

}  // namespace

TEST(HostProbe, TcpAnswersForAListenerAndNotForAClosedPort)
{
    int closedPort = 0;
    {
        Listener l;
        ASSERT_GT(l.port, 0);
        EXPECT_EQ(ProbeHost({"127.0.0.1", l.port, false, 2000}), 1);
        EXPECT_EQ(ProbeHost({"localhost", l.port, false, 2000}), 1);
        closedPort = l.port;
    }
    const auto t = Clock::now();
    EXPECT_EQ(ProbeHost({"127.0.0.1", closedPort, false, 2000}), 0);
    EXPECT_LT(MsSince(t), 2100);
}

TEST(HostProbe, UnknownNamesAndBadInputAnswerZeroWithinTheTimeOut)
{
    for (const char* host : {"no-such-host.invalid", "", "999.1.1.1"}) {
        const auto t = Clock::now();
        EXPECT_EQ(ProbeHost({host, 443, true, 500}), 0) << host;
        EXPECT_LT(MsSince(t), 2500) << host;  // the name look-up of .invalid fails locally
    }
    EXPECT_EQ(ProbeHost({std::string(300, 'a'), 443, true, 500}), 0);
    EXPECT_EQ(ProbeHost({"127.0.0.1", 70000, false, 500}), 0);
}

TEST(HostProbe, EchoToLoopbackAnswers)
{
    // ICMP where this machine permits it, else the TCP fall-back to a
    // listener: either way loopback answers.
    Listener l;
    const auto t = Clock::now();
    EXPECT_EQ(ProbeHost({"127.0.0.1", l.port, true, 2000}), 1);
    EXPECT_LT(MsSince(t), 2100);
}

TEST(HostProbe, ASilentHostTimesOut)
{
    // 192.0.2.0/24 is reserved for documentation: nothing answers there
    // (without a route the connect fails at once, which is as good).
    const auto t = Clock::now();
    EXPECT_EQ(ProbeHost({"192.0.2.1", 443, false, 300}), 0);
    EXPECT_LT(MsSince(t), 1000);
}

TEST(HostProbe, EchoNeedsNoListenerWhereIcmpIsPermitted)
{
    const int dgram = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
    const int raw = dgram >= 0 ? -1 : ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (dgram < 0 && raw < 0)
        GTEST_SKIP() << "no ICMP socket may be opened here";
    ::close(dgram >= 0 ? dgram : raw);
    int closedPort = 0;
    {
        Listener l;
        closedPort = l.port;
    }
    // The echo answers although nothing listens on the port.
    EXPECT_EQ(ProbeHost({"127.0.0.1", closedPort, true, 2000}), 1);
}

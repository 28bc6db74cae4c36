#include "HostProbe.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrel::map {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxHostBytes = 260;

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool Resolve(const std::string& host, sockaddr_in& out)
{
    if (host.empty() || host.size() > kMaxHostBytes)
        return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || !list)
        return false;
    std::memcpy(&out, list->ai_addr, sizeof out);
    ::freeaddrinfo(list);
    return true;
}

int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

uint16_t Checksum(const void* data, size_t len)
{
    const auto* p = static_cast<const uint8_t*>(data);
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < len; i += 2)
        sum += uint32_t(p[i]) << 8 | p[i + 1];
    if (len & 1)
        sum += uint32_t(p[len - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return htons(static_cast<uint16_t>(~sum));
}

// -1: no ICMP socket may be opened here; 0: no answer; 1: echo reply.
int IcmpEcho(const sockaddr_in& addr, Clock::time_point deadline)
{
    bool raw = false;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        raw = true;
    }
    if (fd < 0)
        return -1;
    Fd sock(fd);
    const uint16_t ident = static_cast<uint16_t>(::getpid());
    icmphdr req{};
    req.type = ICMP_ECHO;
    req.un.echo.id = htons(ident);
    req.un.echo.sequence = htons(1);
    req.checksum = Checksum(&req, sizeof req);
    if (::sendto(fd, &req, sizeof req, 0, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) < 0)
        return 0;
    uint8_t buf[512];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int wait = RemainingMs(deadline);
        if (wait <= 0 || ::poll(&p, 1, wait) <= 0)
            return 0;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n <= 0)
            continue;
        size_t off = 0;
        if (raw) {  // a raw socket hands over the IP header too
            off = size_t(buf[0] & 0x0F) * 4;
            if (size_t(n) < off + sizeof(icmphdr) || from.sin_addr.s_addr != addr.sin_addr.s_addr)
                continue;
        }
        if (size_t(n) < off + sizeof(icmphdr))
            continue;
        icmphdr reply;
        std::memcpy(&reply, buf + off, sizeof reply);
        // The kernel rewrites the identifier of unprivileged echo sockets.
        if (reply.type == ICMP_ECHOREPLY && (!raw || ntohs(reply.un.echo.id) == ident))
            return 1;
    }
}

int TcpConnect(sockaddr_in addr, int port, Clock::time_point deadline)
{
    if (port <= 0 || port > 65535)
        return 0;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    Fd sock(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (sock.get() < 0)
        return 0;
    if (::connect(sock.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0)
        return 1;
    if (errno != EINPROGRESS)
        return 0;
    pollfd p{sock.get(), POLLOUT, 0};
    const int wait = RemainingMs(deadline);
    if (wait <= 0 || ::poll(&p, 1, wait) <= 0)
        return 0;
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(sock.get(), SOL_SOCKET, SO_ERROR, &err, &len) != 0)
        return 0;
    return err == 0 ? 1 : 0;
}

}  // namespace

int ProbeHost(const ProbeTarget& target)
{
    sockaddr_in addr{};
    if (!Resolve(target.host, addr))
        return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(target.timeoutMs > 0 ? target.timeoutMs : 0);
    if (target.icmp) {
        const int echo = IcmpEcho(addr, deadline);
        if (echo >= 0)
            return echo;
    }
    return TcpConnect(addr, target.port, deadline);
}

}  // namespace kestrel::map

// Whether a map host can be reached: the name is looked up, then one ICMP
// echo is sent (an unprivileged ICMP socket, or a raw one where that is
// permitted); where neither may be opened, a TCP connect to the port is
// tried instead. Blocking, bounded by the time-out after the look-up: call
// it from a worker thread, never from the user-interface thread.
#pragma once

#include <string>

namespace kestrel::map {

struct ProbeTarget {
    std::string host;     // name or dotted IPv4 address
    int port = 443;       // for the TCP connect
    bool icmp = true;     // false: TCP connect only
    int timeoutMs = 2000;
};

// 1 when the host answered, 0 otherwise.
int ProbeHost(const ProbeTarget& target);

}  // namespace kestrel::map

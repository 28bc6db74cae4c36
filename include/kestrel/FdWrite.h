// Writes a whole buffer to a file descriptor, resuming after short writes and
// signals, so callers can tell a full disk from success.
#pragma once

#include <cerrno>
#include <string>
#include <unistd.h>

namespace kestrel {

inline bool WriteAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace kestrel

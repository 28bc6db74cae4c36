#include "OutputFile.h"

#include "kestrel/FdWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel::cli {

bool WriteOutput(const std::string& path, const std::string& text, std::string* error)
{
    if (path.empty() || path == "-") {
        std::fflush(stdout);
        if (!kestrel::WriteAll(STDOUT_FILENO, text)) {
            *error = std::string("cannot write to standard output: ") + std::strerror(errno);
            return false;
        }
        return true;
    }

    std::string tmp = path + ".tmp.XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0) {
        *error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    // mkstemp creates the file 0600; give it the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    bool ok = kestrel::WriteAll(fd, text) && fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        *error = "cannot write " + path + ": " + std::strerror(err);
    }
    return ok;
}

}  // namespace kestrel::cli

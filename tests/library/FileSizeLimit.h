#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tavrin::test {

/// While alive, no file of this process may grow past maxBytes: writes beyond it fail (EFBIG)
/// instead of raising SIGXFSZ. A disk-full stand-in that works even for root.
struct FileSizeLimit
{
    explicit FileSizeLimit(rlim_t maxBytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{maxBytes, old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
};

} // namespace tavrin::test

#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tavrin::test {

/// While alive, no file of this process may grow past maxBytes: writes beyond it fail (EFBIG)
/// instead of raising SIGXFSZ. A disk-full stand-in that works even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t maxBytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = maxBytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*m_oldHandler)(int);
    rlimit m_old{};
};

} // namespace tavrin::test

#pragma once
// Makes writes fail part way, as on a full disk: while the object lives, no
// file this process or a program it starts writes may grow past `bytes`
// ("File too large"). The signal the limit raises is ignored meanwhile, so
// the failing write returns an error rather than ending the process.

#include <sys/resource.h>

#include <csignal>

namespace tavrel::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_Saved);
    m_SavedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = m_Saved;
    lowered.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_Saved);
    std::signal(SIGXFSZ, m_SavedHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_Saved{};
  void (*m_SavedHandler)(int) = SIG_DFL;
};

}  // namespace tavrel::test

// A child process that holds an exclusive lock on a host file for the life of the object, so
// that the lock belongs to another process whatever its kind: a flock (what the built-in engine
// respects) and a POSIX write lock (what an engine library may take).
//
//   tx3::testing::ChildLock lock(hostPath);
//   ASSERT_TRUE(lock.held());
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace tx3::testing {

class ChildLock {
 public:
  explicit ChildLock(const std::string& path) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
      // Only async-signal-safe calls here: the parent may have other threads.
      const int fd = ::open(path.c_str(), O_RDWR);
      struct flock record {};
      record.l_type = F_WRLCK;
      record.l_whence = SEEK_SET;
      const char ok =
          fd >= 0 && ::flock(fd, LOCK_EX) == 0 && ::fcntl(fd, F_SETLK, &record) == 0 ? 'y' : 'n';
      (void)!::write(ready[1], &ok, 1);
      ::pause();
      ::_exit(0);
    }
    char ok = 'n';
    if (child_ > 0 && ::read(ready[0], &ok, 1) == 1) held_ = ok == 'y';
    ::close(ready[0]);
    ::close(ready[1]);
  }
  ~ChildLock() {
    if (child_ <= 0) return;
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
  }
  ChildLock(const ChildLock&) = delete;
  ChildLock& operator=(const ChildLock&) = delete;

  bool held() const { return held_; }

 private:
  pid_t child_ = -1;
  bool held_ = false;
};

}  // namespace tx3::testing

// A tmpfs of a few KiB mounted on a fresh folder, for fault injection: a disk that
// fills up part-way through a write, or turns read-only. The mount lives in a mount
// namespace of this test process alone, so the machine's own mounts never see it.
// It needs root or unprivileged user namespaces; available() says whether it could
// be had, and why() why not.
#pragma once
#ifndef _WIN32
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace vaultrine::testing {

class SmallDisk {
 public:
  explicit SmallDisk(size_t kib) {
    if (!PrivateMounts(why_)) return;
    const std::string options = "size=" + std::to_string(kib) + "k";
    if (mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
      why_ = std::string("mounting a tmpfs: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~SmallDisk() {
    if (mounted_) umount2(folder_.path().c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool available() const { return mounted_; }
  const std::string& why() const { return why_; }
  std::string File(const std::string& name) const { return folder_.File(name); }
  std::string path() const { return folder_.path().string(); }

  bool SetReadOnly(bool read_only) {
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (read_only ? MS_RDONLY : 0);
    return mount(nullptr, folder_.path().c_str(), nullptr, flags, nullptr) == 0;
  }

  // Takes the free space with a filler file until at most `leave` bytes (rounded
  // down to whole pages) are free.
  bool Fill(size_t leave) {
    const std::string filler = folder_.File(".filler");
    const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return false;
    const std::vector<char> page(4096, 'f');
    while (write(fd, page.data(), page.size()) > 0) {
    }
    const off_t size = lseek(fd, 0, SEEK_END);
    const off_t freed = static_cast<off_t>(leave / 4096 * 4096);
    const bool ok = errno == ENOSPC && ftruncate(fd, size > freed ? size - freed : 0) == 0;
    close(fd);
    return ok;
  }
  // Gives the filler's space back.
  void Empty() { unlink(folder_.File(".filler").c_str()); }

 private:
  // Once per process: a mount namespace of its own, as root or through a user namespace.
  static bool PrivateMounts(std::string& why) {
    static int state = -1;
    static std::string reason;
    if (state < 0) {
      state = 0;
      const uid_t uid = getuid();
      const gid_t gid = getgid();
      if (unshare(CLONE_NEWNS | (uid != 0 ? CLONE_NEWUSER : 0)) != 0) {
        reason = std::string("no mount namespace: ") + std::strerror(errno);
      } else if (uid != 0 && !(WriteProc("/proc/self/setgroups", "deny") &&
                               WriteProc("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
                               WriteProc("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))) {
        reason = "user namespace without an id map";
      } else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        reason = std::string("private mounts: ") + std::strerror(errno);
      } else {
        state = 1;
      }
    }
    why = reason;
    return state == 1;
  }
  static bool WriteProc(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY);
    if (fd < 0) return false;
    const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return ok;
  }

  TempDir folder_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace vaultrine::testing
#endif

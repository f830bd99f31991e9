#include "core/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace mojihyo {

namespace {

FileResult Failure(int err) { return {std::strerror(err)}; }

class Fd {
public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

private:
  int fd_;
};

// The file a write really lands in: the target of a symbolic link, so that
// replacing it does not replace the link.
std::string ResolveTarget(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat st{};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
      ::realpath(path.c_str(), resolved) != nullptr)
    return resolved;
  return path;
}

}  // namespace

FileResult ReadFileBytes(const std::string& path, std::string& bytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Failure(errno);
  struct stat st{};
  if (::fstat(fd.get(), &st) != 0) return Failure(errno);
  if (S_ISDIR(st.st_mode)) return Failure(EISDIR);
  bytes.clear();
  if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failure(errno);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return {};
}

FileResult WriteFileReplacing(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveTarget(path);
  std::string temp = target + ".XXXXXX";
  Fd fd(::mkstemp(temp.data()));
  // No temporary file beside the target: the folder is missing or cannot
  // be written to, and the system's reason says which.
  if (fd.get() < 0) return Failure(errno);
  auto fail = [&](int err) {
    ::unlink(temp.c_str());
    return Failure(err);
  };

  struct stat existing{};
  mode_t mode = 0666;
  if (::stat(target.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) return fail(EISDIR);
    // A file the user may not write stays as it is, as a plain overwrite
    // would have left it.
    if (::access(target.c_str(), W_OK) != 0) return fail(errno);
    mode = existing.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::fchmod(fd.get(), mode) != 0) return fail(errno);

  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd.get(), p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd.get()) != 0) return fail(errno);
  if (::close(fd.release()) != 0) return fail(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
  return {};
}

MappedFile::~MappedFile() { Close(); }

MappedFile::MappedFile(MappedFile&& other) noexcept
    : map_(std::exchange(other.map_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)),
      read_(std::move(other.read_)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    Close();
    map_ = std::exchange(other.map_, nullptr);
    mapped_ = std::exchange(other.mapped_, 0);
    read_ = std::move(other.read_);
  }
  return *this;
}

void MappedFile::Close() {
  if (map_ != nullptr) ::munmap(map_, mapped_);
  map_ = nullptr;
  mapped_ = 0;
  read_.clear();
}

std::string_view MappedFile::bytes() const {
  if (map_ != nullptr) return {static_cast<const char*>(map_), mapped_};
  return read_;
}

FileResult MappedFile::Open(const std::string& path, bool readAhead) {
  Close();
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Failure(errno);
  struct stat st{};
  if (::fstat(fd.get(), &st) != 0) return Failure(errno);
  if (S_ISDIR(st.st_mode)) return Failure(EISDIR);
  // An empty file has nothing to map, and a pipe or device cannot be.
  if (!S_ISREG(st.st_mode) || st.st_size == 0) return ReadFileBytes(path, read_);
  const auto size = static_cast<std::size_t>(st.st_size);
  void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | (readAhead ? MAP_POPULATE : 0),
                     fd.get(), 0);
  if (map == MAP_FAILED) return ReadFileBytes(path, read_);
  map_ = map;
  mapped_ = size;
  return {};
}

}  // namespace mojihyo

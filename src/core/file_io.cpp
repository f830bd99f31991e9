#include "core/file_io.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <random>
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

// A named temporary file is removed again unless it took the target's place.
class RemoveUnlessKept {
public:
  explicit RemoveUnlessKept(std::string path) : path_(std::move(path)) {}
  ~RemoveUnlessKept() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  RemoveUnlessKept(const RemoveUnlessKept&) = delete;
  RemoveUnlessKept& operator=(const RemoveUnlessKept&) = delete;
  void keep() { path_.clear(); }

private:
  std::string path_;
};

std::string DirName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write really lands in: the end of a chain of symbolic links,
// whether or not it exists, so that writing replaces the file a link names
// and not the link.
FileResult ResolveTarget(const std::string& path, std::string& target) {
  target = path;
  // The system's own limit on links followed in one path.
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st{};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return {};
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n < 0) return Failure(errno);
    if (static_cast<std::size_t>(n) == link.size()) return Failure(ENAMETOOLONG);
    link.resize(static_cast<std::size_t>(n));
    target = link.starts_with('/') ? link : DirName(target) + "/" + link;
  }
  return Failure(ELOOP);
}

// A temporary name beside the target that still fits a file name's 255
// bytes when the target's own name uses them all.
std::string TemporaryName(const std::string& dir, const std::string& name, std::string_view suffix) {
  constexpr std::size_t kNameMax = 255;
  return dir + "/" + name.substr(0, kNameMax - 1 - suffix.size()) + "." + std::string(suffix);
}

std::string RandomSuffix() {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::minstd_rand random(std::random_device{}());
  std::string suffix(6, 'X');
  for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
  return suffix;
}

bool WriteAll(int fd, const char* p, std::size_t left, int& err) {
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Gathers small pieces into large writes; after the first failure it drops
// everything and keeps the system's reason.
class FdSink : public ByteSink {
public:
  explicit FdSink(int fd) : fd_(fd) {}
  void Write(std::string_view bytes) override {
    if (err_ != 0) return;
    if (used_ + bytes.size() > buffer_.size()) {
      Flush();
      if (bytes.size() >= buffer_.size()) {
        WriteAll(fd_, bytes.data(), bytes.size(), err_);
        return;
      }
    }
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }
  // The reason of the first failed write, or 0.
  int Finish() {
    Flush();
    return err_;
  }

private:
  void Flush() {
    if (err_ == 0 && used_ > 0) WriteAll(fd_, buffer_.data(), used_, err_);
    used_ = 0;
  }
  int fd_;
  int err_ = 0;
  std::size_t used_ = 0;
  std::array<char, 1 << 16> buffer_;
};

// Unnamed files get their name through /proc; without it they could not
// get one at all.
bool CanNameUnnamedFiles() { return ::access("/proc/self/fd", X_OK) == 0; }

bool UnnamedFilesRefused(int err) {
  // Kernels and file systems without unnamed files answer in these ways.
  return err == EOPNOTSUPP || err == EISDIR || err == EINVAL || err == ENOTSUP;
}

// Gives the complete unnamed file its name: the target's own when there is
// no file there yet, else a temporary one that then replaces the target in
// one step.
FileResult NameUnnamedFile(int fd, const std::string& dir, const std::string& name,
                           const std::string& target, bool targetExists) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (!targetExists) {
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return {};
    if (errno != EEXIST) return Failure(errno);
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temp = TemporaryName(dir, name, RandomSuffix());
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      return Failure(errno);
    }
    RemoveUnlessKept named(temp);
    if (::rename(temp.c_str(), target.c_str()) != 0) return Failure(errno);
    named.keep();
    return {};
  }
  return Failure(EEXIST);
}

// Opens a file to read. A named pipe nobody writes to would hold a plain
// open until someone does, for ever if nobody ever will; opened without
// waiting, it reads as what is written into it, and as nothing when there
// is no writer. Reads then wait for their bytes as usual.
int OpenToRead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fd;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int err = errno;
    ::close(fd);
    errno = err;
    return -1;
  }
  return fd;
}

}  // namespace

FileResult TooLarge(std::size_t limit) {
  std::string size = std::to_string(limit) + " bytes";
  if (limit % (1 << 30) == 0) {
    size = std::to_string(limit >> 30) + " GiB";
  } else if (limit % (1 << 20) == 0) {
    size = std::to_string(limit >> 20) + " MiB";
  }
  return {"larger than " + size + ", the most this program reads"};
}

FileResult ReadFileBytes(const std::string& path, std::string& bytes, std::size_t limit) {
  Fd fd(OpenToRead(path));
  if (fd.get() < 0) return Failure(errno);
  struct stat st{};
  if (::fstat(fd.get(), &st) != 0) return Failure(errno);
  if (S_ISDIR(st.st_mode)) return Failure(EISDIR);
  if (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > limit) return TooLarge(limit);
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
    // Devices and pipes have no size to check beforehand, and a file may
    // grow while it is read.
    if (static_cast<std::size_t>(n) > limit - bytes.size()) {
      bytes.clear();
      bytes.shrink_to_fit();
      return TooLarge(limit);
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return {};
}

FileResult WriteFileReplacing(const std::string& path, std::string_view bytes) {
  return WriteFileReplacingFrom(path, [bytes](ByteSink& sink) {
    sink.Write(bytes);
    return FileResult{};
  });
}

FileResult WriteFileReplacingFrom(const std::string& path, const ByteProducer& produce,
                                  TemporaryFile method) {
  std::string target;
  if (FileResult r = ResolveTarget(path, target); !r.ok()) return r;
  const std::string dir = DirName(target), name = BaseName(target);

  bool unnamed = method == TemporaryFile::Unnamed && CanNameUnnamedFiles();
  int raw = -1;
  std::string temp;
  if (unnamed) {
    raw = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (raw < 0 && !UnnamedFilesRefused(errno)) return Failure(errno);
    unnamed = raw >= 0;
  }
  if (!unnamed) {
    temp = TemporaryName(dir, name, "XXXXXX");
    raw = ::mkstemp(temp.data());
    // No temporary file beside the target: the folder is missing or cannot
    // be written to, and the system's reason says which.
    if (raw < 0) return Failure(errno);
  }
  Fd fd(raw);
  RemoveUnlessKept named(temp);

  struct stat existing{};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  mode_t mode = 0666;
  if (exists) {
    if (S_ISDIR(existing.st_mode)) return Failure(EISDIR);
    // A file the user may not write stays as it is, as a plain overwrite
    // would have left it.
    if (::access(target.c_str(), W_OK) != 0) return Failure(errno);
    mode = existing.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::fchmod(fd.get(), mode) != 0) return Failure(errno);

  FdSink sink(fd.get());
  if (FileResult r = produce(sink); !r.ok()) return r;
  if (int err = sink.Finish(); err != 0) return Failure(err);
  if (::fsync(fd.get()) != 0) return Failure(errno);
  if (unnamed) {
    if (FileResult r = NameUnnamedFile(fd.get(), dir, name, target, exists); !r.ok()) return r;
    if (::close(fd.release()) != 0) return Failure(errno);
  } else {
    if (::close(fd.release()) != 0) return Failure(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) return Failure(errno);
    named.keep();
  }
  // The new name itself is on disk only once the folder is.
  Fd folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
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
  Fd fd(OpenToRead(path));
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

#include "toolkit/FileUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "toolkit/Text.h"

namespace toolkit {

std::string NormalizePath(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  return ::stat(NormalizePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  return ::stat(NormalizePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RenameFile(const std::string& from, const std::string& to) {
  return ::rename(NormalizePath(from).c_str(), NormalizePath(to).c_str()) == 0;
}

bool EraseFile(const std::string& path) { return ::unlink(NormalizePath(path).c_str()) == 0; }

std::optional<std::int64_t> FileSize(const std::string& path) {
  struct stat st {};
  if (::stat(NormalizePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::string> FindFileCaseInsensitive(const std::string& path) {
  const std::string normal = NormalizePath(path);
  if (FileExists(normal)) return normal;
  const auto slash = normal.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : normal.substr(0, slash));
  const std::string name = slash == std::string::npos ? normal : normal.substr(slash + 1);
  if (name.empty()) return std::nullopt;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(d)) {
    if (EqualsIgnoreCaseAscii(entry->d_name, name)) {
      std::string candidate = slash == std::string::npos ? std::string(entry->d_name)
                                                         : normal.substr(0, slash + 1) + entry->d_name;
      if (FileExists(candidate)) {
        found = candidate;
        break;
      }
    }
  }
  ::closedir(d);
  return found;
}

std::optional<std::size_t> ReadFileInto(const std::string& path, std::uint64_t limit,
                                        const std::function<std::uint8_t*(std::size_t size)>& allocate) {
  const int fd = ::open(NormalizePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct Closer {  // also when `allocate` throws; keeps the errno of the failure
    int fd;
    ~Closer() {
      const int saved = errno;
      ::close(fd);
      errno = saved;
    }
  } closer{fd};
  auto fail = [](int reason) -> std::optional<std::size_t> {
    errno = reason;
    return std::nullopt;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) return std::nullopt;
  if (!S_ISREG(st.st_mode)) return fail(EISDIR);
  if (static_cast<std::uint64_t>(st.st_size) > limit) return fail(EFBIG);
  const auto size = static_cast<std::size_t>(st.st_size);
  std::uint8_t* const buffer = allocate(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;  // the file shrank meanwhile: what was there
    done += static_cast<std::size_t>(n);
  }
  return done;
}

namespace {

template <typename Container>
bool ReadWhole(const std::string& path, Container& out, std::uint64_t limit) {
  out.clear();
  const auto size = ReadFileInto(path, limit, [&](std::size_t n) {
    out.resize(n);
    return reinterpret_cast<std::uint8_t*>(out.data());
  });
  out.resize(size.value_or(0));
  return size.has_value();
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& out, std::uint64_t limit) {
  return ReadWhole(path, out, limit);
}

bool ReadFileText(const std::string& path, std::string& out, std::uint64_t limit) {
  return ReadWhole(path, out, limit);
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
  return WriteFileAtomic(path, std::vector<std::string_view>{bytes}, error);
}

namespace {

// FileWriteProtected's rule, for a file's status.
bool ModeWriteProtected(const struct stat& st) {
  const uid_t user = ::geteuid();
  if (user == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  if (st.st_uid == user) return (st.st_mode & S_IWUSR) == 0;
  bool member = st.st_gid == ::getegid();
  if (!member) {
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
    member = n > 0 && std::find(groups.begin(), groups.begin() + n, st.st_gid) != groups.begin() + n;
  }
  return (st.st_mode & (member ? S_IWGRP : S_IWOTH)) == 0;
}

// Creates a new file beside `target` whose name no file had ("<target>.<random>.tmp");
// -1 with errno set when that fails.
int CreateTemporary(const std::string& target, std::string& temp) {
  static std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    temp = target + suffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool FileWriteProtected(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(NormalizePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ModeWriteProtected(st);
}

bool WriteFileAtomic(const std::string& path, const std::vector<std::string_view>& pieces, std::string* error) {
  const std::string target = NormalizePath(path);
  std::string temp;
  auto fail = [&](int fd) {
    const int saved = errno;
    if (fd >= 0) ::close(fd);
    if (!temp.empty()) ::unlink(temp.c_str());
    errno = saved;
    if (error) *error = LastErrorText();
    return false;
  };
  struct stat old {};
  const bool replaces = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (replaces && ModeWriteProtected(old)) {
    errno = EACCES;
    return fail(-1);
  }
  const int fd = CreateTemporary(target, temp);
  if (fd < 0) {
    temp.clear();  // nothing of ours to remove
    return fail(-1);
  }
  for (const std::string_view bytes : pieces) {
    if (!WriteAll(fd, bytes)) return fail(fd);
  }
  if (replaces && ::fchmod(fd, old.st_mode & 07777) != 0) return fail(fd);
  if (::fsync(fd) != 0 && errno != EINVAL) return fail(fd);
  if (::close(fd) != 0) return fail(-1);
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(-1);
  return true;
}

bool WriteAll(int fd, std::string_view bytes, std::size_t* written) {
  if (written) *written = 0;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    if (written) *written += static_cast<std::size_t>(n);
  }
  return true;
}

std::string ProgramFileName() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  return n > 0 && static_cast<std::size_t>(n) < sizeof buffer ? std::string(buffer, static_cast<std::size_t>(n))
                                                               : std::string();
}

std::string SystemErrorText(int number) {
  switch (number) {
    case ENOSPC: return Ansi("Kein Platz mehr auf dem Datenträger");
    case EDQUOT: return Ansi("Speicherkontingent überschritten");
    case EACCES:
    case EPERM: return "Keine Berechtigung";
    case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
    case ENOTDIR: return "Ein Teil des Pfades ist kein Verzeichnis";
    case EROFS: return Ansi("Schreibgeschütztes Dateisystem");
    case EISDIR: return "Ist ein Verzeichnis";
    case EFBIG: return Ansi("Datei zu groß");
    case ENAMETOOLONG: return "Dateiname zu lang";
    case EIO: return "Ein-/Ausgabefehler";
    default: return "Systemfehler Nr. " + std::to_string(number);
  }
}

std::string LastErrorText() { return SystemErrorText(errno); }

}  // namespace toolkit

#pragma once
// File helpers with Linux semantics: "/" and "\" both separate directories, a name the
// program upper-cases is found case-insensitively, and "exists" means a regular file.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// "\" becomes "/".
std::string NormalizePath(std::string_view path);

// True only for an existing regular file (false for "" and for a directory).
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
bool EraseFile(const std::string& path);
std::optional<std::int64_t> FileSize(const std::string& path);

// The path itself when it names a regular file, else the file in its directory whose
// name equals the last component without regard to ASCII case; nullopt when none does.
std::optional<std::string> FindFileCaseInsensitive(const std::string& path);

// Whole files. ReadFileBytes refuses files above `limit` bytes.
// ReadFileInto is the one read under them and under the picture files: it refuses anything
// but a regular file (EISDIR) and files above `limit` bytes (EFBIG), asks `allocate` for a
// buffer of the file's size and reads into it. It returns the bytes read (fewer when the
// file shrank meanwhile), or nullopt with errno telling why.
std::optional<std::size_t> ReadFileInto(const std::string& path, std::uint64_t limit,
                                        const std::function<std::uint8_t*(std::size_t size)>& allocate);
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& out,
                   std::uint64_t limit = (1ull << 31));
bool ReadFileText(const std::string& path, std::string& out, std::uint64_t limit = (1ull << 31));
// True when `path` is an existing regular file whose mode bits give this program no write
// right: the owner's bit when the program runs as the owner, else the group's or the
// others'; for root any write bit. Judged from the bits alone, so that a file the user made
// read-only counts as such whoever runs the program.
bool FileWriteProtected(const std::string& path);
// Writes a temporary file beside `path` under a name no other file has, flushes it and
// renames it over `path`, which keeps its mode bits; the old file stays intact on any
// failure. A write-protected `path` (FileWriteProtected) is refused with EACCES and left as
// it is. `error` (when given) receives the system's reason.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);
// The same for a file made of pieces, written one after another without joining them.
bool WriteFileAtomic(const std::string& path, const std::vector<std::string_view>& pieces,
                     std::string* error = nullptr);

// The full path of the running program file ("" when the system does not tell it).
std::string ProgramFileName();

// The system's reason for a failure, in German whatever the machine's locale (Windows-1252):
// the failures a user meets (disk full, no permission, not found, read-only file system,
// is a directory, file too large, input/output error, ...) in words, any other as
// "Systemfehler Nr. " + its number.
std::string SystemErrorText(int number);
// The same for the last failed call (errno).
std::string LastErrorText();

// Writes all of `bytes` to the open file `fd`, going on after interrupted and partial
// writes; false with errno set when the system refuses. `written` (when given) receives how
// many bytes reached the file, also when it fails.
bool WriteAll(int fd, std::string_view bytes, std::size_t* written = nullptr);

}  // namespace toolkit

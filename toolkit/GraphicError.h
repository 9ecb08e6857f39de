#pragma once
// Errors of the picture code. what() is the exact text shown to the user.
#include <stdexcept>
#include <string>

namespace toolkit {

// A picture that cannot be read: bad content, truncated data, a size beyond the limits.
class EInvalidGraphic : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A picture file that cannot be opened or written at all.
class EFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// "Die Datei "<name>" kann nicht geöffnet werden: <system reason>"
[[noreturn]] void RaiseFileOpenError(const std::string& fileName);

}  // namespace toolkit

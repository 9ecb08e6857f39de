#pragma once
// Text files as lists of lines: 8-bit text, lines ending CR LF.
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// Splits at CR LF, LF or a lone CR; a last line without an end still counts.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// False when the file cannot be read (lines left empty).
bool ReadLineFile(const std::string& path, std::vector<std::string>& lines);
// Writes through a temporary file, so a failure never leaves half a file.
bool WriteLineFile(const std::string& path, const std::vector<std::string>& lines, std::string* error = nullptr);

}  // namespace toolkit

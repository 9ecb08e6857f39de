#pragma once
// 8-bit text. Inside the program and in every file text is Windows-1252, held byte for
// byte in std::string; sources are UTF-8. These convert at the boundary.
#include <string>
#include <string_view>

namespace toolkit {

// Windows-1252 bytes to UTF-8. The five bytes Windows-1252 leaves undefined map to the
// C1 control of the same value, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 to Windows-1252. A character the code page lacks, or a malformed sequence,
// becomes '?'.
std::string Utf8ToCp1252(std::string_view text);

// Shorthand for literals written in UTF-8 source: Ansi("Dateigrößenfehler!").
inline std::string Ansi(std::string_view utf8) { return Utf8ToCp1252(utf8); }

// ASCII-only case folding; bytes above 127 (umlauts) stay as they are.
char UpperAscii(char c);
std::string UpperAscii(std::string_view text);
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);

// `text` without the leading and trailing characters found in `blanks`.
std::string_view Trim(std::string_view text, std::string_view blanks = " \t");

}  // namespace toolkit

#pragma once
// The program holds text as Windows-1252 bytes; Qt holds it as QString. These two convert at
// the boundary, and nowhere else.
#include <QString>
#include <string>
#include <string_view>

#include "toolkit/Text.h"

namespace toolkit::qt {

inline QString QText(std::string_view ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }
inline std::string AnsiText(const QString& text) { return Utf8ToCp1252(text.toStdString()); }
// A UTF-8 literal of the sources as a QString (captions written in the code).
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace toolkit::qt

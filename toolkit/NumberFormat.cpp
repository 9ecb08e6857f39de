#include "toolkit/NumberFormat.h"

#include <charconv>
#include <clocale>
#include <cmath>

namespace toolkit {
namespace {
char g_separator = '.';
}

char DecimalSeparator() { return g_separator; }
void SetDecimalSeparator(char separator) { g_separator = separator; }

void InitDecimalSeparatorFromLocale() {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const std::lconv* conv = std::localeconv();
    if (conv && conv->decimal_point && conv->decimal_point[0] != '\0' && conv->decimal_point[1] == '\0') {
      g_separator = conv->decimal_point[0];
    }
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

std::string FormatFixed(double value, int decimals, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  // to_chars is exact and independent of the C locale (Qt sets LC_NUMERIC).
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "NAN";
  std::string text(buffer, result.ptr);
  if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);  // "-0.000" -> "0.000"
  }
  if (separator != '.') {
    const auto dot = text.find('.');
    if (dot != std::string::npos) text[dot] = separator;
  }
  return text;
}

std::optional<double> ParseDecimal(std::string_view text, char separator) {
  std::string normal;
  normal.reserve(text.size());
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') normal += '-';
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      normal += c;
    } else if (c == separator && !point) {
      point = true;
      normal += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0.0;
  const char* first = normal.data();
  const char* last = normal.data() + normal.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) return std::nullopt;
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

std::optional<int> ParseInteger(std::string_view text) {
  std::size_t start = 0;
  if (!text.empty() && text[0] == '+') start = 1;
  if (start >= text.size()) return std::nullopt;
  int value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  if (start == 1 && text.size() > 1 && text[1] == '-') return std::nullopt;
  return value;
}

}  // namespace toolkit

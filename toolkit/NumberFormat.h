#pragma once
// Numbers as text. NC words always use '.'; dialogs, comment lines and the text settings
// files use the locale's separator, read once at start (tests set it explicitly).
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

char DecimalSeparator();
void SetDecimalSeparator(char separator);
// Takes the separator from the user's locale (LC_NUMERIC); called once by main().
void InitDecimalSeparatorFromLocale();

// Fixed notation with `decimals` places (halves of the exact binary value to even),
// "-0.000" normalised to "0.000". Non-finite values give "NAN", "INF" or "-INF".
std::string FormatFixed(double value, int decimals, char separator = '.');

// Strict decimal number: optional sign, digits, optional separator and digits
// ("-12.5", "3", "+.5", "7."). Anything else, or no digit at all, gives nullopt.
std::optional<double> ParseDecimal(std::string_view text, char separator = '.');

// Strict integer: optional sign and digits within the 32-bit range.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace toolkit

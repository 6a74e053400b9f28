// The text of a settings file: its lines and the conversions of their values.
// Numbers are written the way the user's locale writes them; the decimal
// separator is passed in so that callers (and tests) choose the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settingstext {

// The lines of a file's text. CR, LF and CR LF all end a line; a final line
// break does not start another, empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// A decimal integer with an optional sign that fits 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// A finite number written with `separator` as its decimal separator, with an
// optional exponent. Text using another separator does not convert.
std::optional<double> ParseFloat(std::string_view text, std::string_view separator);

// "True" or "False" in any letter case, or any number (non-zero is true).
std::optional<bool> ParseBoolean(std::string_view text, std::string_view separator);

// The shortest text of `value` with at most 15 significant digits: plain
// notation from 0.00001 up to 15 integer digits, otherwise a mantissa and
// "E" with the exponent ("1E15", "2.5E-6").
std::string FormatFloat(double value, std::string_view separator);

// "-1" for true, "0" for false.
std::string FormatBoolean(bool value);

}  // namespace settingstext

#include "startup/SettingsText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace settingstext {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// from_chars takes no leading '+'; the files may hold one.
std::string_view WithoutPlus(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    return text;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    text = WithoutPlus(text);
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<double> ParseFloat(std::string_view text, std::string_view separator) {
    std::string plain(WithoutPlus(text));
    if (separator != ".") {
        if (plain.find('.') != std::string::npos) return std::nullopt;
        if (!separator.empty()) {
            auto at = plain.find(separator);
            if (at != std::string::npos) {
                std::string swapped(plain, 0, at);
                swapped.push_back('.');
                swapped.append(plain, at + separator.size());
                plain = std::move(swapped);
            }
        }
    }
    double value = 0;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || end != last || plain.empty() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<bool> ParseBoolean(std::string_view text, std::string_view separator) {
    if (EqualsIgnoringCase(text, "true")) return true;
    if (EqualsIgnoringCase(text, "false")) return false;
    if (auto number = ParseFloat(text, separator)) return *number != 0;
    return std::nullopt;
}

std::string FormatFloat(double value, std::string_view separator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // 15 significant digits, correctly rounded, as d.dddddddddddddde[+-]x.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    if (exponent < -5 || exponent >= 15) {
        text += digits[0];
        if (digits.size() > 1) text.append(separator).append(digits, 1);
        text.push_back('E');
        text.append(std::to_string(exponent));
    } else if (exponent >= 0) {
        std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < integerDigits) digits.append(integerDigits - digits.size(), '0');
        text.append(digits, 0, integerDigits);
        if (digits.size() > integerDigits) text.append(separator).append(digits, integerDigits);
    } else {
        text += "0";
        text.append(separator).append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    }
    return text;
}

std::string FormatBoolean(bool value) { return value ? "-1" : "0"; }

}  // namespace settingstext

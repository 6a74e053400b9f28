// The text of a settings file. Splitting and joining keep every line; each
// value that converts writes back to text that converts to the same value.
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "startup/SettingsText.h"

using namespace settingstext;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto lines = SplitLines(text);
    if (SplitLines(JoinLines(lines)) != lines) std::abort();
    for (std::string_view separator : {".", ","}) {
        for (const auto& line : lines) {
            if (auto value = ParseFloat(line, separator)) {
                auto back = ParseFloat(FormatFloat(*value, separator), separator);
                if (!back) std::abort();
                // 15 significant digits: the written value is that close.
                if (std::fabs(*back - *value) > std::fabs(*value) * 1e-14) std::abort();
            }
            if (auto value = ParseInteger(line))
                if (ParseInteger(std::to_string(*value)) != value) std::abort();
            if (auto value = ParseBoolean(line, separator))
                if (ParseBoolean(FormatBoolean(*value), separator) != value) std::abort();
        }
    }
    return 0;
}

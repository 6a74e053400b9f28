#include "startup/PhotoSettings.h"

#include "startup/SettingsText.h"
#include "startup/TextFile.h"

using namespace settingstext;

namespace {
constexpr std::size_t kSharedLines = 5;
constexpr std::size_t kOwnLines = 7;
constexpr std::size_t kAllowMovingLine = 5;
}  // namespace

TLumettaSettings::TLumettaSettings(std::string FileName, TSettingsPlace Place)
    : FileName(std::move(FileName)), Place(std::move(Place)) {
    Load(SharedFileName(), TFileKind::Shared);
    Load(this->FileName, TFileKind::Own);
}

std::filesystem::path TLumettaSettings::SharedFileName() const { return Place.ExecutableFolder / "settings.txt"; }

const std::string& TLumettaSettings::GetMusic() {
    if (Music.empty()) Music = "random";
    return Music;
}

void TLumettaSettings::Load(const std::filesystem::path& file, TFileKind kind) {
    auto text = textfile::Read(file);
    if (!text) return;
    auto lines = SplitLines(*text);
    std::size_t count = kind == TFileKind::Shared ? kSharedLines : kOwnLines;
    for (std::size_t line = 1; line <= count; ++line) ReadLine(lines, line);
    // A folder's own file without a readable line 5 turns the drift on.
    if (kind == TFileKind::Own &&
        (lines.size() < kAllowMovingLine || !ParseBoolean(lines[kAllowMovingLine - 1], Place.DecimalSeparator)))
        AllowMoving = true;
}

// Stores line `line` (from 1) in its field when it exists and converts.
void TLumettaSettings::ReadLine(const std::vector<std::string>& lines, std::size_t line) {
    if (line > lines.size()) return;
    const std::string& text = lines[line - 1];
    const std::string& separator = Place.DecimalSeparator;
    auto storeInteger = [&](std::int32_t& field) {
        if (auto value = ParseInteger(text)) field = *value;
    };
    switch (line) {
        case 1: Music = text; break;
        case 2: ReservedText = text; break;
        case 3:
            if (auto value = ParseFloat(text, separator)) Depth = *value;
            break;
        case 4: storeInteger(Delay); break;
        case 5:
            if (auto value = ParseBoolean(text, separator)) AllowMoving = *value;
            break;
        case 6: storeInteger(LastIndex); break;
        case 7: storeInteger(ReservedNumber); break;
    }
}

std::vector<std::string> TLumettaSettings::SharedLines() const {
    return {Music, ReservedText, FormatFloat(Depth, Place.DecimalSeparator), std::to_string(Delay),
            FormatBoolean(AllowMoving)};
}

void TLumettaSettings::Save() {
    auto lines = SharedLines();
    textfile::Replace(SharedFileName(), JoinLines(lines));

    lines.push_back(std::to_string(LastIndex));
    lines.push_back(std::to_string(ReservedNumber));
    std::filesystem::path own = FileName;
    std::error_code ec;
    if (own.has_parent_path() && !std::filesystem::is_directory(own.parent_path(), ec))
        std::filesystem::create_directory(own.parent_path(), ec);
    textfile::Replace(own, JoinLines(lines));
}

// The settings store: the user's choices and where the last show stopped, kept
// in two plain text files named settings.txt, one value per line:
//   1 Music  2 reserved text  3 Depth  4 Delay  5 AllowMoving  6 LastIndex  7 reserved number
// The shared file beside the executable holds lines 1 to 5, a show's own file
// all seven. Values are read from the shared file first, then from the own
// file, so a folder's own file wins. Reading and writing never fail: what
// cannot be read keeps its initial value, what cannot be written is dropped.
// Used on the main thread only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Where the shared file lives and how the user's locale writes numbers.
struct TSettingsPlace {
    std::filesystem::path ExecutableFolder;
    std::string DecimalSeparator = ".";
};

class TLumettaSettings {
public:
    // Reads the shared file, then the own file `FileName` (-1 means "not set").
    TLumettaSettings(std::string FileName, TSettingsPlace Place);

    // An empty value reads as "random", and is stored as such from then on.
    const std::string& GetMusic();
    void SetMusic(std::string Value) { Music = std::move(Value); }
    bool GetAllowMoving() const { return AllowMoving; }
    void SetAllowMoving(bool Value) { AllowMoving = Value; }
    std::int32_t GetDelay() const { return Delay; }
    void SetDelay(std::int32_t Value) { Delay = Value; }
    double GetDepth() const { return Depth; }
    void SetDepth(double Value) { Depth = Value; }
    std::int32_t GetLastIndex() const { return LastIndex; }
    void SetLastIndex(std::int32_t Value) { LastIndex = Value; }

    // Writes lines 1 to 5 to the shared file and 1 to 7 to the own file,
    // creating the own file's folder (that one level only) when it is missing.
    void Save();

    const std::string& GetFileName() const { return FileName; }
    std::filesystem::path SharedFileName() const;

private:
    enum class TFileKind { Shared, Own };
    void Load(const std::filesystem::path& file, TFileKind kind);
    void ReadLine(const std::vector<std::string>& lines, std::size_t line);
    std::vector<std::string> SharedLines() const;

    std::string FileName;
    std::string Music;
    std::string ReservedText;
    double Depth = -1.0;
    std::int32_t Delay = -1;
    std::int32_t LastIndex = -1;
    std::int32_t ReservedNumber = -1;
    bool AllowMoving = false;
    TSettingsPlace Place;
};

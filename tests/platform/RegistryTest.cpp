// The registry kept in an INI file: what is written comes back, across
// instances, with its type; missing keys and values, damaged lines and
// unusable files are reported as results.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/registry/IniRegistry.h"

using registry::IniRegistry;
using registry::RegistryResult;
namespace fs = std::filesystem;

namespace {

const std::string kKey = "SOFTWARE\\Brindle\\Lumetta";

class IniRegistryTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lumetta-registry-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path File() const { return dir_ / "config" / "Lumetta" / "registry.ini"; }
    void WriteFile(const std::string& text) {
        fs::create_directories(File().parent_path());
        std::ofstream(File()) << text;
    }
    std::string ReadFile() const {
        std::ifstream in(File());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir_;
};

TEST_F(IniRegistryTest, ValuesSurviveARoundTripThroughTheFile) {
    IniRegistry writer(File());
    ASSERT_EQ(writer.OpenKey(kKey, true), RegistryResult::kOk);
    const std::string awkward = "C:\\Program Files\\\"Lumetta\"\nzweite Zeile, \xc5\xbc\xc3\xb3\xc5\x82w = ;[x]";
    EXPECT_EQ(writer.WriteString(kKey, "Directory", awkward), RegistryResult::kOk);
    EXPECT_EQ(writer.WriteInteger(kKey, "ButtonInPicasa", 1), RegistryResult::kOk);
    EXPECT_EQ(writer.WriteInteger(kKey, "Negative", -2), RegistryResult::kOk);
    EXPECT_EQ(writer.WriteInteger(kKey, "ButtonInPicasa", 7), RegistryResult::kOk);  // replaces, not adds

    IniRegistry reader(File());
    auto text = reader.ReadString(kKey, "Directory");
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value, awkward);
    EXPECT_EQ(reader.ReadInteger(kKey, "ButtonInPicasa").value, 7);
    EXPECT_EQ(reader.ReadInteger(kKey, "negative").value, -2);  // names ignore letter case
    EXPECT_TRUE(reader.KeyExists("software\\brindle\\lumetta\\"));
    EXPECT_TRUE(reader.KeyExists("SOFTWARE\\Brindle"));  // a key above a created one exists
    EXPECT_FALSE(reader.KeyExists("SOFTWARE\\Brin"));
    std::string file = ReadFile();
    EXPECT_NE(file.find("[SOFTWARE\\Brindle\\Lumetta]"), std::string::npos) << file;
    EXPECT_EQ(file.find("ButtonInPicasa\"=dword:00000001"), std::string::npos) << file;
    EXPECT_NE(file.find("\"ButtonInPicasa\"=dword:00000007"), std::string::npos) << file;
}

TEST_F(IniRegistryTest, MissingKeysAndValuesAreReportedAndNothingIsCreated) {
    IniRegistry reg(File());
    EXPECT_FALSE(reg.KeyExists(kKey));
    EXPECT_EQ(reg.OpenKey(kKey, false), RegistryResult::kNoKey);
    EXPECT_EQ(reg.ReadInteger(kKey, "ButtonInPicasa").result, RegistryResult::kNoKey);
    EXPECT_EQ(reg.WriteString(kKey, "Directory", "/opt"), RegistryResult::kNoKey);
    EXPECT_FALSE(fs::exists(File())) << "reads and refused writes must not create the file";

    ASSERT_EQ(reg.OpenKey(kKey, true), RegistryResult::kOk);
    EXPECT_EQ(reg.ReadInteger(kKey, "ButtonInPicasa").result, RegistryResult::kNoValue);
    EXPECT_EQ(reg.ReadString(kKey, "Directory").result, RegistryResult::kNoValue);
}

TEST_F(IniRegistryTest, ValuesKeepTheirType) {
    WriteFile(
        "[SOFTWARE\\Brindle\\Lumetta]\n"
        "\"AsText\"=\"1\"\n"
        "Bare=1\n"
        "\"Big\"=dword:ffffffff\n"
        "\"Five\"=dword:5\n");
    IniRegistry reg(File());
    EXPECT_EQ(reg.ReadInteger(kKey, "AsText").result, RegistryResult::kWrongType);
    EXPECT_EQ(reg.ReadInteger(kKey, "Bare").result, RegistryResult::kWrongType);
    EXPECT_EQ(reg.ReadString(kKey, "Bare").value, "1");
    EXPECT_EQ(reg.ReadInteger(kKey, "Big").value, -1);
    EXPECT_EQ(reg.ReadInteger(kKey, "Five").value, 5);
    EXPECT_EQ(reg.ReadString(kKey, "Five").result, RegistryResult::kWrongType);
}

TEST_F(IniRegistryTest, DamagedLinesAreSkippedAndTheRestIsKept) {
    WriteFile(
        "garbage before any key\n"
        "[SOFTWARE\\Google\\Picasa]\n"
        "\"Unterminated=\"x\n"
        "\"Number\"=dword:12345678901\n"
        "\"Hex\"=dword:zz\n"
        "[]\n"
        "[SOFTWARE\\Brindle\\Lumetta]\n"
        "\"Directory\"=\"/opt/lumetta\"\n");
    IniRegistry reg(File());
    EXPECT_TRUE(reg.KeyExists("SOFTWARE\\Google\\Picasa"));
    EXPECT_EQ(reg.ReadInteger("SOFTWARE\\Google\\Picasa", "Number").result, RegistryResult::kNoValue);
    EXPECT_EQ(reg.ReadString(kKey, "Directory").value, "/opt/lumetta");

    EXPECT_EQ(reg.WriteInteger(kKey, "ButtonInPicasa", 1), RegistryResult::kOk);
    EXPECT_TRUE(reg.KeyExists("SOFTWARE\\Google\\Picasa")) << "a change must keep the other keys";
    EXPECT_EQ(reg.ReadString(kKey, "Directory").value, "/opt/lumetta");
}

TEST_F(IniRegistryTest, AFileThatCannotBeWrittenOrReadIsAnError) {
    fs::create_directories(dir_ / "config");
    std::ofstream(dir_ / "config" / "Lumetta") << "a file where the folder should be";
    IniRegistry unwritable(File());
    EXPECT_EQ(unwritable.OpenKey(kKey, true), RegistryResult::kIoError);
    EXPECT_EQ(unwritable.ReadInteger(kKey, "ButtonInPicasa").result, RegistryResult::kNoKey);

    IniRegistry unreadable(dir_);  // a folder in the file's place
    EXPECT_FALSE(unreadable.KeyExists(kKey));
    EXPECT_EQ(unreadable.OpenKey(kKey, true), RegistryResult::kIoError);
    EXPECT_EQ(unreadable.ReadInteger(kKey, "ButtonInPicasa").result, RegistryResult::kIoError);
    EXPECT_TRUE(fs::is_directory(dir_));
}

TEST_F(IniRegistryTest, TheFileLivesInTheUsersConfigurationFolder) {
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    std::string savedConfig = oldConfig ? oldConfig : "", savedHome = oldHome ? oldHome : "";

    setenv("XDG_CONFIG_HOME", (dir_ / "xdg").c_str(), 1);
    EXPECT_EQ(registry::DefaultRegistryFile(), dir_ / "xdg" / "Lumetta" / "registry.ini");
    setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    setenv("HOME", dir_.c_str(), 1);
    EXPECT_EQ(registry::DefaultRegistryFile(), dir_ / ".config" / "Lumetta" / "registry.ini");

    oldConfig ? setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    oldHome ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
}

}  // namespace

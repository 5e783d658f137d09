#include "storage/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_folder.h"

namespace money {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class SettingsFileTest : public ::testing::Test {
 protected:
  fs::path Path() const { return folder_ / "money.INI"; }
  test::TempFolder folder_;
};

TEST_F(SettingsFileTest, ReadsWithDefaults) {
  WriteText(Path(),
            "; written by hand\r\n"
            "[User]\r\n"
            "Code=0001\r\n"
            "Memo=  two blanks around  \r\n"
            "Empty=\r\n"
            "  [ menu ]  \r\n"
            "  style = 3\r\n"
            "Hex=0x1F\r\n"
            "HexUpper=0X7fffffff\r\n"
            "Negative=-3\r\n"
            "Plus=+12\r\n"
            "Spaced= 42 \r\n"
            "Trailing=12abc\r\n"
            "Overflow=2147483648\r\n"
            "HexOverflow=0x80000000\r\n"
            "HexNegative=0x-5\r\n"
            "Dollar=$1F\r\n"
            "Float=1.5\r\n"
            "Bare0x=0x\r\n"
            "[Other]\r\n"
            "Code=9\r\n"
            "Top=7");
  const SettingsFile settings(Path());

  struct TextCase {
    const char* section;
    const char* key;
    const char* expected;
  };
  const TextCase texts[] = {
      {"User", "Code", "0001"},     {"USER", "code", "0001"},
      {" user ", " CODE ", "0001"}, {"User", "Memo", "  two blanks around  "},
      {"User", "Empty", ""},        {"User", "Missing", "dflt"},
      {"Missing", "Code", "dflt"},  {"Other", "Code", "9"},
      {"Other", "Top", "7"},        {"User", "Style", "dflt"},
      {"menu", "Style", " 3"},
  };
  for (const TextCase& c : texts) {
    EXPECT_EQ(settings.ReadString(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
  }

  struct IntegerCase {
    const char* key;
    int expected;
  };
  const IntegerCase integers[] = {
      {"Style", 3},    {"Hex", 31},       {"HexUpper", 2147483647}, {"Negative", -3},     {"Plus", 12},
      {"Spaced", 42},  {"Trailing", -99}, {"Overflow", -99},        {"HexOverflow", -99}, {"HexNegative", -99},
      {"Dollar", -99}, {"Float", -99},    {"Bare0x", -99},          {"Missing", -99},
  };
  for (const IntegerCase& c : integers) EXPECT_EQ(settings.ReadInteger("Menu", c.key, -99), c.expected) << c.key;
  EXPECT_EQ(settings.ReadInteger("User", "Code", -99), 1);
  EXPECT_EQ(settings.ReadInteger("User", "Memo", -99), -99);
}

TEST_F(SettingsFileTest, MissingFileOrFolderGivesDefaults) {
  for (const fs::path& path : {Path(), folder_ / "no-folder" / "money.INI", folder_.Path()}) {
    const SettingsFile settings(path);
    EXPECT_EQ(settings.ReadString("User", "Code", "9999"), "9999") << path;
    EXPECT_EQ(settings.ReadInteger("Menu", "Style", 1), 1) << path;
  }
}

TEST_F(SettingsFileTest, FirstSectionOfANameCounts) {
  WriteText(Path(), "\xEF\xBB\xBF[Menu]\nStyle=2\n[menu]\nStyle=3\nBigButton=0\n");
  SettingsFile settings(Path());
  EXPECT_EQ(settings.ReadInteger("Menu", "Style", 1), 2);
  EXPECT_EQ(settings.ReadInteger("Menu", "BigButton", 1), 1);

  settings.WriteInteger("MENU", "BigButton", 0);
  EXPECT_EQ(ReadText(Path()), "\xEF\xBB\xBF[Menu]\nStyle=2\nBigButton=0\n[menu]\nStyle=3\nBigButton=0\n");
}

TEST_F(SettingsFileTest, WritingKeepsEveryOtherLine) {
  WriteText(Path(),
            "; comment before any section\r\n"
            "orphan=1\r\n"
            "[User]\r\n"
            "code = 0001\r\n"
            "# not ours\r\n"
            "\r\n"
            "[SRFrm]\n"
            "Windows=1\n"
            "unknown line\n"
            "\n"
            "[Last]\n"
            "Key=tail without newline");
  SettingsFile settings(Path());
  settings.WriteString("user", "CODE", "0002");
  settings.WriteInteger("SRFrm", "Top", -500);
  settings.WriteInteger("Last", "Left", 2);
  settings.WriteString("YEFrm", "Windows", "0");
  settings.WriteString("SRFrm", "Windows", " 1 ");

  EXPECT_EQ(ReadText(Path()),
            "; comment before any section\r\n"
            "orphan=1\r\n"
            "[User]\r\n"
            "code =0002\r\n"
            "# not ours\r\n"
            "\r\n"
            "[SRFrm]\n"
            "Windows= 1 \n"
            "unknown line\n"
            "Top=-500\r\n"
            "\n"
            "[Last]\n"
            "Key=tail without newline\r\n"
            "Left=2\r\n"
            "[YEFrm]\r\n"
            "Windows=0\r\n");
  EXPECT_EQ(settings.ReadInteger("SRFrm", "Top", 2), -500);
  EXPECT_EQ(settings.ReadString("SRFrm", "Windows", ""), " 1 ");
}

TEST_F(SettingsFileTest, CreatesTheFileAndCachesNothing) {
  SettingsFile writer(Path());
  const SettingsFile reader(Path());
  writer.WriteString("User", "Code", "0001");
  writer.WriteInteger("Menu", "Style", 2);
  EXPECT_EQ(ReadText(Path()), "[User]\nCode=0001\n[Menu]\nStyle=2\n");
  EXPECT_EQ(reader.ReadString("User", "Code", "9999"), "0001");

  WriteText(Path(), "[User]\nCode=0003\n");
  EXPECT_EQ(reader.ReadString("User", "Code", "9999"), "0003");
  EXPECT_EQ(reader.ReadInteger("Menu", "Style", 1), 1);

  writer.WriteString("User", "Code", "0004");
  EXPECT_EQ(ReadText(Path()), "[User]\nCode=0004\n");
  // The temporary file of the rewrite is gone.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 1);
}

TEST_F(SettingsFileTest, RewriteKeepsPermissionsAndLinks) {
  WriteText(folder_ / "real.INI", "[User]\nCode=0001\n");
  fs::permissions(folder_ / "real.INI", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real.INI", Path());

  SettingsFile(Path()).WriteString("User", "Code", "0002");
  EXPECT_TRUE(fs::is_symlink(Path()));
  EXPECT_EQ(ReadText(folder_ / "real.INI"), "[User]\nCode=0002\n");
  EXPECT_EQ(fs::status(folder_ / "real.INI").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SettingsFileTest, RefusedWritesNameThePath) {
  WriteText(folder_ / "readonly.INI", "[User]\nCode=0001\n");
  chmod((folder_ / "readonly.INI").c_str(), S_IRUSR | S_IRGRP | S_IROTH);
  const fs::path refused[] = {folder_ / "no-folder" / "money.INI", folder_.Path(), folder_ / "readonly.INI"};
  for (const fs::path& path : refused) {
    SettingsFile settings(path);
    try {
      settings.WriteString("User", "Code", "0002");
      ADD_FAILURE() << "no error for " << path;
    } catch (const SettingsWriteError& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + path.string());
    }
    EXPECT_THROW(settings.WriteInteger("Menu", "Style", 2), SettingsWriteError) << path;
  }
  EXPECT_EQ(ReadText(folder_ / "readonly.INI"), "[User]\nCode=0001\n");
  EXPECT_FALSE(fs::exists(folder_ / "no-folder"));
}

TEST_F(SettingsFileTest, SeveralKeysAreWrittenInOneGoInTheirOrder) {
  WriteText(folder_ / "money.INI", "[SRFrm]\r\nTop=9\r\n[User]\r\nCode=0001\r\n");
  SettingsFile settings(folder_ / "money.INI");
  settings.WriteIntegers("srfrm", {{"Windows", 0}, {"Top", 30}, {"Left", -5}});
  EXPECT_EQ(ReadText(folder_ / "money.INI"),
            "[SRFrm]\r\nTop=30\r\nWindows=0\r\nLeft=-5\r\n[User]\r\nCode=0001\r\n");
  SettingsFile refused(folder_ / "no-folder" / "money.INI");
  EXPECT_THROW(refused.WriteIntegers("Menu", {{"Style", 1}, {"BigButton", 1}}), SettingsWriteError);
}

TEST(SettingsFilePathTest, NamesBothFiles) {
  const std::pair<fs::path, fs::path> settings[] = {
      {"/opt/app/money", "/opt/app/money.INI"},
      {"/opt/app/money.exe", "/opt/app/money.INI"},
      {"/opt/app.d/money", "/opt/app.d/money.INI"},
  };
  for (const auto& [executable, expected] : settings) EXPECT_EQ(SettingsFilePath(executable), expected);
  EXPECT_EQ(BarLayoutFilePath("/opt/app"), fs::path("/opt/app/Tool.ini"));
  EXPECT_EQ(BarLayoutFilePath("/opt/app/"), fs::path("/opt/app/Tool.ini"));
}

}  // namespace
}  // namespace money

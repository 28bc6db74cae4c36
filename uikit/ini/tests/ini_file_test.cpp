// Reading and writing rules of the INI class.
#include "ini/CIniFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/ini_test_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path dir;
};

TEST(IniParse, LooksUpLikeTheProfileFunctions)
{
    const CIniFile ini = CIniFile::Parse(
        "top=ignored\n"
        "[Setting]\n"
        "  Select =  3  \n"
        "Quoted=\"  padded \"\n"
        "Single='x'\n"
        "Half=\"open\n"
        "select=second\n"
        "; Comment=not a key\n"
        "[setting]\n"
        "Other=from the duplicate section\n"
        "[Empty]\n"
        "Blank=\n");
    EXPECT_EQ(ini.GetString(L"SETTING", L"select"), L"3");         // case, blanks
    EXPECT_EQ(ini.GetString(L"Setting", L"Quoted"), L"  padded ");  // quotes removed, inside kept
    EXPECT_EQ(ini.GetString(L"Setting", L"Single"), L"x");
    EXPECT_EQ(ini.GetString(L"Setting", L"Half"), L"\"open");       // unmatched quote stays
    EXPECT_EQ(ini.GetString(L"Setting", L"Comment", L"d"), L"d");
    EXPECT_EQ(ini.GetString(L"Setting", L"Other", L"d"), L"d");     // first section wins
    EXPECT_EQ(ini.GetString(L"None", L"top", L"d"), L"d");          // lines before any section
    EXPECT_TRUE(ini.HasKey(L"Empty", L"Blank"));
    EXPECT_FALSE(ini.HasKey(L"Empty", L"blankx"));
    EXPECT_EQ(ini.GetSectionNames(), (std::vector<std::wstring>{L"Setting", L"Empty"}));
}

TEST(IniParse, IntegersReadLikeAtoiWithDefaultsOnlyWhenMissing)
{
    const CIniFile ini = CIniFile::Parse(
        "[n]\na=-5\nb=12abc\nc=abc\nd=\ne=99999999999\nf=-99999999999\ng=+7\n");
    EXPECT_EQ(ini.GetInt(L"n", L"a", 1), -5);
    EXPECT_EQ(ini.GetInt(L"n", L"b", 1), 12);
    EXPECT_EQ(ini.GetInt(L"n", L"c", 1), 0);
    EXPECT_EQ(ini.GetInt(L"n", L"d", 1), 1);
    EXPECT_EQ(ini.GetInt(L"n", L"missing", -1), -1);
    EXPECT_EQ(ini.GetInt(L"n", L"e", 0), 2147483647);
    EXPECT_EQ(ini.GetInt(L"n", L"f", 0), -2147483647 - 1);
    EXPECT_EQ(ini.GetInt(L"n", L"g", 0), 7);
}

TEST(IniParse, SectionReadKeepsFileOrderAndBareLines)
{
    const CIniFile ini = CIniFile::Parse(
        "[AppMain]\r\nb = 12,B\r\n\r\na=1,A, more\r\nno equals here\r\n;c=skip\r\n[Next]\r\nz=1\r\n");
    EXPECT_EQ(ini.GetSectionLines(L"appmain"),
              (std::vector<std::wstring>{L"b=12,B", L"a=1,A, more", L"no equals here"}));
    EXPECT_TRUE(ini.GetSectionLines(L"Missing").empty());
}

TEST(IniEdit, ReplacesInPlaceAndKeepsEveryOtherLine)
{
    const std::string original =
        "; settings\n"
        "[Global]\n"
        "Volume = 10   ; trailing\n"
        "\n"
        "Mute=0\n"
        "\n"
        "# note\n"
        "[Channel0]\n"
        "Flip=1\n";
    CIniFile ini = CIniFile::Parse(original);
    ini.SetString(L"global", L"VOLUME", L"55");
    ini.SetInt(L"Global", L"New", 3);
    ini.SetString(L"Channel1", L"Flip", L"line\nbreak");
    EXPECT_EQ(ini.Serialize(),
              "; settings\n"
              "[Global]\n"
              "Volume=55\n"
              "\n"
              "Mute=0\n"
              "New=3\n"
              "\n"
              "# note\n"
              "[Channel0]\n"
              "Flip=1\n"
              "[Channel1]\n"
              "Flip=line break\n");
    EXPECT_EQ(ini.GetInt(L"Global", L"new", 0), 3);
}

TEST(IniEdit, ExistingOddNamesAreFoundNewOnesCannotBreakLines)
{
    // A section name holding a carriage return in the middle of its line.
    CIniFile ini = CIniFile::Parse(std::string("[a\rb]\nk=1\n"));
    ini.SetString(L"a\rb", L"k", L"2");
    ini.SetString(L"new\nsection", L"key\r\nname", L"v");
    const CIniFile again = CIniFile::Parse(ini.Serialize());
    EXPECT_EQ(again.GetString(L"a\rb", L"k"), L"2");
    EXPECT_EQ(again.GetSectionNames().size(), 2u);
    EXPECT_EQ(again.GetString(L"new section", L"key  name"), L"v");
}

TEST_F(IniFileTest, Utf8BomIsReadAndKept)
{
    const std::string path = Write("bom.ini", "\xEF\xBB\xBF[Language Info]\nLanguageName=Fran\xC3\xA7" "ais\n");
    EXPECT_EQ(CIniFile::Load(path).GetString(L"Language Info", L"LanguageName"), L"Fran\u00E7ais");
    ASSERT_TRUE(CIniFile::Update(path, [](CIniFile& d) { d.SetString(L"Font Info", L"FontName", L"Sans"); }));
    EXPECT_EQ(Read(path),
              "\xEF\xBB\xBF[Language Info]\nLanguageName=Fran\xC3\xA7" "ais\n[Font Info]\nFontName=Sans\n");
}

TEST_F(IniFileTest, Utf16LittleEndianIsReadAndWrittenBackAsUtf16)
{
    // "[AppMain]\r\nk=12,\u00C4\U0001F600\r\n" in UTF-16LE with BOM.
    std::u16string text = u"[AppMain]\r\nk=12,\u00C4\U0001F600\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    const std::string path = Write("utf16.ini", bytes);
    CIniFile ini = CIniFile::Load(path);
    EXPECT_EQ(ini.GetEncoding(), CIniFile::Encoding::Utf16LE);
    EXPECT_EQ(ini.GetString(L"AppMain", L"k"), L"12,\u00C4\U0001F600");

    ASSERT_TRUE(CIniFile::Update(path, [](CIniFile& d) { d.SetString(L"AppMain", L"n", L"1,\u00DF"); }));
    const std::string after = Read(path);
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(after.substr(0, bytes.size()), bytes);  // old lines untouched, CRLF kept
    const CIniFile again = CIniFile::Load(path);
    EXPECT_EQ(again.GetString(L"AppMain", L"k"), L"12,\u00C4\U0001F600");
    EXPECT_EQ(again.GetString(L"AppMain", L"n"), L"1,\u00DF");
}

TEST(IniParse, DamagedInputNeverFailsAndKeepsWhatIsReadable)
{
    // Invalid UTF-8, embedded zeros, an unterminated section, a line cut short.
    const std::string damaged =
        std::string("[A]\nk1=v\xFF\xFEz\nk2=") + std::string("a\0b", 3) + "\n[Broken\nk3=in broken\n[B]\nk4=cut";
    const CIniFile ini = CIniFile::Parse(damaged);
    EXPECT_EQ(ini.GetString(L"A", L"k1"), L"v\uFFFD\uFFFDz");
    EXPECT_EQ(ini.GetString(L"A", L"k2").size(), 3u);
    EXPECT_EQ(ini.GetString(L"Broken", L"k3"), L"in broken");
    EXPECT_EQ(ini.GetString(L"B", L"k4"), L"cut");

    // A UTF-16 file cut after an odd number of bytes, and one cut inside a
    // surrogate pair.
    const std::string odd("\xFF\xFE[\0A\0]\0\n\0k\0=\0v\0x", 17);
    EXPECT_EQ(CIniFile::Parse(odd).GetString(L"A", L"k"), L"v");
    const std::string lone("\xFF\xFE[\0A\0]\0\n\0k\0=\0\x3D\xD8", 16);
    EXPECT_EQ(CIniFile::Parse(lone).GetString(L"A", L"k"), L"\uFFFD");

    // Every prefix of a real file parses.
    const std::string full = "[Setting]\nSelect=0\n[AppInfo_0]\nProduct ID=1\nModelName=Kestrel\n";
    for (size_t n = 0; n <= full.size(); ++n)
        (void)CIniFile::Parse(full.substr(0, n)).GetInt(L"AppInfo_0", L"Product ID", -1);
}

TEST_F(IniFileTest, WriteKeepsPermissionsAndRefusesWhatItCannotRead)
{
    const std::string path = Write("perm.ini", "[a]\nx=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(CIniFile::Update(path, [](CIniFile& d) { d.SetInt(L"a", L"y", 2); }));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(Read(path), "[a]\nx=1\ny=2\n");

    // A folder where the file should be: unreadable, so never replaced.
    fs::create_directory(dir / "folder.ini");
    const std::wstring folderIni = (dir / "folder.ini").wstring();
    EXPECT_TRUE(CIniFile::Load(folderIni).Unreadable());
    EXPECT_FALSE(CIniFile::WriteInt(folderIni, L"a", L"b", 1));
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));

    // No folder at all: the write fails, nothing is created.
    const std::wstring noFolder = (dir / "missing" / "x.ini").wstring();
    EXPECT_FALSE(CIniFile::WriteInt(noFolder, L"a", L"b", 1));
    EXPECT_FALSE(fs::exists(dir / "missing"));

    // A missing file is created; no temporary files are left behind.
    const std::wstring fresh = (dir / "fresh.ini").wstring();
    EXPECT_TRUE(CIniFile::WriteString(fresh, L"S", L"k", L"v"));
    EXPECT_EQ(CIniFile::ReadString(fresh, L"s", L"K"), L"v");
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir))
        files += e.is_regular_file();
    EXPECT_EQ(files, 2u);  // perm.ini and fresh.ini
}

}  // namespace

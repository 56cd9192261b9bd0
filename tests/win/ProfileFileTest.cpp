#include "settings/HandOverFile.h"
#include "settings/ProfileFile.h"

#include "TestSupport.h"
#include "settings/SkinIni.h"
#include "settings/SkinItemLine.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

using namespace ProfileFile;

class ProfileFiles : public ::testing::Test {
protected:
    void Write(std::wstring_view text) { test::WriteAnsiFile(file, text); }

    test::TempDir dir{L"设置"};
    std::wstring file = dir / L"myset.ini";
};

TEST_F(ProfileFiles, ReadsValuesWithoutTheirBlanksAndMissingOnesAsEmpty) {
    Write(L"[SETTING]\r\nSAVE = 1 \r\nWindowText=  记事本 窗口  \r\n");
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"SAVE"), L"1");
    EXPECT_EQ(ReadProfile(file, L"setting", L"save"), L"1"); // names ignore case
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"WindowText"), L"记事本 窗口");
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"APPSTYL"), L"");
    EXPECT_EQ(ReadProfile(file, L"OTHER", L"SAVE"), L"");
    file = dir / L"missing.ini";
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"SAVE"), L"");
}

TEST_F(ProfileFiles, CutsLongValuesAt127Bytes) {
    Write(L"[S]\r\nascii=" + std::wstring(130, L'x') + L"\r\nchinese=" + std::wstring(70, L'汉') +
          L"\r\nmixed=a" + std::wstring(70, L'汉') + L"\r\n");
    EXPECT_EQ(ReadProfile(file, L"S", L"ascii"), std::wstring(127, L'x'));
    // 63 double-byte characters fill 126 bytes; the half character that would follow is dropped.
    EXPECT_EQ(ReadProfile(file, L"S", L"chinese"), std::wstring(63, L'汉'));
    EXPECT_EQ(ReadProfile(file, L"S", L"mixed"), L"a" + std::wstring(63, L'汉'));
}

TEST_F(ProfileFiles, ABlankKeyReadsNothing) {
    Write(L"[S]\r\n=hidden\r\n  =hidden\r\n");
    EXPECT_EQ(ReadProfile(file, L"S", L""), L"");
    EXPECT_EQ(ReadProfile(file, L"S", L"   "), L"");
}

TEST_F(ProfileFiles, WritesCreateAndReplaceButBlankPartsWriteNothing) {
    EXPECT_TRUE(WriteProfile(file, L"SETTING", L"APPSTYL", L"2"));
    EXPECT_TRUE(WriteProfile(file, L"SETTING", L"APPQUIT", L"1"));
    EXPECT_TRUE(WriteProfile(file, L"SETTING", L"APPSTYL", L"3"));
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"APPSTYL"), L"3");
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"APPQUIT"), L"1");

    EXPECT_FALSE(WriteProfile(file, L"SETTING", L"APPSTYL", L""));
    EXPECT_FALSE(WriteProfile(file, L"SETTING", L"APPSTYL", L"   "));
    EXPECT_FALSE(WriteProfile(file, L"SETTING", L"  ", L"5"));
    EXPECT_FALSE(WriteProfile(file, L" ", L"APPSTYL", L"5"));
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"APPSTYL"), L"3");

    EXPECT_TRUE(WriteProfile(file, L"SETTING", L"SetReCaption", L"记事本 - 模拟Glaze窗体*"));
    EXPECT_EQ(ReadProfile(file, L"SETTING", L"SetReCaption"), L"记事本 - 模拟Glaze窗体*");
    EXPECT_NE(test::ReadRawFile(file).find("SetReCaption="), std::string::npos);
}

TEST_F(ProfileFiles, NumbersRoundHalvesToEvenAndTextIsZero) {
    Write(L"[S]\r\na=2.5\r\nb=3.5\r\nc= 2 \r\nd=abc\r\ne=\r\nf=12\r\n");
    EXPECT_EQ(ReadProfileNumber(file, L"S", L"a"), 2);
    EXPECT_EQ(ReadProfileNumber(file, L"S", L"b"), 4);
    EXPECT_EQ(ReadProfileNumber(file, L"S", L"c"), 2);
    EXPECT_EQ(ReadProfileNumber(file, L"S", L"d"), 0);
    EXPECT_EQ(ReadProfileNumber(file, L"S", L"e"), 0);
    EXPECT_EQ(ReadProfileNumber(file, L"S", L"f"), 12);
    EXPECT_EQ(ReadProfileNumber(file, L"S", L"missing"), 0);
}

TEST(FileExists, OnlyOrdinaryFilesExist) {
    test::TempDir dir(L"文件");
    const std::wstring plain = dir / L"skin.ini", hidden = dir / L"hidden.ini",
                       system = dir / L"system.ini", readOnly = dir / L"只读.ini";
    for (const auto& path : {plain, hidden, system, readOnly}) {
        test::WriteAnsiFile(path, L"[SKININFO]\r\n");
    }
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

    EXPECT_TRUE(FileExists(plain));
    EXPECT_TRUE(FileExists(readOnly));
    EXPECT_FALSE(FileExists(hidden));
    EXPECT_FALSE(FileExists(system));
    EXPECT_FALSE(FileExists(dir.Path().wstring()));
    EXPECT_FALSE(FileExists(dir / L"missing.ini"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FileExists(dir / L"*.ini")); // a pattern names no file
}

// Points the temporary directory elsewhere for the length of a test.
class TempDirectoryOverride {
public:
    explicit TempDirectoryOverride(const std::wstring& dir) {
        for (const wchar_t* name : {L"TMP", L"TEMP"}) {
            wchar_t old[MAX_PATH]{};
            saved_.emplace_back(name, GetEnvironmentVariableW(name, old, MAX_PATH) ? old : L"");
            SetEnvironmentVariableW(name, dir.c_str());
        }
    }
    ~TempDirectoryOverride() {
        for (const auto& [name, value] : saved_) {
            SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
        }
    }

private:
    std::vector<std::pair<std::wstring, std::wstring>> saved_;
};

TEST(HandOverPath, NamesTheHandOverFileInATemporaryDirectoryWithAChineseName) {
    test::TempDir dir(L"临时目录");
    TempDirectoryOverride override(dir.Path().wstring());
    EXPECT_EQ(HandOverPath(), dir.WithBackslash() + L"mysetfile.tmp");
}

TEST(HandOverPath, EndsInTheFileName) {
    const std::wstring path = HandOverPath();
    EXPECT_TRUE(path.ends_with(L"\\mysetfile.tmp")) << std::string(path.begin(), path.end());
}

class SkinDescription : public ProfileFiles {};

TEST_F(SkinDescription, ItemsEndAtTheFirstMissingKey) {
    Write(L"[SKININFO]\r\nSKINNUM0=0,8,30,8,8,0,0,frame,frame.png\r\n"
          L"SKINNUM1=3,-40,6,24,18,0,0,close,close.png\r\n"
          L"SKINNUM3=1,-70,6,24,18,0,0,min,min.png\r\n");
    const auto lines = ReadSkinItemLines(file);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(ParseSkinItemLine(lines[1])->X, -40);
}

TEST_F(SkinDescription, AnEmptyKeyEndsTheListLikeAMissingOne) {
    Write(L"[SKININFO]\r\nSKINNUM0=0,8,30,8,8,0,0,frame,frame.png\r\nSKINNUM1=\r\n"
          L"SKINNUM2=3,-40,6,24,18,0,0,close,close.png\r\n");
    EXPECT_EQ(ReadSkinItemLines(file).size(), 1u);
}

TEST_F(SkinDescription, EightFieldsFailAndTenFieldsLoad) {
    Write(L"[SKININFO]\r\nSKINNUM0=0,8,30,8,8,0,0,frame\r\n"
          L"SKINNUM1=3,-40,6,24,18,0,0,关闭,close.png,ignored\r\n");
    const auto lines = ReadSkinItemLines(file);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(ParseSkinItemLine(lines[0]).has_value());
    const auto ten = ParseSkinItemLine(lines[1]);
    ASSERT_TRUE(ten.has_value());
    EXPECT_EQ(ten->Label, L"关闭");
    EXPECT_EQ(ten->ImageFile, L"close.png");
}

TEST_F(SkinDescription, NoFirstItemMeansNoItems) {
    Write(L"[SKININFO]\r\nSKINNUM1=3,-40,6,24,18,0,0,close,close.png\r\n");
    EXPECT_TRUE(ReadSkinItemLines(file).empty());
}

} // namespace
} // namespace glaze

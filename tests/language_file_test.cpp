#include "language/LanguageFile.h"

#include "fake_controls.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <string>

namespace {

using language::kNotFoundCaption;

std::u16string wide(const std::filesystem::path& path)
{
    return path.u16string();
}

struct Window {
    explicit Window(std::u16string gameFolder, std::u16string picked = u"English")
        : Path_Text(std::move(gameFolder))
        , Lang_Combo(std::move(picked))
        , Lang_label(std::u16string(kNotFoundCaption))
    {
    }
    language::LanguageControls controls() { return {Path_Text, Lang_Combo, Lang_label}; }

    FakeTextBox Path_Text;
    FakeComboBox Lang_Combo;
    FakeLabel Lang_label;
};

struct ReadCase {
    const char* name;
    std::optional<std::string> file; // no file at all when empty
    std::u16string caption;
    bool found;
};

class LitIniTest : public testing::TestWithParam<ReadCase> {};

TEST_P(LitIniTest, ShowsTheStoredValueOrTheNotFoundCaption)
{
    const ReadCase& row = GetParam();
    TempFolder game;
    if (row.file)
        writeBytes(game / "steam_api.ini", *row.file);
    Window window(wide(game.path()));

    language::Lit_ini(window.controls());

    EXPECT_EQ(window.Lang_label.caption(), row.caption);
    EXPECT_EQ(language::languageFileFound(window.Lang_label), row.found);
    EXPECT_EQ(window.Lang_Combo.text(), u"English") << "a read never changes the list's selection";
}

const std::string k254(254, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, LitIniTest,
    testing::Values(
        ReadCase{"Russian", "[Settings]\r\nLanguage=Russian\r\n", u"Current Language : Russian", true},
        ReadCase{"MissingFile", std::nullopt, std::u16string(kNotFoundCaption), false},
        ReadCase{"MissingSection", "[Other]\r\nLanguage=Russian\r\n", std::u16string(kNotFoundCaption), false},
        ReadCase{"MissingKey", "[Settings]\r\nVolume=3\r\n", std::u16string(kNotFoundCaption), false},
        ReadCase{"EmptyValue", "[Settings]\r\nLanguage=\r\n", u"Current Language : ", true},
        ReadCase{"ValueOf254", "[Settings]\nLanguage=" + k254 + "\n",
                 u"Current Language : " + std::u16string(k254.begin(), k254.end()), true},
        ReadCase{"ValueOf255IsCut", "[Settings]\nLanguage=" + k254 + "yz\n",
                 u"Current Language : " + std::u16string(k254.begin(), k254.end()), true},
        ReadCase{"StoredNotFoundText", "[Settings]\nLanguage=Language not found\n",
                 std::u16string(kNotFoundCaption), false},
        ReadCase{"NotFoundTextInOtherCase", "[Settings]\nLanguage=language NOT found\n",
                 u"Current Language : language NOT found", true},
        ReadCase{"MultiByteValueKeptWhole", "[Settings]\nLanguage=Русский\n", u"Current Language : Русский",
                 true}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(LitIni, MissingGameFolderGivesTheNotFoundCaption)
{
    TempFolder base;
    Window window(wide(base / "no-such-folder"));
    window.Lang_label.setCaption(u"Current Language : Russian");

    language::Lit_ini(window.controls());

    EXPECT_EQ(window.Lang_label.caption(), kNotFoundCaption);
}

TEST(LitIni, GameFolderEndingInASeparatorIsUsedAsItStands)
{
    TempFolder game;
    writeBytes(game / "steam_api.ini", "[Settings]\nLanguage=Russian\n");
    for (const std::u16string separator : {u"/", u"\\"}) {
        Window window(wide(game.path()) + separator);
        language::Lit_ini(window.controls());
        EXPECT_EQ(window.Lang_label.caption(), u"Current Language : Russian");
    }
}

TEST(LitIni, TheBareValueIsNeverTheLastCaption)
{
    TempFolder game;
    writeBytes(game / "steam_api.ini", "[Settings]\nLanguage=Russian\n");
    Window window(wide(game.path()));

    language::Lit_ini(window.controls());

    ASSERT_GE(window.Lang_label.captions().size(), 2u);
    EXPECT_EQ(window.Lang_label.captions().rbegin()[1], u"Russian");
    EXPECT_EQ(window.Lang_label.captions().back(), u"Current Language : Russian");
}

TEST(EcritIni, StoresThePickedLanguageAndKeepsTheRestOfTheFile)
{
    TempFolder game;
    writeBytes(game / "steam_api.ini", "; game settings\r\n[Settings]\r\nLanguage=English\r\nVolume=7\r\n");
    Window window(wide(game.path()), u"Russian");

    EXPECT_GT(language::Ecrit_ini(window.controls()), 0);
    EXPECT_EQ(readBytes(game / "steam_api.ini"), "; game settings\r\n[Settings]\r\nLanguage=Russian\r\nVolume=7\r\n");

    language::Lit_ini(window.controls());
    EXPECT_EQ(window.Lang_label.caption(), u"Current Language : Russian");
}

TEST(EcritIni, UnwritableFileGivesZeroAndChangesNothing)
{
    TempFolder game;
    const std::string before = "[Settings]\r\nLanguage=English\r\n";
    writeBytes(game / "steam_api.ini", before);
    chmod((game / "steam_api.ini").c_str(), 0444);
    Window window(wide(game.path()), u"Russian");
    language::Lit_ini(window.controls());

    EXPECT_EQ(language::Ecrit_ini(window.controls()), 0);
    EXPECT_EQ(readBytes(game / "steam_api.ini"), before);
    EXPECT_EQ(window.Lang_label.caption(), u"Current Language : English");
}

TEST(EcritIni, MissingGameFolderGivesZero)
{
    TempFolder base;
    Window window(wide(base / "no-such-folder"), u"Russian");

    EXPECT_EQ(language::Ecrit_ini(window.controls()), 0);
    EXPECT_FALSE(std::filesystem::exists(base / "no-such-folder"));
}

} // namespace

namespace {

// What other programs and odd installs leave behind: the file must be read and saved all the same,
// with every byte but the value kept.
struct Surroundings {
    const char* name;
    std::string before;
    std::u16string captionBefore;
    std::string after; // once "Russian" is saved
};

class BadSurroundings : public testing::TestWithParam<Surroundings> {};

TEST_P(BadSurroundings, ReadAndSaveKeepEveryOtherByte)
{
    const Surroundings& row = GetParam();
    TempFolder base;
    const auto game = base / "Program Files (x86)" / "Jeux vidéo Ünïcødé" / "Skarnholm";
    std::filesystem::create_directories(game);
    writeBytes(game / "steam_api.ini", row.before);
    Window window(game.u16string(), u"Russian");

    language::Lit_ini(window.controls());
    EXPECT_EQ(window.Lang_label.caption(), row.captionBefore);
    EXPECT_GT(language::Ecrit_ini(window.controls()), 0);

    EXPECT_EQ(readBytes(game / "steam_api.ini"), row.after);
    language::Lit_ini(window.controls());
    EXPECT_EQ(window.Lang_label.caption(), u"Current Language : Russian");
}

const std::string kTenMegabytes(10 * 1024 * 1024, ';');
const std::string kBinary("\x00\xFF\xFE\x80 junk\r\n", 10);

INSTANTIATE_TEST_SUITE_P(
    Files, BadSurroundings,
    testing::Values(
        Surroundings{"TenMegabytes", kTenMegabytes + "\r\n[Settings]\r\nLanguage=English\r\n",
                     u"Current Language : English", kTenMegabytes + "\r\n[Settings]\r\nLanguage=Russian\r\n"},
        Surroundings{"NulBytesAndInvalidUtf8AroundTheKey",
                     kBinary + "[Settings]\r\nJunk=" + kBinary + "Language=English\r\n" + kBinary,
                     u"Current Language : English",
                     kBinary + "[Settings]\r\nJunk=" + kBinary + "Language=Russian\r\n" + kBinary},
        Surroundings{"InvalidUtf8Value", "[Settings]\r\nLanguage=\xFF\xFE\r\n", u"Current Language : \uFFFD\uFFFD",
                     "[Settings]\r\nLanguage=Russian\r\n"}),
    [](const testing::TestParamInfo<Surroundings>& info) { return std::string(info.param.name); });

TEST(BadSurroundings, GameFolderThatIsASymbolicLinkStaysOne)
{
    TempFolder base;
    std::filesystem::create_directory(base / "real");
    std::filesystem::create_directory_symlink(base / "real", base / "Skarnholm");
    writeBytes(base / "real" / "steam_api.ini", "[Settings]\r\nLanguage=English\r\n");
    Window window((base / "Skarnholm").u16string(), u"Russian");

    language::Lit_ini(window.controls());
    EXPECT_EQ(window.Lang_label.caption(), u"Current Language : English");
    EXPECT_GT(language::Ecrit_ini(window.controls()), 0);

    EXPECT_TRUE(std::filesystem::is_symlink(base / "Skarnholm"));
    EXPECT_EQ(readBytes(base / "real" / "steam_api.ini"), "[Settings]\r\nLanguage=Russian\r\n");
}

TEST(BadSurroundings, FileReplacedBetweenTheReadAndTheWriteKeepsTheNewContent)
{
    TempFolder game;
    writeBytes(game / "steam_api.ini", "[Settings]\r\nLanguage=English\r\n");
    Window window(game.path().u16string(), u"Russian");
    language::Lit_ini(window.controls());

    // Another program (the game's launcher, say) writes the file anew meanwhile.
    std::filesystem::remove(game / "steam_api.ini");
    writeBytes(game / "steam_api.ini", "[Settings]\nLanguage=English\nAppId=4242\n");
    EXPECT_GT(language::Ecrit_ini(window.controls()), 0);

    EXPECT_EQ(readBytes(game / "steam_api.ini"), "[Settings]\nLanguage=Russian\nAppId=4242\n");
}

} // namespace

#include "language/SaveCommand.h"

#include "fake_controls.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

using language::kNotFoundCaption;


// Answers the browser from a script of folder names (empty for Cancel) and writes down every box
// and browser shown, with the caption the label had at that moment.
class ScriptedDialogs final : public platform::Dialogs {
public:
    ScriptedDialogs(const TempFolder& base, std::vector<std::string> picks, const FakeLabel& label)
        : m_base(base)
        , m_picks(picks.begin(), picks.end())
        , m_label(label)
    {
    }

    void MsgBox(std::u16string_view prompt, platform::MsgBoxStyle style, std::u16string_view title) override
    {
        shown.push_back(std::to_string(static_cast<int>(style)) + " " + narrow(title) + " " + narrow(prompt)
                        + " | " + narrow(m_label.caption()));
    }

    std::optional<std::u16string> BrowseForFolder(std::u16string_view title) override
    {
        shown.push_back("browse " + narrow(title));
        if (m_picks.empty())
            ADD_FAILURE() << "the browser opened more often than the script foresaw";
        const std::string pick = m_picks.empty() ? std::string() : m_picks.front();
        if (!m_picks.empty())
            m_picks.pop_front();
        if (pick.empty())
            return std::nullopt;
        return (m_base / pick).u16string();
    }

    std::vector<std::string> shown;

private:
    static std::string narrow(std::u16string_view text) { return std::filesystem::path(text).string(); }

    const TempFolder& m_base;
    std::deque<std::string> m_picks;
    const FakeLabel& m_label;
};

const std::string kEnglish = "; keep me\r\n[Settings]\r\nLanguage=English\r\nVolume=7\r\n";
const std::string kRussian = "; keep me\r\n[Settings]\r\nLanguage=Russian\r\nVolume=7\r\n";
const std::string kStoredNotFound = "[Settings]\r\nLanguage=Language not found\r\n";

const std::string kWarning = "48 Error!!! File not found!";
const std::string kBrowse = "browse Select the game folder (Skarnholm) in the list below, then click OK.";

struct SaveFlow {
    const char* name;
    std::map<std::string, std::string> files; // folder name -> content of its language file
    std::string startFolder;                   // the game folder when Save is pressed
    std::vector<std::string> picks;            // folders picked in the browser, "" for Cancel
    std::vector<std::string> shown;            // boxes and browsers, in order, before the " | caption"
    std::string endFolder;
    std::string gameFileAfter; // content of the file in "game" afterwards
    std::u16string captionAfter;
};

class SaveCommandTest : public testing::TestWithParam<SaveFlow> {};

TEST_P(SaveCommandTest, ShowsWritesAndReadsInOrder)
{
    const SaveFlow& flow = GetParam();
    TempFolder base;
    for (const char* folder : {"game", "wrong", "other"})
        std::filesystem::create_directory(base / folder);
    for (const auto& [folder, content] : flow.files)
        writeBytes(base / folder / "steam_api.ini", content);

    FakeTextBox Path_Text((base / flow.startFolder).u16string());
    FakeComboBox Lang_Combo(u"Russian");
    FakeLabel Lang_label{std::u16string(kNotFoundCaption)};
    ScriptedDialogs dialogs(base, flow.picks, Lang_label);

    language::SaveCommand({Path_Text, Lang_Combo, Lang_label, dialogs});

    std::vector<std::string> shown;
    for (const std::string& entry : dialogs.shown)
        shown.push_back(entry.substr(0, entry.find(" | ")));
    EXPECT_EQ(shown, flow.shown);
    EXPECT_EQ(Path_Text.text(), (base / flow.endFolder).u16string());
    EXPECT_EQ(Lang_label.caption(), flow.captionAfter);
    EXPECT_EQ(readBytes(base / "game" / "steam_api.ini"), flow.gameFileAfter);
    EXPECT_FALSE(std::filesystem::exists(base / "wrong" / "steam_api.ini")) << "nothing is written where no file was";
}

INSTANTIATE_TEST_SUITE_P(
    Flows, SaveCommandTest,
    testing::Values(
        SaveFlow{"FilePresent", {{"game", kEnglish}}, "game", {}, {"64 Sucess!!! Sucess!"}, "game", kRussian,
                 u"Current Language : Russian"},
        SaveFlow{"MissingThenCancelled", {{"game", kEnglish}}, "wrong", {""}, {kWarning, kBrowse}, "wrong",
                 kEnglish, std::u16string(kNotFoundCaption)},
        SaveFlow{"WrongFolderThenRightFolder",
                 {{"game", kEnglish}},
                 "other",
                 {"wrong", "game"},
                 {kWarning, kBrowse, kWarning, kBrowse, "64 Sucess!!! Sucess!"},
                 "game",
                 kRussian,
                 u"Current Language : Russian"},
        SaveFlow{"StoredNotFoundValueCountsAsMissing", {{"game", kStoredNotFound}}, "game", {""}, {kWarning, kBrowse},
                 "game", kStoredNotFound, std::u16string(kNotFoundCaption)},
        SaveFlow{"CancelAfterAWrongPickKeepsTheWrongFolder",
                 {{"game", kEnglish}},
                 "other",
                 {"wrong", ""},
                 {kWarning, kBrowse, kWarning, kBrowse},
                 "wrong",
                 kEnglish,
                 std::u16string(kNotFoundCaption)}),
    [](const testing::TestParamInfo<SaveFlow>& info) { return std::string(info.param.name); });

TEST(SaveCommand, SuccessBoxComesBeforeTheNewReadAndTheLabelFollowsAfterIt)
{
    TempFolder base;
    writeBytes(base / "steam_api.ini", kEnglish);
    FakeTextBox Path_Text(base.path().u16string());
    FakeComboBox Lang_Combo(u"Russian");
    FakeLabel Lang_label;
    ScriptedDialogs dialogs(base, {}, Lang_label);

    language::SaveCommand({Path_Text, Lang_Combo, Lang_label, dialogs});

    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"64 Sucess!!! Sucess! | Current Language : English"}));
    EXPECT_EQ(Lang_label.caption(), u"Current Language : Russian");
}

TEST(SaveCommand, UnwritableFileIsToldWithTheFileAndTheReasonAndChangesNothing)
{
    TempFolder base;
    writeBytes(base / "steam_api.ini", kEnglish);
    chmod((base / "steam_api.ini").c_str(), 0444);
    FakeTextBox Path_Text(base.path().u16string());
    FakeComboBox Lang_Combo(u"Russian");
    FakeLabel Lang_label;
    ScriptedDialogs dialogs(base, {}, Lang_label);

    language::SaveCommand({Path_Text, Lang_Combo, Lang_label, dialogs});

    const std::string file = (base / "steam_api.ini").string();
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"48 Error!!! Could not save the language to " + file
                                                       + ": Permission denied | Current Language : English"}));
    EXPECT_EQ(Lang_label.caption(), u"Current Language : English");
    EXPECT_EQ(readBytes(base / "steam_api.ini"), kEnglish);
}

} // namespace

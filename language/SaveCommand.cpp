#include "language/SaveCommand.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace language {
namespace {

constexpr std::u16string_view kGameName = u"Skarnholm";
constexpr std::u16string_view kNotFoundText = u"File not found!";
constexpr std::u16string_view kNotFoundTitle = u"Error!!!";
constexpr std::u16string_view kSuccessText = u"Sucess!";
constexpr std::u16string_view kSuccessTitle = u"Sucess!!!";
constexpr std::u16string_view kFailureTitle = u"Error!!!";

std::u16string browsePrompt()
{
    return u"Select the game folder (" + std::u16string(kGameName) + u") in the list below, then click OK.";
}

void showFileNotFound(platform::Dialogs& dialogs)
{
    dialogs.MsgBox(kNotFoundText, platform::MsgBoxStyle::Exclamation, kNotFoundTitle);
}

// A save that did not happen is told, with the file and the reason, rather than passed over.
void showWriteFailure(SaveForm form, int reason)
{
    const std::string file = platform::PosixPath(platform::ToAnsi(languageFilePath(form.Path_Text)));
    const std::string text =
        "Could not save the language to " + file + ": " + std::generic_category().message(reason);
    form.dialogs.MsgBox(platform::FromAnsi(text), platform::MsgBoxStyle::Exclamation, kFailureTitle);
}

} // namespace

void boite_dialogue(SaveForm form)
{
    for (;;) {
        const std::u16string prompt = browsePrompt();
        const std::optional<std::u16string> folder = form.dialogs.BrowseForFolder(prompt);
        if (!folder)
            return;
        form.Path_Text.setText(*folder);
        Lit_ini(form.languageControls());
        if (languageFileFound(form.Lang_label))
            return;
        showFileNotFound(form.dialogs);
    }
}

void SaveCommand(SaveForm form)
{
    std::optional<std::int32_t> writeResult;
    int writeError = 0;

    Lit_ini(form.languageControls());
    if (languageFileFound(form.Lang_label)) {
        writeResult = Ecrit_ini(form.languageControls());
        writeError = errno;
    } else {
        showFileNotFound(form.dialogs);
        boite_dialogue(form);
        // The browse step read the file after each pick: no new read here.
        if (languageFileFound(form.Lang_label))
            SaveCommand(form);
    }

    if (writeResult.value_or(0) > 0) {
        form.dialogs.MsgBox(kSuccessText, platform::MsgBoxStyle::Information, kSuccessTitle);
        Lit_ini(form.languageControls());
    } else if (writeResult) {
        showWriteFailure(form, writeError);
    }
}

} // namespace language

#pragma once
// The Save command: store the picked language in the language file and, when the file is not in
// the game folder, warn and let the user point at the right folder (boite_dialogue).

#include "language/LanguageFile.h"
#include "platform/dialogs.h"

namespace language {

/// The controls and boxes of the main window that the Save command reads, sets and shows.
struct SaveForm {
    platform::TextBox& Path_Text;
    const platform::ComboBox& Lang_Combo;
    platform::Label& Lang_label;
    platform::Dialogs& dialogs;

    LanguageControls languageControls() const { return {Path_Text, Lang_Combo, Lang_label}; }
};

/// The browse step: asks for the game folder until one holds the language file or the user
/// cancels. The folder picked last stays the game folder.
void boite_dialogue(SaveForm form);

/// The Click of "Save".
void SaveCommand(SaveForm form);

} // namespace language

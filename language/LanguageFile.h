#pragma once
// The language file: "steam_api.ini" in the game folder, key Language of section Settings.
// Lit_ini shows the stored value in Lang_label; Ecrit_ini stores the language picked in Lang_Combo.

#include "platform/forms.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace language {

/// The controls of the main window that the language file's procedures read and set.
struct LanguageControls {
    const platform::TextBox& Path_Text;
    const platform::ComboBox& Lang_Combo;
    platform::Label& Lang_label;
};

inline constexpr std::u16string_view kCurrentLanguagePrefix = u"Current Language : ";
/// What a read gives when the file, the section or the key is missing.
inline constexpr std::u16string_view kReadDefault = u"Language not found";
/// The caption of Lang_label after a read that found no value; the file counts as found exactly
/// when the caption differs from it.
inline constexpr std::u16string_view kNotFoundCaption = u"Current Language : Language not found";
static_assert(kNotFoundCaption.starts_with(kCurrentLanguagePrefix) && kNotFoundCaption.ends_with(kReadDefault)
                  && kNotFoundCaption.size() == kCurrentLanguagePrefix.size() + kReadDefault.size(),
              "a read that falls back to its default must give exactly the not-found caption");

/// The language file of the game folder in Path_Text, in the program's Windows-style form.
std::u16string languageFilePath(const platform::TextBox& Path_Text);

/// Reads the language file of the game folder in Path_Text into the caption of Lang_label.
void Lit_ini(LanguageControls form);

/// Writes the entry selected in Lang_Combo into the language file of the game folder. Returns
/// the write's result: greater than 0 when the value was stored, 0 when it was not (errno then
/// holds the reason).
std::int32_t Ecrit_ini(LanguageControls form);

/// Whether the last read found the language file, judged by the caption of Lang_label alone.
bool languageFileFound(const platform::Label& Lang_label);

} // namespace language

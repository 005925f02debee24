#include "language/LanguageFile.h"

#include "platform/profile.h"
#include "platform/text.h"

#include <algorithm>
#include <string>

namespace language {
namespace {

constexpr std::u16string_view kFileName = u"\\steam_api.ini";
constexpr std::u16string_view kSection = u"Settings";
constexpr std::u16string_view kKey = u"Language";
constexpr std::uint32_t kReadCapacity = 255;

} // namespace

// The game folder is used as it stands: no trimming, and the separator is always added.
std::u16string languageFilePath(const platform::TextBox& Path_Text)
{
    return Path_Text.text() + std::u16string(kFileName);
}

void Lit_ini(LanguageControls form)
{
    std::string buffer(kReadCapacity, ' ');
    const std::u16string path = languageFilePath(form.Path_Text);
    const std::int32_t count = platform::GetPrivateProfileStringA(
        platform::ToAnsi(kSection).c_str(), platform::ToAnsi(kKey).c_str(), platform::ToAnsi(kReadDefault).c_str(),
        buffer.data(), kReadCapacity, platform::ToAnsi(path).c_str());
    // Only the bytes the read copied are the value: converting just those keeps a value with
    // multi-byte characters whole instead of cutting it at its byte count.
    const auto copied = static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, kReadCapacity - 1));
    const std::u16string value = platform::FromAnsi(std::string_view(buffer).substr(0, copied));
    form.Lang_label.setCaption(value);
    form.Lang_label.setCaption(std::u16string(kCurrentLanguagePrefix) + form.Lang_label.caption());
}

std::int32_t Ecrit_ini(LanguageControls form)
{
    const std::u16string language = form.Lang_Combo.text();
    const std::u16string path = languageFilePath(form.Path_Text);
    return platform::WritePrivateProfileStringA(platform::ToAnsi(kSection).c_str(), platform::ToAnsi(kKey).c_str(),
                                                platform::ToAnsi(language).c_str(), platform::ToAnsi(path).c_str());
}

bool languageFileFound(const platform::Label& Lang_label)
{
    return Lang_label.caption() != kNotFoundCaption;
}

} // namespace language

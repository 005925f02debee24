#pragma once
// The modal message boxes and the folder browser, as the Save command uses them. Free of Qt, so
// the Save command can be driven by a test that answers them.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class MsgBoxStyle : int {
    Exclamation = 48, ///< OK button and the warning icon
    Information = 64, ///< OK button and the information icon
};

class Dialogs {
public:
    /// Shows a modal message box and returns once the user has closed it.
    virtual void MsgBox(std::u16string_view prompt, MsgBoxStyle style, std::u16string_view title) = 0;

    /// Lets the user pick a file-system folder under the given title; the folder's full path, or
    /// nothing when the user cancelled.
    virtual std::optional<std::u16string> BrowseForFolder(std::u16string_view title) = 0;

protected:
    ~Dialogs() = default;
};

} // namespace platform

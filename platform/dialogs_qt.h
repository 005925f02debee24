#pragma once
// The message boxes and the folder browser on Qt: application-modal, so the rest of the program
// waits while one is open and a second Save cannot start meanwhile.

#include "platform/dialogs.h"

class QWidget;

namespace platform {

class QtDialogs final : public Dialogs {
public:
    /// Boxes are centred over `owner`.
    explicit QtDialogs(QWidget* owner)
        : m_owner(owner)
    {
    }

    void MsgBox(std::u16string_view prompt, MsgBoxStyle style, std::u16string_view title) override;
    std::optional<std::u16string> BrowseForFolder(std::u16string_view title) override;

private:
    QWidget* m_owner;
};

} // namespace platform

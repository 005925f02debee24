#pragma once
// What the code outside app/ may touch of the window: its controls' texts, the pending-message
// pump. Kept free of Qt so that logic above the platform can be driven by plain test fakes.

#include <string>
#include <string_view>

namespace platform {

enum class FormShow {
    Modeless = 0,
    Modal = 1,
};

/// A text box: its text, read and set by code.
class TextBox {
public:
    virtual std::u16string text() const = 0;
    virtual void setText(std::u16string_view text) = 0;

protected:
    ~TextBox() = default;
};

/// A label: its caption, read and set by code.
class Label {
public:
    virtual std::u16string caption() const = 0;
    virtual void setCaption(std::u16string_view caption) = 0;

protected:
    ~Label() = default;
};

/// A drop-down list that only allows its own entries: its text is the selected entry, and setting
/// the text selects the entry with exactly that text.
class ComboBox {
public:
    virtual std::u16string text() const = 0;
    virtual void setText(std::u16string_view text) = 0;

protected:
    ~ComboBox() = default;
};

/// Handles every window message that is waiting, then returns.
void DoEvents();

/// Ends the process at once with status 0; no further code of the program runs.
[[noreturn]] void EndProcessNow();

} // namespace platform

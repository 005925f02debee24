#pragma once
// What the code outside app/ may touch of the window: its controls' texts, the pending-message
// pump. Kept free of Qt so that logic above the platform can be driven by plain test fakes.

#include "platform/gdi.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class FormShow {
    Modeless = 0,
    Modal = 1,
};

/// A form as code outside app/ shows it.
class Form {
public:
    /// Loads the form if it is not loaded yet, then shows it; a modal show returns once the form
    /// is hidden again.
    virtual void Show(FormShow style) = 0;

protected:
    ~Form() = default;
};

/// A picture box that keeps a backing bitmap, as code outside app/ draws on it: drawing goes into
/// the bitmap through its device context, and the refresh shows the bitmap on the screen.
class Picture {
public:
    /// Size of the drawing area inside the border, in pixels.
    virtual std::int32_t scaleWidth() const = 0;
    virtual std::int32_t scaleHeight() const = 0;
    /// Size as placed on the form, border included, in pixels.
    virtual std::int32_t outerWidth() const = 0;
    virtual std::int32_t outerHeight() const = 0;

    /// The device context of the backing bitmap.
    virtual HDC hDC() = 0;
    /// Shows what was drawn into the backing bitmap, before returning.
    virtual void Refresh() = 0;

protected:
    ~Picture() = default;
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

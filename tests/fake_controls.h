#pragma once
// Plain stand-ins for the window's controls, for driving the language logic without a window.

#include "platform/forms.h"

#include <string>
#include <vector>

class FakeTextBox final : public platform::TextBox {
public:
    explicit FakeTextBox(std::u16string text = {}) : m_text(std::move(text)) {}
    std::u16string text() const override { return m_text; }
    void setText(std::u16string_view text) override { m_text = text; }

private:
    std::u16string m_text;
};

class FakeComboBox final : public platform::ComboBox {
public:
    explicit FakeComboBox(std::u16string text = u"English") : m_text(std::move(text)) {}
    std::u16string text() const override { return m_text; }
    void setText(std::u16string_view text) override { m_text = text; }

private:
    std::u16string m_text;
};

/// Keeps every caption it was given, so a test can see what a user could have seen.
class FakeLabel final : public platform::Label {
public:
    explicit FakeLabel(std::u16string caption = {}) { m_captions.push_back(std::move(caption)); }
    std::u16string caption() const override { return m_captions.back(); }
    void setCaption(std::u16string_view caption) override { m_captions.emplace_back(caption); }
    const std::vector<std::u16string>& captions() const { return m_captions; }

private:
    std::vector<std::u16string> m_captions;
};

#pragma once
// Plain stand-ins for the window the star field runs on: a form, a surface with a real backing
// bitmap, and a message queue with a scripted clock. Each writes what happens to it into one
// shared journal, so a test can see the order.

#include "platform/forms.h"
#include "platform/gdi_qt.h"
#include "platform/message_queue.h"
#include "starfield/Starfield.h"
#include "starfield/Stars.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

using Journal = std::vector<std::string>;

class FakeForm final : public platform::Form {
public:
    explicit FakeForm(Journal& journal) : m_journal(journal) {}
    void Show(platform::FormShow style) override
    {
        m_journal.push_back(style == platform::FormShow::Modeless ? "Show modeless" : "Show modal");
    }

private:
    Journal& m_journal;
};

class FakePicture final : public platform::Picture {
public:
    FakePicture(Journal& journal, QSize inner, QColor background = Qt::black)
        : m_journal(journal)
        , m_inner(inner)
        , m_bitmap(inner, background)
    {
    }
    std::int32_t scaleWidth() const override { return measured(m_inner.width()); }
    std::int32_t scaleHeight() const override { return measured(m_inner.height()); }
    std::int32_t outerWidth() const override { return measured(m_inner.width() + 2); }
    std::int32_t outerHeight() const override { return measured(m_inner.height() + 2); }
    platform::HDC hDC() override { return &m_bitmap; }
    void Refresh() override
    {
        m_journal.push_back("Refresh");
        shown = m_bitmap.bitmap().copy();
    }

    const QImage& bitmap() const { return m_bitmap.bitmap(); }
    /// What the last refresh showed.
    QImage shown;

private:
    std::int32_t measured(std::int32_t size) const
    {
        m_journal.push_back("Measure");
        return size;
    }

    Journal& m_journal;
    QSize m_inner;
    platform::DeviceContext m_bitmap;
};

/// Reads the scripted ticks one after another, the last one for ever after.
class FakeMessageQueue final : public platform::MessageQueue {
public:
    explicit FakeMessageQueue(Journal& journal, std::vector<std::uint32_t> ticks = {0})
        : m_journal(journal)
        , m_ticks(std::move(ticks))
    {
    }
    void DoEvents() override { m_journal.push_back("DoEvents"); }
    std::uint32_t GetTickCount() override
    {
        const std::uint32_t tick = m_ticks[m_next];
        if (m_next + 1 < m_ticks.size())
            ++m_next;
        m_journal.push_back("Tick " + std::to_string(tick));
        return tick;
    }
    void waitForMessage(std::uint32_t tick) override { m_journal.push_back("Wait until " + std::to_string(tick)); }

private:
    Journal& m_journal;
    std::vector<std::uint32_t> m_ticks;
    std::size_t m_next = 0;
};

/// The three together, for a surface of the given inner size.
struct FakeStarfieldWindow {
    explicit FakeStarfieldWindow(QSize inner = {318, 95}, std::vector<std::uint32_t> ticks = {0})
        : form(journal)
        , picture(journal, inner)
        , messages(journal, std::move(ticks))
    {
    }
    starfield::StarfieldWindow window() { return {form, picture, messages}; }

    Journal journal;
    FakeForm form;
    FakePicture picture;
    FakeMessageQueue messages;
};

/// Puts the star field back as it is when the program starts: every star and all state zero.
inline void clearStarfield()
{
    using namespace starfield;
    for (std::int32_t i = 0; i < StarArray::kSize; ++i)
        Stars(i) = {};
    CenterX = CenterY = MaxDist = StarCount = FrameStart = 0;
    ColorScale = SpinStep = SpeedGrowth = 0;
}

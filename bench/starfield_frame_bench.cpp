// The drawing of one frame of the star field, without the wait: 400 erases, moves and plots into
// the backing bitmap of the real window's surface, the logo over them, and the refresh into the
// widget's backing store.

#include "app/Form1.h"
#include "imaging/ModImage.h"
#include "starfield/Logo.h"
#include "platform/message_queue_qt.h"
#include "starfield/Starfield.h"
#include "starfield/Stars.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The real window, shown on the offscreen platform, with stars that have spread out from their
// start as they are once the program has run a while.
class Surface {
public:
    Surface()
        : m_form([] {})
        , window{m_form, m_form.Picture1, m_messages}
    {
        starfield::SetUpStarfield(window);
        for (int frame = 0; frame < 3000; ++frame)
            starfield::DrawFrame(window);
    }

private:
    app::Form1 m_form;
    platform::WindowMessageQueue m_messages;

public:
    const starfield::StarfieldWindow window;
};

void BM_DrawFrame(benchmark::State& state)
{
    Surface surface;
    for (auto _ : state)
        starfield::DrawFrame(surface.window);
}
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMicrosecond);

// The two halves of a frame's work, to see where its time goes.
void BM_StarSteps(benchmark::State& state)
{
    Surface surface;
    for (auto _ : state) {
        for (std::int32_t i = 0; i < starfield::StarCount; ++i)
            starfield::StarStep(i, surface.window.Picture1);
    }
}
BENCHMARK(BM_StarSteps)->Unit(benchmark::kMicrosecond);

void BM_Refresh(benchmark::State& state)
{
    Surface surface;
    for (auto _ : state)
        surface.window.Picture1.Refresh();
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMicrosecond);

// The logo drawn over the surface as a frame draws it, at a fixed opacity of one half.
void BM_DrawLogo(benchmark::State& state)
{
    Surface surface;
    imaging::Bitmap logo;
    logo.FromResource(u"PNG", u"png");
    const float angle = 0;
    for (auto _ : state)
        imaging::DrawBitmap(logo, surface.window.Picture1.hDC(), 160, 48, std::nullopt, std::nullopt, 0.5f, angle);
}
BENCHMARK(BM_DrawLogo)->Unit(benchmark::kMicrosecond);

// The whole logo step: re-seed, draws, and the drawing.
void BM_LogoStep(benchmark::State& state)
{
    Surface surface;
    for (auto _ : state)
        starfield::LogoStep(surface.window.Picture1);
}
BENCHMARK(BM_LogoStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "app/Module1.h"

#include "app/Form1.h"
#include "platform/gdiplus.h"

namespace app {

void Main()
{
    std::uint32_t token = 0;
    platform::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = 0;
    input.SuppressBackgroundThread = 0;
    input.SuppressExternalCodecs = 0;
    platform::GdiplusStartup(&token, &input, nullptr);

    Form1::instance().Show(platform::FormShow::Modal);

    platform::GdiplusShutdown(token);
}

} // namespace app

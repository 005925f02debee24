#include "platform/gdi_qt.h"

namespace platform {

bool SetPixelV(HDC hDC, std::int32_t x, std::int32_t y, COLORREF colour)
{
    return hDC && hDC->setPixel(x, y, qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
}

} // namespace platform

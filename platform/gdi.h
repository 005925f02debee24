#pragma once
// The one pixel operation of the graphics device interface, on a device context that draws into
// a picture box's backing bitmap.

#include <cstdint>

namespace platform {

/// Where a drawing call draws: a picture box's backing bitmap (gdi_qt.h).
class DeviceContext;

/// A handle to a device context; a null handle draws nothing.
using HDC = DeviceContext*;

/// A colour as 0x00BBGGRR: red in the low byte.
using COLORREF = std::uint32_t;

/// Sets pixel (x, y) of the device context's bitmap to `colour`; the top byte is not looked at.
/// A place outside the bitmap, or a null handle, draws nothing and gives false.
bool SetPixelV(HDC hDC, std::int32_t x, std::int32_t y, COLORREF colour);

} // namespace platform

#pragma once
// The device context behind a drawing handle: the bitmap it draws into, which it keeps.

#include "platform/gdi.h"

#include <QColor>
#include <QImage>

namespace platform {

/// A bitmap that drawing calls draw into: one 0xFFRRGGBB word a pixel. Its size and format stay as
/// made, so a pixel operation checks the place against sizes read once.
class DeviceContext {
public:
    DeviceContext(QSize size, QColor background)
        : m_bitmap(size, QImage::Format_RGB32)
        , m_width(m_bitmap.width())
        , m_height(m_bitmap.height())
    {
        m_bitmap.fill(background);
    }
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    const QImage& bitmap() const { return m_bitmap; }
    /// For graphics objects that paint onto the bitmap; they never change its size or format.
    QImage& bitmap() { return m_bitmap; }

    /// Sets pixel (x, y); a place outside the bitmap sets nothing and gives false.
    bool setPixel(std::int32_t x, std::int32_t y, QRgb rgb)
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return false;
        // scanLine() first gives the bitmap a copy of its own should it share one.
        reinterpret_cast<QRgb*>(m_bitmap.scanLine(y))[x] = rgb;
        return true;
    }

private:
    QImage m_bitmap;
    const int m_width;
    const int m_height;
};

} // namespace platform

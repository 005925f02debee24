#pragma once
// Bitmap: holds at most one decoded image with its size, loaded from a file or from the
// program's resources. Shared by reference (std::shared_ptr): the last reference releases it.

#include "platform/gdiplus.h"
#include "platform/stream.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace imaging {

class Bitmap {
public:
    Bitmap() = default;
    ~Bitmap() { ReleaseImage(); }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    /// The decoded image; null when the holder is empty.
    platform::GpImage* Handle() const { return m_image; }
    /// The size of the image held last; a load that yields no image leaves it as it was.
    float Width() const { return m_width; }
    float Height() const { return m_height; }

    void FromFile(std::u16string_view vsPath);
    /// Type and name match the program's resources without regard to case.
    void FromResource(std::u16string_view vsType, std::u16string_view vsID);

private:
    void AttachImage(platform::GpImage* handle);
    void ReleaseImage();

    // The image may read its stream for as long as it lives, and the stream reads the resource
    // bytes in place: the three are released together, in this order.
    platform::GpImage* m_image = nullptr;
    std::unique_ptr<platform::MemoryStream> m_stream;
    std::vector<std::uint8_t> m_resourceBytes;
    float m_width = 0;
    float m_height = 0;
};

} // namespace imaging

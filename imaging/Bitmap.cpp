#include "imaging/Bitmap.h"

#include "platform/resources.h"

#include <optional>
#include <string>

namespace imaging {

void Bitmap::FromFile(std::u16string_view vsPath)
{
    if (m_image)
        ReleaseImage();
    platform::GpImage* handle = nullptr;
    platform::GdipLoadImageFromFile(std::u16string(vsPath).c_str(), &handle);
    AttachImage(handle);
}

void Bitmap::FromResource(std::u16string_view vsType, std::u16string_view vsID)
{
    if (m_image)
        ReleaseImage();
    std::int32_t byteCount = -1;

    // A missing or empty resource is not an error here: it leaves the count at -1.
    m_resourceBytes.clear();
    if (const auto bytes = platform::LoadResource(vsType, vsID))
        m_resourceBytes.assign(bytes->begin(), bytes->end());
    if (!m_resourceBytes.empty())
        byteCount = static_cast<std::int32_t>(m_resourceBytes.size());

    if (byteCount <= 0)
        return;
    m_stream = platform::CreateStreamOnHGlobal(m_resourceBytes);
    platform::GpImage* handle = nullptr;
    platform::GdipLoadImageFromStream(m_stream.get(), &handle);
    AttachImage(handle);
}

void Bitmap::AttachImage(platform::GpImage* handle)
{
    m_image = handle;
    platform::GdipGetImageDimension(handle, &m_width, &m_height);
}

void Bitmap::ReleaseImage()
{
    if (m_image) {
        platform::GdipDisposeImage(m_image);
        m_image = nullptr;
    }
    m_stream.reset();
    m_resourceBytes.clear();
}

} // namespace imaging

#pragma once
// A read-only stream over memory that reads it in place, as images are decoded from resources.

#include <cstdint>
#include <memory>
#include <span>

namespace platform {

class MemoryStream {
public:
    explicit MemoryStream(std::span<const std::uint8_t> memory)
        : m_memory(memory)
    {
    }

    /// The bytes the stream reads, in place; the stream never owns them.
    std::span<const std::uint8_t> data() const { return m_memory; }

private:
    std::span<const std::uint8_t> m_memory;
};

/// A stream of exactly the given memory. Releasing the stream leaves the memory alone (the
/// platform's delete-on-release false, the only way the program uses it).
inline std::unique_ptr<MemoryStream> CreateStreamOnHGlobal(std::span<const std::uint8_t> memory)
{
    return std::make_unique<MemoryStream>(memory);
}

} // namespace platform

#include "platform/xm_module.h"

#include <string_view>

namespace platform {
namespace {

constexpr std::string_view kIdText = "Extended Module: ";
constexpr std::size_t kFixedHeaderSize = 60;
constexpr std::uint16_t kVersion = 0x0104;
constexpr std::uint32_t kCountsSize = 20; // header size field and the counts before the order table

/// Reads little-endian numbers from the module and tells whether a stretch of it is there at all.
class ModuleReader {
public:
    explicit ModuleReader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }

    bool has(std::size_t offset, std::size_t size) const
    {
        return offset <= m_bytes.size() && size <= m_bytes.size() - offset;
    }
    std::uint16_t u16(std::size_t offset) const
    {
        return static_cast<std::uint16_t>(m_bytes[offset] | m_bytes[offset + 1] << 8);
    }
    std::uint32_t u32(std::size_t offset) const
    {
        return static_cast<std::uint32_t>(u16(offset)) | static_cast<std::uint32_t>(u16(offset + 2)) << 16;
    }
    std::string_view text(std::size_t offset, std::size_t size) const
    {
        return {reinterpret_cast<const char*>(m_bytes.data() + offset), size};
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

/// Skips `count` patterns from `offset`; false when one of them runs past the end.
bool skipPatterns(const ModuleReader& module, std::size_t& offset, std::uint16_t count)
{
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!module.has(offset, 9))
            return false;
        const std::uint32_t headerSize = module.u32(offset);
        const std::uint16_t dataSize = module.u16(offset + 7);
        if (headerSize < 9 || !module.has(offset, std::size_t{headerSize} + dataSize))
            return false;
        offset += std::size_t{headerSize} + dataSize;
    }
    return true;
}

/// Skips `count` instruments with their samples from `offset`; false when one runs past the end.
bool skipInstruments(const ModuleReader& module, std::size_t& offset, std::uint16_t count)
{
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!module.has(offset, 29))
            return false;
        const std::uint32_t headerSize = module.u32(offset);
        const std::uint16_t samples = module.u16(offset + 27);
        if (headerSize < 29 || !module.has(offset, headerSize))
            return false;
        if (samples == 0) {
            offset += headerSize;
            continue;
        }
        if (samples > 16 || headerSize < 33)
            return false;
        const std::uint32_t sampleHeaderSize = module.u32(offset + 29);
        offset += headerSize;
        if (sampleHeaderSize < 4 || !module.has(offset, std::size_t{sampleHeaderSize} * samples))
            return false;
        std::size_t dataSize = 0;
        for (std::uint16_t s = 0; s < samples; ++s)
            dataSize += module.u32(offset + std::size_t{s} * sampleHeaderSize);
        offset += std::size_t{sampleHeaderSize} * samples;
        if (!module.has(offset, dataSize))
            return false;
        offset += dataSize;
    }
    return true;
}

} // namespace

bool isWholeXmModule(std::span<const std::uint8_t> bytes)
{
    const ModuleReader module(bytes);
    if (!module.has(0, kFixedHeaderSize + kCountsSize))
        return false;
    if (module.text(0, kIdText.size()) != kIdText || bytes[37] != 0x1A || module.u16(58) != kVersion)
        return false;

    const std::uint32_t headerSize = module.u32(60);
    const std::uint16_t songLength = module.u16(64);
    const std::uint16_t channels = module.u16(68);
    const std::uint16_t patterns = module.u16(70);
    const std::uint16_t instruments = module.u16(72);
    if (songLength < 1 || songLength > 256 || channels < 1 || patterns > 256 || instruments > 128)
        return false;
    if (headerSize < kCountsSize + songLength || !module.has(kFixedHeaderSize, headerSize))
        return false;

    std::size_t offset = kFixedHeaderSize + headerSize;
    return skipPatterns(module, offset, patterns) && skipInstruments(module, offset, instruments);
}

} // namespace platform

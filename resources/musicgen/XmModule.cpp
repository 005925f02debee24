#include "XmModule.h"

#include <utility>
#include <stdexcept>

namespace musicgen {
namespace {

constexpr int kFixedHeaderSize = 60;
constexpr std::uint32_t kHeaderSize = 276; // from offset 60: this field, 16 bytes of counts, 256 orders
constexpr std::uint32_t kPatternHeaderSize = 9;
constexpr std::uint32_t kInstrumentHeaderSize = 263;
constexpr std::uint32_t kSampleHeaderSize = 40;
constexpr int kEnvelopePoints = 12;

class ByteWriter {
public:
    void u8(std::uint8_t value) { m_bytes.push_back(value); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    /// Exactly `size` bytes: the text, cut or padded with `pad`.
    void text(const std::string& value, std::size_t size, char pad)
    {
        for (std::size_t i = 0; i < size; ++i)
            u8(static_cast<std::uint8_t>(i < value.size() ? value[i] : pad));
    }
    void zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }
    void append(const std::vector<std::uint8_t>& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }

    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

std::vector<std::uint8_t> packedCells(const Pattern& pattern)
{
    ByteWriter out;
    for (int row = 0; row < pattern.rows(); ++row) {
        for (int channel = 0; channel < pattern.channels(); ++channel) {
            const Cell& cell = pattern.at(row, channel);
            const std::uint8_t fields[] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.parameter};
            std::uint8_t present = 0;
            for (int i = 0; i < 5; ++i) {
                if (fields[i] != 0)
                    present |= static_cast<std::uint8_t>(1 << i);
            }
            if (present == 0x1F) {
                // All five fields: the unpacked form is one byte shorter.
                for (std::uint8_t field : fields)
                    out.u8(field);
                continue;
            }
            out.u8(static_cast<std::uint8_t>(0x80 | present));
            for (int i = 0; i < 5; ++i) {
                if (present & (1 << i))
                    out.u8(fields[i]);
            }
        }
    }
    return out.take();
}

void writeInstrument(ByteWriter& out, const Instrument& instrument)
{
    const Sample& sample = instrument.sample;
    const Envelope& envelope = instrument.volumeEnvelope;
    if (envelope.points.size() > kEnvelopePoints)
        throw std::invalid_argument("an envelope has at most 12 points: " + instrument.name);

    out.u32(kInstrumentHeaderSize);
    out.text(instrument.name, 22, '\0');
    out.u8(0); // type
    out.u16(1); // samples
    out.u32(kSampleHeaderSize);
    out.zeros(96); // every note plays sample 0
    for (int i = 0; i < kEnvelopePoints; ++i) {
        const bool used = i < static_cast<int>(envelope.points.size());
        out.u16(used ? envelope.points[i].tick : 0);
        out.u16(used ? envelope.points[i].level : 0);
    }
    out.zeros(kEnvelopePoints * 4); // no panning envelope
    out.u8(static_cast<std::uint8_t>(envelope.points.size()));
    out.u8(0); // panning points
    out.u8(envelope.sustainPoint.value_or(0));
    out.u8(0); // volume loop start
    out.u8(0); // volume loop end
    out.u8(0); // panning sustain
    out.u8(0); // panning loop start
    out.u8(0); // panning loop end
    std::uint8_t volumeType = envelope.points.empty() ? 0 : 1;
    if (envelope.sustainPoint)
        volumeType |= 2;
    out.u8(volumeType);
    out.u8(0); // panning type
    out.u8(0); // vibrato type: sine
    out.u8(instrument.vibrato.sweep);
    out.u8(instrument.vibrato.depth);
    out.u8(instrument.vibrato.rate);
    out.u16(instrument.fadeout);
    out.zeros(22); // reserved

    const auto length = static_cast<std::uint32_t>(sample.data.size());
    out.u32(length);
    out.u32(0); // loop start
    out.u32(sample.loops ? length : 0);
    out.u8(sample.volume);
    out.u8(0); // finetune
    out.u8(sample.loops ? 1 : 0); // 8-bit, forward loop or none
    out.u8(sample.panning);
    out.u8(static_cast<std::uint8_t>(sample.relativeNote));
    out.u8(0); // reserved: must stay 0, or it reads as compressed data
    out.text(instrument.name, 22, '\0');

    std::int8_t previous = 0;
    for (std::int8_t value : sample.data) {
        out.u8(static_cast<std::uint8_t>(value - previous));
        previous = value;
    }
}

} // namespace

Pattern::Pattern(int rows, int channels)
    : m_rows(rows)
    , m_channels(channels)
    , m_cells(static_cast<std::size_t>(rows * channels))
{
}

Cell& Pattern::at(int row, int channel)
{
    return m_cells.at(static_cast<std::size_t>(row * m_channels + channel));
}

const Cell& Pattern::at(int row, int channel) const
{
    return m_cells.at(static_cast<std::size_t>(row * m_channels + channel));
}

std::vector<std::uint8_t> toXmBytes(const Module& module)
{
    const auto songLength = static_cast<int>(module.orders.size());
    if (songLength == 0 || songLength > 256 || module.restartPosition >= songLength)
        throw std::invalid_argument("the order list needs 1 to 256 entries and a restart inside it");
    for (std::uint8_t order : module.orders) {
        if (order >= module.patterns.size())
            throw std::invalid_argument("the order list names a pattern that does not exist");
    }

    ByteWriter out;
    out.text("Extended Module: ", 17, ' ');
    out.text(module.name, 20, ' ');
    out.u8(0x1A);
    out.text(module.trackerName, 20, ' ');
    out.u16(0x0104);
    out.u32(kHeaderSize);
    out.u16(static_cast<std::uint16_t>(module.orders.size()));
    out.u16(static_cast<std::uint16_t>(module.restartPosition));
    out.u16(static_cast<std::uint16_t>(module.channels));
    out.u16(static_cast<std::uint16_t>(module.patterns.size()));
    out.u16(static_cast<std::uint16_t>(module.instruments.size()));
    out.u16(1); // linear frequency table
    out.u16(static_cast<std::uint16_t>(module.speed));
    out.u16(static_cast<std::uint16_t>(module.bpm));
    for (int i = 0; i < 256; ++i)
        out.u8(i < static_cast<int>(module.orders.size()) ? module.orders[static_cast<std::size_t>(i)] : 0);
    static_assert(kFixedHeaderSize + kHeaderSize == 336);

    for (const Pattern& pattern : module.patterns) {
        if (pattern.channels() != module.channels)
            throw std::invalid_argument("every pattern needs one cell per channel on each row");
        const std::vector<std::uint8_t> cells = packedCells(pattern);
        out.u32(kPatternHeaderSize);
        out.u8(0); // packing type
        out.u16(static_cast<std::uint16_t>(pattern.rows()));
        out.u16(static_cast<std::uint16_t>(cells.size()));
        out.append(cells);
    }
    for (const Instrument& instrument : module.instruments)
        writeInstrument(out, instrument);
    return out.take();
}

} // namespace musicgen

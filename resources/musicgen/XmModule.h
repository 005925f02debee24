#pragma once
// An Extended Module (XM, format version 1.04) as the music generator builds it, and its bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace musicgen {

/// XM note numbers: 1 is C-0, 49 is C-4 (a one-cycle wave of 32 samples then sounds at middle C),
/// 97 releases the note.
inline constexpr std::uint8_t kKeyOff = 97;

struct Cell {
    std::uint8_t note = 0;
    std::uint8_t instrument = 0;
    std::uint8_t volume = 0; ///< volume column: 0x10 + 0..64 sets the volume
    std::uint8_t effect = 0;
    std::uint8_t parameter = 0;
};

class Pattern {
public:
    Pattern(int rows, int channels);

    int rows() const { return m_rows; }
    int channels() const { return m_channels; }
    Cell& at(int row, int channel);
    const Cell& at(int row, int channel) const;

private:
    int m_rows;
    int m_channels;
    std::vector<Cell> m_cells;
};

struct EnvelopePoint {
    std::uint16_t tick;
    std::uint16_t level; ///< 0..64
};

struct Envelope {
    std::vector<EnvelopePoint> points; ///< none: the envelope is off
    std::optional<std::uint8_t> sustainPoint;
};

/// 8-bit sample data, stored delta-coded in the file.
struct Sample {
    std::vector<std::int8_t> data;
    bool loops = false; ///< the whole sample, forward
    std::uint8_t volume = 64;
    std::uint8_t panning = 128;
    std::int8_t relativeNote = 0;
};

struct AutoVibrato {
    std::uint8_t sweep = 0;
    std::uint8_t depth = 0;
    std::uint8_t rate = 0;
};

/// An instrument with one sample used over the whole keyboard.
struct Instrument {
    std::string name;
    Sample sample;
    Envelope volumeEnvelope;
    std::uint16_t fadeout = 0;
    AutoVibrato vibrato; ///< sine
};

struct Module {
    std::string name;
    std::string trackerName;
    int channels = 4;
    int speed = 6; ///< ticks per row
    int bpm = 125; ///< a tick lasts 2.5 / bpm seconds
    int restartPosition = 0;
    std::vector<std::uint8_t> orders;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments; ///< numbered from 1 in the patterns
};

/// The module as an XM file: linear frequency table, packed pattern data.
std::vector<std::uint8_t> toXmBytes(const Module& module);

} // namespace musicgen

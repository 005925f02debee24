#pragma once
// The short text the song is written in, so that the melodies read as music.
//
// A melody is a list of notes with their length in rows, "E5:2 G5:2 -:4": a letter, an optional
// sharp (#) or flat (b) and an octave (C4 is middle C), or "-" for a rest. A chord is its root with
// "m" for minor: "C", "Am", "F#m".

#include <cstdint>
#include <string_view>
#include <vector>

namespace musicgen {

struct MelodyNote {
    int row;
    std::uint8_t note; ///< an XM note, or kKeyOff for a rest
};

/// The notes of a melody with the rows where they start, counted from 0. Throws on bad text.
std::vector<MelodyNote> parseMelody(std::string_view text);

/// Rows that a melody lasts.
int melodyLength(std::string_view text);

struct Chord {
    int root; ///< pitch class, 0 = C
    bool minor;
};

/// The chords of a space-separated list. Throws on bad text.
std::vector<Chord> parseChords(std::string_view text);

/// The XM note of a pitch class in an octave (C4 is 49).
std::uint8_t noteOf(int pitchClass, int octave);

} // namespace musicgen

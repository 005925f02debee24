#include "Notation.h"

#include "XmModule.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace musicgen {
namespace {

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t start = 0;
    while (start < text.size()) {
        if (text[start] == ' ') {
            ++start;
            continue;
        }
        const std::size_t end = std::min(text.find(' ', start), text.size());
        result.push_back(text.substr(start, end - start));
        start = end;
    }
    return result;
}

[[noreturn]] void bad(std::string_view what, std::string_view text)
{
    throw std::invalid_argument(std::string(what) + ": \"" + std::string(text) + '"');
}

/// The pitch class of a note name's letter and accidental; `used` tells how many characters
/// they took.
int pitchClassOf(std::string_view name, std::size_t& used)
{
    static constexpr int kLetters[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G')
        bad("not a note name", name);
    int pitchClass = kLetters[name[0] - 'A'];
    used = 1;
    if (name.size() > 1 && (name[1] == '#' || name[1] == 'b')) {
        pitchClass += name[1] == '#' ? 1 : -1;
        used = 2;
    }
    return (pitchClass + 12) % 12;
}

struct Token {
    std::uint8_t note;
    int rows;
};

Token parseToken(std::string_view word)
{
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos || colon + 1 >= word.size())
        bad("a note needs its length, as in C5:2", word);
    const std::string_view pitch = word.substr(0, colon);
    const int rows = std::stoi(std::string(word.substr(colon + 1)));
    if (rows <= 0)
        bad("a note lasts at least one row", word);
    if (pitch == "-")
        return {kKeyOff, rows};
    std::size_t used = 0;
    const int pitchClass = pitchClassOf(pitch, used);
    if (used + 1 != pitch.size() || pitch[used] < '0' || pitch[used] > '7')
        bad("a note needs an octave from 0 to 7", word);
    return {noteOf(pitchClass, pitch[used] - '0'), rows};
}

} // namespace

std::uint8_t noteOf(int pitchClass, int octave)
{
    return static_cast<std::uint8_t>(octave * 12 + pitchClass + 1);
}

std::vector<MelodyNote> parseMelody(std::string_view text)
{
    std::vector<MelodyNote> notes;
    int row = 0;
    for (std::string_view word : words(text)) {
        const Token token = parseToken(word);
        notes.push_back({row, token.note});
        row += token.rows;
    }
    return notes;
}

int melodyLength(std::string_view text)
{
    int rows = 0;
    for (std::string_view word : words(text))
        rows += parseToken(word).rows;
    return rows;
}

std::vector<Chord> parseChords(std::string_view text)
{
    std::vector<Chord> chords;
    for (std::string_view word : words(text)) {
        std::size_t used = 0;
        const int root = pitchClassOf(word, used);
        const std::string_view quality = word.substr(used);
        if (quality != "" && quality != "m")
            bad("a chord is major or minor (m)", word);
        chords.push_back({root, quality == "m"});
    }
    return chords;
}

} // namespace musicgen

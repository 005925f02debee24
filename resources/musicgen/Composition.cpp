#include "Composition.h"

#include "Notation.h"
#include "Waveforms.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace musicgen {
namespace {

enum Channel : int { Lead, Companion, Chords, Bass, Drums, Hats, kChannels };
enum InstrumentNumber : std::uint8_t { LeadPulse = 1, CompanionPulse, ChordPulse, BassTriangle, Kick, Snare, HiHat };

constexpr int kRowsPerBar = 16; // a row is a sixteenth note
constexpr int kBars = 4;
constexpr int kRows = kRowsPerBar * kBars;
constexpr int kEchoDelayRows = 3;

constexpr std::uint8_t volumeColumn(int volume) { return static_cast<std::uint8_t>(0x10 + volume); }

enum class Partner { Echo, Harmony };

/// Four bars of the tune. The one-bar figures repeat over each bar's chord.
struct Section {
    std::string_view chords; ///< one a bar
    std::string_view lead;
    Partner partner; ///< the companion channel: the lead three rows late and softer, or a third under it
    std::string_view bass; ///< R root, F fifth, O octave
    std::string_view strokes; ///< X strikes the chord, which then arpeggiates until the next
    std::array<std::string_view, kBars> drums; ///< K kick, S snare, s soft snare
    std::string_view hats; ///< h hi-hat, H accented
};

// The hook: a broken chord that climbs, leans on the note above and settles; stated on C, answered on G.
constexpr std::string_view kHook = "E5:2 G5:2 C6:2 G5:2 A5:3 G5:1 E5:4  D5:2 G5:2 B5:2 G5:2 A5:3 G5:1 D5:4 ";
constexpr std::string_view kBeat = "K...S...K.K.S...";
constexpr std::string_view kDriveBeat = "K...S.K.K.K.S...";
constexpr std::string_view kEighthStrokes = "X.X.X.X.X.X.X.X.";
constexpr std::string_view kBouncingBass = "R.O.R.O.R.O.F.O.";

const std::string kVerseOneLead =
    std::string(kHook) + "C5:2 E5:2 A5:2 E5:2 G5:3 E5:1 C5:2 D5:2  F5:3 E5:1 D5:2 C5:2 D5:4 -:2 G4:2";
const std::string kVerseTwoLead =
    std::string(kHook) + "A5:2 C6:2 F6:2 C6:2 D6:3 C6:1 A5:4  B5:2 A5:2 G5:2 F5:2 E5:2 D5:2 E5:2 G5:2";

const Section kIntro{
    "C Am F G",
    "-:48 G4:2 B4:2 D5:2 F5:2 G5:2 F5:2 D5:2 B4:2",
    Partner::Echo, kBouncingBass, kEighthStrokes,
    {kBeat, kBeat, kBeat, "K...S...K.S.SsSS"},
    "H.h.H.h.H.h.H.h.",
};
const Section kVerseOne{
    "C G Am F", kVerseOneLead, Partner::Echo, kBouncingBass, kEighthStrokes,
    {kBeat, kBeat, kBeat, "K...S...K.K.S.s."},
    "h.H.h.H.h.H.h.H.",
};
const Section kVerseTwo{
    "C G F G", kVerseTwoLead, Partner::Echo, kBouncingBass, kEighthStrokes,
    {kBeat, kBeat, kBeat, "K...S...K.S.SsSS"},
    "h.H.h.H.h.H.h.H.",
};
// The chorus sings each chord in dotted quarters (3 + 3 + 2 eighths), a syncopation the kick doubles.
const Section kChorusOne{
    "F G Em Am",
    "F5:6 A5:6 C6:4  D6:6 B5:6 G5:4  E6:6 D6:6 B5:4  C6:6 B5:2 A5:8",
    Partner::Harmony, "R.R.O.R.F.R.O.R.", kEighthStrokes,
    {kDriveBeat, kDriveBeat, kDriveBeat, "K...S.K.K.K.S.s."},
    "hhHhhhHhhhHhhhHh",
};
const Section kChorusTwo{
    "F G C C",
    "F5:6 A5:6 C6:4  D6:6 B5:6 D6:4  E6:6 D6:2 C6:8  -:6 G5:2 A5:2 G5:2 E5:2 D5:2",
    Partner::Harmony, "R.R.O.R.F.R.O.R.", kEighthStrokes,
    {kDriveBeat, kDriveBeat, kDriveBeat, "K...S...S.S.SSSS"},
    "hhHhhhHhhhHhhhHh",
};
// The bridge thins out under a running broken-chord line and climbs back with a snare roll.
const Section kBridge{
    "Am F C G",
    "E5:2 A5:2 C6:2 A5:2 E5:2 A5:2 C6:2 E6:2  F5:2 A5:2 C6:2 A5:2 F5:2 A5:2 C6:2 F6:2 "
    "E5:2 G5:2 C6:2 G5:2 E5:2 G5:2 C6:2 E6:2  D5:4 E5:4 F5:4 G5:4",
    Partner::Echo, "R...F...O...F...", "X...X...X...X...",
    {"K.......S.......", "K.......S.......", "K.......S.......", "s.s.s.s.SsSsSSSS"},
    "h...h...h...h...",
};

// Pattern numbers follow this list; the order list plays the chorus again after the bridge and
// loops back to the first verse.
const std::array<const Section*, 6> kSections{&kIntro, &kVerseOne, &kVerseTwo, &kChorusOne, &kChorusTwo, &kBridge};
const std::vector<std::uint8_t> kOrders{0, 1, 2, 3, 4, 5, 3, 4};
constexpr int kRestartOrder = 1;

/// The note a diatonic third below `note` in C major.
std::uint8_t thirdBelow(std::uint8_t note)
{
    static constexpr std::array<int, 7> kScale{0, 2, 4, 5, 7, 9, 11};
    const int pitchClass = (note - 1) % 12;
    for (std::size_t degree = 0; degree < kScale.size(); ++degree) {
        if (kScale[degree] != pitchClass)
            continue;
        const std::size_t lower = (degree + kScale.size() - 2) % kScale.size();
        const int down = (pitchClass - kScale[lower] + 12) % 12;
        return static_cast<std::uint8_t>(note - down);
    }
    throw std::invalid_argument("the harmony only knows the notes of C major");
}

void writeMelody(Pattern& pattern, std::string_view text)
{
    if (melodyLength(text) != kRows)
        throw std::invalid_argument("a section's melody lasts four bars: " + std::string(text));
    for (const MelodyNote& note : parseMelody(text)) {
        Cell& cell = pattern.at(note.row, Lead);
        cell.note = note.note;
        cell.instrument = note.note == kKeyOff ? 0 : LeadPulse;
    }
}

void writePartner(Pattern& pattern, std::string_view lead, Partner partner)
{
    for (const MelodyNote& note : parseMelody(lead)) {
        const bool echo = partner == Partner::Echo;
        const int row = echo ? note.row + kEchoDelayRows : note.row;
        if (row >= kRows)
            continue;
        Cell& cell = pattern.at(row, Companion);
        if (note.note == kKeyOff) {
            cell.note = kKeyOff;
            continue;
        }
        cell.note = echo ? note.note : thirdBelow(note.note);
        cell.instrument = CompanionPulse;
        cell.volume = volumeColumn(echo ? 22 : 30);
    }
}

void writeBarFigures(Pattern& pattern, const Section& section)
{
    const std::vector<Chord> chords = parseChords(section.chords);
    if (chords.size() != kBars)
        throw std::invalid_argument("a section has one chord a bar");
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord chord = chords[static_cast<std::size_t>(bar)];
        // Chords sit between G3 and F#4, the bass an octave and more below.
        const std::uint8_t strokeRoot = noteOf(chord.root, chord.root <= 6 ? 4 : 3);
        const std::uint8_t bassRoot = noteOf(chord.root, 2);
        const std::uint8_t arpeggio = chord.minor ? 0x37 : 0x47; // root, third, fifth, every tick
        const std::string_view drums = section.drums[static_cast<std::size_t>(bar)];
        for (int step = 0; step < kRowsPerBar; ++step) {
            const int row = bar * kRowsPerBar + step;
            const auto at = static_cast<std::size_t>(step);

            Cell& stroke = pattern.at(row, Chords);
            stroke.parameter = arpeggio;
            if (section.strokes.at(at) == 'X') {
                stroke.note = strokeRoot;
                stroke.instrument = ChordPulse;
            }

            Cell& bass = pattern.at(row, Bass);
            switch (section.bass.at(at)) {
            case 'R': bass.note = bassRoot; break;
            case 'F': bass.note = static_cast<std::uint8_t>(bassRoot + 7); break;
            case 'O': bass.note = static_cast<std::uint8_t>(bassRoot + 12); break;
            case '.': break;
            default: throw std::invalid_argument("a bass step is R, F, O or .");
            }
            if (bass.note)
                bass.instrument = BassTriangle;

            Cell& drum = pattern.at(row, Drums);
            switch (drums.at(at)) {
            case 'K': drum = {noteOf(0, 4), Kick}; break;
            case 'S': drum = {noteOf(0, 4), Snare}; break;
            case 's': drum = {noteOf(0, 4), Snare, volumeColumn(22)}; break;
            case '.': break;
            default: throw std::invalid_argument("a drum step is K, S, s or .");
            }

            Cell& hat = pattern.at(row, Hats);
            switch (section.hats.at(at)) {
            case 'h': hat = {noteOf(0, 4), HiHat, volumeColumn(14)}; break;
            case 'H': hat = {noteOf(0, 4), HiHat, volumeColumn(26)}; break;
            case '.': break;
            default: throw std::invalid_argument("a hi-hat step is h, H or .");
            }
        }
    }
}

Pattern patternOf(const Section& section)
{
    Pattern pattern(kRows, kChannels);
    writeMelody(pattern, section.lead);
    writePartner(pattern, section.lead, section.partner);
    writeBarFigures(pattern, section);
    return pattern;
}

// Envelopes rise over a tick or two and fall back to zero, so that no note starts or ends with a
// click. The pulses sustain until the next note or a rest; the chords are plucked.
const Envelope kHeldNote{{{0, 0}, {2, 64}, {8, 48}, {20, 40}, {28, 0}}, 3};
const Envelope kPluck{{{0, 0}, {1, 64}, {4, 40}, {10, 22}, {24, 10}, {48, 0}}, std::nullopt};
const Envelope kBassNote{{{0, 0}, {1, 64}, {6, 56}, {24, 48}, {30, 0}}, 3};
const Envelope kHatHit{{{0, 0}, {1, 64}, {3, 26}, {7, 8}, {12, 0}}, std::nullopt};

std::vector<Instrument> instruments()
{
    // Duties of 25 %, 12.5 % and 50 % (8, 4 and 16 of 32 samples high).
    return {
        {"lead pulse 25%", {pulseWave(8), true, 48, 128, 0}, kHeldNote, 0x200, {48, 2, 8}},
        {"companion pulse 12.5%", {pulseWave(4), true, 40, 176, 0}, kHeldNote, 0x200, {}},
        {"chord pulse 50%", {pulseWave(16), true, 26, 80, 0}, kPluck, 0, {}},
        {"bass triangle", {triangleWave(), true, 44, 128, 0}, kBassNote, 0x400, {}},
        // The drums are one-shot samples that start and end at zero on their own.
        {"kick", {kickDrum(), false, 64, 128, 0}, {}, 0, {}},
        {"snare", {snareDrum(), false, 44, 136, 12}, {}, 0, {}},
        {"hi-hat noise", {noise(1024, 90), true, 64, 168, 24}, kHatHit, 0, {}},
    };
}

} // namespace

Module composeTheme()
{
    Module module;
    module.name = "Skarnholm theme";
    module.trackerName = "Skarnholm musicgen";
    module.channels = kChannels;
    module.speed = 6;
    module.bpm = 150; // a row lasts 6 * 2.5 / 150 s = 100 ms
    module.restartPosition = kRestartOrder;
    module.orders = kOrders;
    for (const Section* section : kSections)
        module.patterns.push_back(patternOf(*section));
    module.instruments = instruments();
    return module;
}

} // namespace musicgen

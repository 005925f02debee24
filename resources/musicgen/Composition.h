#pragma once
// The program's tune.

#include "XmModule.h"

namespace musicgen {

/// A cheerful chiptune in C major at 150 beats a minute: six channels (lead, its echo or harmony,
/// arpeggiated chords, a triangle bass, kick and snare, hi-hat) over seven small chip instruments.
/// An intro, two verses on the hook, a two-part chorus, a bridge and the chorus again make 51.2 s;
/// then it goes back to the first verse.
Module composeTheme();

} // namespace musicgen

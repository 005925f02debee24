#pragma once
// The music player as the program calls it: a volume, and a song played from the program's own
// resources, in a loop, on a thread of its own.

#include "platform/music_service.h"

namespace platform {

/// Sets the volume on a scale of 0 (silence) to 25 (the song as written), linear in amplitude;
/// larger values count as 25. It holds for the song playing and every later one.
void uFMOD_SetVolume(unsigned volume);

/// Stops the song playing, then plays `song` from the resources of `module` (0: this program) as
/// `flags` say (0: loop it, start at once), and returns at once: the song is loaded, and the
/// sound card opened, on the music's own thread. False when there is nothing it could play.
bool uFMOD_PlaySong(ResourceId song, ModuleHandle module, PlayFlags flags);

} // namespace platform

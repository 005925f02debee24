#include "platform/music.h"

namespace platform {
namespace {

/// The program's one music player and its sound card: module state of the music service, made
/// at the first call. It is never torn down while the program runs, since the program ends
/// with the process; the music stops with it.
MusicService& music()
{
    static MusicService service;
    return service;
}

} // namespace

void uFMOD_SetVolume(unsigned volume)
{
    music().setVolume(volume);
}

bool uFMOD_PlaySong(ResourceId song, ModuleHandle module, PlayFlags flags)
{
    return music().playSong(song, module, flags);
}

} // namespace platform

#include "platform/music.h"

namespace platform {
namespace {

/// The program's one music player and its sound card: module state of the music service, made
/// at the first call and kept until the process ends, which stops the music with it.
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

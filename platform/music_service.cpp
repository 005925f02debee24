#include "platform/music_service.h"

#include <cstdio>
#include <string>

namespace platform {

bool MusicService::playSong(ResourceId song, ModuleHandle module, PlayFlags flags)
{
    m_player.stop();
    if (module != nullptr || flags.bits != 0)
        return false;
    const auto bytes = LoadResource(RT_RCDATA, song);
    // The song is ready before a new output starts pulling, so that its first note comes first.
    if (!bytes || !m_player.play(*bytes))
        return false;
    if (!hasOutput()) {
        m_player.stop();
        return false;
    }
    return true;
}

bool MusicService::hasOutput()
{
    if (m_output)
        return true;
    std::string whyNot;
    m_output = AudioOutput::open(m_player, whyNot);
    if (!m_output && !m_toldNoSound) {
        std::fprintf(stderr, "No sound: %s\n", whyNot.c_str());
        m_toldNoSound = true;
    }
    return m_output.has_value();
}

} // namespace platform

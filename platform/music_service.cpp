#include "platform/music_service.h"

#include "platform/music_song_p.h"
#include "platform/xm_module.h"

#include <cstdio>
#include <string>
#include <utility>

namespace platform {

MusicService::MusicService()
    : m_thread([this](std::stop_token stop) { runMusicThread(stop); })
{
}

MusicService::~MusicService() = default;

bool MusicService::playSong(ResourceId song, ModuleHandle module, PlayFlags flags)
{
    const std::lock_guard lock(m_mutex);
    // Whatever the music thread is loading now will not be started.
    ++m_plays;
    m_wanted.reset();
    m_player.stop();
    if (module != nullptr || flags.bits != 0)
        return false;
    const auto bytes = LoadResource(RT_RCDATA, song);
    if (!bytes || !isWholeXmModule(*bytes))
        return false;
    m_wanted = *bytes;
    m_changed.notify_all();
    return true;
}

void MusicService::waitUntilSettled()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_wanted && !m_loading; });
}

void MusicService::runMusicThread(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    while (m_changed.wait(lock, stop, [this] { return m_wanted.has_value(); })) {
        const auto bytes = *std::exchange(m_wanted, std::nullopt);
        const std::uint64_t play = m_plays;
        m_loading = true;
        lock.unlock();

        MusicPlayer::LoadedSong song = MusicPlayer::load(bytes);
        // A song that will not load never opens the card.
        const bool canBeHeard = song && hasOutput();

        lock.lock();
        if (canBeHeard && play == m_plays)
            m_player.start(std::move(song));
        m_loading = false;
        m_changed.notify_all();
    }
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

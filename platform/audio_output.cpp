#include "platform/audio_output.h"

#include "platform/music_player.h"

#include <SDL.h>

#include <dlfcn.h>

#include <span>
#include <string_view>
#include <utility>

namespace platform {
namespace {

void pullFromPlayer(void* player, Uint8* stream, int length)
{
    const std::size_t count = static_cast<std::size_t>(length) / sizeof(std::int16_t);
    static_cast<MusicPlayer*>(player)->render(std::span(reinterpret_cast<std::int16_t*>(stream), count));
}

void ignoreAlsaComplaint(const char*, int, const char*, int, const char*, ...) {}

/// ALSA's library writes its own complaints to the terminal, eight lines of them on a machine
/// without a sound card, before SDL can report the failure; the program tells of it in one line
/// instead. The library is the one SDL has just loaded, so nothing is loaded here.
void quietenAlsa()
{
    if (std::string_view(SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "") != "alsa")
        return;
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!alsa)
        return;
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetErrorHandler = int (*)(ErrorHandler);
    if (auto setHandler = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(ignoreAlsaComplaint);
    dlclose(alsa);
}

/// SDL keeps some state for each thread that calls it (its error text) and frees it only for the
/// threads it makes itself. Released when an open ends, a thread of the program's own that opens
/// outputs leaves nothing behind when it ends.
struct SdlThreadStateRelease {
    SdlThreadStateRelease() = default;
    SdlThreadStateRelease(const SdlThreadStateRelease&) = delete;
    SdlThreadStateRelease& operator=(const SdlThreadStateRelease&) = delete;
    ~SdlThreadStateRelease() { SDL_TLSCleanup(); }
};

} // namespace

std::optional<AudioOutput> AudioOutput::open(MusicPlayer& player, std::string& whyNot)
{
    const SdlThreadStateRelease releaseThreadState;
    // SDL's audio brings up its event queue, which would catch Ctrl-C and the terminate signal
    // for a queue nobody reads: the program would no longer stop when asked to.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        whyNot = SDL_GetError();
        return std::nullopt;
    }
    quietenAlsa();

    SDL_AudioSpec wanted{};
    wanted.freq = MusicPlayer::kSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = MusicPlayer::kChannels;
    wanted.samples = kFramesPerBuffer;
    wanted.callback = pullFromPlayer;
    wanted.userdata = &player;
    // With no changes allowed, SDL converts to whatever the card takes: the player always
    // renders the format it was asked for.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        whyNot = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return std::nullopt;
    }
    SDL_PauseAudioDevice(device, 0);
    return AudioOutput(device);
}

AudioOutput::AudioOutput(std::uint32_t device)
    : m_device(device)
{
}

AudioOutput::AudioOutput(AudioOutput&& other) noexcept
    : m_device(std::exchange(other.m_device, 0))
{
}

AudioOutput& AudioOutput::operator=(AudioOutput&& other) noexcept
{
    if (this != &other) {
        close();
        m_device = std::exchange(other.m_device, 0);
    }
    return *this;
}

AudioOutput::~AudioOutput()
{
    close();
}

void AudioOutput::close() noexcept
{
    if (m_device == 0)
        return;
    SDL_CloseAudioDevice(m_device); // waits for a callback in progress to return
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_device = 0;
}

} // namespace platform

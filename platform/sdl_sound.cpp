#include "platform/sdl_sound.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include "platform/sound_clips.h"

namespace platform {

namespace {

class Player {
public:
    ~Player() { Close(); }

    void Play(const std::string& name)
    {
        if (!Open()) return;
        const std::vector<Uint8>* clip = Clip(name);
        if (!clip) return;
        SDL_LockAudioDevice(device_);
        playing_ = clip;
        position_ = 0;
        playingName_ = name;
        SDL_UnlockAudioDevice(device_);
    }

    void Close()
    {
        if (device_) {
            SDL_CloseAudioDevice(device_);  // stops the callback thread
            device_ = 0;
        }
        if (ownsSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ownsSubsystem_ = false;
        tried_ = false;
        playing_ = nullptr;
        playingName_.clear();
        clips_.clear();
    }

    bool DeviceOpen() const { return device_ != 0; }

    std::string Playing()
    {
        if (!device_) return "";
        SDL_LockAudioDevice(device_);
        std::string name = playing_ ? playingName_ : std::string();
        SDL_UnlockAudioDevice(device_);
        return name;
    }

private:
    // Opens the device once; a failure is remembered until Close.
    bool Open()
    {
        if (device_) return true;
        if (tried_) return false;
        tried_ = true;
        // Ctrl+C and SIGTERM keep their default effect.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "no sound: %s\n", SDL_GetError());
            return false;
        }
        ownsSubsystem_ = true;
        SDL_AudioSpec want;
        SDL_zero(want);
        want.freq = 44100;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = &Player::Fill;
        want.userdata = this;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &spec_, SDL_AUDIO_ALLOW_ANY_CHANGE);
        if (!device_) {
            std::fprintf(stderr, "no sound: %s\n", SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            ownsSubsystem_ = false;
            return false;
        }
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    // The clip converted to the device's format, converted once and kept.
    const std::vector<Uint8>* Clip(const std::string& name)
    {
        auto it = clips_.find(name);
        if (it != clips_.end()) return &it->second;
        size_t size = 0;
        const unsigned char* data = SoundClipData(name, &size);
        if (!data || size == 0) return nullptr;

        SDL_AudioSpec wav;
        Uint8* samples = nullptr;
        Uint32 length = 0;
        if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1, &wav, &samples, &length)) {
            std::fprintf(stderr, "bad sound clip %s: %s\n", name.c_str(), SDL_GetError());
            return nullptr;
        }
        SDL_AudioCVT cvt;
        const int built = SDL_BuildAudioCVT(&cvt, wav.format, wav.channels, wav.freq, spec_.format,
                                            spec_.channels, spec_.freq);
        std::vector<Uint8> out;
        if (built == 0) {
            out.assign(samples, samples + length);
        } else if (built > 0) {
            out.resize(static_cast<size_t>(length) * cvt.len_mult);
            std::memcpy(out.data(), samples, length);
            cvt.buf = out.data();
            cvt.len = static_cast<int>(length);
            if (SDL_ConvertAudio(&cvt) == 0)
                out.resize(static_cast<size_t>(cvt.len_cvt));
            else
                out.clear();
        }
        SDL_FreeWAV(samples);
        if (out.empty()) {
            std::fprintf(stderr, "cannot convert sound clip %s: %s\n", name.c_str(), SDL_GetError());
            return nullptr;
        }
        return &(clips_[name] = std::move(out));
    }

    static void SDLCALL Fill(void* userdata, Uint8* stream, int len)
    {
        auto* self = static_cast<Player*>(userdata);
        std::memset(stream, self->spec_.silence, static_cast<size_t>(len));
        const std::vector<Uint8>* clip = self->playing_;
        if (!clip) return;
        const size_t left = clip->size() - self->position_;
        const size_t n = left < static_cast<size_t>(len) ? left : static_cast<size_t>(len);
        std::memcpy(stream, clip->data() + self->position_, n);
        self->position_ += n;
        if (self->position_ >= clip->size()) self->playing_ = nullptr;
    }

    bool tried_ = false;
    bool ownsSubsystem_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    std::map<std::string, std::vector<Uint8>> clips_;
    // Shared with the audio thread; changed under the device lock.
    const std::vector<Uint8>* playing_ = nullptr;
    size_t position_ = 0;
    std::string playingName_;
};

Player g_player;

}  // namespace

void PlaySoundClip(const std::string& name) { g_player.Play(name); }
void ShutdownSound() { g_player.Close(); }

bool ReleaseSoundWhenSilent()
{
    if (!g_player.Playing().empty()) return false;
    if (g_player.DeviceOpen()) g_player.Close();
    return true;
}
bool SoundDeviceOpen() { return g_player.DeviceOpen(); }
std::string PlayingSoundClip() { return g_player.Playing(); }

}  // namespace platform

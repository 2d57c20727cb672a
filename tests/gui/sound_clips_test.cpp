// The program's sound clips: well-formed WAV data of the intended shape, and
// their playing through SDL audio.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include "platform/sdl_sound.h"
#include "platform/sound_clips.h"

using namespace platform;

namespace {

uint32_t Le(const unsigned char* p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

struct Wav {
    int rate = 1;
    std::vector<int16_t> samples;
    double Seconds() const { return static_cast<double>(samples.size()) / rate; }
    // Root mean square of the samples in [from, to) seconds, as a share of full scale.
    double Rms(double from, double to) const
    {
        const size_t a = static_cast<size_t>(from * rate), b = std::min(samples.size(), static_cast<size_t>(to * rate));
        double sum = 0.0;
        for (size_t i = a; i < b; ++i) sum += static_cast<double>(samples[i]) * samples[i];
        return b > a ? std::sqrt(sum / (b - a)) / 32768.0 : 0.0;
    }
    // Separate bursts in windows of the given length rising above half the loudest.
    int Bursts(double window) const
    {
        std::vector<double> levels;
        for (double t = 0.0; t < Seconds(); t += window) levels.push_back(Rms(t, t + window));
        const double loudest = *std::max_element(levels.begin(), levels.end());
        int bursts = 0, in = 0;
        for (double l : levels) {
            if (!in && l > 0.5 * loudest) ++bursts, in = 1;
            if (in && l < 0.1 * loudest) in = 0;
        }
        return bursts;
    }
};

// Checks the canonical 44-byte mono 16-bit PCM layout the clips use, and
// that SDL reads them as they are; returns the samples.
Wav ParseClip(const std::string& name)
{
    Wav wav;
    size_t size = 0;
    const unsigned char* d = SoundClipData(name, &size);
    if (!d || size < 44) {
        ADD_FAILURE() << name << " missing or short";
        return wav;
    }
    EXPECT_EQ(std::memcmp(d, "RIFF", 4) | std::memcmp(d + 8, "WAVEfmt ", 8) | std::memcmp(d + 36, "data", 4), 0);
    wav.rate = static_cast<int>(Le(d + 24, 4));
    // sizes, PCM and mono, byte rate, 2-byte frames of 16 bits
    const uint32_t n = static_cast<uint32_t>(size), want[] = {n - 8, 16, 0x10001, Le(d + 24, 4) * 2, 0x100002, n - 44};
    const int at[] = {4, 16, 20, 28, 32, 40};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Le(d + at[i], 4), want[i]) << "offset " << at[i];
    for (size_t i = 44; i + 1 < size; i += 2) wav.samples.push_back(static_cast<int16_t>(Le(d + i, 2)));
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    EXPECT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(d, static_cast<int>(size)), 1, &spec, &buffer, &length), nullptr);
    EXPECT_EQ(length, wav.samples.size() * 2);
    SDL_FreeWAV(buffer);
    return wav;
}

}  // namespace

TEST(SoundClips, AreWellFormedLoudUnclippedAndShapedLikeTheirSounds)
{
    Wav clips[3];
    const char* names[3] = {"IDR_WAVE_CHEERS", "IDR_WAVE_CRACK", "IDR_WAVE_WRENCH"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        clips[i] = ParseClip(names[i]);
        ASSERT_FALSE(clips[i].samples.empty());
        const auto peak = std::minmax_element(clips[i].samples.begin(), clips[i].samples.end());
        const int loudest = std::max(-*peak.first, static_cast<int>(*peak.second));
        EXPECT_TRUE(loudest > 16000 && loudest < 32767) << loudest;  // audible, never clipped
    }
    size_t size = 99;
    EXPECT_TRUE(SoundClipData("IDR_WAVE_NONE", &size) == nullptr && size == 0);
    // About two seconds of crowd, swelling in and fading out.
    const Wav& cheers = clips[0];
    EXPECT_NEAR(cheers.Seconds(), 2.0, 0.3);
    const double middle = cheers.Rms(0.5, 1.5);
    EXPECT_LT(cheers.Rms(0.0, 0.03), 0.2 * middle);
    EXPECT_LT(cheers.Rms(cheers.Seconds() - 0.05, cheers.Seconds()), 0.1 * middle);
    // A crack: short, one burst, loudest at once; a ratchet: a few separate clicks.
    EXPECT_LT(clips[1].Seconds(), 0.7);
    EXPECT_EQ(clips[1].Bursts(0.01), 1);
    EXPECT_GT(clips[1].Rms(0.0, 0.03), 4.0 * clips[1].Rms(0.1, 0.2));
    const int clicks = clips[2].Bursts(0.005);
    EXPECT_TRUE(clicks >= 3 && clicks <= 8) << clicks;
}

TEST(SoundPlayback, SilentWithoutADeviceThenPlaysToTheEndAndANewClipCutsTheOldOne)
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = driver ? driver : "";
    ShutdownSound(), setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    auto waitUntilNot = [](const std::string& name) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (PlayingSoundClip() == name && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return PlayingSoundClip() != name;
    };
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 9; ++i) PlaySoundClip("IDR_WAVE_CRACK");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(!SoundDeviceOpen() && PlayingSoundClip().empty());
    // A device that appears later is used after the sound is shut down and started again.
    ShutdownSound(), setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlaySoundClip("IDR_WAVE_CRACK");
    ASSERT_TRUE(SoundDeviceOpen());
    EXPECT_EQ(PlayingSoundClip(), "IDR_WAVE_CRACK");
    // The audio library leaves Ctrl+C and SIGTERM to their default effect.
    for (int sig : {SIGINT, SIGTERM}) {
        struct sigaction now {};
        sigaction(sig, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << sig;
    }
    // The whole clip is consumed in about its own length (0.45 s), not at once.
    start = std::chrono::steady_clock::now();
    EXPECT_TRUE(waitUntilNot("IDR_WAVE_CRACK"));
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(PlayingSoundClip(), "");
    PlaySoundClip("IDR_WAVE_CHEERS"), PlaySoundClip("IDR_WAVE_WRENCH");
    EXPECT_EQ(PlayingSoundClip(), "IDR_WAVE_WRENCH");
    PlaySoundClip("IDR_WAVE_NONE");  // an unknown clip leaves the one playing alone
    EXPECT_EQ(PlayingSoundClip(), "IDR_WAVE_WRENCH");
    EXPECT_TRUE(waitUntilNot("IDR_WAVE_WRENCH"));
    ShutdownSound();
    driver ? setenv("SDL_AUDIODRIVER", saved.c_str(), 1) : unsetenv("SDL_AUDIODRIVER");
}

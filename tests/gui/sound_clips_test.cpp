// The program's sound clips: well-formed WAV data of the intended shape, and
// their playing through SDL audio.
#include <chrono>
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

uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct Wav {
    int rate = 0;
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
};

// Checks the canonical 44-byte PCM layout the clips use and returns the samples.
Wav ParseClip(const std::string& name)
{
    Wav wav;
    size_t size = 0;
    const unsigned char* d = SoundClipData(name, &size);
    EXPECT_NE(d, nullptr) << name;
    if (!d) return wav;
    EXPECT_GE(size, 44u);
    if (size < 44) return wav;
    EXPECT_EQ(std::memcmp(d, "RIFF", 4), 0);
    EXPECT_EQ(Le32(d + 4), size - 8);
    EXPECT_EQ(std::memcmp(d + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Le32(d + 16), 16u);
    EXPECT_EQ(Le16(d + 20), 1);   // PCM
    EXPECT_EQ(Le16(d + 22), 1);   // mono
    wav.rate = static_cast<int>(Le32(d + 24));
    EXPECT_GE(wav.rate, 8000);
    EXPECT_EQ(Le32(d + 28), static_cast<uint32_t>(wav.rate) * 2);
    EXPECT_EQ(Le16(d + 32), 2);
    EXPECT_EQ(Le16(d + 34), 16);
    EXPECT_EQ(std::memcmp(d + 36, "data", 4), 0);
    const uint32_t bytes = Le32(d + 40);
    EXPECT_EQ(bytes, size - 44);
    EXPECT_EQ(bytes % 2, 0u);
    for (size_t i = 44; i + 1 < 44 + std::min<size_t>(bytes, size - 44); i += 2)
        wav.samples.push_back(static_cast<int16_t>(Le16(d + i)));
    return wav;
}

int Peak(const Wav& w)
{
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// Sound in short windows: how many separate bursts rise above half the loudest window.
int CountBursts(const Wav& w, double window)
{
    double loudest = 0.0;
    std::vector<double> levels;
    for (double t = 0.0; t < w.Seconds(); t += window) levels.push_back(w.Rms(t, t + window));
    for (double l : levels) loudest = std::max(loudest, l);
    int bursts = 0;
    bool in = false;
    for (double l : levels) {
        if (!in && l > 0.5 * loudest) {
            ++bursts;
            in = true;
        } else if (in && l < 0.1 * loudest) {
            in = false;
        }
    }
    return bursts;
}

}  // namespace

TEST(SoundClips, AreWellFormedLoudAndUnclipped)
{
    for (const char* name : {"IDR_WAVE_CHEERS", "IDR_WAVE_CRACK", "IDR_WAVE_WRENCH"}) {
        SCOPED_TRACE(name);
        const Wav w = ParseClip(name);
        ASSERT_FALSE(w.samples.empty());
        const int peak = Peak(w);
        EXPECT_GT(peak, 16000);   // loud enough to hear
        EXPECT_LT(peak, 32767);   // and never clipped
        EXPECT_GT(w.Rms(0.0, w.Seconds()), 0.02);

        // SDL reads them as they are.
        size_t size = 0;
        const unsigned char* d = SoundClipData(name, &size);
        SDL_AudioSpec spec;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(d, static_cast<int>(size)), 1, &spec, &buffer, &length), nullptr)
            << SDL_GetError();
        EXPECT_EQ(length, w.samples.size() * 2);
        SDL_FreeWAV(buffer);
    }
    size_t size = 99;
    EXPECT_EQ(SoundClipData("IDR_WAVE_NONE", &size), nullptr);
    EXPECT_EQ(size, 0u);
}

TEST(SoundClips, HaveTheShapeOfTheirSounds)
{
    // About two seconds of crowd, swelling in and fading out, loud throughout the middle.
    const Wav cheers = ParseClip("IDR_WAVE_CHEERS");
    EXPECT_NEAR(cheers.Seconds(), 2.0, 0.3);
    const double middle = cheers.Rms(0.5, 1.5);
    for (double t = 0.3; t < 1.5; t += 0.2) EXPECT_GT(cheers.Rms(t, t + 0.2), 0.5 * middle) << t;
    EXPECT_LT(cheers.Rms(0.0, 0.03), 0.2 * middle);
    EXPECT_LT(cheers.Rms(cheers.Seconds() - 0.05, cheers.Seconds()), 0.1 * middle);

    // A crack: short, loudest at once, quickly decaying.
    const Wav crack = ParseClip("IDR_WAVE_CRACK");
    EXPECT_GT(crack.Seconds(), 0.1);
    EXPECT_LT(crack.Seconds(), 0.7);
    EXPECT_GT(crack.Rms(0.0, 0.03), 4.0 * crack.Rms(0.1, 0.2));
    EXPECT_GT(crack.Rms(0.1, 0.2), 20.0 * crack.Rms(crack.Seconds() - 0.05, crack.Seconds()));
    EXPECT_EQ(CountBursts(crack, 0.01), 1);

    // A ratchet: a few separate clicks.
    const Wav wrench = ParseClip("IDR_WAVE_WRENCH");
    EXPECT_GT(wrench.Seconds(), 0.2);
    EXPECT_LT(wrench.Seconds(), 1.0);
    const int clicks = CountBursts(wrench, 0.005);
    EXPECT_GE(clicks, 3);
    EXPECT_LE(clicks, 8);
}

class SoundPlayback : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        saved_ = driver ? driver : "";
        ShutdownSound();
    }
    void TearDown() override
    {
        ShutdownSound();
        if (saved_.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", saved_.c_str(), 1);
    }
    // Waits until the clip playing is no longer `name`; false at the deadline.
    static bool WaitUntilNot(const std::string& name, double seconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (PlayingSoundClip() == name) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }
    std::string saved_;
};

TEST_F(SoundPlayback, PlaysToTheEndAndANewClipCutsTheOldOne)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlaySoundClip("IDR_WAVE_CRACK");
    ASSERT_TRUE(SoundDeviceOpen());
    EXPECT_EQ(PlayingSoundClip(), "IDR_WAVE_CRACK");
    // The whole clip is consumed in about its own length (0.45 s), not at once.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(WaitUntilNot("IDR_WAVE_CRACK", 5.0));
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(took, 0.2);
    EXPECT_EQ(PlayingSoundClip(), "");

    PlaySoundClip("IDR_WAVE_CHEERS");
    EXPECT_EQ(PlayingSoundClip(), "IDR_WAVE_CHEERS");
    PlaySoundClip("IDR_WAVE_WRENCH");
    EXPECT_EQ(PlayingSoundClip(), "IDR_WAVE_WRENCH");
    // An unknown clip leaves the one playing alone.
    PlaySoundClip("IDR_WAVE_NONE");
    EXPECT_EQ(PlayingSoundClip(), "IDR_WAVE_WRENCH");
    EXPECT_TRUE(WaitUntilNot("IDR_WAVE_WRENCH", 5.0));
}

TEST_F(SoundPlayback, WithoutAnAudioDeviceStaysSilent)
{
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 9; ++i) PlaySoundClip("IDR_WAVE_CRACK");
    PlaySoundClip("IDR_WAVE_CHEERS");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
    EXPECT_FALSE(SoundDeviceOpen());
    EXPECT_EQ(PlayingSoundClip(), "");

    // A device that appears later is used after the sound is shut down and started again.
    ShutdownSound();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    PlaySoundClip("IDR_WAVE_CRACK");
    EXPECT_TRUE(SoundDeviceOpen());
}

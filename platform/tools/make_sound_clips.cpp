// make_sound_clips <out.cpp>
// Synthesises the program's three sound clips (a crowd cheer, a wood crack and
// a ratchet wrench) as 16-bit mono PCM WAV data and writes them as a C++
// source that defines platform::SoundClipData. The output depends only on
// this file: a fixed-seed generator drives every random choice.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    // Uniform in [0, 1).
    double Next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }
    double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }
    double Noise() { return Range(-1.0, 1.0); }

private:
    uint64_t state_;
};

using Signal = std::vector<double>;

Signal Silence(double seconds) { return Signal(static_cast<size_t>(seconds * kRate), 0.0); }

// One-pole low-pass and high-pass, in place.
void LowPass(Signal& s, double cutoffHz)
{
    const double a = std::exp(-2.0 * kPi * cutoffHz / kRate);
    double y = 0.0;
    for (double& x : s) {
        y = (1.0 - a) * x + a * y;
        x = y;
    }
}

void HighPass(Signal& s, double cutoffHz)
{
    Signal low = s;
    LowPass(low, cutoffHz);
    for (size_t i = 0; i < s.size(); ++i) s[i] -= low[i];
}

// A damped sine added from time t0 (seconds).
void AddMode(Signal& s, double t0, double freq, double tau, double amp)
{
    const size_t start = static_cast<size_t>(t0 * kRate);
    for (size_t i = start; i < s.size(); ++i) {
        const double t = static_cast<double>(i - start) / kRate;
        const double env = std::exp(-t / tau);
        if (env < 1e-4) break;
        s[i] += amp * env * std::sin(2.0 * kPi * freq * t);
    }
}

// A noise burst with an exponential decay, added from time t0.
void AddBurst(Signal& s, Random& rnd, double t0, double tau, double amp)
{
    const size_t start = static_cast<size_t>(t0 * kRate);
    for (size_t i = start; i < s.size(); ++i) {
        const double t = static_cast<double>(i - start) / kRate;
        const double env = std::exp(-t / tau);
        if (env < 1e-4) break;
        const double attack = std::min(1.0, t / 0.0005);
        s[i] += amp * attack * env * rnd.Noise();
    }
}

std::vector<int16_t> Normalise(const Signal& s, double peak)
{
    double max = 0.0;
    for (double x : s) max = std::max(max, std::fabs(x));
    const double gain = max > 0.0 ? peak * 32767.0 / max : 0.0;
    std::vector<int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<int16_t>(std::lround(s[i] * gain));
    return out;
}

// A crowd of voices shouting "ah", clapping hands and a breathy roar.
std::vector<int16_t> Cheers()
{
    Random rnd(0x6368656572735ULL);
    const double length = 2.1;
    Signal s = Silence(length);

    for (int v = 0; v < 36; ++v) {
        const double f0 = rnd.Range(170.0, 420.0);
        const double t0 = rnd.Range(0.0, 0.35);
        const double t1 = rnd.Range(1.4, 2.0);
        const double amp = rnd.Range(0.3, 1.0);
        const double vibRate = rnd.Range(4.5, 7.0);
        const double vibPhase = rnd.Range(0.0, 2.0 * kPi);
        const double swayRate = rnd.Range(2.0, 5.0);
        const double swayPhase = rnd.Range(0.0, 2.0 * kPi);
        const double f1 = rnd.Range(650.0, 850.0);   // formants of "ah"
        const double f2 = rnd.Range(1100.0, 1300.0);
        double phase = rnd.Range(0.0, 2.0 * kPi);
        const size_t a = static_cast<size_t>(t0 * kRate), b = static_cast<size_t>(t1 * kRate);
        for (size_t i = a; i < b && i < s.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double u = (t - t0) / (t1 - t0);
            const double f = f0 * (1.0 + 0.25 * std::sin(kPi * u)) *
                             (1.0 + 0.02 * std::sin(2.0 * kPi * vibRate * t + vibPhase));
            phase += 2.0 * kPi * f / kRate;
            double x = 0.0;
            for (int k = 1; k <= 8; ++k) {
                const double fk = k * f;
                const double d1 = (fk - f1) / 220.0, d2 = (fk - f2) / 300.0;
                const double w = (1.0 + 2.0 * std::exp(-d1 * d1) + 1.5 * std::exp(-d2 * d2)) / k;
                x += w * std::sin(k * phase);
            }
            const double env = std::min(1.0, (t - t0) / 0.06) * std::min(1.0, (t1 - t) / 0.25) *
                               (0.7 + 0.3 * std::sin(2.0 * kPi * swayRate * t + swayPhase));
            s[i] += amp * env * x;
        }
    }

    // The breathy roar under the voices.
    Signal roar = Silence(length);
    for (double& x : roar) x = rnd.Noise();
    HighPass(roar, 300.0);
    LowPass(roar, 3000.0);
    for (size_t i = 0; i < s.size(); ++i) s[i] += 9.0 * roar[i];

    // Hand claps.
    Signal claps = Silence(length);
    for (int c = 0; c < 90; ++c) AddBurst(claps, rnd, rnd.Range(0.1, 1.9), 0.004, rnd.Range(10.0, 20.0));
    HighPass(claps, 900.0);
    for (size_t i = 0; i < s.size(); ++i) s[i] += claps[i];

    // Swell in, hold, fade out.
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double in = std::min(1.0, t / 0.2);
        const double out = t < 1.5 ? 1.0 : std::max(0.0, (length - t) / (length - 1.5));
        s[i] *= in * in * (3.0 - 2.0 * in) * out;
    }
    return Normalise(s, 0.85);
}

// A balsa member breaking: a sharp broadband snap with splinters, a short
// woody ring and a low thump.
std::vector<int16_t> Crack()
{
    Random rnd(0x637261636bULL);
    Signal s = Silence(0.45);
    const double t0 = 0.005;
    AddBurst(s, rnd, t0, 0.006, 1.0);
    for (int k = 0; k < 6; ++k) AddBurst(s, rnd, rnd.Range(0.01, 0.08), 0.002, rnd.Range(0.2, 0.5));
    HighPass(s, 400.0);
    AddMode(s, t0, 850.0, 0.025, 0.3);
    AddMode(s, t0, 1900.0, 0.015, 0.2);
    // The thump: a falling low tone.
    double phase = 0.0;
    for (size_t i = static_cast<size_t>(t0 * kRate); i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate - t0;
        const double f = 45.0 + 50.0 * std::exp(-t / 0.05);
        phase += 2.0 * kPi * f / kRate;
        s[i] += 0.7 * std::min(1.0, t / 0.003) * std::exp(-t / 0.07) * std::sin(phase);
    }
    return Normalise(s, 0.9);
}

// A ratchet wrench: six metallic clicks.
std::vector<int16_t> Wrench()
{
    Random rnd(0x7772656e6368ULL);
    Signal s = Silence(0.55);
    for (int k = 0; k < 6; ++k) {
        const double t = 0.03 + 0.075 * k + rnd.Range(-0.005, 0.005);
        const double amp = rnd.Range(0.7, 1.0);
        const double detune = rnd.Range(0.97, 1.03);
        AddBurst(s, rnd, t, 0.0004, 0.8 * amp);
        AddMode(s, t, 1150.0 * detune, 0.012, 0.15 * amp);
        AddMode(s, t, 2300.0 * detune, 0.008, 0.5 * amp);
        AddMode(s, t, 3650.0 * detune, 0.006, 0.4 * amp);
        AddMode(s, t, 5200.0 * detune, 0.004, 0.3 * amp);
    }
    return Normalise(s, 0.85);
}

void Put16(std::vector<unsigned char>& b, unsigned v)
{
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutTag(std::vector<unsigned char>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

std::vector<unsigned char> Wav(const std::vector<int16_t>& samples)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<unsigned char> b;
    PutTag(b, "RIFF");
    Put32(b, 36 + dataBytes);
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);  // PCM
    Put16(b, 1);  // mono
    Put32(b, kRate);
    Put32(b, kRate * 2);
    Put16(b, 2);
    Put16(b, 16);
    PutTag(b, "data");
    Put32(b, dataBytes);
    for (int16_t x : samples) Put16(b, static_cast<uint16_t>(x));
    return b;
}

bool WriteArray(FILE* f, const char* name, const std::vector<unsigned char>& bytes)
{
    std::fprintf(f, "const unsigned char %s[%zu] = {\n", name, bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        std::fprintf(f, "%u,%s", bytes[i], (i % 24 == 23 || i + 1 == bytes.size()) ? "\n" : "");
    return std::fprintf(f, "};\n\n") > 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sound_clips <out.cpp>\n");
        return 2;
    }
    struct Clip {
        const char* resource;
        const char* array;
        std::vector<unsigned char> wav;
    };
    const Clip clips[] = {
        {"IDR_WAVE_CHEERS", "kCheers", Wav(Cheers())},
        {"IDR_WAVE_CRACK", "kCrack", Wav(Crack())},
        {"IDR_WAVE_WRENCH", "kWrench", Wav(Wrench())},
    };

    const std::string out = argv[1];
    const std::string tmp = out + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "w");
    if (!f) {
        std::perror(tmp.c_str());
        return 1;
    }
    bool ok = std::fprintf(f,
                           "// Generated by make_sound_clips: the program's sound clips as WAV data.\n"
                           "#include \"platform/sound_clips.h\"\n\n"
                           "namespace platform {\n\nnamespace {\n\n") > 0;
    for (const Clip& c : clips) ok = ok && WriteArray(f, c.array, c.wav);
    ok = ok && std::fprintf(f,
                            "}  // namespace\n\n"
                            "const unsigned char* SoundClipData(const std::string& name, size_t* size)\n{\n") > 0;
    for (const Clip& c : clips)
        ok = ok && std::fprintf(f,
                                "    if (name == \"%s\") {\n"
                                "        if (size) *size = sizeof %s;\n"
                                "        return %s;\n    }\n",
                                c.resource, c.array, c.array) > 0;
    ok = ok && std::fprintf(f, "    if (size) *size = 0;\n    return nullptr;\n}\n\n}  // namespace platform\n") > 0;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || std::rename(tmp.c_str(), out.c_str()) != 0) {
        std::perror(out.c_str());
        std::remove(tmp.c_str());
        return 1;
    }
    return 0;
}

// Writes <outdir>/Sounds/ring.wav, the default alarm sound: a soft two-note
// chime (ding-dong) of bell-like partials, each fading away exponentially.
// 16-bit PCM, mono, 44100 Hz, about 2.8 seconds.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 2.8;
constexpr double kPi = 3.14159265358979323846;

struct Partial {
    double ratio;  // to the note's fundamental
    double amplitude;
    double decay;  // time constant in seconds
};

// A struck bell's partials are not harmonic, and the high ones die first.
const Partial kBell[] = {
    {1.0, 1.0, 0.9}, {2.0, 0.45, 0.55}, {2.76, 0.22, 0.35}, {4.07, 0.10, 0.22}, {5.40, 0.05, 0.15},
};

struct Note {
    double start;  // seconds
    double frequency;
    double gain;
};

// E5 then C5: the familiar falling third of a door chime.
const Note kNotes[] = {{0.0, 659.26, 1.0}, {0.55, 523.25, 0.9}};

std::vector<double> Render() {
    const int count = static_cast<int>(kSeconds * kRate);
    std::vector<double> samples(count, 0.0);
    const double attack = 0.004;
    for (const Note& note : kNotes) {
        const int first = static_cast<int>(note.start * kRate);
        for (int i = first; i < count; ++i) {
            const double t = static_cast<double>(i - first) / kRate;
            // Raised-cosine onset: no click, still a strike.
            const double onset = t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack) : 1.0;
            double value = 0.0;
            for (const Partial& p : kBell)
                value += p.amplitude * std::exp(-t / p.decay) * std::sin(2.0 * kPi * note.frequency * p.ratio * t);
            samples[i] += note.gain * onset * value;
        }
    }
    // The last 0.3 s fade out, so the sound dies away instead of being cut.
    const int fade = kRate * 3 / 10;
    for (int i = 0; i < fade; ++i)
        samples[count - 1 - i] *= static_cast<double>(i) / fade;
    double peak = 0.0;
    for (double s : samples)
        peak = std::max(peak, std::fabs(s));
    const double scale = peak > 0.0 ? 0.7 / peak : 0.0;
    for (double& s : samples)
        s *= scale;
    return samples;
}

void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string Wave(const std::vector<double>& samples) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    PutLE(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);  // PCM
    PutLE(out, 1, 2);  // mono
    PutLE(out, kRate, 4);
    PutLE(out, kRate * 2, 4);
    PutLE(out, 2, 2);
    PutLE(out, 16, 2);
    out += "data";
    PutLE(out, dataBytes, 4);
    for (double s : samples) {
        const long value = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        PutLE(out, static_cast<uint32_t>(static_cast<int16_t>(value)) & 0xFFFF, 2);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chime <outdir>\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "Sounds";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path file = folder / "ring.wav";
    std::ofstream out(file, std::ios::binary);
    const std::string wave = Wave(Render());
    out.write(wave.data(), static_cast<std::streamsize>(wave.size()));
    if (!out) {
        std::fprintf(stderr, "make_chime: cannot write %s\n", file.string().c_str());
        return 1;
    }
    return 0;
}

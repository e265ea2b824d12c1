// Writes the program's own alarm sound: a soft two-note chime ("ding-dong", E6 then C6) of
// about one second, 44.1 kHz mono 16-bit PCM. Run by the build; nothing in it comes from a
// recording.
//   make_chime out.wav

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 1.1;

struct Note {
    double start;     // seconds
    double frequency; // Hz
    double gain;
};

// A struck bell: the fundamental with a few quieter partials that fade faster, a 4 ms attack
// so it does not click, and an exponential decay.
double bell(double t, double f) {
    if (t < 0) {
        return 0;
    }
    const double attack = std::min(1.0, t / 0.004);
    const double two_pi = 2 * std::numbers::pi;
    return attack * (std::sin(two_pi * f * t) * std::exp(-t / 0.35) +
                     0.35 * std::sin(two_pi * 2 * f * t) * std::exp(-t / 0.15) +
                     0.12 * std::sin(two_pi * 3 * f * t) * std::exp(-t / 0.08));
}

void put16(std::FILE* f, uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

void put32(std::FILE* f, uint32_t v) {
    put16(f, static_cast<uint16_t>(v));
    put16(f, static_cast<uint16_t>(v >> 16));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chime out.wav\n");
        return 2;
    }
    const Note notes[] = {{0.0, 1318.51, 0.45}, {0.28, 1046.50, 0.45}};
    const int count = static_cast<int>(kSeconds * kRate);
    const int fade = kRate / 20; // the last 50 ms fade to silence
    std::vector<int16_t> samples(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0;
        for (const Note& n : notes) {
            v += n.gain * bell(t - n.start, n.frequency);
        }
        if (i > count - fade) {
            v *= static_cast<double>(count - i) / fade;
        }
        v = std::clamp(v, -1.0, 1.0);
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(std::lround(v * 32767));
    }

    std::FILE* f = std::fopen(argv[1], "wb");
    if (f == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (const int16_t s : samples) {
        put16(f, static_cast<uint16_t>(s));
    }
    if (std::fclose(f) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}

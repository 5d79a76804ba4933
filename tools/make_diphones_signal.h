// Signal steps of the database generator: halving the sample rate, finding a
// quiet cut point, and turning samples into 8-bit unsigned bytes.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace diphones {

// 22050 Hz to 11025 Hz: a windowed-sinc low-pass below the new Nyquist
// frequency, then every second sample.
inline std::vector<float> halveRate(const std::vector<float>& input) {
    constexpr int half = 31;
    static const std::vector<float> taps = [] {
        std::vector<float> t(2 * half + 1);
        const double cutoff = 0.45 * 0.5;  // of the input rate: 4961 Hz at 22050 Hz
        const double pi = 3.14159265358979323846;
        double sum = 0;
        for (int i = -half; i <= half; ++i) {
            double sinc = i == 0 ? 2 * cutoff : std::sin(2 * pi * cutoff * i) / (pi * i);
            double window = 0.42 + 0.5 * std::cos(pi * i / half) + 0.08 * std::cos(2 * pi * i / half);
            t[i + half] = static_cast<float>(sinc * window);
            sum += t[i + half];
        }
        for (float& v : t) v = static_cast<float>(v / sum);
        return t;
    }();
    std::vector<float> output(input.size() / 2);
    for (std::size_t o = 0; o < output.size(); ++o) {
        long centre = static_cast<long>(2 * o);
        double acc = 0;
        for (int i = -half; i <= half; ++i) {
            long at = centre + i;
            if (at >= 0 && at < static_cast<long>(input.size())) acc += taps[i + half] * input[at];
        }
        output[o] = static_cast<float>(acc);
    }
    return output;
}

// The sample nearest to `at` (within `reach`) where the signal changes sign,
// so that units start and end close to zero; `at` itself when there is none.
inline std::size_t nearestZeroCrossing(const std::vector<float>& s, std::size_t at, std::size_t reach) {
    for (std::size_t d = 0; d <= reach; ++d) {
        for (long candidate : {static_cast<long>(at) - static_cast<long>(d), static_cast<long>(at + d)}) {
            if (candidate <= 0 || candidate >= static_cast<long>(s.size())) continue;
            if ((s[candidate - 1] < 0) != (s[candidate] < 0)) return static_cast<std::size_t>(candidate);
        }
    }
    return std::min(at, s.size());
}

// Root mean square of each whole frame of `frame` samples in [from, to).
inline std::vector<float> frameLevels(const std::vector<float>& s, std::size_t from, std::size_t to,
                                      std::size_t frame) {
    std::vector<float> levels;
    to = std::min(to, s.size());
    for (std::size_t at = from; at + frame <= to; at += frame) {
        double sum = 0;
        for (std::size_t i = at; i < at + frame; ++i) sum += static_cast<double>(s[i]) * s[i];
        levels.push_back(static_cast<float>(std::sqrt(sum / frame)));
    }
    return levels;
}

// Where a unit that ends in a vowel should end: the vowel of a carrier fades
// into the closure of the next syllable, and a join cut there would meet the
// next unit at a dip.  Frames at the end quieter than half the unit's loudest
// frame are dropped, at most `most` samples.
inline std::size_t endBeforeFade(const std::vector<float>& s, std::size_t start, std::size_t end,
                                 std::size_t frame, std::size_t most) {
    std::vector<float> levels = frameLevels(s, start, end, frame);
    if (levels.empty()) return end;
    const float loudest = *std::max_element(levels.begin(), levels.end());
    std::size_t dropped = 0;
    for (std::size_t k = levels.size(); k > 1 && dropped + frame <= most && levels[k - 1] < 0.5f * loudest; --k)
        dropped += frame;
    // The frames cover whole frames from start; the remainder past them goes too.
    std::size_t covered = start + levels.size() * frame;
    return dropped > 0 ? covered - dropped : end;
}

// Where the closure of a stop begins: a stop's phoneme starts at its burst,
// and the silence before it (the closure, which a listener needs to hear the
// stop) ends the sound before.  Quiet frames, under a tenth of `loudness`,
// are taken back from `start`, at most `most` samples.
inline std::size_t closureStart(const std::vector<float>& s, std::size_t start, float loudness,
                                std::size_t frame, std::size_t most) {
    std::size_t taken = 0;
    while (taken + frame <= most && start >= taken + frame) {
        std::vector<float> level = frameLevels(s, start - taken - frame, start - taken, frame);
        if (level.empty() || level[0] >= 0.1f * loudness) break;
        taken += frame;
    }
    return start - taken;
}

// The loudness of a unit: its loudest frame.
inline float unitLoudness(const std::vector<float>& s, std::size_t frame) {
    std::vector<float> levels = frameLevels(s, 0, s.size(), frame);
    return levels.empty() ? 0.0f : *std::max_element(levels.begin(), levels.end());
}

// The level below which `fraction` of the magnitudes lie.
inline float magnitudePercentile(const std::vector<std::vector<float>>& units, double fraction) {
    std::vector<float> all;
    for (const auto& u : units)
        for (float v : u) all.push_back(std::fabs(v));
    if (all.empty()) return 0;
    std::size_t k = std::min(all.size() - 1, static_cast<std::size_t>(fraction * all.size()));
    std::nth_element(all.begin(), all.begin() + static_cast<long>(k), all.end());
    return all[k];
}

// 8-bit unsigned with silence at 128, scaled by gain, with short fades at both
// ends against clicks.
inline std::vector<unsigned char> toUnsigned8(const std::vector<float>& samples, float gain,
                                              std::size_t fade) {
    std::vector<unsigned char> out(samples.size());
    fade = std::min(fade, samples.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double ramp = 1.0;
        if (i < fade) ramp = static_cast<double>(i) / fade;
        if (samples.size() - 1 - i < fade) ramp = std::min(ramp, static_cast<double>(samples.size() - 1 - i) / fade);
        long v = std::lround(128.0 + samples[i] * gain * ramp);
        out[i] = static_cast<unsigned char>(std::clamp<long>(v, 0, 255));
    }
    return out;
}

}  // namespace diphones

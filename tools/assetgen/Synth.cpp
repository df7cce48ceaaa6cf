#include "Synth.h"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace synth {

std::size_t frames(double secs) {
    return secs <= 0.0 ? 0 : static_cast<std::size_t>(std::llround(secs * kSampleRate));
}

double seconds(std::size_t frameCount) {
    return static_cast<double>(frameCount) / kSampleRate;
}

std::uint64_t Rng::next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::uniform() {
    return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24);
}

float Rng::uniform(float lo, float hi) {
    return lo + (hi - lo) * uniform();
}

int Rng::range(int lo, int hi) {
    if (hi <= lo)
        return lo;
    return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
}

// ---- Curves ------------------------------------------------------------------

Buffer constant(std::size_t n, float value) {
    return Buffer(n, value);
}

Buffer curve(std::size_t n, const std::vector<std::pair<float, float>>& points) {
    Buffer out(n, 0.0f);
    if (points.empty())
        return out;
    std::size_t k = 0;
    for (std::size_t i = 0; i < n; ++i) {
        float t = static_cast<float>(seconds(i));
        while (k + 1 < points.size() && points[k + 1].first <= t)
            ++k;
        if (t <= points.front().first) {
            out[i] = points.front().second;
        } else if (k + 1 >= points.size()) {
            out[i] = points.back().second;
        } else {
            auto [t0, v0] = points[k];
            auto [t1, v1] = points[k + 1];
            float u = t1 > t0 ? (t - t0) / (t1 - t0) : 1.0f;
            out[i] = v0 + (v1 - v0) * u;
        }
    }
    return out;
}

Buffer curve(std::size_t n, std::initializer_list<std::pair<float, float>> points) {
    return curve(n, std::vector<std::pair<float, float>>(points));
}

Buffer glide(std::size_t n, float from, float to) {
    Buffer out(n, from);
    if (n < 2 || from <= 0.0f || to <= 0.0f)
        return out;
    float ratio = std::log(to / from);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = from * std::exp(ratio * static_cast<float>(i) / static_cast<float>(n - 1));
    return out;
}

Buffer decay(std::size_t n, float tau, float delaySeconds) {
    Buffer out(n, 1.0f);
    std::size_t start = frames(delaySeconds);
    float k = std::exp(-1.0f / (std::max(tau, 1e-5f) * kSampleRate));
    float v = 1.0f;
    for (std::size_t i = start; i < n; ++i) {
        out[i] = v;
        v *= k;
    }
    return out;
}

Buffer adsr(std::size_t n, float attack, float decaySeconds, float sustain, float release) {
    Buffer out(n, 0.0f);
    std::size_t a = frames(attack), d = frames(decaySeconds), r = std::min(frames(release), n);
    std::size_t releaseStart = n - r;
    float level = 0.0f;
    for (std::size_t i = 0; i < releaseStart; ++i) {
        if (i < a)
            level = static_cast<float>(i + 1) / static_cast<float>(a);
        else if (i < a + d)
            level = 1.0f - (1.0f - sustain) * static_cast<float>(i - a) / static_cast<float>(d);
        else
            level = sustain;
        out[i] = level;
    }
    for (std::size_t i = releaseStart; i < n; ++i) {
        float u = static_cast<float>(i - releaseStart + 1) / static_cast<float>(r);
        out[i] = level * (1.0f - u) * (1.0f - u);
    }
    return out;
}

// ---- Sources -----------------------------------------------------------------

namespace {
// Polynomial band-limited step residual (polyBLEP).
float blep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}
} // namespace

Buffer oscillator(Wave wave, const Buffer& frequency, float phase, float pulseWidth) {
    Buffer out(frequency.size());
    double p = phase - std::floor(phase);
    for (std::size_t i = 0; i < frequency.size(); ++i) {
        float dt = std::clamp(frequency[i] / kSampleRate, 0.0f, 0.45f);
        float t = static_cast<float>(p);
        float v = 0.0f;
        switch (wave) {
        case Wave::Sine:
            v = std::sin(kTwoPi * t);
            break;
        case Wave::Saw:
            v = 2.0f * t - 1.0f - blep(t, dt);
            break;
        case Wave::Square:
        case Wave::Pulse: {
            float w = wave == Wave::Square ? 0.5f : pulseWidth;
            v = (t < w ? 1.0f : -1.0f) + blep(t, dt);
            float t2 = t - w;
            if (t2 < 0.0f)
                t2 += 1.0f;
            v -= blep(t2, dt);
            // Remove the DC of an asymmetric pulse and keep its peak at 1.
            v = (v + 1.0f - 2.0f * w) / (2.0f * std::max(w, 1.0f - w));
            break;
        }
        case Wave::Triangle:
            v = t < 0.5f ? 4.0f * t - 1.0f : 3.0f - 4.0f * t;
            break;
        }
        out[i] = v;
        p += dt;
        p -= std::floor(p);
    }
    return out;
}

Buffer oscillator(Wave wave, std::size_t n, float frequency, float phase) {
    return oscillator(wave, constant(n, frequency), phase);
}

Buffer fm(const Buffer& carrier, float ratio, const Buffer& index) {
    std::size_t n = std::min(carrier.size(), index.size());
    Buffer out(n);
    double pc = 0.0, pm = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        float mod = std::sin(static_cast<float>(kTwoPi * pm));
        out[i] = std::sin(static_cast<float>(kTwoPi * pc) + index[i] * mod);
        pc += carrier[i] / kSampleRate;
        pm += carrier[i] * ratio / kSampleRate;
        pc -= std::floor(pc);
        pm -= std::floor(pm);
    }
    return out;
}

Buffer whiteNoise(std::size_t n, Rng& rng) {
    Buffer out(n);
    for (float& v : out)
        v = rng.bipolar();
    return out;
}

Buffer brownNoise(std::size_t n, Rng& rng) {
    Buffer out(n);
    float v = 0.0f;
    for (float& s : out) {
        v = v * 0.998f + rng.bipolar() * 0.06f;
        s = v;
    }
    return out;
}

Buffer dust(std::size_t n, float perSecond, Rng& rng) {
    Buffer out(n, 0.0f);
    float chance = perSecond / kSampleRate;
    for (float& s : out)
        if (rng.uniform() < chance)
            s = rng.bipolar();
    return out;
}

// ---- Filters -------------------------------------------------------------------

Buffer svf(const Buffer& in, const Buffer& cutoff, float q, Mode mode) {
    std::size_t n = std::min(in.size(), cutoff.size());
    Buffer out(n);
    float k = 1.0f / std::max(q, 0.05f);
    float ic1 = 0.0f, ic2 = 0.0f;
    float lastCut = -1.0f, a1 = 0.0f, a2 = 0.0f, a3 = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
        float fc = std::clamp(cutoff[i], 5.0f, 0.45f * kSampleRate);
        if (fc != lastCut) {
            float g = std::tan(kPi * fc / kSampleRate);
            a1 = 1.0f / (1.0f + g * (g + k));
            a2 = g * a1;
            a3 = g * a2;
            lastCut = fc;
        }
        float v0 = in[i];
        float v3 = v0 - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        switch (mode) {
        case Mode::Low:
            out[i] = v2;
            break;
        case Mode::High:
            out[i] = v0 - k * v1 - v2;
            break;
        case Mode::Band:
            out[i] = k * v1;
            break;
        case Mode::Notch:
            out[i] = v0 - k * v1;
            break;
        }
    }
    return out;
}

Buffer svf(const Buffer& in, float cutoff, float q, Mode mode) {
    return svf(in, constant(in.size(), cutoff), q, mode);
}

Buffer lowpass(const Buffer& in, float cutoff) {
    Buffer out(in.size());
    float a = 1.0f - std::exp(-kTwoPi * std::clamp(cutoff, 1.0f, 0.45f * kSampleRate) / kSampleRate);
    float y = 0.0f;
    for (std::size_t i = 0; i < in.size(); ++i) {
        y += a * (in[i] - y);
        out[i] = y;
    }
    return out;
}

Buffer highpass(const Buffer& in, float cutoff) {
    Buffer low = lowpass(in, cutoff);
    for (std::size_t i = 0; i < low.size(); ++i)
        low[i] = in[i] - low[i];
    return low;
}

Buffer resonate(const Buffer& in, const std::vector<std::tuple<float, float, float>>& bands) {
    Buffer out(in.size(), 0.0f);
    for (auto [freq, q, gain] : bands)
        mixInto(out, svf(in, freq, q, Mode::Band), 0, gain);
    return out;
}

// ---- Shaping, mixing, effects ------------------------------------------------------

Buffer multiply(const Buffer& a, const Buffer& b) {
    std::size_t n = std::min(a.size(), b.size());
    Buffer out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = a[i] * b[i];
    return out;
}

Buffer scaled(Buffer a, float gain) {
    for (float& v : a)
        v *= gain;
    return a;
}

void mixInto(Buffer& dst, const Buffer& src, std::size_t offset, float gain) {
    if (dst.size() < offset + src.size())
        dst.resize(offset + src.size(), 0.0f);
    for (std::size_t i = 0; i < src.size(); ++i)
        dst[offset + i] += src[i] * gain;
}

void mixInto(Stereo& dst, const Buffer& src, std::size_t offset, float gain, float pan) {
    // Constant-power pan, pan in -1 (left) .. 1 (right).
    float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * kPi;
    mixInto(dst.left, src, offset, gain * std::cos(angle) * 1.41421356f);
    mixInto(dst.right, src, offset, gain * std::sin(angle) * 1.41421356f);
    std::size_t n = std::max(dst.left.size(), dst.right.size());
    dst.left.resize(n, 0.0f);
    dst.right.resize(n, 0.0f);
}

Buffer saturate(const Buffer& in, float drive) {
    Buffer out(in.size());
    float norm = 1.0f / std::tanh(std::max(drive, 1e-3f));
    for (std::size_t i = 0; i < in.size(); ++i)
        out[i] = std::tanh(in[i] * drive) * norm;
    return out;
}

Buffer echo(const Buffer& in, float delaySeconds, float feedback, float wet, float tail, float damp) {
    std::size_t d = std::max<std::size_t>(1, frames(delaySeconds));
    Buffer out(in.size() + frames(tail), 0.0f);
    Buffer line(d, 0.0f);
    float a = 1.0f - std::exp(-kTwoPi * damp / kSampleRate);
    float lp = 0.0f;
    std::size_t pos = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        float x = i < in.size() ? in[i] : 0.0f;
        float delayed = line[pos];
        lp += a * (delayed - lp);
        line[pos] = x + lp * feedback;
        pos = (pos + 1) % d;
        out[i] = x + delayed * wet;
    }
    return out;
}

namespace {
struct Comb {
    std::vector<float> line;
    std::size_t pos = 0;
    float store = 0.0f;
    float process(float x, float feedback, float damp) {
        float y = line[pos];
        store = y * (1.0f - damp) + store * damp;
        line[pos] = x + store * feedback;
        pos = (pos + 1) % line.size();
        return y;
    }
};
struct AllPass {
    std::vector<float> line;
    std::size_t pos = 0;
    float process(float x) {
        float b = line[pos];
        line[pos] = x + b * 0.5f;
        pos = (pos + 1) % line.size();
        return b - x;
    }
};

Buffer reverbChannel(const Buffer& in, const ReverbParams& p, float tail, std::size_t spread) {
    static const std::size_t combLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const std::size_t allPassLengths[] = {556, 441, 341, 225};
    std::vector<Comb> combs;
    for (std::size_t len : combLengths)
        combs.push_back(Comb{std::vector<float>(len + spread, 0.0f)});
    std::vector<AllPass> passes;
    for (std::size_t len : allPassLengths)
        passes.push_back(AllPass{std::vector<float>(len + spread, 0.0f)});
    float feedback = 0.7f + 0.28f * std::clamp(p.room, 0.0f, 1.0f);
    float damp = 0.4f * std::clamp(p.damp, 0.0f, 1.0f);
    Buffer out(in.size() + frames(tail), 0.0f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        float x = (i < in.size() ? in[i] : 0.0f) * 0.03f;
        float acc = 0.0f;
        for (Comb& c : combs)
            acc += c.process(x, feedback, damp);
        for (AllPass& a : passes)
            acc = a.process(acc);
        out[i] = acc;
    }
    return out;
}
} // namespace

Stereo reverb(const Buffer& in, const ReverbParams& params, float tail) {
    Stereo out;
    out.left = reverbChannel(in, params, tail, 0);
    out.right = reverbChannel(in, params, tail, static_cast<std::size_t>(23.0f * params.width));
    return out;
}

Buffer reverbMono(const Buffer& in, const ReverbParams& params, float tail) {
    return reverbChannel(in, params, tail, 0);
}

void fadeEdges(Buffer& b, float fadeInSeconds, float fadeOutSeconds) {
    std::size_t fi = std::min(frames(fadeInSeconds), b.size());
    std::size_t fo = std::min(frames(fadeOutSeconds), b.size());
    for (std::size_t i = 0; i < fi; ++i)
        b[i] *= static_cast<float>(i) / static_cast<float>(fi);
    for (std::size_t i = 0; i < fo; ++i)
        b[b.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fo);
}

// ---- Levels ----------------------------------------------------------------------

float peak(const Buffer& b) {
    float m = 0.0f;
    for (float v : b)
        m = std::max(m, std::fabs(v));
    return m;
}

float rms(const Buffer& b) {
    if (b.empty())
        return 0.0f;
    double sum = 0.0;
    for (float v : b)
        sum += static_cast<double>(v) * v;
    return static_cast<float>(std::sqrt(sum / static_cast<double>(b.size())));
}

float loudness(const Buffer& b, float windowSeconds) {
    std::size_t w = std::max<std::size_t>(1, frames(windowSeconds));
    if (b.size() <= w)
        return rms(b);
    double sum = 0.0, best = 0.0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        sum += static_cast<double>(b[i]) * b[i];
        if (i >= w)
            sum -= static_cast<double>(b[i - w]) * b[i - w];
        if (i + 1 >= w)
            best = std::max(best, sum);
    }
    return static_cast<float>(std::sqrt(std::max(best, 0.0) / static_cast<double>(w)));
}

Buffer normalized(Buffer b, float targetPeak) {
    float p = peak(b);
    return p > 0.0f ? scaled(std::move(b), targetPeak / p) : b;
}

Buffer leveled(Buffer b, float targetLoudness, float ceiling) {
    float l = loudness(b), p = peak(b);
    if (l <= 0.0f || p <= 0.0f)
        return b;
    float gain = std::min(targetLoudness / l, ceiling / p);
    return scaled(std::move(b), gain);
}

// ---- Loops -------------------------------------------------------------------------

Buffer circular(const Buffer& loop, const std::function<Buffer(const Buffer&)>& process) {
    Buffer twice(loop);
    twice.insert(twice.end(), loop.begin(), loop.end());
    Buffer done = process(twice);
    done.resize(2 * loop.size(), 0.0f);
    return Buffer(done.begin() + static_cast<std::ptrdiff_t>(loop.size()), done.end());
}

Buffer foldTail(const Buffer& rendered, std::size_t loopLength) {
    Buffer out(loopLength, 0.0f);
    if (loopLength == 0)
        return out;
    for (std::size_t i = 0; i < rendered.size(); ++i)
        out[i % loopLength] += rendered[i];
    return out;
}

Stereo foldTail(const Stereo& rendered, std::size_t loopLength) {
    return Stereo{foldTail(rendered.left, loopLength), foldTail(rendered.right, loopLength)};
}

Buffer crossfadeLoop(const Buffer& rendered, std::size_t loopLength, std::size_t fade) {
    fade = std::min({fade, loopLength, rendered.size() > loopLength ? rendered.size() - loopLength : 0});
    Buffer out(rendered.begin(),
               rendered.begin() + static_cast<std::ptrdiff_t>(std::min(loopLength, rendered.size())));
    out.resize(loopLength, 0.0f);
    for (std::size_t i = 0; i < fade; ++i) {
        // Sample `fade` of the ramp is full head, so the seam matches the
        // continuation that was rendered right after the last kept sample.
        float u = (static_cast<float>(i) + 0.5f) / static_cast<float>(fade);
        float in = std::sin(0.5f * kPi * u), outGain = std::cos(0.5f * kPi * u);
        out[i] = out[i] * in + rendered[loopLength + i] * outGain;
    }
    return out;
}

// ---- Struck and spoken things ---------------------------------------------------

Buffer modes(std::size_t n, const std::vector<std::tuple<float, float, float>>& partials) {
    Buffer out(n, 0.0f);
    for (auto [freq, tau, gain] : partials) {
        if (freq >= 0.45f * kSampleRate)
            continue;
        // Rotating phasor: cheap and exact for a fixed frequency.
        float c = std::cos(kTwoPi * freq / kSampleRate), s = std::sin(kTwoPi * freq / kSampleRate);
        float k = std::exp(-1.0f / (std::max(tau, 1e-4f) * kSampleRate));
        float re = 0.0f, im = gain;
        for (std::size_t i = 0; i < n; ++i) {
            out[i] += im;
            float r2 = (re * c - im * s) * k;
            im = (re * s + im * c) * k;
            re = r2;
        }
    }
    return out;
}

Buffer pitchDrop(std::size_t n, float from, float to, float tau) {
    Buffer out(n);
    float k = std::exp(-1.0f / (std::max(tau, 1e-5f) * kSampleRate)), v = 1.0f;
    for (std::size_t i = 0; i < n; ++i, v *= k)
        out[i] = to + (from - to) * v;
    return out;
}

Buffer voice(const std::vector<VoiceKey>& keys, const VoiceStyle& style, Rng& rng) {
    if (keys.empty())
        return {};
    std::size_t n = frames(keys.back().time);
    std::vector<std::pair<float, float>> pitchPts, voicedPts, breathPts, formantPts[4];
    float formantMean[4] = {0, 0, 0, 0};
    for (const VoiceKey& k : keys) {
        pitchPts.push_back({k.time, k.pitch});
        voicedPts.push_back({k.time, k.voiced});
        breathPts.push_back({k.time, k.breath});
        const float f[4] = {k.vowel.f1, k.vowel.f2, k.vowel.f3, k.vowel.f4};
        for (int j = 0; j < 4; ++j) {
            formantPts[j].push_back({k.time, f[j] * style.formantScale});
            formantMean[j] += f[j] * style.formantScale / static_cast<float>(keys.size());
        }
    }
    Buffer pitch = curve(n, pitchPts), voiced = curve(n, voicedPts), breath = curve(n, breathPts);

    Buffer buzz(n), hiss(n), wobble(n);
    double phase = 0.0;
    int cycle = 0;
    float wander = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
        float t = static_cast<float>(seconds(i));
        wander = wander * 0.995f + rng.bipolar() * 0.1f;
        wobble[i] = wander;
        float f = pitch[i] * (1.0f + style.jitter * wander * 1.7f +
                              style.vibratoDepth * std::sin(kTwoPi * style.vibratoRate * t));
        // Alternate cycles differ in length and strength: the period doubling
        // that makes a strained or growling voice sound rough.
        bool odd = (cycle & 1) != 0;
        if (odd)
            f *= 1.0f + 0.12f * style.roughness;
        float dt = std::clamp(f / kSampleRate, 0.0f, 0.45f);
        float p = static_cast<float>(phase);
        float saw = 2.0f * p - 1.0f - blep(p, dt);
        buzz[i] = -saw * voiced[i] * (odd ? 1.0f - 0.7f * style.roughness : 1.0f);
        hiss[i] = rng.bipolar() * breath[i] * (p < 0.5f ? 1.0f : 0.6f);
        phase += dt;
        if (phase >= 1.0) {
            phase -= 1.0;
            ++cycle;
        }
    }
    Buffer excitation = lowpass(buzz, style.brightness);
    mixInto(excitation, highpass(hiss, 500.0f), 0, 0.8f);

    static const float gains[4] = {1.0f, 0.7f, 0.38f, 0.22f};
    static const float widths[4] = {80.0f, 100.0f, 140.0f, 200.0f};
    Buffer out(n, 0.0f);
    for (int j = 0; j < 4; ++j) {
        float q = formantMean[j] / (widths[j] * style.bandwidth);
        mixInto(out, svf(excitation, curve(n, formantPts[j]), q, Mode::Band), 0, gains[j]);
    }
    if (style.growlDepth > 0.0f) {
        double gp = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            gp += style.growlRate * (1.0f + 0.3f * wobble[i]) / kSampleRate;
            out[i] *= 1.0f - style.growlDepth * (0.5f + 0.5f * std::sin(static_cast<float>(kTwoPi * gp)));
        }
    }
    return out;
}

// ---- Output --------------------------------------------------------------------------

namespace {
void write(const std::string& path, const std::vector<std::int16_t>& interleaved, unsigned channels) {
    // The Vorbis writer picks the Ogg stream serial number with rand(); seeding
    // it from the file name keeps every file's bytes the same from build to
    // build, whatever else was written before it in the run.
    unsigned seed = 2166136261u;
    for (char c : path.substr(path.find_last_of("/\\") + 1))
        seed = (seed ^ static_cast<unsigned char>(c)) * 16777619u;
    std::srand(seed);
    sf::OutputSoundFile file;
    if (!file.openFromFile(path, kSampleRate, channels))
        throw std::runtime_error("cannot write sound " + path);
    file.write(interleaved.data(), interleaved.size());
}

std::int16_t toPcm(float v) {
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}
} // namespace

void writeOgg(const std::string& path, const Buffer& mono) {
    std::vector<std::int16_t> pcm(mono.size());
    std::transform(mono.begin(), mono.end(), pcm.begin(), toPcm);
    write(path, pcm, 1);
}

void writeOgg(const std::string& path, const Stereo& stereo) {
    std::size_t n = std::min(stereo.left.size(), stereo.right.size());
    std::vector<std::int16_t> pcm(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        pcm[2 * i] = toPcm(stereo.left[i]);
        pcm[2 * i + 1] = toPcm(stereo.right[i]);
    }
    write(path, pcm, 2);
}

// ---- Effect building blocks -------------------------------------------------------

Buffer silence(float secs) {
    return Buffer(frames(secs), 0.0f);
}

void place(Buffer& dst, const Buffer& src, float at, float gain) {
    mixInto(dst, src, frames(at), gain);
}

Buffer burst(Rng& rng, float len, float tau, float lo, float hi) {
    std::size_t n = frames(len);
    Buffer b = svf(svf(whiteNoise(n, rng), lo, 0.7f, Mode::High), hi, 0.7f, Mode::Low);
    return multiply(b, decay(n, tau));
}

Buffer clack(Rng& rng, float freq, float tau, float q, float len) {
    std::size_t n = frames(len);
    Buffer exciter = multiply(whiteNoise(n, rng), decay(n, 0.0015f));
    Buffer body = svf(exciter, freq, q, Mode::Band);
    mixInto(body, svf(exciter, freq * 2.7f, q, Mode::Band), 0, 0.5f);
    body = multiply(body, decay(n, tau));
    mixInto(body, highpass(exciter, 2000.0f), 0, 0.35f);
    return body;
}

Buffer friction(Rng& rng, float len, float centre, float q) {
    std::size_t n = frames(len);
    Buffer env = curve(n, {{0.0f, 0.0f}, {len * 0.25f, 1.0f}, {len * 0.7f, 0.7f}, {len, 0.0f}});
    Buffer grit = lowpass(dust(n, 900.0f, rng), 6000.0f);
    Buffer b = svf(whiteNoise(n, rng), centre, q, Mode::Band);
    mixInto(b, svf(grit, centre * 1.5f, 2.0f, Mode::Band), 0, 2.0f);
    return multiply(b, env);
}

Buffer thump(float len, float from, float to, float tau) {
    std::size_t n = frames(len);
    return multiply(oscillator(Wave::Sine, pitchDrop(n, from, to, tau * 0.6f)), decay(n, tau));
}

Buffer ring(float len, std::initializer_list<float> freqs, float tau, float gain) {
    std::vector<std::tuple<float, float, float>> parts;
    float g = gain;
    for (float f : freqs) {
        parts.push_back({f, tau, g});
        g *= 0.7f;
        tau *= 0.8f;
    }
    return modes(frames(len), parts);
}

void writeEffect(const std::string& path, Buffer b, float level) {
    fadeEdges(b, 0.0005f, 0.01f);
    // -2 dB ceiling leaves room for the Vorbis encoder's overshoot.
    writeOgg(path, leveled(std::move(b), level, 0.79f));
}

void writeLoop(const std::string& path, Buffer b, float level) {
    writeOgg(path, leveled(std::move(b), level, 0.79f));
}

} // namespace synth

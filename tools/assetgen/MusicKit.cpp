// Sequencer and instruments for the music loops.
#include "Synth.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

using namespace synth;

namespace music {

float hz(int midi) {
    return 440.0f * std::pow(2.0f, static_cast<float>(midi - 69) / 12.0f);
}

int Chord::tone(int index, int floor) const {
    static const int majorSteps[3] = {0, 4, 7};
    static const int minorSteps[3] = {0, 3, 7};
    const int* steps = quality == Major ? majorSteps : minorSteps;
    int base = root;
    while (base < floor)
        base += 12;
    return base + steps[index % 3] + 12 * (index / 3);
}

namespace {
int parsePitch(const std::string& name) {
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (name.empty() || std::tolower(name[0]) < 'a' || std::tolower(name[0]) > 'g')
        throw std::runtime_error("bad note " + name);
    int pc = letters[std::tolower(name[0]) - 'a'];
    std::size_t i = 1;
    for (; i < name.size() && (name[i] == '#' || name[i] == 'b'); ++i)
        pc += name[i] == '#' ? 1 : -1;
    int octave = std::stoi(name.substr(i));
    return 12 * (octave + 1) + pc;
}
} // namespace

std::vector<Note> melody(const std::string& text, double startStep) {
    std::vector<Note> notes;
    std::istringstream in(text);
    std::string token;
    double step = startStep;
    while (in >> token) {
        if (token == "|")
            continue;
        std::size_t colon = token.find(':');
        std::string name = token.substr(0, colon);
        double length = colon == std::string::npos ? 1.0 : std::stod(token.substr(colon + 1));
        if (name != "r")
            notes.push_back({step, length, parsePitch(name)});
        step += length;
    }
    return notes;
}

Song::Song(float bpm, int bars, std::uint64_t seed)
    : rng(seed), stepSecs(60.0 / bpm / 4.0),
      loopLength(static_cast<std::size_t>(std::llround(bars * 16 * (60.0 / bpm / 4.0) * kSampleRate))) {}

void Song::add(const Buffer& sound, double step, float gain, float pan, float reverb, float echoLevel,
               bool duck) {
    std::size_t at = static_cast<std::size_t>(std::llround(step * stepSecs * kSampleRate));
    mixInto(duck ? ducked : dry, sound, at, gain, pan);
    if (reverb > 0.0f)
        mixInto(reverbSend, sound, at, gain * reverb);
    if (echoLevel > 0.0f)
        mixInto(echoSend, sound, at, gain * echoLevel);
}

namespace {
// Two delay lines feeding each other: repeats bounce left, right, left...
Stereo pingPong(const Buffer& in, std::size_t delay, float feedback, std::size_t length) {
    Stereo out{Buffer(length, 0.0f), Buffer(length, 0.0f)};
    Buffer lineL(delay, 0.0f), lineR(delay, 0.0f);
    float lpL = 0.0f, lpR = 0.0f;
    const float a = 1.0f - std::exp(-kTwoPi * 3500.0f / kSampleRate);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < length; ++i) {
        float x = i < in.size() ? in[i] : 0.0f;
        float l = lineL[pos], r = lineR[pos];
        lpL += a * (l - lpL);
        lpR += a * (r - lpR);
        lineL[pos] = x + lpR * feedback;
        lineR[pos] = lpL * feedback;
        out.left[i] = l;
        out.right[i] = r;
        pos = (pos + 1) % delay;
    }
    return out;
}
} // namespace

Stereo Song::finish(const ReverbParams& room, float echoBeats, float tail, float duckDepth) {
    std::size_t total = loopLength + frames(tail);
    auto fit = [total](Buffer& b) { b.resize(std::max(b.size(), total), 0.0f); };
    for (Buffer* b : {&dry.left, &dry.right, &ducked.left, &ducked.right, &reverbSend, &echoSend})
        fit(*b);
    // The kick lands on every beat, so the ducking curve is periodic in the
    // loop and survives the fold.
    double beat = stepSecs * 4.0;
    for (std::size_t i = 0; i < ducked.left.size(); ++i) {
        double t = std::fmod(seconds(i), beat);
        float g = 1.0f - duckDepth * static_cast<float>(std::exp(-t / 0.1));
        ducked.left[i] *= g;
        ducked.right[i] *= g;
    }
    Stereo mix = dry;
    mixInto(mix.left, ducked.left);
    mixInto(mix.right, ducked.right);
    Stereo wet = reverb(reverbSend, room, 0.0f);
    mixInto(mix.left, wet.left, 0, 1.2f);
    mixInto(mix.right, wet.right, 0, 1.2f);
    Stereo echoes = pingPong(echoSend, frames(beat * echoBeats), 0.45f, echoSend.size());
    mixInto(mix.left, echoes.left, 0, 0.7f);
    mixInto(mix.right, echoes.right, 0, 0.7f);
    Stereo looped = foldTail(mix, loopLength);
    // Gentle glue on the master, memoryless so it cannot disturb the seam.
    float p = std::max(peak(looped.left), peak(looped.right));
    for (Buffer* b : {&looped.left, &looped.right})
        *b = saturate(scaled(std::move(*b), 1.6f / std::max(p, 1e-6f)), 1.2f);
    p = std::max(peak(looped.left), peak(looped.right));
    for (Buffer* b : {&looped.left, &looped.right})
        *b = scaled(std::move(*b), 0.84f / std::max(p, 1e-6f));
    return looped;
}

// ---- Drums -----------------------------------------------------------------------

Buffer kick() {
    std::size_t n = frames(0.45f);
    Buffer body = multiply(oscillator(Wave::Sine, pitchDrop(n, 170.0f, 47.0f, 0.035f)), decay(n, 0.25f));
    Rng rng(1);
    mixInto(body, burst(rng, 0.01f, 0.002f, 1500.0f, 9000.0f), 0, 0.25f);
    return saturate(body, 1.6f);
}

Buffer snare(Rng& rng) {
    std::size_t n = frames(0.35f);
    Buffer tone = multiply(oscillator(Wave::Sine, pitchDrop(n, 260.0f, 185.0f, 0.02f)), decay(n, 0.06f));
    Buffer rattle = multiply(svf(whiteNoise(n, rng), 1200.0f, 0.7f, Mode::High), decay(n, 0.11f));
    mixInto(tone, svf(rattle, 5000.0f, 0.6f, Mode::Low), 0, 0.9f);
    return tone;
}

Buffer clap(Rng& rng) {
    Buffer c(frames(0.35f), 0.0f);
    for (float at : {0.0f, 0.011f, 0.022f})
        place(c, burst(rng, 0.02f, 0.004f, 600.0f, 9000.0f), at, 0.7f);
    place(c, burst(rng, 0.3f, 0.06f, 600.0f, 8000.0f), 0.03f, 0.8f);
    return svf(c, 1500.0f, 1.2f, Mode::Band);
}

Buffer hat(Rng& rng, bool open) {
    float len = open ? 0.4f : 0.09f;
    std::size_t n = frames(len);
    Buffer h = svf(whiteNoise(n, rng), 7000.0f, 0.8f, Mode::High);
    mixInto(h, svf(whiteNoise(n, rng), 10500.0f, 3.0f, Mode::Band), 0, 0.6f);
    return multiply(h, decay(n, open ? 0.16f : 0.03f));
}

Buffer crash(Rng& rng) {
    std::size_t n = frames(2.2f);
    Buffer c = svf(whiteNoise(n, rng), 3500.0f, 0.7f, Mode::High);
    mixInto(c, modes(n, {{3120.0f, 0.8f, 0.05f}, {4470.0f, 0.6f, 0.04f}, {5910.0f, 0.5f, 0.03f}}), 0, 1.0f);
    return multiply(c, decay(n, 0.7f));
}

Buffer riser(Rng& rng, float length) {
    std::size_t n = frames(length);
    Buffer r = svf(whiteNoise(n, rng), glide(n, 300.0f, 9000.0f), 2.0f, Mode::Band);
    Buffer env = curve(n, {{0.0f, 0.0f}, {length * 0.95f, 1.0f}, {length, 0.0f}});
    return multiply(r, multiply(env, env));
}

// ---- Pitched -----------------------------------------------------------------------

Buffer bass(float freq, float length, float cutoff) {
    std::size_t n = frames(length + 0.06f);
    Buffer src = oscillator(Wave::Saw, constant(n, freq));
    mixInto(src, oscillator(Wave::Square, constant(n, freq * 0.5f)), 0, 0.5f);
    Buffer env = decay(n, 0.07f);
    Buffer cut(n);
    for (std::size_t i = 0; i < n; ++i)
        cut[i] = cutoff * (0.35f + 2.0f * env[i]);
    Buffer out = multiply(svf(src, cut, 1.8f, Mode::Low), adsr(n, 0.003f, 0.1f, 0.8f, 0.06f));
    return saturate(out, 1.5f);
}

Buffer subBass(float freq, float length) {
    std::size_t n = frames(length + 0.3f);
    Buffer s = oscillator(Wave::Sine, constant(n, freq));
    mixInto(s, lowpass(oscillator(Wave::Saw, constant(n, freq)), 300.0f), 0, 0.3f);
    return multiply(s, adsr(n, 0.01f, 0.3f, 0.8f, 0.3f));
}

Buffer pluck(float freq, float length, float cutoff) {
    std::size_t n = frames(length + 0.15f);
    Buffer src = oscillator(Wave::Saw, constant(n, freq));
    mixInto(src, oscillator(Wave::Saw, constant(n, freq * 1.006f), 0.3f), 0, 0.8f);
    Buffer env = decay(n, 0.09f);
    Buffer cut(n);
    for (std::size_t i = 0; i < n; ++i)
        cut[i] = cutoff * (0.15f + env[i]);
    return multiply(svf(src, cut, 1.5f, Mode::Low), adsr(n, 0.002f, 0.15f, 0.35f, 0.12f));
}

Buffer pad(float freq, float length, float cutoff) {
    std::size_t n = frames(length + 1.2f);
    Buffer src(n, 0.0f);
    float phase = 0.0f;
    for (float detune : {0.993f, 1.0f, 1.007f}) {
        mixInto(src, oscillator(Wave::Saw, constant(n, freq * detune), phase), 0, 0.4f);
        phase += 0.37f;
    }
    mixInto(src, oscillator(Wave::Sine, constant(n, freq * 0.5f)), 0, 0.3f);
    Buffer cut = curve(n, {{0.0f, cutoff * 0.5f}, {length * 0.5f, cutoff}, {length + 1.2f, cutoff * 0.6f}});
    return multiply(svf(src, cut, 0.8f, Mode::Low), adsr(n, 0.4f, 0.6f, 0.8f, 1.2f));
}

namespace {
// Pitch of a held note whose vibrato swells in over `onset` seconds, the way
// a player settles into a long note.
Buffer vibrato(std::size_t n, float freq, float depth, float rate, float onset) {
    Buffer f(n);
    for (std::size_t i = 0; i < n; ++i) {
        float t = static_cast<float>(seconds(i));
        f[i] = freq * (1.0f + depth * std::sin(kTwoPi * rate * t) * std::min(1.0f, t / onset));
    }
    return f;
}
} // namespace

Buffer lead(float freq, float length) {
    std::size_t n = frames(length + 0.15f);
    Buffer f = vibrato(n, freq, 0.007f, 5.5f, 0.3f);
    Buffer src = oscillator(Wave::Square, f);
    mixInto(src, oscillator(Wave::Saw, scaled(f, 1.004f)), 0, 0.6f);
    Buffer env = decay(n, 0.12f);
    Buffer cut(n);
    for (std::size_t i = 0; i < n; ++i)
        cut[i] = 1800.0f + 2500.0f * env[i];
    return multiply(svf(src, cut, 1.3f, Mode::Low), adsr(n, 0.008f, 0.1f, 0.85f, 0.15f));
}

Buffer bellLead(float freq, float length) {
    std::size_t n = frames(length + 0.6f);
    Buffer f = constant(n, freq);
    Buffer tone = fm(f, 1.0f, curve(n, {{0.0f, 2.2f}, {0.3f, 0.8f}, {length + 0.6f, 0.4f}}));
    mixInto(tone, fm(scaled(f, 3.5f), 1.0f, scaled(decay(n, 0.1f), 1.5f)), 0, 0.15f);
    mixInto(tone, multiply(oscillator(Wave::Sine, scaled(f, 2.0f)), decay(n, 0.4f)), 0, 0.2f);
    return multiply(tone, adsr(n, 0.005f, 0.5f, 0.55f, 0.6f));
}

Buffer epiano(float freq, float length) {
    std::size_t n = frames(length + 0.4f);
    Buffer f = constant(n, freq);
    Buffer tone = fm(f, 1.0f, scaled(decay(n, 0.35f), 1.8f));
    mixInto(tone, fm(scaled(f, 7.0f), 1.0f, scaled(decay(n, 0.03f), 1.0f)), 0, 0.08f);
    return multiply(tone, adsr(n, 0.003f, 0.9f, 0.3f, 0.4f));
}

Buffer marimba(float freq) {
    std::size_t n = frames(0.6f);
    Buffer m = modes(n, {{freq, 0.3f, 1.0f}, {freq * 3.93f, 0.07f, 0.35f}, {freq * 9.2f, 0.02f, 0.12f}});
    return multiply(m, curve(n, {{0.0f, 0.0f}, {0.002f, 1.0f}}));
}

Buffer brass(float freq, float length) {
    std::size_t n = frames(length + 0.2f);
    Buffer f = vibrato(n, freq, 0.005f, 5.0f, 0.4f);
    Buffer src(n, 0.0f);
    for (float detune : {0.995f, 1.0f, 1.005f})
        mixInto(src, oscillator(Wave::Saw, scaled(f, detune)), 0, 0.4f);
    Buffer cut = curve(n, {{0.0f, 500.0f}, {0.08f, 3200.0f}, {0.4f, 2200.0f}});
    return multiply(svf(src, cut, 1.0f, Mode::Low), adsr(n, 0.04f, 0.2f, 0.85f, 0.2f));
}

} // namespace music

#pragma once
// The sound toolkit of the asset generator. Every effect and music loop is
// built from these pieces. Functions are pure where they can be (buffers in,
// buffers out), so they can be tested without listening to anything, and all
// randomness comes from a seeded Rng so two builds write the same files.
// Buffers are float samples at kSampleRate, nominally in -1..1.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace synth {

constexpr int kSampleRate = 44100;
constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2.0f * kPi;

using Buffer = std::vector<float>;

struct Stereo {
    Buffer left, right;
    std::size_t size() const { return left.size(); }
};

std::size_t frames(double seconds);
double seconds(std::size_t frameCount);

// Deterministic random numbers (splitmix64); never the C library's rand().
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state(seed) {}
    std::uint64_t next();
    float uniform(); // [0, 1)
    float uniform(float lo, float hi);
    float bipolar() { return uniform(-1.0f, 1.0f); }
    int range(int lo, int hi); // inclusive
  private:
    std::uint64_t state;
};

// ---- Control curves (one value per sample) --------------------------------

Buffer constant(std::size_t n, float value);
// Piecewise linear through (seconds, value) points; held flat outside them.
Buffer curve(std::size_t n, std::initializer_list<std::pair<float, float>> points);
Buffer curve(std::size_t n, const std::vector<std::pair<float, float>>& points);
// Exponential glide from one value to another over the buffer (good for pitch).
Buffer glide(std::size_t n, float from, float to);
// exp(-t / tau): the basic percussive decay.
Buffer decay(std::size_t n, float tau, float delaySeconds = 0.0f);
// Attack, decay to sustain, release at the end of the buffer.
Buffer adsr(std::size_t n, float attack, float decaySeconds, float sustain, float release);

// ---- Sources ---------------------------------------------------------------

enum class Wave { Sine, Saw, Square, Triangle, Pulse };
// Oscillator following a per-sample frequency (Hz). Saw, square and pulse are
// band-limited (polyBLEP) so high notes do not alias into hiss. `pulseWidth`
// applies to Wave::Pulse.
Buffer oscillator(Wave wave, const Buffer& frequency, float phase = 0.0f, float pulseWidth = 0.25f);
Buffer oscillator(Wave wave, std::size_t n, float frequency, float phase = 0.0f);
// Two-operator FM: a sine carrier whose phase is bent by a sine modulator at
// ratio × carrier frequency with the given per-sample index (radians).
Buffer fm(const Buffer& carrier, float ratio, const Buffer& index);
Buffer whiteNoise(std::size_t n, Rng& rng);
// Integrated (red) noise, scaled back to about unit level: rumble material.
Buffer brownNoise(std::size_t n, Rng& rng);
// Sparse random impulses of random sign and size: debris, crackle, grit.
Buffer dust(std::size_t n, float perSecond, Rng& rng);

// ---- Filters ---------------------------------------------------------------

enum class Mode { Low, High, Band, Notch };
// Zero-delay-feedback state-variable filter; the cutoff may move per sample.
// The band output is normalised to unity gain at the centre frequency.
Buffer svf(const Buffer& in, const Buffer& cutoff, float q, Mode mode);
Buffer svf(const Buffer& in, float cutoff, float q, Mode mode);
Buffer lowpass(const Buffer& in, float cutoff);  // one pole, 6 dB/octave
Buffer highpass(const Buffer& in, float cutoff); // one pole
// Sum of band-passes (a cheap body/formant resonance bank): each entry is
// (centre Hz, q, gain).
Buffer resonate(const Buffer& in, const std::vector<std::tuple<float, float, float>>& bands);

// ---- Shaping, mixing, effects ---------------------------------------------

Buffer multiply(const Buffer& a, const Buffer& b); // length of the shorter
Buffer scaled(Buffer a, float gain);
// Adds `src` × gain into `dst` starting at `offset`, growing `dst` if needed.
void mixInto(Buffer& dst, const Buffer& src, std::size_t offset = 0, float gain = 1.0f);
void mixInto(Stereo& dst, const Buffer& src, std::size_t offset, float gain, float pan);
// tanh saturation normalised so ±1 still maps to ±1.
Buffer saturate(const Buffer& in, float drive);
// Feedback echo with a darkening feedback path; output is dry + wet and is
// `tail` seconds longer than the input.
Buffer echo(const Buffer& in, float delaySeconds, float feedback, float wet, float tail,
            float damp = 3000.0f);
// Schroeder/Moorer style reverb (parallel damped combs into all-passes).
// Returns only the wet signal, `tail` seconds longer than the input.
struct ReverbParams {
    float room = 0.8f;  // 0..1, longer decay
    float damp = 0.4f;  // 0..1, darker tail
    float width = 1.0f; // stereo decorrelation
};
Stereo reverb(const Buffer& in, const ReverbParams& params, float tail);
Buffer reverbMono(const Buffer& in, const ReverbParams& params, float tail);
// Short linear fades so a sound never starts or stops on a step.
void fadeEdges(Buffer& b, float fadeInSeconds, float fadeOutSeconds);

// ---- Levels ----------------------------------------------------------------

float peak(const Buffer& b);
float rms(const Buffer& b);
// The RMS of the loudest window: what the ear takes as the sound's loudness
// for short effects, where a whole-file RMS would punish silence after a bang.
float loudness(const Buffer& b, float windowSeconds = 0.05f);
// Scales to the target peak (no-op on silence).
Buffer normalized(Buffer b, float targetPeak);
// Scales to the target loudness, but never lets a peak pass the ceiling.
Buffer leveled(Buffer b, float targetLoudness, float ceiling);

// ---- Loops -----------------------------------------------------------------

// Runs a causal process (filter, echo, ...) as if the loop had been playing
// forever: the process sees the loop twice and the second pass is kept, so
// the filter state at the seam matches the state inside the loop.
Buffer circular(const Buffer& loop, const std::function<Buffer(const Buffer&)>& process);
// Folds everything past `loopLength` back onto the head (tails of notes and
// reverb ringing past the end sound again at the start, as they would when
// the loop repeats).
Buffer foldTail(const Buffer& rendered, std::size_t loopLength);
Stereo foldTail(const Stereo& rendered, std::size_t loopLength);
// For material that is not periodic (noise textures): keeps `loopLength`
// samples and cross-fades the `fade` samples rendered past the end into the
// head with equal power, so the last sample flows into the first.
Buffer crossfadeLoop(const Buffer& rendered, std::size_t loopLength, std::size_t fade);

// ---- Struck and spoken things -----------------------------------------

// Modal synthesis: a sum of decaying sines, each (Hz, decay seconds, gain).
// Metal, glass and bells are a handful of inharmonic modes.
Buffer modes(std::size_t n, const std::vector<std::tuple<float, float, float>>& partials);
// Frequency that falls from `from` towards `to` with time constant `tau`:
// the pitch drop of a kick, a thump or a gunshot's body.
Buffer pitchDrop(std::size_t n, float from, float to, float tau);

// Formant frequencies of a vowel (Hz), adult male reference.
struct Vowel {
    float f1, f2, f3, f4;
};
namespace vowels {
inline constexpr Vowel A{730, 1090, 2440, 3400};  // "father"
inline constexpr Vowel U{640, 1190, 2390, 3400};  // "but"
inline constexpr Vowel E{530, 1840, 2480, 3500};  // "hey"
inline constexpr Vowel I{280, 2250, 2950, 3600};  // "see"
inline constexpr Vowel O{570, 840, 2410, 3400};   // "law"
inline constexpr Vowel OO{310, 870, 2240, 3400};  // "boot"
inline constexpr Vowel AE{660, 1720, 2410, 3400}; // "cat"
inline constexpr Vowel ER{500, 1500, 2500, 3500}; // neutral schwa
inline constexpr Vowel R{420, 1300, 1650, 3300};  // the "r" glide, low third formant
inline constexpr Vowel W{300, 640, 2200, 3300};
inline constexpr Vowel N{260, 1700, 2600, 3400}; // nasal murmur
} // namespace vowels

// One target of a voice contour; the voice glides linearly between keys.
struct VoiceKey {
    float time;  // seconds
    float pitch; // fundamental, Hz
    Vowel vowel;
    float voiced; // 0..1 level of the glottal buzz
    float breath; // 0..1 level of aspiration noise
};
struct VoiceStyle {
    float formantScale = 1.0f; // > 1 smaller throat (child, woman), < 1 bigger
    float bandwidth = 1.0f;    // formant bandwidth multiplier (wider = duller)
    float jitter = 0.01f;      // random pitch wander, fraction of pitch
    float vibratoRate = 5.5f;
    float vibratoDepth = 0.0f;  // fraction of pitch
    float roughness = 0.0f;     // period doubling: strain, growl (0..1)
    float growlRate = 0.0f;     // amplitude flutter of a snarl, Hz
    float growlDepth = 0.0f;    // 0..1
    float brightness = 4000.0f; // glottal tilt cut-off: lower is softer
};
Buffer voice(const std::vector<VoiceKey>& keys, const VoiceStyle& style, Rng& rng);

// ---- Output ----------------------------------------------------------------

// Writes 16-bit OGG Vorbis at kSampleRate; throws std::runtime_error on failure.
void writeOgg(const std::string& path, const Buffer& mono);
void writeOgg(const std::string& path, const Stereo& stereo);

// ---- Effect building blocks -------------------------------------------------

Buffer silence(float secs);
// Mixes `src` into `dst` at `at` seconds.
void place(Buffer& dst, const Buffer& src, float at, float gain = 1.0f);
// Noise between lo and hi Hz with an exponential decay.
Buffer burst(Rng& rng, float len, float tau, float lo, float hi);
// A hard object struck: an impulse ringing a resonance at `freq` (and a
// fainter one above it); the click of every mechanism.
Buffer clack(Rng& rng, float freq, float tau, float q, float len);
// Metal sliding on metal: gritty band-limited noise swelling and fading.
Buffer friction(Rng& rng, float len, float centre, float q);
// A low sine punch with a falling pitch.
Buffer thump(float len, float from, float to, float tau);
// A few inharmonic partials ringing out (each one quieter and shorter).
Buffer ring(float len, std::initializer_list<float> freqs, float tau, float gain);
// Writes a one-shot effect at a consistent loudness with a peak ceiling; the
// edges are faded so nothing starts or ends on a step.
void writeEffect(const std::string& path, Buffer b, float level);
// Same levelling for loops, without the fades (they would break the seam).
void writeLoop(const std::string& path, Buffer b, float level);

} // namespace synth

// ---- Music -----------------------------------------------------------------
// A small sequencer and instrument set for the music loops (MusicKit.cpp).
namespace music {

using synth::Buffer;

float hz(int midi); // equal temperament, A4 = midi 69 = 440 Hz

enum Quality { Major, Minor };
struct Chord {
    int root; // midi
    Quality quality;
    // The index-th chord tone counting up from the root (0 root, 1 third,
    // 2 fifth, 3 root an octave up, ...), with the root raised to `floor`.
    int tone(int index, int floor) const;
};

struct Note {
    double step;   // 16th notes from the start of the song
    double length; // in 16ths
    int midi;
};
// Reads "A4:3 C#5:2 r:4 | Bb4" (note or rest r, length in 16ths, default 1;
// bar lines are decoration) into notes starting at `startStep`.
std::vector<Note> melody(const std::string& text, double startStep);

// A loop of whole bars in 4/4. Sounds are dropped onto a grid of 16ths with
// a level, a pan and sends to a shared reverb and a ping-pong echo; finish()
// mixes the buses and folds whatever rings past the end back to the start.
class Song {
  public:
    Song(float bpm, int bars, std::uint64_t seed);
    double stepSeconds() const { return stepSecs; }
    std::size_t loopFrames() const { return loopLength; }
    // `duck`: the sound is pushed down on every beat by the kick (pumping).
    void add(const Buffer& sound, double step, float gain, float pan, float reverbSend, float echoSend = 0.0f,
             bool duck = false);
    // `echoBeats`: echo time in beats; `tail`: seconds rendered past the end
    // before folding; `duckDepth`: 0..1.
    synth::Stereo finish(const synth::ReverbParams& room, float echoBeats, float tail, float duckDepth);
    synth::Rng rng;

  private:
    double stepSecs;
    std::size_t loopLength;
    synth::Stereo dry, ducked;
    Buffer reverbSend, echoSend;
};

// Drums.
Buffer kick();
Buffer snare(synth::Rng& rng);
Buffer clap(synth::Rng& rng);
Buffer hat(synth::Rng& rng, bool open);
Buffer crash(synth::Rng& rng);
Buffer riser(synth::Rng& rng, float length);
// Pitched instruments: frequency in Hz, held length in seconds; the buffer
// also holds the release.
Buffer bass(float freq, float length, float cutoff);
Buffer subBass(float freq, float length);
Buffer pluck(float freq, float length, float cutoff);
Buffer pad(float freq, float length, float cutoff);
Buffer lead(float freq, float length);
Buffer bellLead(float freq, float length);
Buffer epiano(float freq, float length);
Buffer marimba(float freq);
Buffer brass(float freq, float length);

} // namespace music

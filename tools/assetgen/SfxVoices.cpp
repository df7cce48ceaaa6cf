// Voices of the people and the two alien breeds, and the crowd cheering at
// the score screen. Humans are formant synthesis with a human pitch range; the
// ranged alien chitters and warbles (clicks and FM, nothing a throat makes);
// the melee alien is a huge, rough throat: low pitch, big formants, a snarl.
#include "AssetGen.h"
#include "Synth.h"

#include <cmath>

using namespace synth;

namespace {

void save(const AssetContext& ctx, const std::string& name, Buffer b, float level) {
    writeEffect(ctx.sounds(name), std::move(b), level);
}

// ---- Humans ------------------------------------------------------------------

VoiceStyle shout() {
    VoiceStyle s;
    s.formantScale = 1.08f;
    s.jitter = 0.012f;
    s.vibratoDepth = 0.01f;
    s.brightness = 5000.0f;
    return s;
}

void makeHumans(const AssetContext& ctx) {
    using namespace vowels;
    // "Hey!": startled, breathy onset, pitch jumping up.
    {
        Rng rng(101);
        Buffer v = voice({{0.00f, 200, E, 0.0f, 0.0f},
                          {0.02f, 200, E, 0.0f, 0.7f},
                          {0.07f, 230, E, 0.6f, 0.3f},
                          {0.12f, 290, E, 1.0f, 0.1f},
                          {0.28f, 310, I, 1.0f, 0.1f},
                          {0.40f, 250, I, 0.6f, 0.15f},
                          {0.48f, 220, I, 0.0f, 0.05f}},
                         shout(), rng);
        save(ctx, "human_notice2.ogg", v, 0.26f);
    }
    // "Ugh": a pained grunt, cut off.
    {
        Rng rng(102);
        VoiceStyle s = shout();
        s.roughness = 0.45f;
        s.brightness = 2500.0f;
        s.jitter = 0.03f;
        Buffer v = voice({{0.00f, 175, U, 0.0f, 0.2f},
                          {0.015f, 175, U, 1.0f, 0.2f},
                          {0.12f, 150, U, 0.9f, 0.25f},
                          {0.22f, 118, ER, 0.5f, 0.35f},
                          {0.34f, 105, ER, 0.0f, 0.1f}},
                         s, rng);
        save(ctx, "human_takedamage2.ogg", v, 0.26f);
    }
    // A scream that breaks and falls away.
    {
        Rng rng(103);
        VoiceStyle s = shout();
        s.formantScale = 1.12f;
        s.roughness = 0.3f;
        s.vibratoRate = 7.0f;
        s.vibratoDepth = 0.03f;
        Buffer v = voice({{0.00f, 300, A, 0.0f, 0.3f},
                          {0.04f, 340, A, 1.0f, 0.2f},
                          {0.18f, 420, A, 1.0f, 0.2f},
                          {0.55f, 390, AE, 1.0f, 0.25f},
                          {0.85f, 260, A, 0.7f, 0.4f},
                          {1.05f, 170, O, 0.3f, 0.4f},
                          {1.2f, 140, O, 0.0f, 0.1f}},
                         s, rng);
        save(ctx, "human_die2.ogg", v, 0.26f);
    }
    // "Run away!", fast and panicked.
    {
        Rng rng(104);
        VoiceStyle s = shout();
        s.jitter = 0.02f;
        Buffer v = voice({{0.00f, 230, R, 0.0f, 0.0f},
                          {0.03f, 235, R, 0.8f, 0.05f},
                          {0.09f, 255, U, 1.0f, 0.1f},
                          {0.19f, 250, U, 1.0f, 0.1f},
                          {0.23f, 230, N, 0.45f, 0.0f},
                          {0.29f, 225, N, 0.4f, 0.0f},
                          {0.33f, 220, ER, 0.9f, 0.1f},
                          {0.39f, 230, W, 0.8f, 0.05f},
                          {0.45f, 290, E, 1.0f, 0.1f},
                          {0.62f, 310, E, 1.0f, 0.1f},
                          {0.76f, 270, I, 0.9f, 0.15f},
                          {0.86f, 230, I, 0.0f, 0.1f}},
                         s, rng);
        save(ctx, "human_runaway2.ogg", v, 0.26f);
    }
}

// ---- Ranged alien: chitter and warble -------------------------------------------

// Insect-like clicking: each click rings a high resonance; `rate` clicks per
// second, both following curves.
Buffer chitter(std::size_t n, const Buffer& rate, const Buffer& pitch, Rng& rng) {
    Buffer impulses(n, 0.0f);
    double phase = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        phase += rate[i] / kSampleRate;
        if (phase >= 1.0) {
            phase -= 1.0;
            impulses[i] = rng.uniform(0.5f, 1.0f);
        }
    }
    Buffer out = svf(impulses, pitch, 25.0f, Mode::Band);
    mixInto(out, svf(impulses, scaled(pitch, 1.63f), 18.0f, Mode::Band), 0, 0.6f);
    return scaled(out, 8.0f);
}

// A warbling FM voice: a carrier with fast deep vibrato and a bright sideband.
Buffer warble(std::size_t n, const Buffer& pitch, const Buffer& rate, float depth, float index) {
    Buffer freq(n);
    double lfo = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        lfo += rate[i] / kSampleRate;
        freq[i] = pitch[i] * (1.0f + depth * std::sin(static_cast<float>(kTwoPi * lfo)));
    }
    return fm(freq, 2.01f, constant(n, index));
}

void makeRangedAlien(const AssetContext& ctx) {
    // Notice: a rising trill of clicks over a questioning warble.
    {
        Rng rng(201);
        const float len = 0.7f;
        std::size_t n = frames(len);
        Buffer v = chitter(n, curve(n, {{0.0f, 25.0f}, {0.6f, 45.0f}}), glide(n, 1700.0f, 3200.0f), rng);
        Buffer w = warble(n, curve(n, {{0.0f, 700.0f}, {0.3f, 900.0f}, {0.6f, 1400.0f}}), constant(n, 17.0f),
                          0.08f, 1.8f);
        mixInto(
            v,
            multiply(w, curve(n, {{0.0f, 0.0f}, {0.15f, 0.0f}, {0.25f, 0.6f}, {0.6f, 0.5f}, {0.7f, 0.0f}})),
            0, 1.0f);
        v = multiply(v, curve(n, {{0.0f, 0.0f}, {0.02f, 1.0f}, {0.6f, 1.0f}, {0.7f, 0.0f}}));
        save(ctx, "rangedalien_notice.ogg", v, 0.24f);
    }
    // Hurt: a shriek that bends down, with a burst of frantic clicks.
    {
        Rng rng(202);
        const float len = 0.4f;
        std::size_t n = frames(len);
        Buffer v = warble(n, pitchDrop(n, 2400.0f, 1300.0f, 0.1f), constant(n, 26.0f), 0.12f, 2.5f);
        v = multiply(v, curve(n, {{0.0f, 0.0f}, {0.01f, 1.0f}, {0.2f, 0.7f}, {0.4f, 0.0f}}));
        mixInto(v, multiply(chitter(n, constant(n, 60.0f), constant(n, 2600.0f), rng), decay(n, 0.15f)), 0,
                0.8f);
        save(ctx, "rangedalien_takedamage.ogg", saturate(v, 1.5f), 0.24f);
    }
    // Death: the warble sinks and slows into a wet gurgle while the clicking dies.
    {
        Rng rng(203);
        const float len = 1.3f;
        std::size_t n = frames(len);
        Buffer v = warble(n, glide(n, 1300.0f, 180.0f), glide(n, 14.0f, 4.0f), 0.2f, 3.0f);
        v = multiply(v, curve(n, {{0.0f, 0.0f}, {0.02f, 1.0f}, {0.8f, 0.6f}, {1.3f, 0.0f}}));
        Buffer clicks = chitter(n, glide(n, 40.0f, 6.0f), glide(n, 2500.0f, 900.0f), rng);
        mixInto(v, multiply(clicks, curve(n, {{0.0f, 1.0f}, {1.1f, 0.2f}, {1.3f, 0.0f}})), 0, 0.7f);
        Buffer gurgle =
            svf(dust(n, 60.0f, rng), curve(n, {{0.0f, 500.0f}, {1.3f, 250.0f}}), 12.0f, Mode::Band);
        mixInto(v, multiply(gurgle, curve(n, {{0.0f, 0.0f}, {0.4f, 1.0f}, {1.3f, 0.0f}})), 0, 4.0f);
        save(ctx, "rangedalien_die.ogg", v, 0.24f);
    }
    // The cry it gives as it fires: a short hissing "kyaa" through an alien throat.
    {
        Rng rng(204);
        VoiceStyle s;
        s.formantScale = 1.9f;
        s.roughness = 0.5f;
        s.growlRate = 45.0f;
        s.growlDepth = 0.5f;
        s.brightness = 6000.0f;
        Buffer v = voice({{0.0f, 520, vowels::AE, 0.0f, 0.8f},
                          {0.03f, 600, vowels::AE, 1.0f, 0.4f},
                          {0.15f, 820, vowels::E, 1.0f, 0.3f},
                          {0.28f, 640, vowels::I, 0.0f, 0.2f}},
                         s, rng);
        std::size_t n = v.size();
        // Ring modulation puts the partials where no human voice has them.
        Buffer ringMod = oscillator(Wave::Sine, constant(n, 170.0f));
        v = multiply(v, ringMod);
        mixInto(v, chitter(n, constant(n, 50.0f), constant(n, 3000.0f), rng), 0, 0.5f);
        save(ctx, "rangedalienshoot.ogg", v, 0.22f);
    }
}

// ---- Melee alien: a big rough throat ------------------------------------------

VoiceStyle beast(float growlRate) {
    VoiceStyle s;
    s.formantScale = 0.62f;
    s.bandwidth = 1.6f;
    s.jitter = 0.04f;
    s.roughness = 0.8f;
    s.growlRate = growlRate;
    s.growlDepth = 0.55f;
    s.brightness = 2200.0f;
    return s;
}

// The throat doubled a fifth up and filled with breath noise: two throats at
// once, which no animal we know has.
Buffer beastVoice(const std::vector<VoiceKey>& keys, const VoiceStyle& style, std::uint64_t seed) {
    Rng rng(seed);
    Buffer v = voice(keys, style, rng);
    std::vector<VoiceKey> upper = keys;
    for (VoiceKey& k : upper)
        k.pitch *= 1.49f;
    Buffer u = voice(upper, style, rng);
    mixInto(v, u, 0, 0.45f);
    std::size_t n = v.size();
    Buffer breath = svf(whiteNoise(n, rng), 700.0f, 1.0f, Mode::Band);
    Buffer env(n);
    float e = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
        e += 0.002f * (std::fabs(v[i]) - e);
        env[i] = e;
    }
    mixInto(v, multiply(breath, env), 0, 0.9f);
    return saturate(scaled(v, 1.0f / std::max(peak(v), 1e-6f)), 2.5f);
}

void makeMeleeAlien(const AssetContext& ctx) {
    using namespace vowels;
    save(ctx, "meleealien_notice.ogg",
         beastVoice({{0.0f, 70, O, 0.0f, 0.5f},
                     {0.06f, 80, O, 1.0f, 0.4f},
                     {0.3f, 98, A, 1.0f, 0.4f},
                     {0.65f, 76, U, 0.8f, 0.5f},
                     {0.85f, 62, U, 0.0f, 0.2f}},
                    beast(28.0f), 301),
         0.3f);
    save(ctx, "meleealien_takedamage.ogg",
         beastVoice({{0.0f, 120, A, 0.0f, 0.6f},
                     {0.02f, 140, A, 1.0f, 0.5f},
                     {0.12f, 155, AE, 1.0f, 0.5f},
                     {0.3f, 90, U, 0.7f, 0.5f},
                     {0.45f, 70, U, 0.0f, 0.2f}},
                    beast(34.0f), 302),
         0.3f);
    {
        Buffer d = beastVoice({{0.0f, 110, A, 0.0f, 0.5f},
                               {0.05f, 120, A, 1.0f, 0.5f},
                               {0.4f, 100, A, 1.0f, 0.6f},
                               {1.1f, 55, O, 0.8f, 0.6f},
                               {1.6f, 38, OO, 0.0f, 0.3f}},
                              beast(22.0f), 303);
        Rng rng(304);
        std::size_t n = d.size();
        Buffer gurgle = svf(dust(n, 45.0f, rng), 300.0f, 10.0f, Mode::Band);
        mixInto(d, multiply(gurgle, curve(n, {{0.0f, 0.0f}, {0.6f, 1.0f}, {1.6f, 0.0f}})), 0, 3.0f);
        d = multiply(d, curve(n, {{0.0f, 1.0f}, {1.2f, 0.8f}, {1.6f, 0.0f}}));
        save(ctx, "meleealien_die.ogg", d, 0.3f);
    }
    // Power-up: a growl rising from the floor while the body charges.
    {
        const float len = 2.0f;
        VoiceStyle s = beast(18.0f);
        Buffer g = beastVoice({{0.0f, 42, OO, 0.0f, 0.3f},
                               {0.2f, 45, OO, 0.5f, 0.3f},
                               {1.2f, 75, O, 0.9f, 0.4f},
                               {1.9f, 125, A, 1.0f, 0.5f},
                               {2.0f, 130, A, 0.0f, 0.3f}},
                              s, 305);
        std::size_t n = g.size();
        Buffer charge = oscillator(Wave::Saw, glide(n, 55.0f, 220.0f));
        charge = svf(charge, glide(n, 200.0f, 2500.0f), 4.0f, Mode::Low);
        mixInto(g, multiply(charge, curve(n, {{0.0f, 0.0f}, {len * 0.9f, 0.5f}, {len, 0.0f}})), 0, 0.6f);
        g = multiply(g, curve(n, {{0.0f, 0.2f}, {len * 0.9f, 1.0f}, {len, 0.0f}}));
        save(ctx, "meleealien_powerup.ogg", g, 0.3f);
    }
    // Charge: a full open-throated roar.
    {
        VoiceStyle s = beast(40.0f);
        s.brightness = 3200.0f;
        Buffer r = beastVoice({{0.0f, 110, A, 0.0f, 0.6f},
                               {0.04f, 125, A, 1.0f, 0.4f},
                               {0.3f, 145, AE, 1.0f, 0.4f},
                               {0.9f, 120, A, 1.0f, 0.5f},
                               {1.25f, 80, O, 0.0f, 0.3f}},
                              s, 306);
        save(ctx, "meleealien_charge.ogg", r, 0.32f);
    }
}

} // namespace

void generateVoices(const AssetContext& ctx) {
    makeHumans(ctx);
    makeRangedAlien(ctx);
    makeMeleeAlien(ctx);
}

// A crowd swelling into cheers and whoops, with applause scattered over it.
void generateCrowd(const AssetContext& ctx) {
    using namespace vowels;
    Rng rng(401);
    const float len = 3.4f;
    std::size_t n = frames(len);
    Buffer crowd(n, 0.0f);
    const Vowel shapes[] = {A, O, E, AE, OO};
    for (int i = 0; i < 26; ++i) {
        float start = rng.uniform(0.0f, 0.6f);
        float dur = rng.uniform(0.9f, 2.4f);
        float base =
            rng.uniform(0.0f, 1.0f) < 0.5f ? rng.uniform(120.0f, 190.0f) : rng.uniform(220.0f, 360.0f);
        Vowel from = shapes[rng.range(0, 4)], to = shapes[rng.range(0, 4)];
        VoiceStyle s;
        s.formantScale = base > 200.0f ? 1.15f : 1.0f;
        s.jitter = 0.02f;
        s.vibratoDepth = 0.02f;
        s.vibratoRate = rng.uniform(4.0f, 7.0f);
        s.brightness = 4000.0f;
        Buffer v = voice({{0.0f, base, from, 0.0f, 0.3f},
                          {0.08f, base * 1.1f, from, 1.0f, 0.2f},
                          {dur * 0.4f, base * rng.uniform(1.2f, 1.5f), to, 1.0f, 0.2f},
                          {dur, base * 0.9f, to, 0.0f, 0.2f}},
                         s, rng);
        mixInto(crowd, v, frames(start), rng.uniform(0.4f, 1.0f));
    }
    crowd.resize(n, 0.0f);
    Buffer murmur = svf(whiteNoise(n, rng), 900.0f, 0.8f, Mode::Band);
    mixInto(crowd, murmur, 0, 0.15f);
    // Claps: short bright bursts, each hand pair its own pitch.
    Buffer claps(n, 0.0f);
    for (int i = 0; i < 160; ++i) {
        float at = rng.uniform(0.25f, len - 0.3f);
        float f = rng.uniform(900.0f, 2400.0f);
        Buffer c = svf(burst(rng, 0.04f, 0.006f, 300.0f, 9000.0f), f, 1.5f, Mode::Band);
        place(claps, c, at, rng.uniform(0.3f, 1.0f));
    }
    mixInto(crowd, claps, 0, 1.6f);
    // Two whistles.
    for (float at : {0.5f, 1.4f}) {
        std::size_t wn = frames(0.5f);
        Buffer w = oscillator(
            Wave::Sine, curve(wn, {{0.0f, 2100.0f}, {0.15f, 2800.0f}, {0.35f, 2700.0f}, {0.5f, 2300.0f}}));
        place(crowd, multiply(w, adsr(wn, 0.03f, 0.1f, 0.7f, 0.15f)), at, 0.12f);
    }
    crowd.resize(n, 0.0f);
    crowd = multiply(crowd, curve(n, {{0.0f, 0.0f}, {0.45f, 1.0f}, {2.2f, 0.9f}, {len, 0.0f}}));
    Stereo wet = reverb(crowd, {0.6f, 0.5f, 1.0f}, 0.0f);
    mixInto(crowd, wet.left, 0, 0.3f);
    save(ctx, "Cheer.ogg", crowd, 0.26f);
}

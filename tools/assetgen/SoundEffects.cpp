// Weapon, world and interface sound effects. Every effect is layered from a
// few physical ideas (a bright transient, a resonant body, a low punch, a
// room tail) so each one reads as what it is even at the low volumes the
// game plays some of them at.
#include "AssetGen.h"
#include "Synth.h"

#include <algorithm>
#include <cmath>

using namespace synth;

namespace {

void save(const AssetContext& ctx, const std::string& name, Buffer b, float level) {
    writeEffect(ctx.sounds(name), std::move(b), level);
}

void saveLoop(const AssetContext& ctx, const std::string& name, Buffer b, float level) {
    writeLoop(ctx.sounds(name), std::move(b), level);
}

// ---- Gunshots -----------------------------------------------------------------

struct Gun {
    float length;
    float crack, crackTau, crackHp;            // supersonic / muzzle transient
    float body, bodyTau, bodyHi, bodyLo;       // muzzle blast, cutoff falls hi -> lo
    float punch, punchFrom, punchTo, punchTau; // low-frequency kick
    float tail, tailTau, tailCut;              // the street answering back
    float drive;
    float room;
    std::uint64_t seed;
};

Buffer gunshot(const Gun& g) {
    Rng rng(g.seed);
    std::size_t n = frames(g.length);
    Buffer out(n, 0.0f);
    mixInto(out, burst(rng, g.length, g.crackTau, g.crackHp, 16000.0f), 0, g.crack);
    Buffer body =
        svf(whiteNoise(n, rng), pitchDrop(n, g.bodyHi, g.bodyLo, g.bodyTau * 1.5f), 0.8f, Mode::Low);
    mixInto(out, multiply(body, decay(n, g.bodyTau)), 0, g.body);
    mixInto(out, thump(g.length, g.punchFrom, g.punchTo, g.punchTau), 0, g.punch);
    Buffer tail = svf(whiteNoise(n, rng), g.tailCut, 0.7f, Mode::Low);
    Buffer tailEnv = multiply(decay(n, g.tailTau), curve(n, {{0.0f, 0.0f}, {0.015f, 1.0f}}));
    mixInto(out, multiply(tail, tailEnv), 0, g.tail);
    out = saturate(out, g.drive);
    if (g.room > 0.0f) {
        Buffer wet = reverbMono(out, {0.55f, 0.5f, 1.0f}, 0.0f);
        mixInto(out, highpass(wet, 150.0f), 0, g.room);
    }
    return out;
}

void makeGuns(const AssetContext& ctx) {
    // Snappy and short: the pistol fires eight times a second.
    save(ctx, "Pistol1.ogg",
         gunshot({0.5f, 1.0f, 0.004f, 2500, 0.9f, 0.03f, 5000, 700, 0.7f, 190, 70, 0.04f, 0.22f, 0.09f, 1600,
                  2.5f, 0.3f, 11}),
         0.42f);
    save(ctx, "44Magnum.ogg",
         gunshot({1.0f, 0.9f, 0.005f, 1800, 1.0f, 0.06f, 4000, 350, 1.1f, 110, 38, 0.1f, 0.4f, 0.28f, 800,
                  3.5f, 0.45f, 12}),
         0.44f);
    // The shotgun: a wide blast with a long rolling tail.
    {
        Buffer s = gunshot({1.5f, 0.8f, 0.007f, 1500, 1.0f, 0.09f, 3500, 280, 1.0f, 90, 34, 0.13f, 0.5f,
                            0.42f, 600, 3.0f, 0.5f, 13});
        save(ctx, "shotgun.ogg", echo(s, 0.21f, 0.3f, 0.25f, 0.0f, 1500.0f), 0.44f);
    }
    // The rifle: a hard supersonic crack and a slap off the buildings.
    {
        Buffer s = gunshot({1.1f, 1.3f, 0.0025f, 3500, 0.9f, 0.04f, 6000, 800, 0.8f, 120, 45, 0.07f, 0.35f,
                            0.25f, 900, 3.0f, 0.4f, 14});
        save(ctx, "Rifle.ogg", echo(s, 0.16f, 0.28f, 0.3f, 0.0f, 2500.0f), 0.44f);
    }
    // Fifteen rounds a second: light, bright and over quickly.
    save(ctx, "MP5.ogg",
         gunshot({0.24f, 0.9f, 0.003f, 3000, 0.8f, 0.018f, 6000, 1500, 0.4f, 170, 80, 0.02f, 0.15f, 0.05f,
                  2000, 2.2f, 0.15f, 15}),
         0.38f);
    // The machine gun thumps more than it cracks.
    save(ctx, "MachineGun1.ogg",
         gunshot({0.4f, 0.6f, 0.004f, 2000, 0.9f, 0.035f, 3000, 500, 1.0f, 130, 45, 0.06f, 0.25f, 0.1f, 1000,
                  3.0f, 0.25f, 16}),
         0.42f);

    // Black powder: flint snap, a hiss from the pan, then a soft heavy whoomph.
    {
        Rng rng(17);
        Buffer m = silence(1.8f);
        place(m, clack(rng, 3200.0f, 0.01f, 6.0f, 0.05f), 0.0f, 0.6f);
        Buffer pan =
            multiply(svf(whiteNoise(frames(0.08f), rng), 4500.0f, 1.0f, Mode::Band),
                     curve(frames(0.08f), {{0.0f, 0.0f}, {0.01f, 1.0f}, {0.07f, 0.6f}, {0.08f, 0.0f}}));
        mixInto(pan, highpass(dust(frames(0.08f), 600.0f, rng), 3000.0f), 0, 0.8f);
        place(m, pan, 0.012f, 0.45f);
        Buffer boom = gunshot({1.7f, 0.3f, 0.006f, 1500, 1.0f, 0.16f, 1800, 220, 1.3f, 70, 30, 0.18f, 0.6f,
                               0.55f, 420, 2.5f, 0.5f, 18});
        std::size_t bn = boom.size();
        boom = multiply(boom, curve(bn, {{0.0f, 0.0f}, {0.006f, 1.0f}}));
        place(m, boom, 0.075f, 1.0f);
        save(ctx, "MusketFire.ogg", m, 0.44f);
    }

    // Rail gun: a capacitor whine for an instant, then the slug tears out.
    {
        Rng rng(19);
        Buffer r = silence(1.5f);
        std::size_t cn = frames(0.17f);
        Buffer charge = oscillator(Wave::Saw, glide(cn, 300.0f, 2600.0f));
        mixInto(charge, oscillator(Wave::Sine, glide(cn, 900.0f, 7800.0f)), 0, 0.6f);
        charge = multiply(svf(charge, glide(cn, 800.0f, 6000.0f), 3.0f, Mode::Band),
                          curve(cn, {{0.0f, 0.1f}, {0.17f, 1.0f}}));
        place(r, charge, 0.0f, 0.5f);
        std::size_t zn = frames(1.3f);
        Buffer zap = fm(pitchDrop(zn, 3200.0f, 110.0f, 0.12f), 1.41f, scaled(decay(zn, 0.25f), 9.0f));
        zap = multiply(zap, decay(zn, 0.22f));
        mixInto(zap, burst(rng, 0.4f, 0.05f, 1500.0f, 14000.0f), 0, 0.9f);
        mixInto(zap, thump(0.6f, 140.0f, 40.0f, 0.15f), 0, 1.0f);
        mixInto(zap, ring(1.3f, {523.0f, 1410.0f, 2680.0f, 4120.0f}, 0.35f, 0.25f), 0, 1.0f);
        mixInto(zap, multiply(highpass(dust(zn, 300.0f, rng), 2500.0f), decay(zn, 0.3f)), 0, 0.8f);
        place(r, saturate(zap, 2.0f), 0.17f, 1.0f);
        // Its dense FM sidebands make the encoder overshoot; they are shaved off
        // above where they add any bite.
        save(ctx, "Railgun.ogg", svf(echo(r, 0.09f, 0.35f, 0.35f, 0.0f, 5000.0f), 9000.0f, 0.7f, Mode::Low),
             0.44f);
    }

    // Knife: a blade through air; the band sweeps up and back as it passes.
    {
        Rng rng(20);
        std::size_t n = frames(0.3f);
        Buffer air = svf(whiteNoise(n, rng), curve(n, {{0.0f, 700.0f}, {0.09f, 3800.0f}, {0.22f, 1400.0f}}),
                         2.5f, Mode::Band);
        mixInto(air, svf(whiteNoise(n, rng), 500.0f, 0.7f, Mode::Low), 0, 0.4f);
        Buffer env = curve(n, {{0.0f, 0.0f}, {0.07f, 1.0f}, {0.12f, 0.8f}, {0.28f, 0.0f}});
        save(ctx, "Knife.ogg", multiply(air, multiply(env, env)), 0.22f);
    }

    // Dry fire: the hammer falls on nothing.
    {
        Rng rng(21);
        Buffer d = silence(0.14f);
        place(d, clack(rng, 3300.0f, 0.004f, 8.0f, 0.05f), 0.0f, 0.7f);
        place(d, clack(rng, 1900.0f, 0.01f, 12.0f, 0.08f), 0.011f, 1.0f);
        place(d, ring(0.1f, {2450.0f, 5100.0f}, 0.02f, 0.2f), 0.011f);
        save(ctx, "DryFireGun.ogg", d, 0.2f);
    }
}

// ---- Reloads: sequences of clicks, clacks and sliding metal --------------------

Buffer magOut(Rng& rng) {
    Buffer b = silence(0.15f);
    place(b, clack(rng, 2600.0f, 0.006f, 8.0f, 0.04f), 0.0f, 0.6f);
    place(b, friction(rng, 0.09f, 2200.0f, 2.0f), 0.02f, 0.35f);
    return b;
}

Buffer magIn(Rng& rng) {
    Buffer b = silence(0.12f);
    place(b, friction(rng, 0.04f, 1800.0f, 2.0f), 0.0f, 0.3f);
    place(b, clack(rng, 850.0f, 0.025f, 5.0f, 0.08f), 0.04f, 1.0f);
    place(b, clack(rng, 2300.0f, 0.008f, 8.0f, 0.04f), 0.055f, 0.6f);
    return b;
}

Buffer slideRack(Rng& rng, float pitch) {
    Buffer b = silence(0.25f);
    place(b, clack(rng, 1500.0f * pitch, 0.01f, 6.0f, 0.04f), 0.0f, 0.6f);
    place(b, friction(rng, 0.06f, 2800.0f * pitch, 2.5f), 0.01f, 0.4f);
    place(b, clack(rng, 1200.0f * pitch, 0.02f, 6.0f, 0.08f), 0.1f, 1.0f);
    place(b, ring(0.15f, {1900.0f * pitch, 4300.0f * pitch}, 0.03f, 0.25f), 0.1f);
    return b;
}

void makeReloads(const AssetContext& ctx) {
    {
        Rng rng(31);
        Buffer r = silence(0.8f);
        place(r, magOut(rng), 0.0f);
        place(r, magIn(rng), 0.3f);
        place(r, slideRack(rng, 1.0f), 0.52f);
        save(ctx, "pistol_reload.ogg", r, 0.22f);
    }
    {
        Rng rng(32);
        Buffer r = silence(0.9f);
        place(r, magOut(rng), 0.0f);
        place(r, magIn(rng), 0.28f);
        place(r, clack(rng, 1700.0f, 0.01f, 5.0f, 0.05f), 0.52f, 0.5f);
        place(r, friction(rng, 0.08f, 2400.0f, 2.0f), 0.54f, 0.4f);
        place(r, clack(rng, 1000.0f, 0.03f, 5.0f, 0.1f), 0.66f, 1.2f);
        place(r, ring(0.2f, {1700.0f, 3900.0f}, 0.05f, 0.25f), 0.66f);
        save(ctx, "MP5_reload.ogg", r, 0.22f);
    }
    // Bolt action: lift, pull, push, lock.
    {
        Rng rng(33);
        Buffer r = silence(0.9f);
        place(r, clack(rng, 2200.0f, 0.008f, 7.0f, 0.04f), 0.0f, 0.7f);
        place(r, friction(rng, 0.12f, 2600.0f, 3.0f), 0.06f, 0.5f);
        place(r, clack(rng, 1300.0f, 0.02f, 6.0f, 0.06f), 0.19f, 0.9f);
        place(r, ring(0.12f, {3800.0f, 6100.0f}, 0.03f, 0.15f), 0.3f);
        place(r, friction(rng, 0.09f, 2300.0f, 3.0f), 0.48f, 0.5f);
        place(r, clack(rng, 1100.0f, 0.025f, 6.0f, 0.08f), 0.58f, 1.0f);
        place(r, clack(rng, 1800.0f, 0.012f, 7.0f, 0.06f), 0.72f, 0.8f);
        save(ctx, "Rifle_reload.ogg", r, 0.22f);
    }
    // Two shells thumbed into the tube, then the pump racks.
    {
        Rng rng(34);
        Buffer r = silence(0.95f);
        for (float at : {0.0f, 0.26f}) {
            place(r, friction(rng, 0.05f, 1500.0f, 2.0f), at, 0.4f);
            place(r, clack(rng, 650.0f, 0.03f, 4.0f, 0.08f), at + 0.05f, 0.9f);
            place(r, clack(rng, 2500.0f, 0.006f, 8.0f, 0.03f), at + 0.055f, 0.4f);
        }
        place(r, clack(rng, 520.0f, 0.03f, 4.0f, 0.1f), 0.55f, 0.8f);
        place(r, friction(rng, 0.08f, 1200.0f, 1.5f), 0.56f, 0.5f);
        place(r, clack(rng, 600.0f, 0.04f, 4.0f, 0.12f), 0.68f, 1.2f);
        place(r, ring(0.2f, {1450.0f, 3300.0f}, 0.05f, 0.2f), 0.68f);
        save(ctx, "shotgun_reload.ogg", r, 0.22f);
    }
    // Revolver: swing the cylinder out, eject the brass, load, snap shut.
    {
        Rng rng(35);
        Buffer r = silence(1.1f);
        place(r, clack(rng, 2800.0f, 0.008f, 8.0f, 0.04f), 0.0f, 0.8f);
        place(r, friction(rng, 0.05f, 3000.0f, 3.0f), 0.02f, 0.3f);
        for (int i = 0; i < 6; ++i) {
            float f = rng.uniform(3600.0f, 5200.0f);
            place(r, ring(0.12f, {f, f * 1.52f, f * 2.31f}, 0.04f, 0.25f),
                  0.14f + 0.025f * i + rng.uniform(0.0f, 0.015f));
        }
        for (float at : {0.45f, 0.56f, 0.67f})
            place(r, clack(rng, 3900.0f, 0.006f, 10.0f, 0.03f), at, 0.5f);
        place(r, clack(rng, 1500.0f, 0.02f, 6.0f, 0.08f), 0.86f, 1.1f);
        place(r, ring(0.2f, {2100.0f, 4700.0f}, 0.04f, 0.2f), 0.86f);
        for (int i = 0; i < 5; ++i)
            place(r, clack(rng, 3000.0f, 0.003f, 8.0f, 0.02f), 0.93f + 0.028f * i,
                  0.25f * (1.0f - 0.15f * i));
        save(ctx, "magnum_reload.ogg", r, 0.22f);
    }
    // Rail gun: the spent cell vents, a fresh one locks in, the coils spool up.
    {
        Rng rng(36);
        Buffer r = silence(1.35f);
        place(r, clack(rng, 1400.0f, 0.015f, 5.0f, 0.06f), 0.0f, 0.8f);
        place(r, burst(rng, 0.35f, 0.1f, 3000.0f, 12000.0f), 0.02f, 0.35f);
        place(r, thump(0.15f, 200.0f, 90.0f, 0.04f), 0.45f, 0.8f);
        place(r, clack(rng, 1200.0f, 0.02f, 5.0f, 0.06f), 0.45f, 0.9f);
        std::size_t wn = frames(0.7f);
        Buffer whine = oscillator(Wave::Sine, glide(wn, 250.0f, 1900.0f));
        mixInto(whine, oscillator(Wave::Square, glide(wn, 125.0f, 950.0f)), 0, 0.12f);
        Buffer trem = oscillator(Wave::Sine, glide(wn, 8.0f, 30.0f));
        for (float& v : trem)
            v = 0.75f + 0.25f * v;
        whine = multiply(multiply(whine, trem),
                         curve(wn, {{0.0f, 0.0f}, {0.1f, 0.5f}, {0.65f, 1.0f}, {0.7f, 0.0f}}));
        place(r, whine, 0.52f, 0.45f);
        Buffer beep = multiply(oscillator(Wave::Sine, frames(0.08f), 1760.0f),
                               adsr(frames(0.08f), 0.003f, 0.0f, 1.0f, 0.03f));
        place(r, beep, 1.24f, 0.4f);
        save(ctx, "railgun_reload.ogg", r, 0.22f);
    }
    // Chainsaw: the pull cord rips out, the engine coughs and catches.
    {
        Rng rng(37);
        Buffer r = silence(1.1f);
        float t = 0.0f, gap = 0.03f;
        while (t < 0.34f) {
            place(r, clack(rng, 2000.0f + 4000.0f * t, 0.004f, 6.0f, 0.02f), t, 0.4f);
            t += gap;
            gap = std::max(0.008f, gap * 0.88f);
        }
        std::size_t zn = frames(0.36f);
        place(r,
              multiply(svf(whiteNoise(zn, rng), glide(zn, 700.0f, 2600.0f), 3.0f, Mode::Band),
                       curve(zn, {{0.0f, 0.2f}, {0.3f, 1.0f}, {0.36f, 0.0f}})),
              0.0f, 0.5f);
        for (float at :
             {0.45f, 0.58f, 0.66f, 0.72f, 0.77f, 0.81f, 0.85f, 0.88f, 0.91f, 0.94f, 0.965f, 0.99f}) {
            place(r, thump(0.1f, 150.0f, 60.0f, 0.03f), at, 0.8f);
            place(r, burst(rng, 0.06f, 0.015f, 200.0f, 2500.0f), at, 0.6f);
        }
        save(ctx, "chainsaw_reload.ogg", saturate(r, 1.5f), 0.24f);
    }
}

// ---- Loops: the chainsaw engine and the brainwash machine ----------------------
// Oscillators run a whole number of cycles per loop and filters run circularly,
// so the last sample leads straight back into the first.

Buffer engine(float loopSeconds, float firing, float rpmWobble, float wobbleRate, float brightness,
              std::uint64_t seed) {
    Rng rng(seed);
    std::size_t n = frames(loopSeconds);
    Buffer freq(n);
    for (std::size_t i = 0; i < n; ++i)
        freq[i] =
            firing * (1.0f + rpmWobble * std::sin(kTwoPi * wobbleRate * static_cast<float>(seconds(i))));
    // One exhaust pop per firing, each a little different (the lope of a small
    // two-stroke); the pattern repeats exactly once per loop.
    Buffer pulses(n, 0.0f);
    // A pop on the sample where a new cycle begins; the loop's last cycle
    // ends exactly at the seam, so its pop is the first sample's.
    double phase = 0.0, before = -1.0;
    for (std::size_t i = 0; i < n; ++i) {
        if (std::floor(phase) != std::floor(before))
            pulses[i] = rng.uniform(0.6f, 1.0f);
        before = phase;
        phase += freq[i] / kSampleRate;
    }
    Buffer buzz = oscillator(Wave::Pulse, freq, 0.0f, 0.2f);
    Buffer noise = whiteNoise(n, rng);
    Buffer out = circular(pulses, [&](const Buffer& x) {
        Buffer pop = svf(x, 180.0f, 6.0f, Mode::Band);
        mixInto(pop, svf(x, brightness, 1.5f, Mode::Low), 0, 3.0f);
        return pop;
    });
    out = scaled(out, 1.0f / std::max(peak(out), 1e-6f));
    Buffer modulated(n);
    for (std::size_t i = 0; i < n; ++i)
        modulated[i] = noise[i] * (0.4f + 0.6f * std::fabs(out[i]));
    Buffer texture =
        circular(modulated, [&](const Buffer& x) { return svf(x, brightness * 1.6f, 1.0f, Mode::Band); });
    Buffer tone = circular(buzz, [&](const Buffer& x) {
        return resonate(
            svf(x, brightness, 0.9f, Mode::Low),
            {{firing * 2.0f, 3.0f, 1.0f}, {brightness * 0.7f, 2.0f, 0.8f}, {2900.0f, 3.0f, 0.3f}});
    });
    Buffer mix(n, 0.0f);
    mixInto(mix, out, 0, 0.9f);
    mixInto(mix, tone, 0, 0.8f);
    mixInto(mix, texture, 0, 0.5f);
    return saturate(mix, 2.5f);
}

void makeLoops(const AssetContext& ctx) {
    // Idle: about 2700 rpm, loping (54 firings in 1.2 s).
    saveLoop(ctx, "chainsaw_idle.ogg", engine(1.2f, 45.0f, 0.04f, 2.5f, 650.0f, 41), 0.2f);
    // Cutting: screaming at full throttle with the chain biting (140 firings/s).
    {
        Rng rng(42);
        std::size_t n = frames(1.0f);
        Buffer e = engine(1.0f, 140.0f, 0.025f, 3.0f, 1800.0f, 43);
        Buffer chain = whiteNoise(n, rng);
        for (std::size_t i = 0; i < n; ++i) {
            float t = static_cast<float>(seconds(i));
            chain[i] *= 0.6f + 0.4f * std::sin(kTwoPi * 23.0f * t) * std::sin(kTwoPi * 140.0f * t);
        }
        chain = circular(chain, [](const Buffer& x) { return svf(x, 3200.0f, 1.2f, Mode::Band); });
        mixInto(e, chain, 0, 0.35f);
        saveLoop(ctx, "chainsaw_use.ogg", e, 0.3f);
    }
    // The brainwash machine: a hypnotic transmitter, throbbing and warbling,
    // with data chirps. Four seconds, every component periodic in it.
    {
        const float L = 4.0f;
        std::size_t n = frames(L);
        Rng rng(44);
        Buffer out(n, 0.0f);
        Buffer throbFreq = constant(n, 55.0f);
        Buffer throb = oscillator(Wave::Triangle, throbFreq);
        Buffer carrierFreq(n), scanCut(n);
        for (std::size_t i = 0; i < n; ++i) {
            float t = static_cast<float>(seconds(i));
            throb[i] *= 0.55f + 0.45f * std::sin(kTwoPi * 2.0f * t);
            carrierFreq[i] = 440.0f + 30.0f * std::sin(kTwoPi * 6.0f * t);
            scanCut[i] = 900.0f * std::pow(2.0f, 1.5f * std::sin(kTwoPi * t / L));
        }
        mixInto(out, throb, 0, 0.6f);
        Buffer carrier = fm(carrierFreq, 1.5f, constant(n, 1.2f));
        for (std::size_t i = 0; i < n; ++i) {
            float t = static_cast<float>(seconds(i));
            carrier[i] *= 0.5f + 0.5f * std::sin(kTwoPi * 3.0f * t);
        }
        mixInto(out, carrier, 0, 0.35f);
        Buffer scan = whiteNoise(n, rng);
        scan = circular(scan, [&](const Buffer& x) { return svf(x, scanCut, 6.0f, Mode::Band); });
        mixInto(out, scan, 0, 0.25f);
        Buffer chirps(n, 0.0f);
        const float notes[] = {1318.5f, 1568.0f, 1174.7f, 1760.0f, 1318.5f, 1975.5f, 1568.0f, 1046.5f};
        for (int k = 0; k < 8; ++k) {
            std::size_t cn = frames(0.09f);
            Buffer c = oscillator(Wave::Square, glide(cn, notes[k], notes[k] * 1.12f));
            c = multiply(lowpass(c, 3000.0f), adsr(cn, 0.004f, 0.02f, 0.6f, 0.03f));
            mixInto(chirps, c, frames(0.5f * k + (k % 2 ? 0.12f : 0.0f)), 0.22f);
        }
        chirps = foldTail(chirps, n);
        chirps = foldTail(echo(chirps, 0.25f, 0.45f, 0.6f, 3.0f, 2500.0f), n);
        mixInto(out, chirps, 0, 1.0f);
        saveLoop(ctx, "BWMsignal.ogg", out, 0.25f);
    }
}

// ---- World, pickups, interface -----------------------------------------------

Buffer bell(float len, float freq, float tau) {
    return modes(frames(len), {{freq, tau, 1.0f},
                               {freq * 2.0f, tau * 0.5f, 0.35f},
                               {freq * 2.76f, tau * 0.35f, 0.25f},
                               {freq * 5.4f, tau * 0.2f, 0.12f}});
}

void makeWorld(const AssetContext& ctx) {
    // A deep explosion: crack, blast, sub punch, rumbling tail, falling debris.
    {
        Rng rng(51);
        const float len = 3.0f;
        std::size_t n = frames(len);
        Buffer x(n, 0.0f);
        mixInto(x, burst(rng, 0.1f, 0.012f, 1000.0f, 15000.0f), 0, 0.8f);
        Buffer blast = svf(whiteNoise(n, rng),
                           curve(n, {{0.0f, 7000.0f}, {0.05f, 2500.0f}, {0.4f, 500.0f}, {2.0f, 150.0f}}),
                           0.9f, Mode::Low);
        mixInto(x, multiply(blast, multiply(decay(n, 0.4f), curve(n, {{0.0f, 0.0f}, {0.004f, 1.0f}}))), 0,
                1.3f);
        mixInto(x, thump(len, 75.0f, 28.0f, 0.4f), 0, 1.3f);
        Buffer rumble = lowpass(lowpass(brownNoise(n, rng), 180.0f), 180.0f);
        rumble = scaled(rumble, 1.0f / std::max(peak(rumble), 1e-6f));
        mixInto(x, multiply(rumble, multiply(decay(n, 0.9f), curve(n, {{0.0f, 0.0f}, {0.06f, 1.0f}}))), 0,
                0.9f);
        Buffer debris = multiply(dust(n, 70.0f, rng),
                                 curve(n, {{0.0f, 0.0f}, {0.25f, 0.0f}, {0.4f, 1.0f}, {2.4f, 0.0f}}));
        mixInto(x, svf(debris, 2200.0f, 3.0f, Mode::Band), 0, 2.5f);
        x = saturate(x, 2.5f);
        Buffer wet = reverbMono(x, {0.8f, 0.6f, 1.0f}, 0.0f);
        mixInto(x, wet, 0, 0.35f);
        save(ctx, "Explosion1.ogg", x, 0.36f);
    }
    // A wall gives: a crunch, then bricks and plaster raining down.
    {
        Rng rng(52);
        const float len = 1.5f;
        std::size_t n = frames(len);
        Buffer w(n, 0.0f);
        mixInto(w, thump(0.5f, 90.0f, 35.0f, 0.15f), 0, 1.0f);
        mixInto(w, burst(rng, 0.4f, 0.08f, 80.0f, 2200.0f), 0, 1.0f);
        for (int i = 0; i < 70; ++i) {
            float at = 0.03f + 1.1f * std::pow(rng.uniform(), 1.6f);
            float size = (1.0f - at / 1.2f) * rng.uniform(0.3f, 1.0f);
            float f = rng.uniform(300.0f, 2800.0f);
            place(w, clack(rng, f, rng.uniform(0.008f, 0.03f), 3.0f, 0.08f), at, size);
        }
        Buffer dustHiss = multiply(svf(whiteNoise(n, rng), 1200.0f, 0.7f, Mode::Low),
                                   multiply(decay(n, 0.5f), curve(n, {{0.0f, 0.0f}, {0.05f, 1.0f}})));
        mixInto(w, dustHiss, 0, 0.3f);
        w = saturate(w, 1.8f);
        mixInto(w, reverbMono(w, {0.5f, 0.6f, 1.0f}, 0.0f), 0, 0.2f);
        save(ctx, "Wall_dest.ogg", w, 0.32f);
    }
    // A brass casing bouncing on concrete.
    {
        Rng rng(53);
        Buffer s = silence(0.5f);
        float at = 0.0f, gain = 1.0f, gap = 0.13f;
        for (int i = 0; i < 5; ++i) {
            float f = 3900.0f * rng.uniform(0.95f, 1.06f);
            place(s,
                  modes(frames(0.2f), {{f, 0.07f, 1.0f},
                                       {f * 1.58f, 0.05f, 0.6f},
                                       {f * 2.13f, 0.04f, 0.45f},
                                       {f * 2.6f, 0.03f, 0.3f}}),
                  at, gain);
            place(s, clack(rng, 5000.0f, 0.002f, 4.0f, 0.01f), at, gain * 0.5f);
            at += gap;
            gap *= 0.62f;
            gain *= 0.6f;
        }
        save(ctx, "Shell_falls.ogg", s, 0.2f);
    }
    // Taser: an arc that spits and buzzes.
    {
        Rng rng(54);
        const float len = 0.6f;
        std::size_t n = frames(len);
        Buffer buzz = oscillator(Wave::Square, constant(n, 120.0f));
        mixInto(buzz, oscillator(Wave::Saw, constant(n, 243.0f)), 0, 0.6f);
        Buffer gate(n);
        float g = 1.0f;
        for (std::size_t i = 0; i < n; ++i) {
            if (i % 400 == 0)
                g = rng.uniform() < 0.7f ? rng.uniform(0.5f, 1.0f) : 0.1f;
            gate[i] = g;
        }
        gate = lowpass(gate, 300.0f);
        Buffer arc = multiply(buzz, gate);
        mixInto(arc, highpass(dust(n, 1500.0f, rng), 2000.0f), 0, 1.5f);
        mixInto(arc, multiply(svf(whiteNoise(n, rng), 3500.0f, 1.5f, Mode::Band), gate), 0, 0.8f);
        arc = saturate(arc, 3.0f);
        arc = multiply(arc, curve(n, {{0.0f, 0.0f}, {0.005f, 1.0f}, {0.35f, 0.8f}, {0.6f, 0.0f}}));
        save(ctx, "eshock_use.ogg", arc, 0.32f);
    }
    // Taser recharge: a short rising capacitor whine that repeats faster and
    // faster as the charge fills.
    {
        std::size_t n = frames(0.2f);
        Buffer w = oscillator(Wave::Sine, glide(n, 1100.0f, 2300.0f));
        mixInto(w, oscillator(Wave::Triangle, glide(n, 2200.0f, 4600.0f)), 0, 0.25f);
        save(ctx, "eshock_reload.ogg", multiply(w, adsr(n, 0.01f, 0.05f, 0.7f, 0.08f)), 0.16f);
    }
    // Alien plasma shot: a descending FM zap with a wobbling sub.
    {
        Rng rng(55);
        const float len = 0.5f;
        std::size_t n = frames(len);
        Buffer zap = fm(pitchDrop(n, 2000.0f, 260.0f, 0.1f), 1.5f, curve(n, {{0.0f, 7.0f}, {0.3f, 1.0f}}));
        Buffer sub = oscillator(Wave::Square, pitchDrop(n, 420.0f, 70.0f, 0.08f));
        mixInto(zap, lowpass(sub, 1200.0f), 0, 0.4f);
        mixInto(zap, burst(rng, 0.1f, 0.02f, 2000.0f, 9000.0f), 0, 0.4f);
        zap = multiply(zap, multiply(decay(n, 0.12f), curve(n, {{0.0f, 0.0f}, {0.003f, 1.0f}})));
        save(ctx, "AlienWeapon.ogg", echo(zap, 0.06f, 0.3f, 0.3f, 0.0f, 4000.0f), 0.3f);
    }
    // Health: a warm, bright rising arpeggio (E major).
    {
        Buffer h = silence(0.9f);
        const float notes[] = {659.3f, 830.6f, 987.8f, 1318.5f};
        for (int i = 0; i < 4; ++i)
            place(h, bell(0.7f, notes[i], 0.25f), 0.06f * i, 0.8f);
        save(ctx, "Hpickup.ogg", echo(h, 0.11f, 0.3f, 0.3f, 0.0f, 6000.0f), 0.26f);
    }
    // Invulnerability: a rising sweep into a shimmering major-seventh run.
    {
        Rng rng(56);
        Buffer v = silence(1.4f);
        std::size_t sn = frames(0.35f);
        Buffer sweep = svf(oscillator(Wave::Saw, glide(sn, 220.0f, 880.0f)), glide(sn, 400.0f, 6000.0f), 2.0f,
                           Mode::Low);
        place(v, multiply(sweep, curve(sn, {{0.0f, 0.0f}, {0.3f, 1.0f}, {0.35f, 0.0f}})), 0.0f, 0.3f);
        const float notes[] = {523.3f, 659.3f, 784.0f, 987.8f, 1046.5f, 1318.5f, 1568.0f, 1975.5f, 2093.0f};
        for (int i = 0; i < 9; ++i)
            place(v, bell(0.9f, notes[i], 0.35f), 0.25f + 0.04f * i, 0.6f);
        std::size_t pn = frames(1.0f);
        Buffer pad(pn, 0.0f);
        for (float f : {1046.5f, 1318.5f, 1568.0f})
            for (float detune : {0.997f, 1.003f})
                mixInto(pad, oscillator(Wave::Sine, constant(pn, f * detune)), 0, 0.2f);
        place(v, multiply(pad, adsr(pn, 0.2f, 0.1f, 0.8f, 0.6f)), 0.35f, 0.5f);
        save(ctx, "Ipickup.ogg", echo(v, 0.13f, 0.4f, 0.35f, 0.0f, 7000.0f), 0.26f);
    }
    // Point count: the score counter allows itself as long as this sound
    // lasts (up to four seconds), so it is four seconds of soft quick ticks
    // whose pitch creeps upward as the total climbs.
    {
        const float len = 4.0f, rate = 16.0f;
        Buffer p = silence(len);
        int ticks = static_cast<int>(len * rate);
        for (int i = 0; i < ticks; ++i) {
            float f = 1500.0f * std::pow(2.0f, static_cast<float>(i) / static_cast<float>(ticks) * 0.8f);
            std::size_t tn = frames(0.03f);
            Buffer t = multiply(oscillator(Wave::Sine, constant(tn, f)), decay(tn, 0.006f));
            mixInto(t, multiply(oscillator(Wave::Sine, constant(tn, f * 2.0f)), decay(tn, 0.002f)), 0, 0.3f);
            place(p, t, static_cast<float>(i) / rate, i % 4 == 0 ? 1.0f : 0.7f);
        }
        save(ctx, "PointCount.ogg", lowpass(p, 6000.0f), 0.14f);
    }
    // The menu click: short and crisp; the game bends its pitch per click.
    {
        Rng rng(57);
        Buffer c = silence(0.06f);
        place(c, burst(rng, 0.01f, 0.0008f, 3000.0f, 16000.0f), 0.0f, 0.7f);
        place(c,
              modes(frames(0.05f), {{1850.0f, 0.006f, 1.0f}, {3700.0f, 0.003f, 0.4f}, {950.0f, 0.01f, 0.5f}}),
              0.0f);
        save(ctx, "hit1.ogg", c, 0.22f);
    }
}

// Heavy metal doors on rails: rumble of the rollers, a grinding screech, and
// (closing) the slam when they meet.
Buffer doors(bool closing, std::uint64_t seed) {
    Rng rng(seed);
    const float len = closing ? 1.3f : 1.2f;
    std::size_t n = frames(len);
    Buffer d(n, 0.0f);
    float slideEnd = closing ? 0.95f : 1.15f;
    Buffer motion = closing
                        ? curve(n, {{0.0f, 0.3f}, {0.15f, 1.0f}, {slideEnd, 1.0f}, {slideEnd + 0.02f, 0.0f}})
                        : curve(n, {{0.0f, 0.0f}, {0.08f, 1.0f}, {0.6f, 0.8f}, {slideEnd, 0.0f}});
    Buffer rumble = lowpass(brownNoise(n, rng), 300.0f);
    rumble = scaled(rumble, 1.0f / std::max(peak(rumble), 1e-6f));
    Buffer bumps(n);
    for (std::size_t i = 0; i < n; ++i)
        bumps[i] = 0.7f + 0.3f * std::sin(kTwoPi * 13.0f * static_cast<float>(seconds(i)));
    mixInto(d, multiply(multiply(rumble, bumps), motion), 0, 1.0f);
    Buffer screech = svf(whiteNoise(n, rng), curve(n, {{0.0f, 820.0f}, {0.5f, 900.0f}, {1.2f, 860.0f}}),
                         12.0f, Mode::Band);
    mixInto(screech, svf(whiteNoise(n, rng), 2350.0f, 18.0f, Mode::Band), 0, 0.6f);
    mixInto(d, multiply(screech, motion), 0, 0.5f);
    mixInto(d, multiply(svf(dust(n, 120.0f, rng), 1400.0f, 4.0f, Mode::Band), motion), 0, 1.5f);
    if (closing) {
        place(d, thump(0.4f, 110.0f, 45.0f, 0.12f), slideEnd, 1.6f);
        place(d, burst(rng, 0.3f, 0.06f, 100.0f, 5000.0f), slideEnd, 1.0f);
        place(d, ring(0.35f, {182.0f, 417.0f, 763.0f, 1271.0f, 2113.0f}, 0.3f, 0.6f), slideEnd);
    } else {
        place(d, thump(0.3f, 130.0f, 60.0f, 0.08f), 0.0f, 1.0f);
        place(d, clack(rng, 450.0f, 0.05f, 5.0f, 0.15f), 0.0f, 1.0f);
        place(d, burst(rng, 0.5f, 0.15f, 2500.0f, 12000.0f), 0.03f, 0.3f);
    }
    d = saturate(d, 1.6f);
    mixInto(d, reverbMono(d, {0.7f, 0.5f, 1.0f}, 0.0f), 0, 0.3f);
    return d;
}

} // namespace

void generateVoices(const AssetContext& ctx);
void generateCrowd(const AssetContext& ctx);

void generateSoundEffects(const AssetContext& ctx) {
    makeGuns(ctx);
    makeReloads(ctx);
    makeLoops(ctx);
    makeWorld(ctx);
    save(ctx, "doorsin.ogg", doors(true, 61), 0.3f);
    save(ctx, "doorsout.ogg", doors(false, 62), 0.3f);
    generateVoices(ctx);
    generateCrowd(ctx);
}

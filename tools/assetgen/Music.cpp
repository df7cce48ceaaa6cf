// The three music loops: the battle track, the main menu's night-city theme
// and the calmer score/upgrade theme. Each is written on a 16th-note grid with
// a whole number of bars; everything that rings past the last bar (note
// releases, reverb, echoes) is folded back onto the first bars, so the end of
// the file runs straight into its start when the game loops it.
#include "AssetGen.h"
#include "Synth.h"

using namespace synth;
using namespace music;

namespace {

// ---- Battle: A minor, 136 BPM, 32 bars ---------------------------------------

void battle(const AssetContext& ctx) {
    Song song(136.0f, 32, 0xBA77);
    Rng& rng = song.rng;
    // i-VI-iv-V, two bars each: the V is E major, the harmonic minor's bite.
    const Chord verse[4] = {{45, Minor}, {41, Major}, {38, Minor}, {40, Major}};
    // Breakdown: VI-VII-v-i, VI-VII-V-V.
    const Chord bridge[8] = {{41, Major}, {43, Major}, {40, Minor}, {45, Minor},
                             {41, Major}, {43, Major}, {40, Major}, {40, Major}};
    auto chordAt = [&](int bar) -> Chord {
        if (bar >= 16 && bar < 24)
            return bridge[bar - 16];
        return verse[(bar % 8) / 2];
    };

    for (int bar = 0; bar < 32; ++bar) {
        Chord c = chordAt(bar);
        int s0 = bar * 16;
        bool breakdown = bar >= 16 && bar < 24;
        bool full = bar >= 8;
        // Drums.
        for (int s = 0; s < 16; ++s) {
            int step = s0 + s;
            bool lastOfPhrase = bar % 8 == 7 && s >= 12;
            if (breakdown) {
                if (s == 0 || s == 10)
                    song.add(kick(), step, 0.9f, 0.0f, 0.0f);
                if (s == 8)
                    song.add(snare(rng), step, 0.7f, 0.0f, 0.25f);
            } else if (!lastOfPhrase) {
                if (s % 4 == 0 || (s == 14 && bar % 2 == 1))
                    song.add(kick(), step, s % 4 == 0 ? 1.0f : 0.6f, 0.0f, 0.0f);
                if (s == 4 || s == 12) {
                    song.add(snare(rng), step, 0.8f, 0.0f, 0.15f);
                    if (full)
                        song.add(clap(rng), step, 0.4f, 0.1f, 0.3f);
                }
            }
            // Fill closing every eight bars: a 16th snare run that swells.
            if (lastOfPhrase)
                song.add(snare(rng), step, 0.35f + 0.15f * static_cast<float>(s - 12), 0.0f, 0.2f);
            if (bar == 23 && s >= 8)
                song.add(snare(rng), step, 0.2f + 0.07f * static_cast<float>(s - 8), 0.0f, 0.2f);
            float hatVel = s % 4 == 2 ? 0.55f : (s % 2 == 0 ? 0.3f : 0.18f);
            if (!breakdown || s % 2 == 0)
                song.add(hat(rng, full && s % 4 == 2 && !breakdown), step, hatVel, 0.3f, 0.05f);
        }
        if (bar % 8 == 0)
            song.add(crash(rng), s0, 0.45f, -0.2f, 0.3f);
        if (bar == 23)
            song.add(riser(rng, song.stepSeconds() * 16), s0, 0.35f, 0.0f, 0.3f);

        // Bass: rolling 16ths with octave jumps (8ths in the breakdown).
        const int pattern[16] = {0, 0, 12, 0, 0, 0, 12, 0, 0, 0, 12, 0, 0, 12, 0, 12};
        for (int s = 0; s < 16; ++s) {
            if (breakdown && s % 2 == 1)
                continue;
            int note = c.root - 12 + pattern[s];
            song.add(bass(hz(note), song.stepSeconds() * (breakdown ? 1.6f : 0.8f), 1200.0f), s0 + s,
                     s % 4 == 0 ? 0.9f : 0.7f, 0.0f, 0.0f, 0.0f, true);
        }
        // Arpeggio: up and down through the chord over two octaves.
        const int shape[8] = {0, 1, 2, 3, 4, 3, 2, 1};
        for (int s = 0; s < 16; ++s) {
            int note = c.tone(shape[s % 8], 57);
            float pan = (s % 2 == 0) ? -0.35f : 0.35f;
            song.add(pluck(hz(note), song.stepSeconds() * 0.9f, breakdown ? 1800.0f : 3500.0f), s0 + s,
                     s % 4 == 0 ? 0.5f : 0.36f, pan, 0.15f, 0.3f, true);
        }
        // Pad under everything, louder in the breakdown.
        for (int k = 0; k < 3; ++k)
            song.add(pad(hz(c.tone(k, 60)), song.stepSeconds() * 16, 1500.0f), s0, breakdown ? 0.28f : 0.16f,
                     -0.5f + 0.5f * k, 0.5f, 0.0f, true);
    }

    // Lead: the theme in bars 9-16, answered an octave up in bars 25-32.
    const char* theme = "A4:3 C5:3 E5:2 D5:4 C5:2 B4:2 | C5:6 A4:2 r:4 E4:2 G4:2 | "
                        "A4:3 C5:3 F5:2 E5:4 D5:2 C5:2 | C5:8 r:4 C5:2 D5:2 | "
                        "F5:3 E5:3 D5:2 A5:4 F5:2 D5:2 | E5:6 D5:2 r:4 D5:2 E5:2 | "
                        "G#5:3 F5:3 E5:2 D5:4 B4:2 G#4:2 | B4:8 E5:4 r:4";
    for (const Note& n : melody(theme, 8 * 16))
        song.add(lead(hz(n.midi), song.stepSeconds() * n.length), n.step, 0.42f, 0.1f, 0.25f, 0.35f);
    for (const Note& n : melody(theme, 24 * 16)) {
        song.add(lead(hz(n.midi + 12), song.stepSeconds() * n.length), n.step, 0.32f, 0.15f, 0.25f, 0.35f);
        song.add(lead(hz(n.midi), song.stepSeconds() * n.length), n.step, 0.22f, -0.25f, 0.25f, 0.2f);
    }
    // Breakdown: long held notes over the bridge chords.
    const char* counter = "A5:16 | B5:16 | G5:16 | E5:16 | A5:8 C6:8 | B5:16 | G#5:16 | B5:16";
    for (const Note& n : melody(counter, 16 * 16))
        song.add(lead(hz(n.midi), song.stepSeconds() * n.length), n.step, 0.28f, 0.0f, 0.45f, 0.4f);

    writeOgg(ctx.sounds("battle.ogg"), song.finish({0.75f, 0.5f, 1.0f}, 0.75f, 3.0f, 0.55f));
}

// ---- Main menu: F minor, 80 BPM, 16 bars ----------------------------------------

void menuTheme(const AssetContext& ctx) {
    Song song(80.0f, 16, 0x0E11);
    Rng& rng = song.rng;
    const Chord chords[16] = {{41, Minor}, {37, Major}, {44, Major}, {39, Major}, {41, Minor}, {37, Major},
                              {46, Minor}, {36, Major}, {37, Major}, {39, Major}, {41, Minor}, {41, Minor},
                              {37, Major}, {39, Major}, {36, Major}, {36, Major}};
    for (int bar = 0; bar < 16; ++bar) {
        Chord c = chords[bar];
        int s0 = bar * 16;
        // A slow, heavy half-time beat with a soft swung shaker.
        song.add(kick(), s0, 0.9f, 0.0f, 0.05f);
        song.add(kick(), s0 + 10, 0.6f, 0.0f, 0.05f);
        if (bar % 4 == 3)
            song.add(kick(), s0 + 14, 0.4f, 0.0f, 0.05f);
        song.add(snare(rng), s0 + 8, 0.55f, 0.05f, 0.5f);
        for (int s = 0; s < 16; s += 2)
            song.add(hat(rng, false), s0 + s + (s % 4 == 2 ? 0.33f : 0.0f), s % 4 == 2 ? 0.25f : 0.15f, 0.35f,
                     0.2f);
        // Pads breathe on every chord; the low root holds under them.
        for (int k = 0; k < 4; ++k)
            song.add(pad(hz(c.tone(k, 53)), song.stepSeconds() * 16, 1100.0f), s0, 0.2f, -0.6f + 0.4f * k,
                     0.6f);
        song.add(subBass(hz(c.root - 12), song.stepSeconds() * 10), s0, 0.8f, 0.0f, 0.0f);
        song.add(subBass(hz(c.root - 12), song.stepSeconds() * 5), s0 + 11, 0.6f, 0.0f, 0.0f);
        // Electric piano stabs, on the one and the push before three.
        for (int at : {0, 6}) {
            for (int k = 0; k < 3; ++k)
                song.add(epiano(hz(c.tone(k + 1, 60)), song.stepSeconds() * 3), s0 + at, 0.16f,
                         0.3f - 0.3f * k, 0.5f, 0.2f);
        }
    }
    const char* theme =
        "C5:4 Ab4:2 G4:2 F4:8 | r:4 F4:2 Ab4:2 C5:4 Db5:4 | C5:6 Bb4:2 Ab4:4 Eb4:4 | G4:12 r:4 | "
        "C5:4 Ab4:2 G4:2 F4:6 G4:2 | Ab4:4 F4:4 Db5:4 C5:4 | Bb4:4 Db5:4 F5:4 Eb5:2 Db5:2 | E4:8 G4:4 C5:4 | "
        "F5:6 Eb5:2 Db5:4 C5:4 | Bb4:6 C5:2 Db5:4 Eb5:4 | C5:12 Ab4:4 | F4:8 r:8 | "
        "Ab5:6 G5:2 F5:4 Eb5:4 | Eb5:6 F5:2 G5:4 Bb5:4 | G5:8 E5:4 C5:4 | Bb4:8 G4:4 E4:4";
    for (const Note& n : melody(theme, 0))
        song.add(bellLead(hz(n.midi), song.stepSeconds() * n.length), n.step, 0.5f, -0.1f, 0.45f, 0.45f);
    writeOgg(ctx.sounds("menu1.ogg"), song.finish({0.88f, 0.55f, 1.0f}, 0.75f, 5.0f, 0.0f));
}

// ---- Score and upgrade screens: D major, 96 BPM, 20 bars ------------------------

void scoreTheme(const AssetContext& ctx) {
    Song song(96.0f, 20, 0x5C0E);
    Rng& rng = song.rng;
    const Chord chords[20] = {{50, Major}, {45, Major}, {47, Minor}, {43, Major}, {50, Major},
                              {45, Major}, {47, Minor}, {43, Major}, {43, Major}, {45, Major},
                              {42, Minor}, {47, Minor}, {43, Major}, {45, Major}, {50, Major},
                              {50, Major}, {50, Major}, {43, Major}, {50, Major}, {45, Major}};
    for (int bar = 0; bar < 20; ++bar) {
        Chord c = chords[bar];
        int s0 = bar * 16;
        bool rise = bar >= 8 && bar < 16;
        // Gentle drums: kick on one and three, a soft clap on two and four,
        // a light shaker; the middle section adds a push.
        song.add(kick(), s0, 0.75f, 0.0f, 0.05f);
        song.add(kick(), s0 + 8, 0.6f, 0.0f, 0.05f);
        if (rise)
            song.add(kick(), s0 + 10, 0.45f, 0.0f, 0.05f);
        for (int at : {4, 12})
            song.add(clap(rng), s0 + at, 0.35f, 0.0f, 0.4f);
        for (int s = 0; s < 16; ++s)
            song.add(hat(rng, false), s0 + s, s % 2 == 0 ? 0.14f : 0.08f, 0.4f, 0.1f);
        if (bar % 4 == 0)
            song.add(crash(rng), s0, rise ? 0.3f : 0.18f, 0.3f, 0.4f);
        // Warm bass in eighths, pads, and a bright plucked arpeggio.
        for (int s = 0; s < 16; s += 2)
            song.add(bass(hz(c.root - 12 + (s == 14 ? 7 : 0)), song.stepSeconds() * 1.7f, 700.0f), s0 + s,
                     0.6f, 0.0f, 0.0f);
        for (int k = 0; k < 3; ++k)
            song.add(pad(hz(c.tone(k, 57)), song.stepSeconds() * 16, 1600.0f), s0, 0.17f, -0.5f + 0.5f * k,
                     0.5f);
        const int shape[8] = {0, 2, 4, 2, 1, 3, 5, 3};
        for (int s = 0; s < 16; s += 2)
            song.add(marimba(hz(c.tone(shape[(s / 2) % 8], 62))), s0 + s, 0.3f, (s % 4 == 0) ? -0.4f : 0.4f,
                     0.3f, 0.25f);
    }
    // Bell melody over the opening; a brassy lead carries the lift.
    const char* opening = "F#5:6 E5:2 D5:4 A4:4 | E5:6 C#5:2 A4:8 | D5:4 F#5:4 B5:6 A5:2 | G5:8 F#5:4 E5:4 | "
                          "F#5:6 E5:2 D5:4 F#5:4 | A5:6 G5:2 E5:8 | F#5:4 D5:4 B4:4 D5:4 | E5:12 r:4";
    for (const Note& n : melody(opening, 0))
        song.add(bellLead(hz(n.midi), song.stepSeconds() * n.length), n.step, 0.42f, -0.15f, 0.4f, 0.3f);
    const char* lift = "D5:4 G5:4 B5:6 A5:2 | A5:8 E5:4 C#5:4 | C#5:4 F#5:4 A5:6 F#5:2 | B5:12 A5:4 | "
                       "G5:4 B5:4 D6:6 C#6:2 | C#6:4 B5:4 A5:4 E5:4 | D6:16 | r:8 A5:4 F#5:4";
    for (const Note& n : melody(lift, 8 * 16))
        song.add(brass(hz(n.midi - 12), song.stepSeconds() * n.length), n.step, 0.4f, 0.1f, 0.35f, 0.15f);
    const char* coda = "F#5:8 A5:8 | G5:8 B5:8 | A5:8 F#5:8 | E5:8 C#5:4 E5:4";
    for (const Note& n : melody(coda, 16 * 16))
        song.add(bellLead(hz(n.midi), song.stepSeconds() * n.length), n.step, 0.35f, 0.2f, 0.45f, 0.4f);
    writeOgg(ctx.sounds("menu2.ogg"), song.finish({0.82f, 0.5f, 1.0f}, 0.5f, 4.0f, 0.0f));
}

} // namespace

void generateMusic(const AssetContext& ctx) {
    battle(ctx);
    menuTheme(ctx);
    scoreTheme(ctx);
}

// The sound toolkit of the asset generator: loops must not click at the seam,
// levelling must never clip, filters must do what their names say, and the
// OGG writer must round-trip what the game will load.
#include "Synth.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>

using namespace synth;

namespace {

float largestStep(const Buffer& b) {
    float m = 0.0f;
    for (std::size_t i = 1; i < b.size(); ++i)
        m = std::max(m, std::fabs(b[i] - b[i - 1]));
    return m;
}

float seamStep(const Buffer& b) {
    return std::fabs(b.front() - b.back());
}

Buffer sineAt(float freq, float secs) {
    return oscillator(Wave::Sine, frames(secs), freq);
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("vantreth_synth_" + name)).string();
}

} // namespace

TEST(SynthLoops, CrossfadeMakesTheLastSampleFlowIntoTheFirst) {
    // 3.3 cycles of a sine in the kept part: cut plainly, it jumps at the seam.
    const std::size_t loop = frames(1.0);
    Buffer rendered = sineAt(3.3f, 1.5f);
    Buffer plain(rendered.begin(), rendered.begin() + static_cast<std::ptrdiff_t>(loop));
    ASSERT_GT(seamStep(plain), 0.5f);

    Buffer looped = crossfadeLoop(rendered, loop, frames(0.2));
    ASSERT_EQ(looped.size(), loop);
    EXPECT_LT(seamStep(looped), 2.0f * largestStep(looped) + 1e-4f);
    EXPECT_LT(seamStep(looped), 1e-3f);
    // Past the fade the material is untouched.
    EXPECT_FLOAT_EQ(looped[loop / 2], rendered[loop / 2]);
}

TEST(SynthLoops, FoldTailWrapsRingingBackOntoTheHeadAndKeepsEveryThing) {
    Buffer rendered(1000, 0.0f);
    rendered[10] = 1.0f;
    rendered[990] = 0.5f;
    rendered.resize(1300, 0.25f); // a tail 300 samples past a 1000-sample loop
    Buffer folded = foldTail(rendered, 1000);
    ASSERT_EQ(folded.size(), 1000u);
    EXPECT_FLOAT_EQ(folded[10], 1.25f);
    EXPECT_FLOAT_EQ(folded[990], 0.5f);
    EXPECT_FLOAT_EQ(folded[400], 0.0f);
    EXPECT_NEAR(std::accumulate(folded.begin(), folded.end(), 0.0),
                std::accumulate(rendered.begin(), rendered.end(), 0.0), 1e-3);
    // A tail longer than the loop wraps more than once.
    Buffer longTail(2500, 1.0f);
    Buffer twice = foldTail(longTail, 1000);
    EXPECT_FLOAT_EQ(twice[0], 3.0f);
    EXPECT_FLOAT_EQ(twice[999], 2.0f);
}

TEST(SynthLoops, CircularFilteringHasNoStartUpStepAtTheSeam) {
    // A whole number of square cycles is a perfect loop; filtering it from a
    // cold start would leave the first samples near zero and the seam jumping.
    Buffer square = oscillator(Wave::Square, frames(0.5), 40.0f);
    auto smooth = [](const Buffer& x) { return svf(x, 300.0f, 0.7f, Mode::Low); };
    Buffer cold = smooth(square);
    Buffer warm = circular(square, smooth);
    ASSERT_EQ(warm.size(), square.size());
    EXPECT_GT(seamStep(cold), 5.0f * largestStep(warm));
    EXPECT_LT(seamStep(warm), 2.0f * largestStep(warm));
}

TEST(SynthLevels, LevelingReachesTheTargetButNeverPassesTheCeiling) {
    Rng rng(7);
    Buffer quiet = scaled(whiteNoise(frames(0.5), rng), 0.01f);
    Buffer loud = leveled(quiet, 0.2f, 0.89f);
    EXPECT_LE(peak(loud), 0.89f + 1e-6f);

    // A spiky click cannot reach the loudness target: the ceiling wins.
    Buffer click(frames(0.3), 0.0f);
    click[100] = 0.05f;
    Buffer limited = leveled(click, 0.5f, 0.8f);
    EXPECT_NEAR(peak(limited), 0.8f, 1e-5f);

    // A smooth tone reaches the target exactly.
    Buffer tone = scaled(sineAt(440.0f, 0.5f), 0.01f);
    EXPECT_NEAR(loudness(leveled(tone, 0.3f, 0.99f)), 0.3f, 0.01f);

    EXPECT_NEAR(peak(normalized(tone, 0.5f)), 0.5f, 1e-5f);
    Buffer silent(100, 0.0f);
    EXPECT_EQ(leveled(silent, 0.3f, 0.9f), silent);
    EXPECT_EQ(normalized(silent, 0.9f), silent);
}

TEST(SynthLevels, LoudnessFollowsTheLoudestWindowNotTheAverage) {
    // A short bang followed by a long silence is as loud as the bang.
    Buffer bang = sineAt(200.0f, 0.1f);
    Buffer withSilence = bang;
    withSilence.resize(frames(2.0), 0.0f);
    EXPECT_NEAR(loudness(withSilence), loudness(bang), 0.02f);
    EXPECT_LT(rms(withSilence), 0.5f * loudness(withSilence));
}

TEST(SynthFilters, PassAndStopWhereTheirNamesSay) {
    Buffer low = sineAt(100.0f, 0.5f), high = sineAt(8000.0f, 0.5f);
    EXPECT_GT(rms(svf(low, 1000.0f, 0.7f, Mode::Low)), 0.65f);
    EXPECT_LT(rms(svf(high, 1000.0f, 0.7f, Mode::Low)), 0.05f);
    EXPECT_GT(rms(svf(high, 1000.0f, 0.7f, Mode::High)), 0.65f);
    EXPECT_LT(rms(svf(low, 1000.0f, 0.7f, Mode::High)), 0.05f);
    // The band output is unity at its centre, whatever the q.
    Buffer centre = sineAt(1000.0f, 0.5f);
    EXPECT_NEAR(rms(svf(centre, 1000.0f, 10.0f, Mode::Band)), rms(centre), 0.05f);
    EXPECT_LT(rms(svf(centre, 1000.0f, 10.0f, Mode::Notch)), 0.1f);
    EXPECT_LT(rms(lowpass(high, 200.0f)), 0.05f);
    EXPECT_LT(rms(highpass(low, 4000.0f)), 0.05f);
}

TEST(SynthSources, OscillatorsRunAtTheirFrequencyAndStayInRange) {
    for (Wave w : {Wave::Sine, Wave::Saw, Wave::Square, Wave::Triangle, Wave::Pulse}) {
        Buffer b = oscillator(w, frames(1.0), 110.0f);
        int crossings = 0;
        for (std::size_t i = 1; i < b.size(); ++i)
            crossings += (b[i - 1] < 0.0f) != (b[i] < 0.0f);
        EXPECT_NEAR(crossings, 220, 3) << static_cast<int>(w);
        EXPECT_LT(peak(b), 1.3f) << static_cast<int>(w);
        EXPECT_NEAR(std::accumulate(b.begin(), b.end(), 0.0) / static_cast<double>(b.size()), 0.0, 0.02)
            << static_cast<int>(w);
    }
}

TEST(SynthSources, SameSeedSameSound) {
    Rng a(42), b(42), c(43);
    Buffer x = whiteNoise(1000, a), y = whiteNoise(1000, b), z = whiteNoise(1000, c);
    EXPECT_EQ(x, y);
    EXPECT_NE(x, z);
    for (float v : x)
        ASSERT_TRUE(v >= -1.0f && v <= 1.0f);
    Rng r(5);
    for (int i = 0; i < 1000; ++i) {
        int k = r.range(-3, 4);
        ASSERT_TRUE(k >= -3 && k <= 4);
    }
}

TEST(SynthSources, VoiceLastsAsLongAsItsContourAndIsFinite) {
    Rng rng(9);
    Buffer v = voice({{0.0f, 200, vowels::A, 0.0f, 0.2f},
                      {0.1f, 220, vowels::A, 1.0f, 0.1f},
                      {0.4f, 180, vowels::I, 0.0f, 0.0f}},
                     VoiceStyle{}, rng);
    EXPECT_EQ(v.size(), frames(0.4));
    EXPECT_GT(loudness(v), 0.01f);
    for (float s : v)
        ASSERT_TRUE(std::isfinite(s));
}

TEST(SynthOutput, OggRoundTripsLengthRateChannelsAndBytes) {
    Buffer mono = scaled(sineAt(440.0f, 0.75f), 0.5f);
    std::string path = tempPath("mono.ogg");
    writeOgg(path, mono);
    sf::InputSoundFile in;
    ASSERT_TRUE(in.openFromFile(path));
    EXPECT_EQ(in.getSampleRate(), static_cast<unsigned>(kSampleRate));
    EXPECT_EQ(in.getChannelCount(), 1u);
    EXPECT_EQ(in.getSampleCount(), mono.size());
    std::vector<sf::Int16> decoded(mono.size());
    ASSERT_EQ(in.read(decoded.data(), decoded.size()), mono.size());
    EXPECT_NEAR(decoded[mono.size() / 2] / 32767.0f, mono[mono.size() / 2], 0.05f);

    Stereo stereo{sineAt(220.0f, 0.5f), sineAt(330.0f, 0.5f)};
    std::string stereoPath = tempPath("stereo.ogg");
    writeOgg(stereoPath, stereo);
    sf::InputSoundFile in2;
    ASSERT_TRUE(in2.openFromFile(stereoPath));
    EXPECT_EQ(in2.getChannelCount(), 2u);
    EXPECT_EQ(in2.getSampleCount(), 2 * stereo.size());

    // Writing the same sound again gives the same bytes, whatever was written before.
    auto bytes = [](const std::string& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    std::string first = bytes(path);
    writeOgg(path, mono);
    EXPECT_EQ(bytes(path), first);
    EXPECT_THROW(writeOgg("/nonexistent-dir/x.ogg", mono), std::runtime_error);
    std::filesystem::remove(path);
    std::filesystem::remove(stereoPath);
}

TEST(MusicKit, NotesChordsAndMelodies) {
    EXPECT_FLOAT_EQ(music::hz(69), 440.0f);
    EXPECT_NEAR(music::hz(57), 220.0f, 1e-3f);
    auto notes = music::melody("A4:3 r:2 | C#5 Bb3:4", 16);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].midi, 69);
    EXPECT_DOUBLE_EQ(notes[0].step, 16.0);
    EXPECT_DOUBLE_EQ(notes[0].length, 3.0);
    EXPECT_EQ(notes[1].midi, 73);
    EXPECT_DOUBLE_EQ(notes[1].step, 21.0);
    EXPECT_DOUBLE_EQ(notes[1].length, 1.0);
    EXPECT_EQ(notes[2].midi, 58);
    EXPECT_DOUBLE_EQ(notes[2].step, 22.0);
    EXPECT_THROW(music::melody("H4", 0), std::runtime_error);

    music::Chord am{45, music::Minor};
    EXPECT_EQ(am.tone(0, 57), 57); // A3
    EXPECT_EQ(am.tone(1, 57), 60); // C4
    EXPECT_EQ(am.tone(2, 57), 64); // E4
    EXPECT_EQ(am.tone(3, 57), 69); // A4
    music::Chord e{40, music::Major};
    EXPECT_EQ(e.tone(1, 40), 44); // G#
}

TEST(MusicKit, SongLoopsAreWholeBarsAndRingOverTheSeam) {
    music::Song song(120.0f, 2, 1);
    EXPECT_EQ(song.loopFrames(), frames(4.0));
    // A long note on the very last 16th must ring on at the head of the loop.
    song.add(music::pad(220.0f, 1.0f, 1500.0f), 31, 1.0f, 0.0f, 0.3f, 0.2f);
    synth::Stereo out = song.finish({0.5f, 0.5f, 1.0f}, 0.75f, 2.0f, 0.0f);
    ASSERT_EQ(out.size(), song.loopFrames());
    Buffer head(out.left.begin(), out.left.begin() + static_cast<std::ptrdiff_t>(frames(0.5)));
    EXPECT_GT(rms(head), 0.01f);
    EXPECT_LT(seamStep(out.left), 2.0f * largestStep(out.left) + 1e-4f);
    EXPECT_LE(std::max(peak(out.left), peak(out.right)), 0.85f);
}

TEST(SynthShapes, EnvelopesAndCurvesHitTheirMarks) {
    Buffer c = curve(frames(1.0), {{0.25f, 2.0f}, {0.75f, 4.0f}});
    EXPECT_FLOAT_EQ(c[0], 2.0f);              // held before the first point
    EXPECT_NEAR(c[frames(0.5)], 3.0f, 1e-3f); // linear between points
    EXPECT_FLOAT_EQ(c.back(), 4.0f);          // held after the last
    Buffer g = glide(1000, 100.0f, 400.0f);
    EXPECT_FLOAT_EQ(g.front(), 100.0f);
    EXPECT_NEAR(g.back(), 400.0f, 0.01f);
    EXPECT_NEAR(g[500], 200.0f, 1.0f); // exponential: halfway is the octave
    Buffer d = decay(frames(1.0), 0.1f);
    EXPECT_NEAR(d[frames(0.1)], std::exp(-1.0f), 1e-3f);
    Buffer p = pitchDrop(frames(1.0), 200.0f, 50.0f, 0.05f);
    EXPECT_FLOAT_EQ(p.front(), 200.0f);
    EXPECT_NEAR(p.back(), 50.0f, 0.01f);
    Buffer e = adsr(frames(1.0), 0.1f, 0.1f, 0.5f, 0.2f);
    EXPECT_NEAR(e[frames(0.1) - 1], 1.0f, 1e-3f);
    EXPECT_NEAR(e[frames(0.5)], 0.5f, 1e-3f);
    EXPECT_NEAR(e.back(), 0.0f, 1e-3f);
    Buffer faded(1000, 1.0f);
    fadeEdges(faded, 0.001f, 0.001f);
    EXPECT_FLOAT_EQ(faded.front(), 0.0f);
    EXPECT_FLOAT_EQ(faded.back(), 0.0f);
    EXPECT_FLOAT_EQ(faded[500], 1.0f);
}

TEST(SynthEffects, TailsPansAndModes) {
    Buffer click(frames(0.1), 0.0f);
    click[0] = 1.0f;
    // The echo repeats the click after its delay, quieter, and grows the buffer.
    Buffer e = echo(click, 0.05f, 0.5f, 0.5f, 0.3f, 20000.0f);
    ASSERT_EQ(e.size(), click.size() + frames(0.3));
    EXPECT_NEAR(e[frames(0.05)], 0.5f, 0.05f);
    // The reverb rings on after the input stops, then dies away.
    Stereo r = reverb(click, {0.8f, 0.4f, 1.0f}, 3.0f);
    Buffer early(r.left.begin() + static_cast<std::ptrdiff_t>(frames(0.1)),
                 r.left.begin() + static_cast<std::ptrdiff_t>(frames(0.4)));
    Buffer late(r.left.end() - static_cast<std::ptrdiff_t>(frames(0.3)), r.left.end());
    EXPECT_GT(rms(early), 0.0f);
    EXPECT_LT(rms(late), 0.1f * rms(early));
    EXPECT_NE(r.left, r.right);
    // Constant-power panning: centre splits evenly, hard left leaves the right silent.
    Stereo s;
    mixInto(s, Buffer(10, 1.0f), 0, 1.0f, 0.0f);
    EXPECT_NEAR(s.left[0], s.right[0], 1e-5f);
    Stereo hard;
    mixInto(hard, Buffer(10, 1.0f), 5, 1.0f, -1.0f);
    EXPECT_EQ(hard.size(), 15u);
    EXPECT_NEAR(hard.right[7], 0.0f, 1e-5f);
    EXPECT_GT(hard.left[7], 1.0f);
    // A single mode rings at its frequency with its decay.
    Buffer m = modes(frames(1.0), {{100.0f, 0.2f, 1.0f}});
    int crossings = 0;
    for (std::size_t i = 1; i < frames(0.1); ++i)
        crossings += (m[i - 1] < 0.0f) != (m[i] < 0.0f);
    EXPECT_NEAR(crossings, 20, 2);
    EXPECT_LT(peak(Buffer(m.begin() + static_cast<std::ptrdiff_t>(frames(0.9)), m.end())), 0.02f);
}

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

float seamStep(const Buffer& b) { return std::fabs(b.front() - b.back()); }

Buffer sineAt(float freq, float secs) { return oscillator(Wave::Sine, frames(secs), freq); }

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("vantreth_synth_" + name)).string();
}

}  // namespace

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
    rendered.resize(1300, 0.25f);  // a tail 300 samples past a 1000-sample loop
    Buffer folded = foldTail(rendered, 1000);
    ASSERT_EQ(folded.size(), 1000u);
    EXPECT_FLOAT_EQ(folded[10], 1.25f);
    EXPECT_FLOAT_EQ(folded[990], 0.5f);
    EXPECT_FLOAT_EQ(folded[400], 0.0f);
    EXPECT_NEAR(std::accumulate(folded.begin(), folded.end(), 0.0), std::accumulate(rendered.begin(), rendered.end(), 0.0),
                1e-3);
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

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

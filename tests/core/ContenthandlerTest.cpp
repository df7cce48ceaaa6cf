#include "core/Contenthandler.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

// Every asset the registry names is generated at build time; a missing or
// mis-sized one would draw as nothing or play silence without any error.
class ContentTest : public ::testing::Test {
  protected:
    void SetUp() override { content = Contenthandler::getInstance(); }
    Contenthandler* content = nullptr;
};

TEST_F(ContentTest, VolumesFollowTheSettings) {
    soundVolume = 100;
    musicVolume = 0;
    content->applyVolumes();
    EXPECT_FLOAT_EQ(content->shellFallsSound.getVolume(), 18);
    EXPECT_FLOAT_EQ(content->machineSignalSound.getVolume(), 0);
    EXPECT_FLOAT_EQ(content->battleMusic.getVolume(), 0);

    soundVolume = 0;
    musicVolume = 50;
    content->applyVolumes();
    // The machine's signal belongs to the music: muting effects leaves it audible.
    EXPECT_FLOAT_EQ(content->machineSignalSound.getVolume(), 47.5f);
    EXPECT_FLOAT_EQ(content->clickSound.getVolume(), 0);
    EXPECT_FLOAT_EQ(content->menuMusic.getVolume(), 25);
    EXPECT_FLOAT_EQ(content->scoreMusic.getVolume(), 20);
    EXPECT_FLOAT_EQ(content->voicePools[6][1].getVolume(), 0);

    soundVolume = musicVolume = 50;
    content->applyVolumes();
    EXPECT_FLOAT_EQ(content->clickSound.getVolume(), 25);
}

} // namespace

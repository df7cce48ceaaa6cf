#include "app/OptionsState.h"

#include "app/GameStateHandler.h"
#include "app/Globals.h"
#include "app/MenuActions.h"
#include "app/Settings.h"
#include "support/RunDirFile.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(OptionsVolume, StepsByOneUpToTenAndByFiveAbove) {
    EXPECT_EQ(OptionsState::volumeUp(10), 15);
    EXPECT_EQ(OptionsState::volumeDown(10), 9);
    EXPECT_EQ(OptionsState::volumeUp(9), 10);
    EXPECT_EQ(OptionsState::volumeDown(15), 10);
    EXPECT_EQ(OptionsState::volumeUp(100), 100);
    EXPECT_EQ(OptionsState::volumeDown(0), 0);

    std::vector<int> up{0}, down{100};
    while (up.back() < 100)
        up.push_back(OptionsState::volumeUp(up.back()));
    while (down.back() > 0)
        down.push_back(OptionsState::volumeDown(down.back()));
    std::vector<int> expected;
    for (int v = 0; v <= 10; ++v)
        expected.push_back(v);
    for (int v = 15; v <= 100; v += 5)
        expected.push_back(v);
    EXPECT_EQ(up, expected);
    EXPECT_EQ(down, std::vector<int>(expected.rbegin(), expected.rend()));

    // A volume typed into the settings file steps onto the grid, never past 100.
    EXPECT_EQ(OptionsState::volumeUp(47), 50);
    EXPECT_EQ(OptionsState::volumeDown(47), 45);
    EXPECT_EQ(OptionsState::volumeUp(98), 100);
    EXPECT_EQ(OptionsState::volumeDown(12), 10);
}

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = {resolutions,  currentResolution, musicVolume,  soundVolume,
                 vsyncEnabled, fullscreen,        hardcoreMode, inMainMenu};
        handler = GameStateHandler::getInstance();
        handler->states.clear();
        resolutions = {{800, 600}, {1024, 768}};
        currentResolution = 0;
        musicVolume = soundVolume = 10;
        vsyncEnabled = fullscreen = hardcoreMode = false;
        inMainMenu = true;
        // The working copies are taken when the menu is first made.
        OptionsState::destroyInstance();
        openOptions();
    }
    void TearDown() override {
        while (!handler->states.empty())
            handler->popState();
        OptionsState::destroyInstance();
        gameWindow().close();
        resolutions = saved.resolutions;
        currentResolution = saved.currentResolution;
        musicVolume = saved.music;
        soundVolume = saved.sound;
        vsyncEnabled = saved.vsync;
        fullscreen = saved.fullscreen;
        hardcoreMode = saved.hardcore;
        inMainMenu = saved.inMainMenu;
    }
    static OptionsState* options() { return OptionsState::getInstance(); }
    // The button resting at the given centre; rows are 120 apart from y = 150.
    static MenuButton& buttonAt(int x, int y) {
        for (MenuButton& b : options()->buttons)
            if (b.target == sf::Vector2i(x, y))
                return b;
        ADD_FAILURE() << "no button at " << x << ", " << y;
        return options()->buttons.front();
    }
    static MenuButton& back() { return buttonAt(822, 880); }
    static MenuButton& apply() { return buttonAt(1097, 880); }

    struct Saved {
        std::vector<std::pair<int, int>> resolutions;
        int currentResolution, music, sound;
        bool vsync, fullscreen, hardcore, inMainMenu;
    } saved;
    RunDirFile config{"Config.cfg"};
    GameStateHandler* handler = nullptr;
};

TEST_F(OptionsTest, TheVolumeButtonsStepAroundTenAndLightApply) {
    EXPECT_FALSE(apply().isEnabled());
    buttonAt(1450, 150).onLeftClick();
    EXPECT_EQ(musicVolume, 15);
    buttonAt(910, 150).onLeftClick();
    buttonAt(910, 150).onLeftClick();
    EXPECT_EQ(musicVolume, 9);
    buttonAt(910, 270).onLeftClick();
    EXPECT_EQ(soundVolume, 9);
    EXPECT_TRUE(apply().isEnabled());
    // Left with "Back", the volumes stay as set but are not written; reopened,
    // the menu takes them as its starting point.
    back().onLeftClick();
    EXPECT_EQ(musicVolume, 9);
    EXPECT_FALSE(config.exists());
    openOptions();
    EXPECT_FALSE(apply().isEnabled());
}

TEST_F(OptionsTest, BackKeepsUnappliedEditsAndApplyWritesThem) {
    buttonAt(1450, 390).onLeftClick(); // resolution +
    buttonAt(1450, 510).onLeftClick(); // v-sync
    buttonAt(1450, 150).onLeftClick(); // music 15, in effect at once
    EXPECT_FALSE(buttonAt(1450, 390).isEnabled()) << "the last resolution";
    back().onLeftClick();
    EXPECT_TRUE(handler->states.empty());
    EXPECT_FALSE(config.exists());
    EXPECT_EQ(currentResolution, 0);
    EXPECT_FALSE(vsyncEnabled);
    EXPECT_EQ(musicVolume, 15);

    openOptions();
    EXPECT_EQ(options()->editResolution, 1);
    EXPECT_TRUE(options()->editVsync);
    EXPECT_TRUE(apply().isEnabled());
    apply().onLeftClick();
    EXPECT_EQ(currentResolution, 1);
    EXPECT_TRUE(vsyncEnabled);
    EXPECT_FALSE(apply().isEnabled());
    EXPECT_EQ(gameWindow().getSize(), sf::Vector2u(1024, 768));
    const std::string written = config.read();
    EXPECT_NE(written.find("CURRES:1\n"), std::string::npos) << written;
    EXPECT_NE(written.find("VOLUM:\n10\n15\n"), std::string::npos) << written;
    EXPECT_NE(written.find("VSYNC:1\n"), std::string::npos) << written;
}

TEST_F(OptionsTest, HardcoreModeChangesOnlyFromTheMainMenu) {
    MenuButton& toggle = buttonAt(1450, 750);
    inMainMenu = false;
    EXPECT_FALSE(toggle.isEnabled());
    inMainMenu = true;
    ASSERT_TRUE(toggle.isEnabled());
    toggle.onLeftClick();
    EXPECT_TRUE(hardcoreMode);
    EXPECT_TRUE(apply().isEnabled());
    toggle.onLeftClick();
    EXPECT_FALSE(hardcoreMode);
    EXPECT_FALSE(apply().isEnabled());
}

} // namespace

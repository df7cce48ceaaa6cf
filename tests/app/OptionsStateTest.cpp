#include "app/OptionsState.h"

#include "app/AccessibilityState.h"

#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "support/RunDirFile.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

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
    static MenuButton& back() { return buttonAt(960, 880); }
    static MenuButton& apply() { return buttonAt(1200, 880); }

    struct Saved {
        std::vector<std::pair<int, int>> resolutions;
        int currentResolution, music, sound;
        bool vsync, fullscreen, hardcore, inMainMenu;
    } saved;
    RunDirFile config{"Config.cfg"};
    GameStateHandler* handler = nullptr;
};

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

TEST_F(OptionsTest, TheAccessibilityPageWritesEachChangeAtOnceAndStaysWithinItsChoices) {
    buttonAt(480, 880).onLeftClick();
    AccessibilityState* page = AccessibilityState::getInstance();
    ASSERT_EQ(handler->top(), page);
    auto button = [page](int x, int row) -> MenuButton& {
        for (MenuButton& b : page->buttons)
            if (b.target == sf::Vector2i(x, AccessibilityState::rowY(row)))
                return b;
        ADD_FAILURE() << "no button at " << x << " in row " << row;
        return page->buttons.front();
    };
    const bool picture[] = {tierMarks, letterbox};
    button(1450, 1).onLeftClick();
    EXPECT_TRUE(fireToggles[0]);
    EXPECT_FALSE(fireToggles[1]);
    EXPECT_NE(config.read().find("FIRETOGGLELEFT:1\n"), std::string::npos);
    EXPECT_FALSE(button(910, 3).isEnabled()) << "aim help is off already";
    for (int i = 0; i < 3; ++i)
        button(1450, 3).onLeftClick();
    EXPECT_EQ(aimHelp, 2);
    EXPECT_FALSE(button(1450, 3).isEnabled());
    button(1450, 6).onLeftClick();
    EXPECT_EQ(AccessibilityState::valueText(6), "125 %");
    EXPECT_NE(config.read().find("AIMHELP:2\nTIERMARKS:0\nTIERCOLOURS:0\nTEXTSIZE:125\n"), std::string::npos);
    button(910, 6).onLeftClick();
    button(910, 6).onLeftClick();
    EXPECT_EQ(textSizePercent, 100);
    fireToggles[0] = false;
    aimHelp = 0;
    tierMarks = picture[0];
    letterbox = picture[1];
    page->buttons.back().onLeftClick(); // Back
    EXPECT_EQ(handler->top(), options());
}

} // namespace

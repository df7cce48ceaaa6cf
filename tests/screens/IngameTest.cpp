#include "screens/Ingame.h"

#include "core/Settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Ingame, AtLowHealthAFreshHitOnlyMakesTheRedStronger) {
    Ingame screen;
    screen.startDamageFlash(100);
    screen.updateDamageFlash(0.01f, 0.2f); // base 127.5 beats the flash
    EXPECT_EQ(screen.bloodyScreen.getColor().a, 127);
    screen.startDamageFlash(250);
    screen.updateDamageFlash(0.0f, 0.2f);
    EXPECT_EQ(screen.bloodyScreen.getColor().a, 250);
}

TEST(Ingame, TheFlashSettingScalesTheHitFlashAndTheLowHealthRed) {
    // {setting, alpha of a fresh 200 flash at full health, alpha at no health}
    const int cases[][3] = {{100, 200, 255}, {50, 100, 127}, {0, 0, 0}};
    for (const auto& [percent, flash, low] : cases) {
        flashPercent = percent;
        Ingame screen;
        screen.startDamageFlash(200);
        screen.updateDamageFlash(0, 1.0f);
        EXPECT_EQ(screen.bloodyScreen.getColor().a, flash) << percent;
        EXPECT_EQ(screen.showsBloodyScreen(1.0f), percent > 0) << percent;
        screen.updateDamageFlash(1, 0);
        EXPECT_EQ(screen.bloodyScreen.getColor().a, low) << percent;
        EXPECT_EQ(screen.showsBloodyScreen(0), percent > 0) << percent;
    }
    flashPercent = 100;
}

} // namespace

#include "app/Contenthandler.h"
#include "app/Settings.h"

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

TEST_F(ContentTest, EveryTextureLoadedWithTheAtlasExtentItIsAddressedWith) {
    struct Expect {
        const sf::Texture* texture;
        unsigned minWidth, minHeight;
        const char* name;
    };
    const Expect expectations[] = {
        {&content->playerTexture, 64 * 4, 96, "mainChar"},
        {&content->humanTextures.at(0), 64 * 4, 96, "human1"},
        {&content->alienTextures.at(0), 64, 64, "alienranged"},
        {&content->alienTextures.at(1), 96, 96, "alienmelee"},
        {&content->rankTexture, 32, 32, "rank"},
        {&content->bulletTextures.at(0), 8, 8, "paukku"},
        {&content->gunTextures.at(0), 128, 64, "GunSheet"},
        {&content->tileTextures.at(0), 64 * 11, 64 * 11, "TileShet"},
        {&content->powerupTextures.at(0), 48, 48, "powerups"},
        {&content->mainMenuTextures.at(0), 1920 + 666, 1080, "MainmenuBG"},
        {&content->mainMenuTextures.at(1), 1, 1, "MainmenuFG"},
        {&content->doorTexture, 1, 1, "doors"},
        {&content->particleTexture, 32, 32, "particles"},
        {&content->explosionTexture, 1, 1, "explosion"},
        {&content->brainwashMachineTexture, 96, 96, "brainwashmachine"},
        {&content->noiseBarTexture, 1, 1, "NoiseBar"},
        {&content->buttonTexture, 800, 424, "Buttons"},
        {&content->cursorTexture, 8, 8, "cursor1"},
        {&content->shadowTexture, 1, 1, "shado"},
        {&content->floorShadowTexture, 1, 1, "floorshado"},
        {&content->flashTexture, 1, 1, "flash"},
        {&content->gameInfoOverlayTexture, 1, 1, "GameInfoOverlay"},
        {&content->optionsBackgroundTexture, 1, 1, "OptionsBG"},
        {&content->helpOverlayTexture, 1, 1, "helpoverlay"},
        {&content->uiTextures.at(0), 1, 1, "UIBG"},
        {&content->uiTextures.at(1), 1, 1, "GunBG"},
        {&content->logoTexture, 1, 1, "Oxlenlogo"},
        {&content->bloodyScreenTexture, 1, 1, "BloodyScreen"},
    };
    for (const Expect& e : expectations) {
        EXPECT_GE(e.texture->getSize().x, e.minWidth) << e.name;
        EXPECT_GE(e.texture->getSize().y, e.minHeight) << e.name;
        EXPECT_FALSE(e.texture->isSmooth()) << e.name;
    }
    sf::Image first = content->alienTextures[0].copyToImage(),
              third = content->alienTextures[2].copyToImage();
    ASSERT_EQ(first.getSize(), third.getSize());
    EXPECT_TRUE(std::equal(first.getPixelsPtr(),
                           first.getPixelsPtr() + first.getSize().x * first.getSize().y * 4,
                           third.getPixelsPtr()));
    EXPECT_EQ(cursorSprite.getTexture(), &content->cursorTexture);
}

TEST_F(ContentTest, FontsShadersAndEverySoundLoaded) {
    EXPECT_FALSE(content->fontBeantown.getInfo().family.empty());
    EXPECT_FALSE(content->fontSujet.getInfo().family.empty());
    EXPECT_FALSE(content->fontOldeEnglish.getInfo().family.empty());
    EXPECT_NE(transparencyShader().getNativeHandle(), 0u);
    EXPECT_NE(blurShader().getNativeHandle(), 0u);
    EXPECT_NE(content->grayScaleShader.getNativeHandle(), 0u);

    const sf::SoundBuffer* buffers[] = {&content->knifeBuffer,
                                        &content->musketFireBuffer,
                                        &content->shotgunBuffer,
                                        &content->pistolBuffer,
                                        &content->magnumBuffer,
                                        &content->mp5Buffer,
                                        &content->rifleBuffer,
                                        &content->machineGunBuffer,
                                        &content->explosionBuffer,
                                        &content->railgunBuffer,
                                        &content->dryFireBuffer,
                                        &content->chainsawUseBuffer,
                                        &content->rifleReloadBuffer,
                                        &content->shotgunReloadBuffer,
                                        &content->pistolReloadBuffer,
                                        &content->magnumReloadBuffer,
                                        &content->mp5ReloadBuffer,
                                        &content->railgunReloadBuffer,
                                        &content->chainsawReloadBuffer,
                                        &content->chainsawIdleBuffer,
                                        &content->alienWeaponBuffer,
                                        &content->wallDestroyBuffer,
                                        &content->eshockReloadBuffer,
                                        &content->eshockUseBuffer,
                                        &content->shellFallsBuffer,
                                        &content->machineSignalBuffer,
                                        &content->healthPickupBuffer,
                                        &content->invulnerabilityPickupBuffer,
                                        &content->pointCountBuffer,
                                        &content->cheerBuffer,
                                        &content->doorsOutBuffer,
                                        &content->doorsInBuffer,
                                        &content->clickBuffer,
                                        &content->humanRunawayBuffer,
                                        &content->rangedAlienShootBuffer,
                                        &content->meleeAlienPowerupBuffer,
                                        &content->meleeAlienChargeBuffer,
                                        &content->noticeBuffers[0],
                                        &content->noticeBuffers[1],
                                        &content->noticeBuffers[2],
                                        &content->takeDamageBuffers[0],
                                        &content->takeDamageBuffers[1],
                                        &content->takeDamageBuffers[2],
                                        &content->dieBuffers[0],
                                        &content->dieBuffers[1],
                                        &content->dieBuffers[2]};
    for (std::size_t i = 0; i < std::size(buffers); ++i)
        EXPECT_GT(buffers[i]->getSampleCount(), 0u) << "sound buffer " << i;
    for (sf::Music* music : {&content->battleMusic, &content->menuMusic, &content->scoreMusic})
        EXPECT_GE(music->getDuration().asSeconds(), 30.0f);
    for (const auto& pool : content->voicePools)
        EXPECT_EQ(pool.size(), 2u);
}

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

#include "core/Contenthandler.h"

#include "core/Settings.h"

#include <algorithm>
#include <iostream>

sf::Shader& transparencyShader() {
    static sf::Shader shader;
    return shader;
}

sf::Shader& blurShader() {
    static sf::Shader shader;
    return shader;
}

sf::Sprite cursorSprite;

namespace {

void loadTexture(sf::Texture& texture, const char* path) {
    texture.loadFromFile(assetPath(path));
    texture.setSmooth(false);
}

void loadBuffer(sf::SoundBuffer& buffer, const char* path) {
    buffer.loadFromFile(assetPath(path));
}

void loadBound(sf::SoundBuffer& buffer, sf::Sound& sound, const char* path) {
    loadBuffer(buffer, path);
    sound.setBuffer(buffer);
}

// Sounds scaled by the effects volume, with their base volumes.
struct ScaledSound {
    sf::Sound Contenthandler::*single;
    sf::Sound (Contenthandler::*pair)[2];
    float baseVolume;
};

const ScaledSound scaledSounds[] = {
    {nullptr, &Contenthandler::chainsawIdleSounds, 100},
    {nullptr, &Contenthandler::weaponSounds, 100},
    {&Contenthandler::dryFireSound, nullptr, 100},
    {&Contenthandler::explosionSound, nullptr, 80},
    {nullptr, &Contenthandler::reloadSounds, 100},
    {&Contenthandler::alienWeaponSound, nullptr, 50},
    {&Contenthandler::wallDestroySound, nullptr, 100},
    {&Contenthandler::eshockUseSound, nullptr, 30},
    {&Contenthandler::shellFallsSound, nullptr, 18},
    {&Contenthandler::healthPickupSound, nullptr, 100},
    {&Contenthandler::invulnerabilityPickupSound, nullptr, 100},
    {&Contenthandler::pointCountSound, nullptr, 30},
    {&Contenthandler::cheerSound, nullptr, 30},
    {&Contenthandler::doorsInSound, nullptr, 50},
    {&Contenthandler::doorsOutSound, nullptr, 50},
    {&Contenthandler::clickSound, nullptr, 50},
};

} // namespace

std::string assetPath(const std::string& path) {
    std::string mapped = path;
    std::replace(mapped.begin(), mapped.end(), '\\', '/');
    return mapped;
}

Contenthandler::Contenthandler() {
    std::cout << "Contenthandler's constructor called" << std::endl;
    loadGraphics();
    loadSounds();
    applyVolumes();
}

Contenthandler::~Contenthandler() {
    std::cout << "Contenthandler's destructor was called" << std::endl;
}

void Contenthandler::loadGraphics() {
    std::cout << "Loading GFX" << std::endl;
    if (!transparencyShader().loadFromFile(assetPath("data/shaders/transParency.frag"), sf::Shader::Fragment))
        std::cout << "shaderi failas" << std::endl;
    transparencyShader().setUniform("texture", sf::Shader::CurrentTexture);
    blurShader().loadFromFile(assetPath("data/shaders/blur.frag"), sf::Shader::Fragment);
    blurShader().setUniform("texture", sf::Shader::CurrentTexture);
    blurShader().setUniform("blur_radius", lightBlurRadius);
    grayScaleShader.loadFromFile(assetPath("data/shaders/grayScale.frag"), sf::Shader::Fragment);
    grayScaleShader.setUniform("Sampler", sf::Shader::CurrentTexture);
    grayScaleShader.setUniform("factor", 0.0f);

    fontOldeEnglish.loadFromFile(assetPath("Graphics\\oldeEnglish.ttf"));
    fontSujet.loadFromFile(assetPath("Graphics\\sujet.ttf"));
    fontBeantown.loadFromFile(assetPath("Graphics\\Beantown.ttf"));

    loadTexture(playerTexture, "Graphics\\mainChar.png");
    humanTextures.resize(1);
    loadTexture(humanTextures[0], "Graphics\\human1.png");
    alienTextures.resize(3);
    loadTexture(alienTextures[0], "Graphics\\alienranged.png");
    loadTexture(alienTextures[1], "Graphics\\alienmelee.png");
    loadTexture(alienTextures[2], "Graphics\\alienranged.png");
    loadTexture(rankTexture, "Graphics\\rank.png");
    bulletTextures.resize(1);
    loadTexture(bulletTextures[0], "Graphics\\paukku.png");
    gunTextures.resize(1);
    loadTexture(gunTextures[0], "Graphics\\GunSheet.png");
    tileTextures.resize(1);
    loadTexture(tileTextures[0], "Graphics\\TileShet.png");
    powerupTextures.resize(1);
    loadTexture(powerupTextures[0], "Graphics\\powerups.png");
    mainMenuTextures.resize(2);
    loadTexture(mainMenuTextures[0], "Graphics\\MainmenuBG.png");
    loadTexture(mainMenuTextures[1], "Graphics\\MainmenuFG.png");
    loadTexture(doorTexture, "Graphics\\doors.png");
    loadTexture(particleTexture, "Graphics\\particles.png");
    loadTexture(explosionTexture, "Graphics\\explosion.png");
    loadTexture(brainwashMachineTexture, "Graphics\\brainwashmachine.png");
    loadTexture(noiseBarTexture, "Graphics\\NoiseBar.png");
    loadTexture(buttonTexture, "Graphics\\Buttons.png");
    loadTexture(cursorTexture, "Graphics\\cursor1.png");
    loadTexture(shadowTexture, "Graphics\\shado.png");
    loadTexture(floorShadowTexture, "Graphics\\floorshado.png");
    loadTexture(flashTexture, "Graphics\\flash.png");
    loadTexture(gameInfoOverlayTexture, "Graphics\\GameInfoOverlay.png");
    loadTexture(optionsBackgroundTexture, "Graphics\\OptionsBG.png");
    loadTexture(helpOverlayTexture, "Graphics\\helpoverlay.png");
    cursorSprite.setTexture(cursorTexture, true);
    uiTextures.resize(2);
    loadTexture(uiTextures[0], "Graphics\\UIBG.png");
    loadTexture(uiTextures[1], "Graphics\\GunBG.png");
    loadTexture(logoTexture, "Graphics\\Oxlenlogo.png");
    loadTexture(bloodyScreenTexture, "Graphics\\BloodyScreen.png");
    loadTexture(armourIconTexture, "Graphics\\ArmourIcons.png");
}

void Contenthandler::loadSounds() {
    std::cout << "Loading SFX" << std::endl;
    battleMusic.openFromFile(assetPath("Sounds\\battle.ogg"));
    menuMusic.openFromFile(assetPath("Sounds\\menu1.ogg"));
    scoreMusic.openFromFile(assetPath("Sounds\\menu2.ogg"));
    // The tracks are written to loop seamlessly; looping keeps them going
    // between the checks that restart a finished track.
    for (sf::Music* music : {&battleMusic, &menuMusic, &scoreMusic})
        music->setLoop(true);

    loadBuffer(shotgunBuffer, "Sounds\\shotgun.ogg");
    loadBuffer(musketFireBuffer, "Sounds\\MusketFire.ogg");
    loadBuffer(pistolBuffer, "Sounds\\Pistol1.ogg");
    loadBuffer(magnumBuffer, "Sounds\\44Magnum.ogg");
    loadBuffer(rifleBuffer, "Sounds\\Rifle.ogg");
    loadBuffer(mp5Buffer, "Sounds\\MP5.ogg");
    loadBuffer(machineGunBuffer, "Sounds\\MachineGun1.ogg");
    loadBound(explosionBuffer, explosionSound, "Sounds\\Explosion1.ogg");
    loadBuffer(knifeBuffer, "Sounds\\Knife.ogg");
    loadBuffer(railgunBuffer, "Sounds\\Railgun.ogg");
    loadBound(dryFireBuffer, dryFireSound, "Sounds\\DryFireGun.ogg");
    loadBuffer(pistolReloadBuffer, "Sounds\\pistol_reload.ogg");
    loadBuffer(rifleReloadBuffer, "Sounds\\Rifle_reload.ogg");
    loadBuffer(shotgunReloadBuffer, "Sounds\\shotgun_reload.ogg");
    loadBuffer(magnumReloadBuffer, "Sounds\\magnum_reload.ogg");
    loadBuffer(mp5ReloadBuffer, "Sounds\\MP5_reload.ogg");
    loadBuffer(railgunReloadBuffer, "Sounds\\railgun_reload.ogg");
    loadBuffer(chainsawUseBuffer, "Sounds\\chainsaw_use.ogg");
    loadBuffer(chainsawReloadBuffer, "Sounds\\chainsaw_reload.ogg");
    loadBuffer(chainsawIdleBuffer, "Sounds\\chainsaw_idle.ogg");
    chainsawIdleSounds[0].setBuffer(chainsawIdleBuffer);
    chainsawIdleSounds[1].setBuffer(chainsawIdleBuffer);
    loadBound(alienWeaponBuffer, alienWeaponSound, "Sounds\\AlienWeapon.ogg");
    loadBound(shellFallsBuffer, shellFallsSound, "Sounds\\Shell_falls.ogg");
    loadBound(wallDestroyBuffer, wallDestroySound, "Sounds\\Wall_dest.ogg");
    loadBuffer(eshockReloadBuffer, "Sounds\\eshock_reload.ogg");
    loadBound(eshockUseBuffer, eshockUseSound, "Sounds\\eshock_use.ogg");
    loadBound(machineSignalBuffer, machineSignalSound, "Sounds\\BWMsignal.ogg");
    loadBound(healthPickupBuffer, healthPickupSound, "Sounds\\Hpickup.ogg");
    loadBound(invulnerabilityPickupBuffer, invulnerabilityPickupSound, "Sounds\\Ipickup.ogg");
    loadBound(pointCountBuffer, pointCountSound, "Sounds\\PointCount.ogg");
    loadBound(cheerBuffer, cheerSound, "Sounds\\Cheer.ogg");
    loadBound(doorsOutBuffer, doorsOutSound, "Sounds\\doorsout.ogg");
    loadBound(doorsInBuffer, doorsInSound, "Sounds\\doorsin.ogg");
    loadBound(clickBuffer, clickSound, "Sounds\\hit1.ogg");
    loadBuffer(humanRunawayBuffer, "Sounds\\human_runaway2.ogg");
    loadBuffer(rangedAlienShootBuffer, "Sounds\\rangedalienshoot.ogg");
    loadBuffer(meleeAlienPowerupBuffer, "Sounds\\meleealien_powerup.ogg");
    loadBuffer(meleeAlienChargeBuffer, "Sounds\\meleealien_charge.ogg");
    const char* noticeFiles[3] = {"Sounds\\human_notice2.ogg", "Sounds\\rangedalien_notice.ogg",
                                  "Sounds\\meleealien_notice.ogg"};
    const char* takeDamageFiles[3] = {"Sounds\\human_takedamage2.ogg", "Sounds\\rangedalien_takedamage.ogg",
                                      "Sounds\\meleealien_takedamage.ogg"};
    const char* dieFiles[3] = {"Sounds\\human_die2.ogg", "Sounds\\rangedalien_die.ogg",
                               "Sounds\\meleealien_die.ogg"};
    for (int kind = 0; kind < 3; ++kind)
        loadBuffer(noticeBuffers[kind], noticeFiles[kind]);
    for (int kind = 0; kind < 3; ++kind)
        loadBuffer(takeDamageBuffers[kind], takeDamageFiles[kind]);
    for (int kind = 0; kind < 3; ++kind)
        loadBuffer(dieBuffers[kind], dieFiles[kind]);
    for (auto& pool : voicePools)
        pool.resize(2);
}

void Contenthandler::applyVolumes() {
    musicFraction = static_cast<float>(pinnedMusicVolume >= 0 ? pinnedMusicVolume : musicVolume) * 0.01f;
    soundFraction = static_cast<float>(pinnedSoundVolume >= 0 ? pinnedSoundVolume : soundVolume) * 0.01f;
    for (const ScaledSound& s : scaledSounds) {
        float volume = soundFraction * s.baseVolume;
        if (s.single)
            (this->*s.single).setVolume(volume);
        else
            for (sf::Sound& sound : this->*s.pair)
                sound.setVolume(volume);
    }
    for (auto& pool : voicePools)
        for (std::size_t i = 0; i < pool.size() && i < 2; ++i)
            pool[i].setVolume(soundFraction * 100);
    machineSignalSound.setVolume(musicFraction * 95);
    battleMusic.setVolume(musicFraction * 100);
    menuMusic.setVolume(musicFraction * 50);
    scoreMusic.setVolume(musicFraction * 40);
}

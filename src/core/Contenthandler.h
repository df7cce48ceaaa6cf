#pragma once
// The content registry: loads every image, font, shader, sound and music file
// once at start-up and owns them for the life of the process. Other code uses
// the members by reference; sprites hold references to these textures, so
// the registry must outlive every sprite (it is torn down after the states).

#include "core/Singleton.h"

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <string>
#include <vector>

// The two map-side shaders, used by the world draw's light composition.
// Made on first use: a shader needs the display, and a program that links the
// game without opening a window (a tool, a fuzzer) must not touch it.
sf::Shader& transparencyShader();
sf::Shader& blurShader();
// The light mask's blur: how far its taps reach, as a share of the mask's
// width (see blur.frag, which stretches it by the screen's shape downwards).
constexpr float lightBlurRadius = 0.008f;

// The sprite that replaces the system mouse pointer.
extern sf::Sprite cursorSprite;

// Asset paths are written with backslashes ("Graphics\mainChar.png"); this
// maps them to the platform's separator.
std::string assetPath(const std::string& path);

class Contenthandler : public Singleton<Contenthandler> {
    friend class Singleton<Contenthandler>;

  public:
    ~Contenthandler();

    // Recomputes every volume from soundVolume and musicVolume, or from the
    // pinned volumes while they are set.
    void applyVolumes();
    // While a recording is watched the settings are the recording's, but the
    // speakers keep the watcher's volumes (-1: nothing pinned).
    int pinnedSoundVolume = -1, pinnedMusicVolume = -1;

    // Shader and fonts.
    sf::Shader grayScaleShader;
    // The grey shader's "factor" as last set: at 0 the shader changes no pixel
    // of an untinted picture, which is then drawn without it.
    float greyFactor = 0;
    sf::Font fontOldeEnglish;
    sf::Font fontSujet;
    sf::Font fontBeantown;

    // Textures, in load order.
    sf::Texture playerTexture;
    std::vector<sf::Texture> humanTextures;
    std::vector<sf::Texture> alienTextures;
    sf::Texture rankTexture;
    std::vector<sf::Texture> bulletTextures;
    std::vector<sf::Texture> gunTextures;
    std::vector<sf::Texture> tileTextures;
    std::vector<sf::Texture> powerupTextures;
    std::vector<sf::Texture> mainMenuTextures;
    sf::Texture doorTexture;
    sf::Texture particleTexture;
    sf::Texture explosionTexture;
    sf::Texture brainwashMachineTexture;
    sf::Texture noiseBarTexture;
    sf::Texture buttonTexture;
    sf::Texture cursorTexture;
    sf::Texture shadowTexture;
    sf::Texture floorShadowTexture;
    sf::Texture flashTexture;
    sf::Texture gameInfoOverlayTexture;
    sf::Texture optionsBackgroundTexture;
    sf::Texture helpOverlayTexture;
    std::vector<sf::Texture> uiTextures;
    sf::Texture logoTexture;
    sf::Texture bloodyScreenTexture;
    sf::Texture armourIconTexture; // one 64 x 64 icon per armour template, for the upgrade screen

    // Weapon buffers: each weapon copies the ones of its kind into players of its own.
    sf::SoundBuffer knifeBuffer, musketFireBuffer, shotgunBuffer, pistolBuffer, magnumBuffer, mp5Buffer,
        rifleBuffer, machineGunBuffer, explosionBuffer, railgunBuffer, dryFireBuffer, chainsawUseBuffer,
        rifleReloadBuffer, shotgunReloadBuffer, pistolReloadBuffer, magnumReloadBuffer, mp5ReloadBuffer,
        railgunReloadBuffer, chainsawReloadBuffer;
    // Single buffers.
    sf::SoundBuffer chainsawIdleBuffer, alienWeaponBuffer, wallDestroyBuffer, eshockReloadBuffer,
        eshockUseBuffer, shellFallsBuffer, machineSignalBuffer, healthPickupBuffer,
        invulnerabilityPickupBuffer, pointCountBuffer, cheerBuffer, doorsOutBuffer, doorsInBuffer,
        clickBuffer, humanRunawayBuffer, rangedAlienShootBuffer, meleeAlienPowerupBuffer,
        meleeAlienChargeBuffer;
    // Voices indexed by actor kind: 0 human, 1 ranged alien, 2 melee alien.
    sf::SoundBuffer noticeBuffers[3];
    sf::SoundBuffer takeDamageBuffers[3];
    sf::SoundBuffer dieBuffers[3];

    // Sound players. Playing one again restarts it; overlapping copies need pools.
    sf::Sound chainsawIdleSounds[2];
    sf::Sound weaponSounds[2];
    sf::Sound dryFireSound;
    sf::Sound explosionSound;
    sf::Sound reloadSounds[2];
    sf::Sound alienWeaponSound;
    sf::Sound wallDestroySound;
    sf::Sound eshockUseSound;
    sf::Sound shellFallsSound;
    sf::Sound machineSignalSound;
    sf::Sound healthPickupSound;
    sf::Sound invulnerabilityPickupSound;
    sf::Sound pointCountSound;
    sf::Sound cheerSound;
    sf::Sound doorsInSound;
    sf::Sound doorsOutSound;
    sf::Sound clickSound;
    // Seven pools of two voices each; enemies bind their voice buffers to them.
    std::vector<sf::Sound> voicePools[7];

    // Streamed music.
    sf::Music battleMusic;
    sf::Music menuMusic;
    sf::Music scoreMusic;

    // The settings divided by 100.
    float musicFraction = 0.5f;
    float soundFraction = 0.5f;

  private:
    Contenthandler();
    void loadGraphics();
    void loadSounds();
};

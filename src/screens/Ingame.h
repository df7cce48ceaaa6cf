#pragma once
// The state that runs a level: it plays the battle music, updates the map
// and the player in a fixed order, draws them, and tints the picture grey
// and red as the player's health falls. It owns no level data: the map
// belongs to the map handler, the player is its own singleton. There is one
// Ingame for the whole process, a static object that stays on the stack
// under every screen pushed during a run.

#include "app/GameState.h"
#include "world/LevelEvent.h"

#include <SFML/Graphics/Sprite.hpp>

#include <vector>

class Ingame : public GameState {
  public:
    static Ingame* getInstance();

    void onEnter() override;
    void update(float dt) override;
    void draw() override;
    // The map lays its tiles over the whole view, the backdrop where it has none.
    bool paintsWholeWindow() const override;
    // The level as the camera sees it, without the heads-up display and screen tints.
    void drawWorld();
    // Escape opens the pause menu, F1 the game-info overlay.
    void handleInput() override;
    // Opens the pause menu over the level, unless the player is dead.
    void pause();

    // Turns what the world reported this frame into what the player sees:
    // the game-over screen two seconds after a death, the score screen 1.5
    // seconds after the machine falls, score notices and the damage flash.
    void settle(const std::vector<LevelEvent>& events);

    // A hit on the player: the red screen flashes from the given alpha and fades over the flash time.
    void startDamageFlash(float intensity);
    // One frame of the red screen for health fraction h.
    void updateDamageFlash(float dt, float h);
    // Whether the red screen is drawn this frame.
    bool showsBloodyScreen(float h) const;

    // The grey shader's "factor" for health fraction h: full colour from 5/9
    // up, fully grey below 20%.
    static float greyFactor(float h);
    // The red screen's alpha at health fraction h with no flash running:
    // 0 at 40% health and above, 255 at none.
    static float lowHealthAlpha(float h);

    sf::Sprite bloodyScreen;
    float damageFlashDuration = 0.5f;
    bool damageFlashActive = false;
    float damageFlashTimer = 0.5f;
    float damageFlashPrevious = 0.5f;
    float damageFlashIntensity = 0;
};

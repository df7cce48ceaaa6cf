#pragma once
// The upgrade screen's help: a full-screen picture explaining stats, rarity
// and loot, drawn over the upgrade screen. It opens by itself on the first
// visit after a first start, and from the screen's "?" button; a click or
// Escape closes it.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

class OverlayUpgradeState : public MenuState, public Singleton<OverlayUpgradeState> {
    friend class Singleton<OverlayUpgradeState>;

  public:
    void onEnter() override;
    // Once seen, the help no longer opens by itself.
    void update(float dt) override;
    void draw() override;
    void handleInput() override;

    sf::Sprite overlay;
    sf::RectangleShape dim; // between the screen and the help, so the help reads clearly

  private:
    OverlayUpgradeState();
};

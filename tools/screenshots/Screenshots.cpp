// vantreth_screenshots OUT_DIR [WIDTH HEIGHT]
// Plays a generated level for a moment in a window of the given size (1920 x
// 1080 by default) and saves what it shows as PNG files: the heads-up display
// at the start of a level and in the middle of a fight, the score screen
// counting and done, and the door wipe closing, shut and opening. Run it from
// the run directory, under a display.
#include "actors/Player.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "items/AffixTables.h"
#include "items/ItemGeneration.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "screens/LevelFlow.h"
#include "screens/ScoreScreenState.h"
#include "screens/UI.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

std::string outDir;
std::string suffix;

void frame(float dt) {
    sf::RenderWindow& window = gameWindow();
    followPlayer(dt);
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->update(dt);
    window.clear(sf::Color(96, 128, 96));
    if (GameState* top = handler->top())
        top->draw();
    window.display();
}

void run(float seconds) {
    for (float t = 0; t < seconds; t += 1.0f / 60)
        frame(1.0f / 60);
}

void shot(const std::string& name) {
    sf::RenderWindow& window = gameWindow();
    window.clear(sf::Color(96, 128, 96));
    GameStateHandler::getInstance()->top()->draw();
    sf::Texture capture;
    capture.create(window.getSize().x, window.getSize().y);
    capture.update(window);
    window.display();
    std::string path = outDir + "/" + name + suffix + ".png";
    capture.copyToImage().saveToFile(path);
    std::cout << "wrote " << path << std::endl;
}

// Releases the right mouse button in the next frame, as a click would.
void rightClick() {
    InputState* input = InputState::getInstance();
    input->previousButtons[1] = true;
    input->buttons[1] = false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: vantreth_screenshots OUT_DIR [WIDTH HEIGHT]\n";
        return 2;
    }
    outDir = argv[1];
    unsigned width = argc == 4 ? static_cast<unsigned>(std::atoi(argv[2])) : 1920;
    unsigned height = argc == 4 ? static_cast<unsigned>(std::atoi(argv[3])) : 1080;
    if (argc == 4)
        suffix = "_" + std::to_string(width) + "x" + std::to_string(height);
    std::srand(7);

    Contenthandler::getInstance();
    gameWindow().create(sf::VideoMode(width, height), "Vantreth", sf::Style::None);
    GameStateHandler::getInstance();
    std::srand(7);
    UI::getInstance();
    Camera::getInstance();
    Player* player = Player::getInstance();
    InputState::getInstance();
    buildAffixTables();

    // A third level with rolled weapons, a fight under way.
    levelNumber = 1;
    resetScores();
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->pushState(Ingame::getInstance());
    player->resetForLevel(true);
    Maphandler::getInstance()->newMap(3);
    player->inventory[0] = generateWeapon(3);
    player->inventory[1] = generateWeapon(3);
    player->equipHands();
    snapCameraToPlayer();
    run(1.6f);
    player->HP = player->MaxHP * 0.72f;
    player->Stamina = player->MaxStamina * 0.45f;
    shot("hud_level_start");

    run(6.5f);
    player->inventory[1]->setAmmo(0);
    player->taser.rechargeTimer.start();
    player->taser.rechargeTimer.remaining = 0.4f;
    tallyKill(1, 1.2f);
    UI::getInstance()->addMessage("+720 Ranged alien", sf::Color(120, 230, 120));
    run(0.3f);
    UI::getInstance()->addCarnage(50, "Furniture smashed");
    run(0.2f);
    tallyKill(2, 1.0f);
    UI::getInstance()->addMessage("+1000 Melee alien", sf::Color(200, 140, 255));
    for (int i = 0; i < 3; ++i) {
        UI::getInstance()->addCarnage(5, "Wall broken");
        run(0.1f);
    }
    player->HP = player->MaxHP * 0.46f;
    player->invulnerabilityTimer = 0;
    run(0.4f);
    shot("hud_fight");
    player->invulnerabilityTimer = 5;
    run(0.05f);
    shot("hud_invulnerable");

    // The level is cleared: the score screen over the frozen level.
    tallyKill(1, 1.0f);
    tallyKill(2, 1.4f);
    tallyKill(1, 0.9f);
    carnageBonus += 260;
    Map* map = Maphandler::getInstance()->currentMap();
    map->elapsed = 96.4f;
    updateLevelScore(map->census());
    humanScore = 500;
    levelScore += 500;
    referenceScore = std::max(referenceScore, levelScore) + 400;
    player->XP = 1450;
    handler->pushState(ScoreScreenState::getInstance());
    run(1.2f);
    shot("score_counting");
    ScoreScreenState* score = ScoreScreenState::getInstance();
    while (!score->celebrated)
        frame(1.0f / 60);
    run(0.2f);
    shot("score_celebration");
    run(2.5f);
    shot("score_done");

    // The click: the upgrade screen behind the closing wipe.
    rightClick();
    frame(1.0f / 60);
    run(0.45f);
    shot("wipe_closing");
    run(0.55f);
    shot("wipe_shut");
    run(0.7f);

    // Continue: the next level revealed as the wipe opens.
    enterNextLevel();
    run(0.75f);
    shot("wipe_opening");
    run(1.5f);
    shot("next_level");

    GameStateHandler::destroyInstance();
    Maphandler::destroyInstance();
    return 0;
}

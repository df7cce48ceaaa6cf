// vantreth_runshots OUT_DIR [upgrade]
// Plays a few short runs with the scripted player and saves what the player
// sees of them as PNG files: the game-over screen after a death by an alien
// and after the player's own grenade, and the Runs page's history and
// statistics once the runs are over. With "upgrade", one level is played
// instead, and the upgrade screen after it and the next level's display are
// saved, at the window size and text size of the directory's Config.cfg. It plays real runs, so it writes
// saves, recordings and the run history: run it from a scratch copy of the run directory, under a display.
#include "actors/Bullet.h"
#include "actors/Grenade.h"
#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/MenuActions.h"
#include "bot/Bot.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "screens/Ingame.h"
#include "screens/RunsState.h"
#include "screens/UpgradeState.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr float frameStep = 1.0f / 60;
std::string outDir;
Bot bot;

GameState* top() {
    return GameStateHandler::getInstance()->top();
}

void shot(const std::string& name) {
    sf::RenderWindow& window = gameWindow();
    window.clear();
    top()->draw();
    sf::Texture capture;
    capture.create(window.getSize().x, window.getSize().y);
    capture.update(window);
    window.display();
    const std::string path = outDir + "/" + name + ".png";
    capture.copyToImage().saveToFile(path);
    std::cout << "wrote " << path << std::endl;
}

// Lets the bot play until done() holds, at most `limit` frames; false when it never did.
bool playUntil(const std::function<bool()>& done, long limit = 60 * 60 * 5) {
    for (long frame = 0; frame < limit; ++frame) {
        if (done())
            return true;
        bot.step(frameStep, frame % 30 == 0);
    }
    std::cerr << "gave up: " << bot.describe() << std::endl;
    return false;
}

// Frames that nobody plays in: the screen on top settles and draws.
void idle(float seconds) {
    for (float t = 0; t < seconds; t += frameStep)
        runScriptedFrame(
            frameStep, [](InputState&) {}, true);
}

bool gameOverShown() {
    return top() == GameOverState::getInstance();
}

// A run that clears `levels` levels, walks into the aliens until it dies, and quits from the game-over
// screen.
bool runToDeath(int levels) {
    const int cleared = bot.levelsCleared;
    bot.orders.fight = true;
    if (!playUntil([&] { return bot.levelsCleared >= cleared + levels && top() == Ingame::getInstance(); }))
        return false;
    bot.orders.fight = false;
    if (!playUntil(gameOverShown))
        return false;
    idle(1.0f);
    returnToMainMenu();
    idle(0.5f);
    return true;
}

} // namespace

// The upgrade screen of a played level, its first offer under the pointer, and the next level.
int upgradeShots() {
    bot.orders.fight = true;
    if (!playUntil([] { return top() == UpgradeState::getInstance(); }))
        return 1;
    idle(1.5f);
    shot("played_upgrade");
    const sf::IntRect offer = UpgradeState::getInstance()->slotRects[0];
    for (float t = 0; t < 0.5f; t += frameStep)
        runScriptedFrame(
            frameStep,
            [offer](InputState& input) {
                input.mouse = {offer.left + offer.width / 2, offer.top + offer.height / 2};
            },
            true);
    shot("played_upgrade_offer");
    if (!playUntil([] { return top() == Ingame::getInstance(); }))
        return 1;
    idle(3.0f);
    shot("played_level");
    shutDown();
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "upgrade")) {
        std::cerr << "usage: vantreth_runshots OUT_DIR [upgrade]\n";
        return 2;
    }
    outDir = argv[1];
    startUp();
    std::srand(20261207);
    hardcoreMode = false;
    showGameInfoOnce = showUpgradeHelpOnce = false;
    bot.orders.saveOneIn = 0;
    GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
    if (argc == 3)
        return upgradeShots();

    // One level cleared, then the player stands under a ranged alien's fire.
    bot.orders.fight = true;
    if (!playUntil([] { return bot.levelsCleared >= 1 && top() == Ingame::getInstance(); }))
        return 1;
    Player* player = Player::getInstance();
    Map* map = Maphandler::getInstance()->currentMap();
    // Fired from the side of the map's middle: a bolt from outside the map is gone at once.
    const sf::Vector2f middle(32.0f * static_cast<float>(map->columns()),
                              32.0f * static_cast<float>(map->rows()));
    const sf::Vector2f inward = middle - player->position;
    const sf::Vector2f from = 240.0f / std::hypot(inward.x, inward.y) * inward;
    for (int frame = 0; frame < 900 && !gameOverShown(); ++frame) {
        if (frame % 10 == 0)
            map->bullets.push_back(
                std::make_unique<Bullet>(player->position, player->position + from, false));
        runScriptedFrame(
            frameStep, [](InputState&) {}, false);
    }
    idle(1.0f);
    shot("recap_alien");

    // Restarted, the player drops a grenade at his own feet.
    bot.orders.fight = true;
    if (!playUntil([] { return top() == Ingame::getInstance(); }))
        return 1;
    idle(1.0f);
    auto grenade =
        std::make_unique<Grenade>(player->position, 100000.0f, 0.0f, 250.0f, 0.0f, 0.05f, 5.0f, 0.0f);
    grenade->source = {HitSource::By::player, HitSource::With::grenade, "Grenade"};
    Maphandler::getInstance()->currentMap()->grenades.push_back(std::move(grenade));
    for (int frame = 0; frame < 600 && !gameOverShown(); ++frame)
        runScriptedFrame(
            frameStep, [](InputState&) {}, false);
    idle(1.0f);
    shot("recap_grenade");
    returnToMainMenu();
    idle(0.5f);

    // More runs for the page: a few levels each, one of them hardcore.
    for (int levels : {2, 0, 3, 1}) {
        if (!runToDeath(levels))
            return 1;
    }
    hardcoreMode = true;
    if (!runToDeath(1))
        return 1;
    hardcoreMode = false;

    GameStateHandler::getInstance()->pushState(RunsState::getInstance());
    idle(1.5f);
    shot("runs_history");
    RunsState::getInstance()->showTab(RunsState::Tab::statistics);
    idle(0.5f);
    shot("runs_statistics");
    RunsState::getInstance()->nextMode(2);
    idle(0.5f);
    shot("runs_statistics_hardcore");
    shutDown();
    return 0;
}

// vantreth_golden SCENARIO OUT_DIR
// Records one of the golden runs that tests/data keeps, with the real game
// driven frame by frame through the sampling seam: held keys and pad
// readings as the devices would give them, or the scripted player. Each
// recording is copied to OUT_DIR/NAME.vrp. scripts/record-golden.sh runs it
// for every scenario in a scratch copy of the run directory.
//
//   bot-five-levels      the scripted player through five levels
//   keys-and-pad-menus   keys and pad readings only, through the pause menu,
//                        Options, Comfort and Controls into a load of the
//                        autosave; the run it loads is "from-the-autosave"
//   hardcore-death       a hardcore death that ranks, then a name spelt on a pad
#include "app/Game.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/OptionsState.h"
#include "app/PauseMenu.h"
#include "app/Replay.h"
#include "bot/Bot.h"
#include "bot/ScriptedInput.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextEntry.h"
#include "persistence/HighscoreTable.h"
#include "screens/HSinputscreen.h"
#include "screens/Ingame.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

using Key = sf::Keyboard::Key;
namespace fs = std::filesystem;

fs::path outDir;
ScriptedInput script;

void require(bool holds, const std::string& what) {
    if (!holds)
        throw std::runtime_error(what);
}

bool onTop(GameState* state) {
    return GameStateHandler::getInstance()->top() == state;
}

void botUntil(Bot& bot, const std::function<bool()>& done) {
    for (long limit = bot.frames + 60000; !done();) {
        bot.step(maxFrameTime, false);
        require(bot.frames < limit, "no progress: " + bot.describe());
    }
}

int indexOf(const MenuState& menu, const std::string& label) {
    for (std::size_t i = 0; i < menu.buttons.size(); ++i)
        if (menu.buttons[i].label.getString().toAnsiString() == label)
            return static_cast<int>(i);
    throw std::runtime_error("no button " + label);
}

// The keys (or the D-pad) toward a menu's labelled button until it has the
// focus, then Enter (or A).
void choose(MenuState& menu, const std::string& label, bool pad = false) {
    const int target = indexOf(menu, label);
    for (int step = 0; step < 40; ++step) {
        // Before the first move the focus rests on the first lit button.
        int focus = menu.focus;
        for (std::size_t i = 0; focus < 0 && i < menu.buttons.size(); ++i)
            if (menu.buttons[i].isEnabled())
                focus = static_cast<int>(i);
        if (focus == target)
            break;
        const sf::Vector2i d = menu.buttons[static_cast<std::size_t>(target)].target -
                               menu.buttons[static_cast<std::size_t>(focus)].target;
        if (std::abs(d.x) > std::abs(d.y))
            pad ? script.tap(d.x > 0 ? PadButton::DpadRight : PadButton::DpadLeft)
                : script.tap(d.x > 0 ? Key::Right : Key::Left);
        else
            pad ? script.tap(d.y > 0 ? PadButton::DpadDown : PadButton::DpadUp)
                : script.tap(d.y > 0 ? Key::Down : Key::Up);
    }
    pad ? script.tap(PadButton::A) : script.tap(Key::Enter);
}

void keep(const std::string& name) {
    const std::string& made = replay::lastRecordingPath();
    require(!made.empty(), "no recording for " + name);
    fs::copy_file(made, outDir / (name + ".vrp"), fs::copy_options::overwrite_existing);
    std::cout << "recorded " << (outDir / (name + ".vrp")).string() << std::endl;
}

void botThroughFiveLevels() {
    Bot bot;
    botUntil(bot, [&] { return bot.levelsCleared >= 5 && onTop(Ingame::getInstance()); });
    bot.orders.quitToMenu = true;
    botUntil(bot, [&] { return onTop(MainMenuState::getInstance()); });
    keep("bot-five-levels");
}

void keysAndPadThroughTheMenus() {
    // A level cleared first, for the autosave the menus' run ends by loading.
    Bot bot;
    bot.orders.saveOneIn = 0;
    botUntil(bot, [&] { return bot.levelsCleared >= 1 && onTop(Ingame::getInstance()); });
    bot.orders.quitToMenu = true;
    botUntil(bot, [&] { return onTop(MainMenuState::getInstance()); });

    for (int i = 0; i < 5; ++i)
        script.frame();
    choose(*MainMenuState::getInstance(), "New Game");
    require(onTop(Ingame::getInstance()), "no level");
    for (int i = 0; i < 40; ++i)
        script.frame({Key::D, Key::S});
    PadReading aim{true, {}, {0.6f, 0}, {0.9f, -0.3f}};
    for (int i = 0; i < 30; ++i) {
        aim.buttons[static_cast<std::size_t>(PadButton::RT)] = i % 10 < 5;
        script.frame({}, aim);
    }
    script.tap(Key::Escape);
    choose(*PauseMenu::getInstance(), "Options");
    OptionsState* options = OptionsState::getInstance();
    require(onTop(options), "no options");
    choose(*options, "+");
    choose(*options, "Comfort", true);
    script.tap(Key::Enter); // the comfort page's first row
    script.tap(Key::Escape);
    choose(*options, "Controls");
    for (int i = 0; i < 3; ++i)
        script.frame();
    script.tap(Key::Escape);
    script.tap(Key::Escape);
    require(onTop(PauseMenu::getInstance()), "not back at the pause menu");
    choose(*PauseMenu::getInstance(), "Load Autosave", true);
    require(onTop(Ingame::getInstance()), "the autosave did not load");
    keep("keys-and-pad-menus");

    bot.orders.quitToMenu = false;
    const int cleared = bot.levelsCleared;
    botUntil(bot, [&] { return bot.levelsCleared > cleared && onTop(Ingame::getInstance()); });
    bot.orders.quitToMenu = true;
    botUntil(bot, [&] { return onTop(MainMenuState::getInstance()); });
    keep("from-the-autosave");
}

void hardcoreDeath() {
    hardcoreMode = true;
    Bot bot;
    bot.orders.fight = false;
    botUntil(bot, [&] { return onTop(GameOverState::getInstance()); });
    require(GameOverState::getInstance()->highscoreOffered, "the death did not rank");
    keep("hardcore-death");

    choose(*GameOverState::getInstance(), "Highscore!", true);
    require(onTop(HSinputscreen::getInstance()), "no name entry");
    while (!enteredName.empty())
        script.tap(PadButton::DpadLeft);
    for (int letter : {2, 0, 3}) { // C, A, D: each a new A stepped up the alphabet
        script.tap(PadButton::DpadRight);
        for (int i = 0; i < letter; ++i)
            script.tap(PadButton::DpadUp);
    }
    require(enteredName == "CAD", "the pad spelt " + enteredName);
    script.tap(PadButton::A);
    require(HighscoreTable::getInstance()->lines.front() == "CAD", "the name is not in the table");
}

} // namespace

int main(int argc, char** argv) {
    const std::string scenario = argc == 3 ? argv[1] : "";
    const std::function<void()>* run = nullptr;
    const std::function<void()> scenarios[] = {botThroughFiveLevels, keysAndPadThroughTheMenus,
                                               hardcoreDeath};
    const char* names[] = {"bot-five-levels", "keys-and-pad-menus", "hardcore-death"};
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (scenario == names[i])
            run = &scenarios[i];
    if (!run) {
        std::cerr << "usage: vantreth_golden bot-five-levels|keys-and-pad-menus|hardcore-death OUT_DIR"
                  << std::endl;
        return 2;
    }
    outDir = argv[2];
    startUp(false);
    std::srand(20261207);
    hardcoreMode = false;
    showGameInfoOnce = showUpgradeHelpOnce = false;
    GameStateHandler::getInstance()->changeState(MainMenuState::getInstance());
    levelNumber = 1;
    int status = 0;
    try {
        (*run)();
    } catch (const std::exception& e) {
        std::cerr << scenario << ": " << e.what() << std::endl;
        status = 1;
    }
    shutDown();
    return status;
}

#include "app/AccessibilityState.h"
#include "app/ComfortState.h"
#include "app/ControlsState.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/OptionRows.h"
#include "app/OptionsState.h"
#include "app/PauseMenu.h"
#include "app/Replay.h"
#include "app/RunLog.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "core/TextEntry.h"
#include "core/TextSize.h"
#include "items/AffixTables.h"
#include "items/ItemGeneration.h"
#include "persistence/DailyTable.h"
#include "persistence/HighscoreTable.h"
#include "persistence/ReplayFile.h"
#include "persistence/RunHistory.h"
#include "screens/ChallengesState.h"
#include "screens/HSinputscreen.h"
#include "screens/Highscorescreen.h"
#include "screens/Ingame.h"
#include "screens/ReplaysState.h"
#include "screens/RunsResetState.h"
#include "screens/RunsState.h"
#include "screens/ScoreScreenState.h"
#include "screens/UI.h"
#include "screens/UpgradeState.h"
#include "support/RunDirFile.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Within a unit, as texts are placed on whole units.
bool inside(const sf::FloatRect& inner, const sf::FloatRect& outer) {
    return inner.left >= outer.left - 1 && inner.top >= outer.top - 1 &&
           inner.left + inner.width <= outer.left + outer.width + 1 &&
           inner.top + inner.height <= outer.top + outer.height + 1;
}

// On a 1280 x 800 screen the 1080 logical rows are drawn 800 pixels tall.
constexpr float pixelsPerUnit = 800.0f / 1080;

// Every text stays inside its room and off every other, and at 125 % none is
// drawn under a 16-pixel character size.
void expectReadable(const std::vector<PlacedText>& texts, const std::string& screen) {
    EXPECT_FALSE(texts.empty()) << screen << " drew no text";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string what = "\"" + texts[i].text + "\"";
        EXPECT_TRUE(inside(texts[i].bounds, texts[i].room))
            << screen << ": " << what << " leaves its room " << texts[i].bounds.left << ","
            << texts[i].bounds.top << " " << texts[i].bounds.width << "x" << texts[i].bounds.height
            << " room " << texts[i].room.left << "," << texts[i].room.top << " " << texts[i].room.width << "x"
            << texts[i].room.height;
        if (textSizePercent == 125) {
            EXPECT_GE(texts[i].size * pixelsPerUnit, 16) << screen << ": " << what;
        }
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(texts[i].bounds.intersects(texts[j].bounds))
                << screen << ": " << what << " overlaps \"" << texts[j].text << "\" " << texts[i].bounds.left
                << "," << texts[i].bounds.top << " " << texts[i].bounds.width << "x" << texts[i].bounds.height
                << " and " << texts[j].bounds.left << "," << texts[j].bounds.top << " "
                << texts[j].bounds.width << "x" << texts[j].bounds.height;
    }
}

// A screen once its buttons have slid in.
void settle(MenuState& menu) {
    for (int frame = 0; frame < 120; ++frame)
        menu.update(1.0f / 60);
}

class ScreenLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        gameWindow().create(sf::VideoMode(1280, 800), "Vantreth", sf::Style::None);
        // Every screen made afresh, with the fonts of the content registry as it is now.
        GameStateHandler::destroyInstance();
    }
    void TearDown() override {
        logDrawnTexts(nullptr);
        textSizePercent = 100;
        tierMarks = false;
        tierPalette = 0;
        GameStateHandler::getInstance()->states.clear();
        gameWindow().close();
    }
    // Draws the screen and returns the texts it drew. Set VANTRETH_SHOTS to a
    // folder to keep each screen's picture.
    std::vector<PlacedText> shoot(GameState& state, const std::string& name) {
        sf::RenderWindow& window = gameWindow();
        window.clear();
        std::vector<PlacedText> drawn;
        logDrawnTexts(&drawn);
        state.draw();
        logDrawnTexts(nullptr);
        sf::Texture grab;
        grab.create(1280, 800);
        grab.update(window);
        window.display();
        if (const char* folder = std::getenv("VANTRETH_SHOTS"))
            grab.copyToImage().saveToFile(std::string(folder) + "/" + name + "_" +
                                          std::to_string(textSizePercent) + ".png");
        return drawn;
    }
    // The screen on top of the stack, settled, drawn and checked.
    void check(MenuState& screen, const std::string& name) {
        settle(screen);
        expectReadable(shoot(screen, name), name);
    }
};

TEST_F(ScreenLayout, AtEveryTextSizeTheTextsStayInTheirPanelsOffEachOtherAndReadableAt1280By800) {
    buildAffixTables();
    std::srand(29);
    levelNumber = 30;
    Maphandler::getInstance()->newMap(30);
    // The longest names the tables roll, offered together.
    std::unique_ptr<Item> longest[3];
    auto shorter = [&longest](int a, int b) {
        return !longest[a] || (longest[b] && longest[a]->getName().size() < longest[b]->getName().size()) ? a
                                                                                                          : b;
    };
    for (int roll = 0; roll < 3000; ++roll) {
        const bool armour = roll % 3 == 2;
        std::unique_ptr<Item> item = armour ? std::unique_ptr<Item>(generateArmour(30)) : generateWeapon(30);
        std::unique_ptr<Item>& slot = longest[armour ? 2 : shorter(0, 1)];
        if (!slot || item->getName().size() > slot->getName().size())
            slot = std::move(item);
    }
    GameStateHandler* handler = GameStateHandler::getInstance();
    UpgradeState* upgrade = UpgradeState::getInstance();
    handler->states = {Ingame::getInstance()};
    handler->pushState(upgrade);
    for (int s = 0; s < 3; ++s)
        upgrade->loot[s] = std::move(longest[s]);
    // Tier marks lengthen every name; the colour-blind-safe palette is the one worth a look.
    tierMarks = true;
    tierPalette = 1;

    // Full tables with the widest entries they hold.
    HighscoreTable* table = HighscoreTable::getInstance();
    table->lines.clear();
    for (int e = 0; e < 10; ++e)
        table->lines.insert(table->lines.end(), {std::string(maxNameLength, 'W'), "200", "99999999"});
    std::vector<RecordingEntry> recordings;
    for (int r = 0; r < 20; ++r) {
        RecordingEntry entry{"x.vrp",
                             "2026-12-07 23:59",
                             200,
                             99999999,
                             359999,
                             r % 3 == 0,
                             replay::rulesRevision,
                             replay::contentDigest()};
        if (r % 3 == 1)
            entry.run = {RunKind::daily, 0xFFFFFFFFFF, "2026-12-07", true};
        recordings.push_back(entry);
    }
    RunDirFile history{runHistory::defaultPath};
    for (int r = 0; r < 20; ++r) {
        RunRecord run{"2026-12-07 23:59:59",
                      r % 2 ? "hardcore" : "seeded",
                      "WWWW-WWWW",
                      199,
                      200,
                      99999999,
                      359999,
                      9,
                      {999, 9999, 9999},
                      999,
                      "died",
                      "meleeAlien contact",
                      {{"PumpAction Shotgun", 9999}},
                      ""};
        ASSERT_TRUE(runHistory::append(run, runlog::historyPath));
    }
    runlog::Tally death;
    death.identity = {"seeded", "WWWW-WWWW"};
    death.killer = {HitSource::By::player, HitSource::With::explosiveRound, "PumpAction Shotgun"};
    death.deathLevel = 200;
    death.deathSeconds = 35999;
    for (int h = 0; h < 5; ++h)
        death.recentHits.push_back({{HitSource::By::rangedAlien, HitSource::With::plasmaBolt, ""}, 9999});
    levelScore = 99999999;
    referenceScore = 99999999;
    std::vector<DailyDay> days;
    for (int d = 0; d < 5; ++d)
        days.push_back(
            {"2026-12-07", 9, 99999999, std::string(maxNameLength, 'W'), 99999999, 200, 359999, "x.vrp"});
    // A daily practice run has the longest run label (pause, game over).
    const RunIdentity savedRun = currentRun;
    currentRun = {RunKind::daily, 0xFFFFFFFFFF, "2026-12-07", false};

    // Each screen as it opens over a level, settled, drawn and checked.
    auto open = [handler](MenuState* screen) {
        handler->states = {Ingame::getInstance()};
        handler->pushState(screen);
        return screen;
    };
    for (int size : textSizes) {
        textSizePercent = size;
        check(*open(MainMenuState::getInstance()), "main_menu");
        check(*open(PauseMenu::getInstance()), "pause");
        check(*open(OptionsState::getInstance()), "options");
        check(*open(ComfortState::getInstance()), "comfort");
        check(*open(AccessibilityState::getInstance()), "accessibility");
        check(*open(ControlsState::getInstance()), "controls");
        open(Highscorescreen::getInstance());
        Highscorescreen::getInstance()->recordings.assign(10,
                                                          "x.vrp"); // every entry watchable: the hint shows
        check(*Highscorescreen::getInstance(), "highscores");
        check(*open(HSinputscreen::getInstance()), "name_entry");
        open(ChallengesState::getInstance());
        ChallengesState::getInstance()->table.days = days;
        check(*ChallengesState::getInstance(), "challenges");
        open(ReplaysState::getInstance());
        ReplaysState::getInstance()->recordings = recordings;
        check(*ReplaysState::getInstance(), "recordings");
        RunsState* runs = static_cast<RunsState*>(open(RunsState::getInstance()));
        runs->showTab(RunsState::Tab::history);
        runs->focus = 0;
        check(*runs, "runs");
        runs->focus = -1;
        runs->showTab(RunsState::Tab::statistics);
        check(*runs, "statistics");
        // The question is checked on its own: the page it covers is drawn first, and dimmed.
        handler->pushState(RunsResetState::getInstance());
        settle(*RunsResetState::getInstance());
        const std::size_t below = shoot(*runs, "statistics").size();
        std::vector<PlacedText> question = shoot(*RunsResetState::getInstance(), "reset_question");
        question.erase(question.begin(), question.begin() + static_cast<std::ptrdiff_t>(below));
        expectReadable(question, "reset_question");
        GameOverState* gameOver = static_cast<GameOverState*>(open(GameOverState::getInstance()));
        gameOver->recap.show(death);
        check(*gameOver, "game_over");
        ScoreScreenState* score = static_cast<ScoreScreenState*>(open(ScoreScreenState::getInstance()));
        for (int frame = 0; frame < 600; ++frame) // the count up to the rewards
            score->update(1.0f / 60);
        check(*score, "score");
        handler->states = {upgrade, Ingame::getInstance()};
        for (int frame = 0; frame < 120; ++frame) // the buttons slide in
            upgrade->MenuState::update(1.0f / 60);

        // The upgrade screen with the first offer's panel open.
        const sf::IntRect slot = upgrade->slotRects[0];
        InputState::getInstance()->mouse = {slot.left + slot.width / 2, slot.top + slot.height / 2};
        upgrade->update(0);
        // Its item names are laid out by the screen itself, the rest drawn in their rooms.
        std::vector<PlacedText> texts = shoot(*upgrade, "upgrade");
        for (int s = 0; s < 3; ++s) {
            texts.push_back({"offer " + upgrade->loot[s]->getName(), upgrade->lootNames[s].getGlobalBounds(),
                             sf::FloatRect(upgrade->slotRects[s]),
                             static_cast<float>(upgrade->lootNames[s].getCharacterSize())});
            texts.push_back({"held", upgrade->heldNames[s].getGlobalBounds(),
                             upgrade->boxes[1].getGlobalBounds(),
                             static_cast<float>(upgrade->heldNames[s].getCharacterSize())});
        }
        expectReadable(texts, "upgrade");
        const InfoPanel& panel = upgrade->infoPanel();
        EXPECT_LE(panel.box().top + panel.box().height, static_cast<float>(slot.top))
            << "the panel covers the offers";
        std::vector<PlacedText> cells;
        for (const sf::Text& text : panel.texts())
            cells.push_back({"panel " + text.getString().toAnsiString(), text.getGlobalBounds(), panel.box(),
                             static_cast<float>(text.getCharacterSize())});
        expectReadable(cells, "upgrade panel");

        // The heads-up display in a level, with notices coming in.
        UI* hud = UI::getInstance();
        hud->addMessage("+1000 Melee alien", sf::Color::White);
        hud->addCarnage(50, "Furniture smashed");
        hud->update(0.1f);
        std::vector<PlacedText> hudTexts;
        for (const UI::PlacedText& t : hud->placedTexts())
            hudTexts.push_back({"display text", t.bounds, t.room, t.size});
        expectReadable(hudTexts, "display");
        shoot(*Ingame::getInstance(), "display");
    }
    currentRun = savedRun;
}

} // namespace

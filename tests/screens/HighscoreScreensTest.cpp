#include "persistence/HighscoreTable.h"
#include "screens/HSinputscreen.h"
#include "screens/Highscorescreen.h"

#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextEntry.h"
#include "persistence/ReplayFile.h"
#include "support/RunDirFile.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The name entry and the list, driven as the frame loop drives them: keys
// set for one frame, then the screen's handleInput.
class HighscoreScreens : public ::testing::Test {
  protected:
    void SetUp() override {
        savedLevel = levelNumber;
        savedTotal = totalScore;
        savedName = previousName;
        handler = GameStateHandler::getInstance();
        handler->states.clear();
        HighscoreTable::destroyInstance();
        table.write("Bo\n2\n900");
        settings.write("PREVN:\nKeep\n");
        levelNumber = 6;
        totalScore = 4000;
        previousName = "Ann";
    }
    void TearDown() override {
        while (!handler->states.empty())
            handler->popState();
        HighscoreTable::destroyInstance();
        levelNumber = savedLevel;
        totalScore = savedTotal;
        previousName = savedName;
    }
    void press(sf::Keyboard::Key key) {
        InputState* input = InputState::getInstance();
        for (int k = 0; k < InputState::keyCount; ++k)
            input->keys[k] = input->previousKeys[k] = false;
        input->keys[key] = true;
        handler->top()->handleInput();
        input->keys[key] = false;
    }

    RunDirFile table{HighscoreTable::defaultPath};
    RunDirFile settings{"Config.cfg"};
    GameStateHandler* handler = nullptr;
    int savedLevel = 1, savedTotal = 0;
    std::string savedName;
};

TEST_F(HighscoreScreens, EscapeOnTheNameEntryChangesNothing) {
    handler->pushState(HSinputscreen::getInstance());
    EXPECT_EQ(enteredName, "Ann");
    typeCharacter(enteredName, 'e');
    press(sf::Keyboard::Escape);
    EXPECT_TRUE(handler->states.empty());
    EXPECT_EQ(HighscoreTable::getInstance()->lines, (std::vector<std::string>{"Bo", "2", "900"}));
    EXPECT_EQ(table.read(), "Bo\n2\n900");
    EXPECT_EQ(previousName, "Ann");
    EXPECT_EQ(settings.read(), "PREVN:\nKeep\n");
}

TEST_F(HighscoreScreens, ReturnEntersTheNameAndOpensTheListOnItsPage) {
    GameOverState* gameOver = GameOverState::getInstance();
    gameOver->highscoreOffered = true;
    handler->pushState(HSinputscreen::getInstance());
    enteredName.clear();
    for (char c : std::string("Fifteen chars!!and more"))
        typeCharacter(enteredName, static_cast<unsigned char>(c));
    EXPECT_EQ(enteredName, "Fifteen chars!!");
    press(sf::Keyboard::Return);
    EXPECT_EQ(table.read(), "Fifteen chars!!\n6\n4000\nBo\n2\n900");
    EXPECT_EQ(previousName, "Fifteen chars!!");
    EXPECT_EQ(handler->top(), Highscorescreen::getInstance());
    EXPECT_EQ(HighscoreTable::getInstance()->page, 0u);
    // One death enters the table once: coming back shows only "Quit".
    EXPECT_FALSE(gameOver->highscoreOffered);
    gameOver->highscoreOffered = false;
}

TEST_F(HighscoreScreens, TheListPagesThroughFifteenEntriesAtATime) {
    HighscoreTable* scores = HighscoreTable::getInstance();
    scores->lines.clear();
    for (int i = 0; i < 31; ++i)
        scores->lines.insert(scores->lines.end(), {"N" + std::to_string(i), "1", std::to_string(1000 - i)});
    scores->page = 2;
    handler->pushState(Highscorescreen::getInstance());
    EXPECT_EQ(scores->page, 0u);
    EXPECT_FALSE(Highscorescreen::hasPreviousPage());
    Highscorescreen::pageDown();
    Highscorescreen::pageDown();
    EXPECT_EQ(scores->page, 2u);
    EXPECT_FALSE(Highscorescreen::hasNextPage());
    Highscorescreen::pageDown();
    EXPECT_EQ(scores->page, 2u);
    Highscorescreen::pageUp();
    EXPECT_EQ(scores->page, 1u);
    press(sf::Keyboard::Escape);
    EXPECT_TRUE(handler->states.empty());
}

} // namespace

TEST(HighscoreRecordings, AnEntryGetsAMarkedRecordingOfItsLevelAndScoreAndNoFileServesTwo) {
    const std::vector<std::string> lines{"Ann", "4", "900", "Bo", "4", "900", "Cy", "2", "500", "Cut", "3"};
    const std::vector<RecordingEntry> files{{"a.vrp", "", 2, 500, 0, true},
                                            {"b highscore.vrp", "", 4, 900, 0, true},
                                            {"c highscore.vrp", "", 2, 501, 0, true}};
    EXPECT_EQ(Highscorescreen::entryRecordings(lines, files),
              (std::vector<std::string>{"b highscore.vrp", "", "", ""}));
}

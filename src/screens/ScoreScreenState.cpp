#include "screens/ScoreScreenState.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "app/Replay.h"
#include "app/RunLog.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Picture.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "effects/Particlehandler.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "screens/ScreenSpace.h"
#include "screens/UpgradeState.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The panel the lines stand on; the lines themselves start at x = 800.
const sf::FloatRect panelArea(700, 96, 700, 948);
const sf::IntRect barArea(760, 872, 580, 34);
constexpr float lineX = 800;
constexpr float fullCount = 4.0f; // seconds a perfect level counts up

const sf::Color ink(10, 10, 18);
const sf::Color amber(242, 163, 58);
const sf::Color offWhite(236, 232, 222);
const sf::Color dimGrey(150, 156, 170);
const sf::Color levelUpYellow(255, 255, 0);

struct LineInfo {
    const char* label;
    float y;
    const char* unit;
};

// Labels and heights of the lines, in the order of ScoreScreenState::Line.
const LineInfo lines[ScoreScreenState::lineCount] = {
    {"Alien kills bonus: ", 250, ""},    {"Human saved bonus: ", 300, ""}, {"Time bonus: ", 350, ""},
    {"Carnage bonus: ", 400, ""},        {"Total Score: ", 450, ""},       {"Melee aliens killed: ", 600, ""},
    {"Ranged aliens killed: ", 650, ""}, {"Humans saved: ", 700, ""},      {"Time spent: ", 750, "s"},
};

void centre(sf::Text& text, float x, float y) {
    sf::FloatRect b = text.getLocalBounds();
    text.setOrigin(std::round(b.left + b.width / 2), std::round(b.top + b.height / 2));
    text.setPosition(std::round(x), std::round(y));
}

void style(sf::Text& text, const sf::Font& font, unsigned size, sf::Color fill, float outline) {
    text.setFont(font);
    text.setCharacterSize(size);
    text.setFillColor(fill);
    text.setOutlineColor(ink);
    text.setOutlineThickness(outline);
}

float levelTime() {
    Map* map = Maphandler::getInstance()->currentMap();
    return map ? map->elapsed : 0;
}

} // namespace

ScoreScreenState::ScoreScreenState()
    : scoreBar(1, sf::Color(127, 0, 255), 3, sf::Color(96, 96, 96), 1, barArea) {
    Contenthandler* content = Contenthandler::getInstance();
    for (int i = 0; i < lineCount; ++i) {
        style(texts[i], content->fontSujet, 40, textColour, 0);
        texts[i].setPosition(lineX, lines[i].y);
    }
    style(title, content->fontBeantown, 84, amber, 3);
    style(barCaption, content->fontBeantown, 26, dimGrey, 0);
    style(barPercent, content->fontBeantown, 26, offWhite, 0);
    style(experienceText, content->fontBeantown, 34, offWhite, 2);
    style(levelUpText, content->fontBeantown, 34, levelUpYellow, 2);
    style(hint, content->fontBeantown, 28, offWhite, 2);
    style(seedLine, content->fontBeantown, 28, offWhite, 2);
    barCaption.setString("RATING");
    hint.setString("CLICK TO CONTINUE");
    layoutPanel();
}

void ScoreScreenState::layoutPanel() {
    panel.setPosition(panelArea.left, panelArea.top);
    panel.setSize({panelArea.width, panelArea.height});
    panel.setFillColor(sf::Color(12, 14, 22));
    panel.setOutlineThickness(1);
    panel.setOutlineColor(sf::Color(96, 104, 128, 170));
    // The total stands out on a faint amber band; a rule parts the bonuses from the tallies.
    totalBand.setPosition(panelArea.left + 24, 447);
    totalBand.setSize({panelArea.width - 48, 60});
    totalBand.setFillColor(sf::Color(242, 163, 58, 34));
    rule.setPosition(panelArea.left + 40, 560);
    rule.setSize({panelArea.width - 80, 2});
    rule.setFillColor(sf::Color(242, 163, 58, 110));
    // Amber corner brackets, the trim every panel of the game wears.
    const float l = panelArea.left - 2, t = panelArea.top - 2, r = panelArea.left + panelArea.width + 2,
                b = panelArea.top + panelArea.height + 2, arm = 26, w = 3;
    for (int i = 0; i < 4; ++i) {
        const bool right = i % 2 == 1, bottom = i >= 2;
        const float x = right ? r : l, y = bottom ? b : t;
        sf::RectangleShape& across = corners[2 * i];
        sf::RectangleShape& down = corners[2 * i + 1];
        across.setSize({arm, w});
        across.setPosition(right ? x - arm : x, bottom ? y - w : y);
        down.setSize({w, arm});
        down.setPosition(right ? x - w : x, bottom ? y - arm : y);
        across.setFillColor(amber);
        down.setFillColor(amber);
    }
}

float ScoreScreenState::scoreRatioFor(int score, int reference) {
    if (reference <= 0)
        return 1.0f;
    return std::clamp(static_cast<float>(score) / static_cast<float>(reference), 0.1f, 1.0f);
}

float ScoreScreenState::countDurationFor(float ratio, float soundSeconds) {
    // Without the counting sound there is nothing to keep pace with.
    float longest = soundSeconds > 0.1f ? soundSeconds : fullCount;
    return std::clamp(ratio * fullCount, 0.1f, longest);
}

int ScoreScreenState::awardExperience(Player& player, int score) {
    int gained = static_cast<int>(static_cast<float>(score) * 1.16383f);
    player.XP += gained;
    player.levelUp();
    return gained;
}

sf::Color ScoreScreenState::barColourFor(float share) {
    float r = std::clamp(std::isnan(share) ? 0.0f : share, 0.0f, 1.0f);
    auto channel = [](float v) { return static_cast<sf::Uint8>(std::trunc(v * 255)); };
    return sf::Color(channel(1 - r), channel(r), channel(1 - r));
}

int ScoreScreenState::targetOf(Line line) {
    switch (line) {
    case alienKillsBonusLine:
        return alienKillBonus;
    case humanSavedBonusLine:
        return humanScore;
    case timeBonusLine:
        return timeBonus;
    case carnageBonusLine:
        return carnageBonus;
    case totalLine:
        return levelScore;
    case meleeKillsLine:
        return killCounts[2];
    case rangedKillsLine:
        return killCounts[1];
    case humansSavedLine:
        return humanScore / 100;
    case timeSpentLine:
        return static_cast<int>(levelTime());
    default:
        return 0;
    }
}

bool ScoreScreenState::finishRequested(bool leftReleased, bool rightReleased, bool continueKey) const {
    if (shown[totalLine] < levelScore)
        return false;
    return rightReleased || continueKey || (leftReleased && shown[totalLine] == levelScore);
}

void ScoreScreenState::onEnter() {
    // A daily run keeps no saves: it is one attempt, never resumed.
    if (currentRun.keepsSaves())
        saveGame("autosave");
    MenuState::onEnter();
    // The panel carries the text; the level behind only needs to recede.
    menuShade.setFillColor(sf::Color(0, 0, 0, 120));

    for (int i = 0; i < lineCount; ++i) {
        shown[i] = 0;
        texts[i].setFillColor(textColour);
    }
    celebrated = false;
    sinceCelebration = 0;

    Contenthandler* content = Contenthandler::getInstance();
    scoreRatio = scoreRatioFor(levelScore, referenceScore);
    countDuration = countDurationFor(scoreRatio, content->pointCountBuffer.getDuration().asSeconds());
    countTimer = countPrevious = countDuration;
    counting = true;

    Player* player = Player::getInstance();
    const int levelBefore = player->Level;
    experienceGained = awardExperience(*player, levelScore);
    levelsGained = player->Level - levelBefore;

    scoreBar.setMaximum(static_cast<float>(std::max(referenceScore, 1)));
    barColour = sf::Color(127, 0, 255);
    scoreBar.setColour(barColour);
    scoreBar.setValue(1);

    for (sf::Sound& s : content->weaponSounds)
        s.stop();
    for (sf::Sound& s : content->chainsawIdleSounds)
        s.stop();
    content->battleMusic.stop();
    content->menuMusic.stop();
    content->scoreMusic.stop();
    content->machineSignalSound.stop();

    title.setString("LEVEL " + std::to_string(levelNumber) + " CLEARED");
    centre(title, panelArea.left + panelArea.width / 2, 170);
    std::string seed = replay::runLabel();
    if (!currentRun.keepsSaves())
        seed += "  -  no autosave: a daily run keeps no saves";
    seedLine.setString(seed);
    centre(seedLine, panelArea.left + panelArea.width / 2, 58);
    experienceText.setString("EXPERIENCE +" + std::to_string(experienceGained));
    centre(experienceText, panelArea.left + panelArea.width / 2, 944);
    std::string points = levelsGained == 1 ? "1 STAT POINT" : std::to_string(levelsGained) + " STAT POINTS";
    levelUpText.setString("LEVEL UP!  LEVEL " + std::to_string(player->Level) + ",  +" + points);
    centre(levelUpText, panelArea.left + panelArea.width / 2, 982);
}

void ScoreScreenState::countUp() {
    float q = countDuration > 0 ? std::min(1.0f, 1 - countTimer / countDuration) : 1.0f;
    for (int i = 0; i < lineCount; ++i) {
        int target = targetOf(static_cast<Line>(i));
        if (shown[i] < target)
            shown[i] = static_cast<int>(static_cast<float>(target) * q);
        texts[i].setString(lines[i].label + std::to_string(shown[i]) + lines[i].unit);
    }
}

void ScoreScreenState::celebrate() {
    celebrated = true;
    sinceCelebration = 0;
    sf::Vector2f barMiddle(static_cast<float>(barArea.left) + barArea.width / 2.0f,
                           static_cast<float>(barArea.top) + barArea.height / 2.0f);
    int count = static_cast<int>(scoreRatio * 400);
    float speed = (scoreRatio + 1) * 0.5f * 900;
    Particlehandler* particles = Particlehandler::getInstance();
    // Mostly sparks, with a few embers that linger after them.
    particles->burst(screenToWorld(barMiddle), 1.4f, speed, 1, count - count / 4, Particlehandler::glow, 0.9f,
                     true);
    particles->burst(screenToWorld(barMiddle), 2.2f, speed * 0.6f, 10, count / 4, Particlehandler::glow, 0.8f,
                     true);
    Contenthandler* content = Contenthandler::getInstance();
    content->cheerSound.play();
    content->pointCountSound.stop();
    if (content->scoreMusic.getDuration() > sf::Time::Zero)
        content->scoreMusic.play();
}

void ScoreScreenState::update(float dt) {
    Contenthandler* content = Contenthandler::getInstance();
    counting = countTimer > 0;
    if (counting && content->pointCountSound.getStatus() != sf::Sound::Playing)
        content->pointCountSound.play();
    followPlayer(dt);
    if (counting) {
        countPrevious = countTimer;
        countTimer -= dt;
    }
    MenuState::update(dt);
    countUp();
    if (!celebrated && shown[totalLine] >= levelScore)
        celebrate();
    if (celebrated)
        sinceCelebration += dt;
    Particlehandler::getInstance()->update(dt);

    float share =
        referenceScore > 0 ? static_cast<float>(shown[totalLine]) / static_cast<float>(referenceScore) : 1;
    barColour = barColourFor(share);
    scoreBar.setColour(barColour);
    scoreBar.setValue(std::clamp(static_cast<float>(shown[totalLine]), 1.0f, scoreBar.maximum));
    barPercent.setString(std::to_string(static_cast<int>(std::clamp(share, 0.0f, 1.0f) * 100)) + "%");
    // The percentage wears a paler shade of the bar's colour.
    barPercent.setFillColor(sf::Color(static_cast<sf::Uint8>(barColour.r / 2 + 127),
                                      static_cast<sf::Uint8>(barColour.g / 2 + 127),
                                      static_cast<sf::Uint8>(barColour.b / 2 + 127)));
    sf::FloatRect pb = barPercent.getLocalBounds();
    barPercent.setOrigin(pb.left + pb.width, pb.top + pb.height);
    barPercent.setPosition(static_cast<float>(barArea.left + barArea.width),
                           static_cast<float>(barArea.top) - 10);
    sf::FloatRect cb = barCaption.getLocalBounds();
    barCaption.setOrigin(cb.left, cb.top + cb.height);
    barCaption.setPosition(static_cast<float>(barArea.left), static_cast<float>(barArea.top) - 10);

    InputState* input = InputState::getInstance();
    bool continueKey = input->confirmPressed();
    if (finishRequested(input->buttonReleased(0), input->buttonReleased(1), continueKey))
        finish();
}

void ScoreScreenState::finish() {
    runlog::levelCleared(humanScore / 100);
    totalScore += levelScore;
    upgradePoints =
        static_cast<int>(static_cast<float>(levelScore) * 1.0666f + static_cast<float>(upgradePoints));
    Contenthandler::getInstance()->pointCountSound.stop();
    for (int& tally : shown)
        tally = 0;
    carnageBonus = 0;
    celebrated = false;
    // Written again now that the level's score and experience are banked, so
    // that resuming from it does not lose the level just cleared.
    if (currentRun.keepsSaves())
        saveGame("autosave");
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->changeState(UpgradeState::getInstance());
    IntermissionState* wipe = IntermissionState::getInstance();
    wipe->resetToClosing();
    handler->pushState(wipe);
}

void ScoreScreenState::draw() {
    sf::RenderWindow& window = gameWindow();
    Ingame::getInstance()->draw();
    const sf::View world = window.getView();
    MenuState::draw();
    window.draw(panel);
    for (const sf::RectangleShape& c : corners)
        window.draw(c);
    window.draw(totalBand);
    window.draw(rule);
    // Every text keeps to its own row of the panel.
    const float inner = panelArea.left + 30, innerWidth = panelArea.width - 60;
    auto row = [&](float middle, float height) {
        return sf::FloatRect(inner, middle - height / 2, innerWidth, height);
    };
    drawText(window, title, row(170, 100));
    drawText(window, seedLine, {0, 28, 1920, 60});
    // The tallies are large already and set 50 units apart: they keep their size, so the column stays even.
    for (const sf::Text& line : texts)
        drawTextAsLaidOut(window, line,
                          roomAround(line, lineX - 4, panelArea.left + panelArea.width - 36 - lineX, 44));
    const sf::FloatRect overBar(static_cast<float>(barArea.left), static_cast<float>(barArea.top) - 52,
                                static_cast<float>(barArea.width) / 2, 48);
    drawText(window, barCaption, overBar, {0, 1});
    drawText(window, barPercent, {overBar.left + overBar.width, overBar.top, overBar.width, overBar.height},
             {1, 1});
    scoreBar.draw();
    if (celebrated) {
        // The rewards appear once the count is done; the hint pulses gently.
        drawText(window, experienceText, row(944, 38));
        if (levelsGained > 0)
            drawText(window, levelUpText, row(982, 38));
        float pulse = 0.6f + 0.4f * std::abs(std::cos(sinceCelebration * 2.5f));
        hint.setFillColor(sf::Color(offWhite.r, offWhite.g, offWhite.b, static_cast<sf::Uint8>(255 * pulse)));
        centre(hint, panelArea.left + panelArea.width / 2, 1020);
        if (sinceCelebration > 0.6f)
            drawText(window, hint, row(1021, 40));
    }
    showView(window, world);
    Particlehandler::getInstance()->draw(Particlehandler::glow);
}

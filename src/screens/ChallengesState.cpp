#include "screens/ChallengesState.h"

#include "app/DailyRun.h"
#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "app/MenuPalette.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Random.h"
#include "core/SeedCode.h"
#include "core/Settings.h"
#include "core/TextEntry.h"
#include "core/TextSize.h"
#include "screens/LevelFlow.h"
#include "screens/ReplaysState.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

#include <algorithm>
#include <cmath>

namespace {

using namespace menupalette;

// Two columns over the top half (the daily run left, the seeded run right),
// the daily table across the bottom; the back button where every list has it.
constexpr float dailyLeft = 380, seededLeft = 1000;
constexpr float headingTop = 200;
const sf::Vector2f fieldCorner(1000, 250), fieldSize(560, 90);
constexpr float ruleLeft = 380, ruleWidth = 1160;
constexpr float dateLeft = 400, nameLeft = 600, scoreRight = 1160, levelCentre = 1280, lengthRight = 1510;
constexpr float tableHeadingY = 660, firstRowTop = 712, rowHeight = 52;

// The order of the buttons: the field first, so the focus starts in it.
constexpr std::size_t fieldButton = 0, firstRowButton = 4;

ChallengesState* screen() {
    return ChallengesState::getInstance();
}

} // namespace

ChallengesState::ChallengesState() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    styleMenuText(title, 64, amber, "Challenges");
    placeMenuText(title, 960, 95, Align::centre);
    styleMenuText(dailyHeading, 44, amber, "Daily run");
    placeMenuText(dailyHeading, dailyLeft, headingTop, Align::left);
    styleMenuText(seededHeading, 44, amber, "Seeded run");
    placeMenuText(seededHeading, seededLeft, headingTop, Align::left);
    styleMenuText(tableHeading, 44, amber, "Daily table");
    placeMenuText(tableHeading, dailyLeft, tableHeadingY - 55, Align::left);
    for (sf::Text& line : dailyLines)
        styleMenuText(line, 32, offWhite);
    styleMenuText(dailyNote, 26, grey);
    field.setPosition(fieldCorner);
    field.setSize(fieldSize);
    field.setFillColor(sf::Color(8, 10, 18, 200));
    field.setOutlineThickness(2);
    styleMenuText(fieldText, 52, offWhite);
    styleMenuText(fieldNote, 26, grey);
    const char* headingNames[] = {"Date", "Name", "Score", "Level", "Length"};
    for (std::size_t i = 0; i < headings.size(); ++i)
        styleMenuText(headings[i], 32, grey, headingNames[i]);
    placeMenuText(headings[0], dateLeft, tableHeadingY, Align::left);
    placeMenuText(headings[1], nameLeft, tableHeadingY, Align::left);
    placeMenuText(headings[2], scoreRight, tableHeadingY, Align::right);
    placeMenuText(headings[3], levelCentre, tableHeadingY, Align::centre);
    placeMenuText(headings[4], lengthRight, tableHeadingY, Align::right);
    rule.setSize(sf::Vector2f(ruleWidth, 1));
    rule.setPosition(ruleLeft, tableHeadingY + 28);
    rule.setFillColor(sf::Color(242, 163, 58, 120));
    styleMenuText(rowText, 40, offWhite);
    styleMenuText(emptyText, 34, grey, "No daily run played yet: each day's first attempt is kept here");
    placeMenuText(emptyText, ruleLeft + ruleWidth / 2, firstRowTop + 80, Align::centre);
    styleMenuText(hint, 24, grey);
    highlight.setSize(sf::Vector2f(ruleWidth, rowHeight));
    highlight.setFillColor(sf::Color(242, 163, 58, 210));
    stylePlayMark(playMark);

    // The field takes the focus like a button: Enter plays the code, Tab or
    // pad X lets a pad spell it. Space types nothing and presses nothing there.
    buttons.push_back(rowButton(
        sf::IntRect(sf::Vector2i(fieldCorner), sf::Vector2i(fieldSize)),
        [] {
            if (!InputState::getInstance()->pressed(sf::Keyboard::Space))
                screen()->playSeed();
        },
        nullptr));
    buttons.back().onRightClick = [] { screen()->spelling = true; };
    buttons.emplace_back(
        sf::Vector2i(1130, 480), sf::Vector2i(256, 128), [] { screen()->playSeed(); }, nullptr, nullptr, 0,
        "Play seed", "");
    buttons.emplace_back(
        sf::Vector2i(1430, 480), sf::Vector2i(256, 128), [] { screen()->randomSeed(); }, nullptr, nullptr, 0,
        "Random seed", "");
    buttons.emplace_back(
        sf::Vector2i(510, 480), sf::Vector2i(256, 128), [] { screen()->playDaily(); }, nullptr, nullptr, 0,
        "Play daily", "");
    for (std::size_t row = 0; row < tableRows; ++row) {
        const int top = static_cast<int>(firstRowTop + rowHeight * static_cast<float>(row));
        buttons.push_back(rowButton(
            sf::IntRect(static_cast<int>(ruleLeft), top, static_cast<int>(ruleWidth),
                        static_cast<int>(rowHeight)),
            [this, row] { watchDay(row); },
            [this, row] { return row < table.days.size() && !table.days[row].recording.empty(); }));
    }
    buttons.emplace_back(
        sf::Vector2i(1760, 880), sf::Vector2i(256, 128), [] { GameStateHandler::getInstance()->popState(); },
        nullptr, nullptr, 0, "Main Menu", "");
}

void ChallengesState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    // Read as the screen opens, for showing only: the run reads neither.
    today = todayUtc();
    table = DailyTable::load();
    typedText = &seedField;
    spelling = false;
    watchError.clear();
    layOutDaily();
}

void ChallengesState::onExit() {
    MenuState::onExit();
    typedText = &enteredName;
}

void ChallengesState::layOutDaily() {
    const DailyDay* day = table.find(today);
    const std::string lines[] = {
        "Today  " + today + "  (UTC)",
        "Seed  " + formatSeed(dailySeed(today, replay::rulesRevision)) + "   rules " +
            std::to_string(replay::rulesRevision),
        "Your best today  " + std::to_string(day ? day->best : 0),
        "Attempts today  " + std::to_string(day ? day->attempts : 0),
    };
    for (std::size_t i = 0; i < dailyLines.size(); ++i) {
        dailyLines[i].setString(lines[i]);
        placeMenuText(dailyLines[i], dailyLeft, 262 + 40 * static_cast<float>(i), Align::left);
    }
    dailyNote.setString(day ? "Counted already:\nthis one is practice"
                            : "One life, no saves:\nthe first attempt counts");
    placeMenuText(dailyNote, 660, 462, Align::left);
}

void ChallengesState::playSeed() {
    std::optional<Seed> seed = parseSeed(seedField, seedError);
    if (!seed)
        return;
    // Like "New Game", and like its playback, the run starts over the main menu alone.
    leaveRun();
    startSeededRun(*seed);
}

void ChallengesState::randomSeed() {
    // Two draws of 20 bits: one draw of the generator holds fewer than 40.
    const Seed high = static_cast<Seed>(randInt(0, (1 << 20) - 1));
    const Seed low = static_cast<Seed>(randInt(0, (1 << 20) - 1));
    seedField = formatSeed(high << 20 | low);
    seedError.clear();
}

void ChallengesState::playDaily() {
    leaveRun();
    startTodaysDaily();
}

void ChallengesState::watchDay(std::size_t row) {
    if (row >= table.days.size() || table.days[row].recording.empty())
        return;
    std::string error;
    if (ReplayViewer::request(replay::folder + table.days[row].recording, ReplayViewer::Back::list, error,
                              this))
        watchError.clear();
    else
        watchError = error.empty() ? "it could not be read" : error;
}

void ChallengesState::update(float dt) {
    caretClock += dt;
    InputState* input = InputState::getInstance();
    leftSpelling = false;
    if (spelling) {
        // While a pad spells, its stick and D-pad turn letters instead of moving the focus.
        if (input->padPressed(PadButton::A) || input->padPressed(PadButton::B) ||
            input->padPressed(PadButton::X) || input->pressed(sf::Keyboard::Enter) ||
            input->pressed(sf::Keyboard::Escape))
            spelling = !(leftSpelling = true);
        else
            spellWithPad(seedField, input->navigation());
        for (MenuButton& button : buttons)
            button.update(dt);
    } else {
        MenuState::update(dt);
    }
    fieldText.setString(seedField);
    sf::FloatRect box = fieldText.getLocalBounds();
    fieldText.setPosition(std::trunc(fieldCorner.x + fieldSize.x * 0.5f - box.width * 0.5f - box.left),
                          fieldCorner.y + 14);
    fieldNote.setFillColor(seedError.empty() ? grey : warning);
    fieldNote.setString(!seedError.empty() ? seedError
                        : spelling         ? "Spelling: up and down a letter, right the next, left erases"
                                   : "Type or paste (Ctrl+V) a code; Tab or pad X spells it on a pad");
    placeMenuText(fieldNote, seededLeft, fieldCorner.y + fieldSize.y + 30, Align::left);
}

void ChallengesState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    // The daily run's column at the left, the seeded run's at the right, the table across the bottom.
    constexpr float columnWidth = 560;
    drawText(window, title, wholeView);
    drawText(window, dailyHeading, roomAround(dailyHeading, dailyLeft, columnWidth, 50), {0, 0.5f});
    drawText(window, seededHeading, roomAround(seededHeading, seededLeft, columnWidth, 50), {0, 0.5f});
    drawText(window, tableHeading, roomAround(tableHeading, dailyLeft, columnWidth, 50), {0, 0.5f});
    for (const sf::Text& line : dailyLines)
        drawText(window, line, roomAround(line, dailyLeft, columnWidth, 40), {0, 0.5f});
    // The note stands right of the daily run's button, short of the seeded column.
    drawText(window, dailyNote, roomAround(dailyNote, 660, seededLeft - 20 - 660, 96), {0, 0.5f});
    drawText(window, fieldNote, roomAround(fieldNote, seededLeft, columnWidth, 40), {0, 0.5f});

    const bool fieldFocused = focus == static_cast<int>(fieldButton);
    field.setOutlineColor(fieldFocused || spelling ? amber : grey);
    field.setOutlineThickness(fieldFocused || spelling ? 4 : 2);
    window.draw(field);
    // The caret follows the code as laid out, so the code keeps its size (it is large already).
    drawTextAsLaidOut(window, fieldText, {fieldCorner.x, fieldCorner.y, fieldSize.x, fieldSize.y});
    if (fieldFocused && std::fmod(caretClock, 1.0f) < 0.6f) {
        sf::RectangleShape caret(sf::Vector2f(4, 56));
        caret.setFillColor(amber);
        const sf::FloatRect box = fieldText.getGlobalBounds();
        caret.setPosition(seedField.empty() ? fieldCorner.x + fieldSize.x * 0.5f : box.left + box.width + 8,
                          fieldCorner.y + 17);
        window.draw(caret);
    }

    // Each column's heading and cells keep to the column.
    const sf::FloatRect columns[] = {{dateLeft, 0, nameLeft - 10 - dateLeft, 0},
                                     {nameLeft, 0, scoreRight - 170 - nameLeft, 0},
                                     {scoreRight - 150, 0, 150, 0},
                                     {levelCentre - 90, 0, 180, 0},
                                     {lengthRight - 110, 0, 110, 0}};
    const sf::Vector2f anchors[] = {{0, 0.5f}, {0, 0.5f}, {1, 0.5f}, {0.5f, 0.5f}, {1, 0.5f}};
    for (std::size_t h = 0; h < headings.size(); ++h)
        drawText(window, headings[h], cellOf(columns[h], tableHeadingY - 26, 52), anchors[h]);
    window.draw(rule);
    if (table.days.empty())
        drawText(window, emptyText, roomAround(emptyText, ruleLeft, ruleWidth, 60));
    for (std::size_t row = 0; row < std::min(tableRows, table.days.size()); ++row) {
        const DailyDay& d = table.days[row];
        const float top = firstRowTop + rowHeight * static_cast<float>(row);
        const float middle = top + rowHeight * 0.5f;
        const bool lit = focus == static_cast<int>(firstRowButton + row);
        if (lit) {
            highlight.setPosition(ruleLeft, top);
            window.draw(highlight);
        }
        rowText.setFillColor(lit ? onHighlight : d.day == today ? amber : offWhite);
        rowText.setOutlineThickness(lit ? 0 : 2);
        const std::string cells[] = {d.day, d.name, std::to_string(d.score), std::to_string(d.level),
                                     ReplaysState::lengthText(d.seconds)};
        const float xs[] = {dateLeft, nameLeft, scoreRight, levelCentre, lengthRight};
        const Align aligns[] = {Align::left, Align::left, Align::right, Align::centre, Align::right};
        // A row reads at one size, however tight its widest cell.
        std::vector<RowCell> rowCells;
        for (int c = 0; c < 5; ++c) {
            rowText.setString(cells[c]);
            placeMenuText(rowText, xs[c], middle, aligns[c]);
            rowCells.push_back({rowText, cellOf(columns[c], top, rowHeight), anchors[c]});
        }
        drawTextRow(window, rowCells);
        if (!d.recording.empty()) {
            playMark.setPosition(ruleLeft + ruleWidth + 22, middle);
            window.draw(playMark);
        }
    }
    hint.setFillColor(watchError.empty() ? grey : warning);
    hint.setString(watchError.empty() ? "Click a day, or pick it with the arrows and Enter, to watch its run"
                                      : "This recording cannot be played: " + watchError);
    placeMenuText(hint, 960, 1040, Align::centre);
    drawText(window, hint, roomAround(hint, 0, 1920, 40));
}

void ChallengesState::handleInput() {
    // The press that ends the spelling does not also leave the screen.
    if (!spelling && !leftSpelling && InputState::getInstance()->backPressed())
        GameStateHandler::getInstance()->popState();
}

#include "screens/Highscorescreen.h"

#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "app/MenuPalette.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "persistence/HighscoreTable.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using namespace menupalette;

// Columns: the rank ends at rankRight, the name starts at nameLeft, the
// level is centred on levelCentre and the score ends at scoreRight.
constexpr float rankRight = 440;
constexpr float nameLeft = 470;
constexpr float levelCentre = 1130;
constexpr float scoreRight = 1540;
constexpr float headingY = 160;
constexpr float firstRowTop = 210;
constexpr float rowHeight = 50;
constexpr float rowsLeft = 360, rowsWidth = 1200;
// The row buttons follow "Main Menu", "up" and "dn", so the focus starts on "Main Menu".
constexpr std::size_t firstRowButton = 3;

void style(sf::Text& text, unsigned size, sf::Color colour, const std::string& string = "") {
    text.setFont(Contenthandler::getInstance()->fontBeantown);
    text.setCharacterSize(size);
    text.setFillColor(colour);
    text.setOutlineColor(sf::Color(10, 10, 18, 200));
    text.setOutlineThickness(2);
    text.setString(string);
}

HighscoreTable* table() {
    return HighscoreTable::getInstance();
}

} // namespace

void Highscorescreen::pageUp() {
    if (hasPreviousPage())
        --table()->page;
}
void Highscorescreen::pageDown() {
    if (hasNextPage())
        ++table()->page;
}
bool Highscorescreen::hasPreviousPage() {
    return table()->page > 0;
}
bool Highscorescreen::hasNextPage() {
    return table()->page + 1 < table()->pageCount();
}

std::vector<std::string> Highscorescreen::entryRecordings(const std::vector<std::string>& lines,
                                                          const std::vector<RecordingEntry>& recordings) {
    std::vector<std::string> paths((lines.size() + 2) / 3);
    std::vector<bool> taken(recordings.size());
    for (std::size_t entry = 0; 3 * entry + 2 < lines.size(); ++entry)
        for (std::size_t r = 0; r < recordings.size(); ++r) {
            const RecordingEntry& rec = recordings[r];
            if (taken[r] || rec.path.find(replay::highscoreMark) == std::string::npos ||
                std::to_string(rec.levelReached) != lines[3 * entry + 1] ||
                std::to_string(rec.score) != lines[3 * entry + 2])
                continue;
            taken[r] = true;
            paths[entry] = rec.path;
            break;
        }
    return paths;
}

void Highscorescreen::watch(std::size_t entry) {
    if (entry >= recordings.size() || recordings[entry].empty())
        return;
    std::string error;
    if (ReplayViewer::request(recordings[entry], ReplayViewer::Back::mainMenu, error))
        watchError.clear();
    else
        watchError = error.empty() ? "it could not be read" : error;
}

Highscorescreen::Highscorescreen() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    style(title, 64, amber, "Highscores");
    placeMenuText(title, 960, 95, Align::centre);
    const char* headingNames[] = {"Name", "Level", "Score"};
    for (std::size_t i = 0; i < headings.size(); ++i)
        style(headings[i], 32, grey, headingNames[i]);
    placeMenuText(headings[0], nameLeft, headingY, Align::left);
    placeMenuText(headings[1], levelCentre, headingY, Align::centre);
    placeMenuText(headings[2], scoreRight, headingY, Align::right);
    rule.setSize(sf::Vector2f(1200, 1));
    rule.setPosition(360, 190);
    rule.setFillColor(sf::Color(242, 163, 58, 120));
    style(rowText, 50, offWhite);
    style(emptyText, 40, grey, "No hardcore run has made the list yet");
    placeMenuText(emptyText, 960, 500, Align::centre);
    style(pageText, 30, grey);
    style(note, 34, grey, "      NOTE: \nOnly Hardcore \n  scores are \n  eligible for \nthe highscores");
    note.setPosition(40, 400);
    style(writeFailed, 24, sf::Color(230, 90, 70),
          "The table could not be written; this entry lasts until you quit");
    placeMenuText(writeFailed, 960, 1010, Align::centre);
    highlight.setSize(sf::Vector2f(1200, 50));
    highlight.setFillColor(sf::Color(242, 163, 58, 210));
    highlight.setPosition(-100, -100);
    focusFrame.setSize(sf::Vector2f(rowsWidth - 6, rowHeight - 6));
    focusFrame.setFillColor(sf::Color(242, 163, 58, 60));
    // Off-white, so the focus shows on the highlighted entry too.
    focusFrame.setOutlineColor(offWhite);
    focusFrame.setOutlineThickness(3);
    style(hint, 24, grey);
    stylePlayMark(playMark);

    buttons.emplace_back(sf::Vector2i(1760, 880), sf::Vector2i(256, 128), returnToMainMenu, nullptr, nullptr,
                         0, "Main Menu", "");
    const sf::Vector2i pagingSize(128, 64);
    buttons.emplace_back(sf::Vector2i(1760, 420), pagingSize, pageUp, nullptr, hasPreviousPage, -1, "up", "");
    buttons.emplace_back(sf::Vector2i(1760, 580), pagingSize, pageDown, nullptr, hasNextPage, -1, "dn", "");
    for (std::size_t row = 0; row < HighscoreTable::entriesPerPage; ++row) {
        const int top = static_cast<int>(firstRowTop + rowHeight * static_cast<float>(row));
        auto entry = [row] { return table()->page * HighscoreTable::entriesPerPage + row; };
        buttons.push_back(rowButton(
            sf::IntRect(static_cast<int>(rowsLeft), top, static_cast<int>(rowsWidth),
                        static_cast<int>(rowHeight)),
            [this, entry] { watch(entry()); },
            [this, entry] { return entry() < recordings.size() && !recordings[entry()].empty(); }));
    }
}

void Highscorescreen::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    table()->page = 0;
    recordings = entryRecordings(table()->lines, listRecordings(replay::folder));
    watchError.clear();
}

void Highscorescreen::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawText(window, title, wholeView);
    // Each column's heading and cells keep to the column.
    const sf::FloatRect columns[] = {{rowsLeft, 0, rankRight - rowsLeft, 0},
                                     {nameLeft, 0, levelCentre - 130 - nameLeft, 0},
                                     {levelCentre - 120, 0, 240, 0},
                                     {scoreRight - 220, 0, 220, 0}};
    const sf::Vector2f anchors[] = {{1, 0.5f}, {0, 0.5f}, {0.5f, 0.5f}, {1, 0.5f}};
    for (std::size_t h = 0; h < headings.size(); ++h)
        drawText(window, headings[h], cellOf(columns[h + 1], headingY - 30, 58), anchors[h + 1]);
    window.draw(rule);
    drawText(window, note, {20, 380, 330, 360}, {0, 0});

    const HighscoreTable* scores = table();
    const std::vector<std::string>& lines = scores->lines;
    auto lineAt = [&lines](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    const std::size_t first = scores->page * HighscoreTable::entriesPerPage;
    const std::size_t end = std::min(first + HighscoreTable::entriesPerPage, scores->entryCount());
    if (scores->entryCount() == 0)
        drawText(window, emptyText, {rowsLeft, 460, rowsWidth, 80});
    bool watchable = false;
    for (std::size_t entry = first; entry < end; ++entry) {
        const float top = firstRowTop + rowHeight * static_cast<float>(entry - first);
        const float middle = top + rowHeight * 0.5f;
        const bool recent = scores->recentIndex == static_cast<int>(3 * entry) &&
                            lineAt(3 * entry) == scores->recentEntry[0] &&
                            lineAt(3 * entry + 2) == scores->recentEntry[2];
        if (recent) {
            highlight.setPosition(rowsLeft, top);
            window.draw(highlight);
        }
        if (focus == static_cast<int>(firstRowButton + entry - first)) {
            focusFrame.setPosition(rowsLeft + 3, top + 3);
            window.draw(focusFrame);
        }
        if (entry < recordings.size() && !recordings[entry].empty()) {
            playMark.setPosition(rowsLeft + rowsWidth + 22, middle);
            window.draw(playMark);
            watchable = true;
        }
        rowText.setFillColor(recent ? sf::Color(20, 20, 28) : offWhite);
        rowText.setOutlineThickness(recent ? 0 : 2);
        const std::string cells[] = {std::to_string(entry + 1) + ".", lineAt(3 * entry),
                                     lineAt(3 * entry + 1), lineAt(3 * entry + 2)};
        const float xs[] = {rankRight, nameLeft, levelCentre, scoreRight};
        const Align aligns[] = {Align::right, Align::left, Align::centre, Align::right};
        // A row reads at one size, however tight its widest cell.
        std::vector<RowCell> rowCells;
        for (int c = 0; c < 4; ++c) {
            rowText.setString(cells[c]);
            placeMenuText(rowText, xs[c], middle, aligns[c]);
            rowCells.push_back({rowText, cellOf(columns[c], top, rowHeight), anchors[c]});
        }
        drawTextRow(window, rowCells);
    }

    pageText.setString(std::to_string(scores->page + 1) + " / " + std::to_string(scores->pageCount()));
    placeMenuText(pageText, 1760, 500, Align::centre);
    drawText(window, pageText, {1696, 470, 128, 60});
    if (scores->lastWriteFailed)
        drawText(window, writeFailed, {0, 985, 1920, 50});
    if (watchable || !watchError.empty()) {
        hint.setFillColor(watchError.empty() ? grey : sf::Color(230, 90, 70));
        hint.setString(watchError.empty()
                           ? "Runs with a play mark can be watched: click one, or pick it with the arrows"
                           : "This recording cannot be played: " + watchError);
        placeMenuText(hint, 960, 1045, Align::centre);
        drawText(window, hint, roomAround(hint, 0, 1920, 46));
    }
}

void Highscorescreen::handleInput() {
    if (InputState::getInstance()->backPressed())
        GameStateHandler::getInstance()->popState();
}

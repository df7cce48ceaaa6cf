#include "screens/ReplaysState.h"

#include "app/GameStateHandler.h"
#include "app/MenuPalette.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

#include <algorithm>
#include <cstdio>

namespace {

using namespace menupalette;

// Columns: the date starts at dateLeft, the level is centred on levelCentre,
// the score and the length end at scoreRight and lengthRight, and the mark
// of a hardcore or highscore run starts at markLeft. The rows lie between
// the ends of the rule, the play mark just past its right end.
constexpr float ruleLeft = 360, ruleWidth = 1200;
constexpr float dateLeft = 390;
constexpr float levelCentre = 930;
constexpr float scoreRight = 1150;
constexpr float lengthRight = 1330;
constexpr float markLeft = 1375;
constexpr float headingY = 160;
constexpr float firstRowTop = 210;
constexpr float rowHeight = 50;

// The first buttons are the rows of the page, so the focus starts on the newest run.
constexpr std::size_t rowButtons = ReplaysState::rowsPerPage;

ReplaysState* screen() {
    return ReplaysState::getInstance();
}

void back() {
    GameStateHandler::getInstance()->popState();
}
void pageUp() {
    if (screen()->page > 0)
        --screen()->page;
}
void pageDown() {
    if (screen()->page + 1 < screen()->pageCount())
        ++screen()->page;
}
bool hasPreviousPage() {
    return screen()->page > 0;
}
bool hasNextPage() {
    return screen()->page + 1 < screen()->pageCount();
}

} // namespace

std::string ReplaysState::lengthText(float seconds) {
    int whole = static_cast<int>(std::max(seconds, 0.0f));
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

unsigned ReplaysState::pageCount() const {
    return static_cast<unsigned>(
        std::max<std::size_t>(1, (recordings.size() + rowsPerPage - 1) / rowsPerPage));
}

ReplaysState::ReplaysState() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    styleMenuText(title, 64, amber, "Recordings");
    placeMenuText(title, 960, 95, Align::centre);
    const char* headingNames[] = {"Date", "Level", "Score", "Length"};
    for (std::size_t i = 0; i < headings.size(); ++i)
        styleMenuText(headings[i], 32, grey, headingNames[i]);
    placeMenuText(headings[0], dateLeft, headingY, Align::left);
    placeMenuText(headings[1], levelCentre, headingY, Align::centre);
    placeMenuText(headings[2], scoreRight, headingY, Align::right);
    placeMenuText(headings[3], lengthRight, headingY, Align::right);
    rule.setSize(sf::Vector2f(ruleWidth, 1));
    rule.setPosition(ruleLeft, 190);
    rule.setFillColor(sf::Color(242, 163, 58, 120));
    styleMenuText(rowText, 40, offWhite);
    styleMenuText(markText, 28, amber);
    styleMenuText(emptyText, 40, grey, "No runs recorded yet: every run you play is kept here");
    placeMenuText(emptyText, 960, 500, Align::centre);
    styleMenuText(pageText, 30, grey);
    styleMenuText(note, 34, grey,
                  "      NOTE: \nThe " + std::to_string(replay::keptRecordings) +
                      " newest \nruns are kept, \nand every run \n that made the \n  highscores");
    note.setPosition(40, 400);
    styleMenuText(hint, 24, grey);
    highlight.setSize(sf::Vector2f(ruleWidth, rowHeight));
    highlight.setFillColor(sf::Color(242, 163, 58, 210));
    stylePlayMark(playMark);

    for (std::size_t row = 0; row < rowButtons; ++row) {
        const int top = static_cast<int>(firstRowTop + rowHeight * static_cast<float>(row));
        buttons.push_back(rowButton(
            sf::IntRect(static_cast<int>(ruleLeft), top, static_cast<int>(ruleWidth),
                        static_cast<int>(rowHeight)),
            [this, row] { watch(page * rowsPerPage + row); },
            [this, row] { return page * rowsPerPage + row < recordings.size(); }));
    }
    buttons.emplace_back(sf::Vector2i(1760, 880), sf::Vector2i(256, 128), back, nullptr, nullptr, 0, "Back",
                         "");
    const sf::Vector2i pagingSize(128, 64);
    buttons.emplace_back(sf::Vector2i(1760, 420), pagingSize, pageUp, nullptr, hasPreviousPage, -1, "up", "");
    buttons.emplace_back(sf::Vector2i(1760, 580), pagingSize, pageDown, nullptr, hasNextPage, -1, "dn", "");
}

void ReplaysState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    // Runs end while the screen is closed: a new one, or old ones pruned.
    recordings = listRecordings(replay::folder);
    page = 0;
    watchError.clear();
}

void ReplaysState::watch(std::size_t index) {
    if (index >= recordings.size())
        return;
    std::string error;
    if (ReplayViewer::request(recordings[index].path, ReplayViewer::Back::recordings, error))
        watchError.clear();
    else
        watchError = error.empty() ? "it could not be read" : error;
}

void ReplaysState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawText(window, title, wholeView);
    // Each column's heading and cells keep to the column.
    const sf::FloatRect columns[] = {{dateLeft, 0, levelCentre - 100 - dateLeft, 0},
                                     {levelCentre - 90, 0, 180, 0},
                                     {scoreRight - 150, 0, 150, 0},
                                     {lengthRight - 160, 0, 160, 0},
                                     {markLeft, 0, ruleLeft + ruleWidth - markLeft, 0}};
    const sf::Vector2f anchors[] = {{0, 0.5f}, {0.5f, 0.5f}, {1, 0.5f}, {1, 0.5f}, {0, 0.5f}};
    for (std::size_t h = 0; h < headings.size(); ++h)
        drawText(window, headings[h], cellOf(columns[h], headingY - 30, 58), anchors[h]);
    window.draw(rule);
    drawText(window, note, {20, 380, 330, 360}, {0, 0});

    if (recordings.empty())
        drawText(window, emptyText, {ruleLeft, 460, ruleWidth, 80});
    const std::size_t first = page * rowsPerPage;
    const std::size_t end = std::min(first + rowsPerPage, recordings.size());
    for (std::size_t index = first; index < end; ++index) {
        const RecordingEntry& entry = recordings[index];
        const float top = firstRowTop + rowHeight * static_cast<float>(index - first);
        const float middle = top + rowHeight * 0.5f;
        const bool lit = focus == static_cast<int>(index - first);
        if (lit) {
            highlight.setPosition(ruleLeft, top);
            window.draw(highlight);
        }
        // A recording of other rules stays listed, greyed, and says why when picked.
        const bool older =
            entry.rules != replay::rulesRevision || entry.contentDigest != replay::contentDigest();
        rowText.setFillColor(lit ? onHighlight : older ? grey : offWhite);
        rowText.setOutlineThickness(lit ? 0 : 2);
        const std::string cells[] = {entry.startedAt, std::to_string(entry.levelReached),
                                     std::to_string(entry.score), lengthText(entry.seconds)};
        const float xs[] = {dateLeft, levelCentre, scoreRight, lengthRight};
        const Align aligns[] = {Align::left, Align::centre, Align::right, Align::right};
        // A row reads at one size, however tight its widest cell.
        std::vector<RowCell> rowCells;
        for (int c = 0; c < 4; ++c) {
            rowText.setString(cells[c]);
            placeMenuText(rowText, xs[c], middle, aligns[c]);
            rowCells.push_back({rowText, cellOf(columns[c], top, rowHeight), anchors[c]});
        }
        drawTextRow(window, rowCells);
        const bool highscore = entry.path.find(replay::highscoreMark) != std::string::npos;
        // A seeded or daily run shows its seed and the rules it was played under, in smaller type to fit.
        const std::string seed = entry.run.seeded()
                                     ? (entry.run.kind == RunKind::daily ? "Daily " : "Seed ") +
                                           entry.run.seedText() + " r" + std::to_string(entry.rules)
                                     : "";
        if (highscore || entry.hardcore || older || !seed.empty()) {
            markText.setString(older           ? "Older version"
                               : highscore     ? "Highscore"
                               : !seed.empty() ? seed
                                               : "Hardcore");
            markText.setCharacterSize(!older && !highscore && !seed.empty() ? 20 : 28);
            markText.setFillColor(lit ? onHighlight : highscore && !older ? amber : grey);
            markText.setOutlineThickness(lit ? 0 : 2);
            placeMenuText(markText, markLeft, middle, Align::left);
            drawText(window, markText, cellOf(columns[4], top, rowHeight), anchors[4]);
        }
        if (!older) {
            playMark.setPosition(ruleLeft + ruleWidth + 22, middle);
            window.draw(playMark);
        }
    }

    pageText.setString(std::to_string(page + 1) + " / " + std::to_string(pageCount()));
    placeMenuText(pageText, 1760, 500, Align::centre);
    drawText(window, pageText, {1696, 470, 128, 60});
    if (!watchError.empty() || !recordings.empty()) {
        hint.setFillColor(watchError.empty() ? grey : warning);
        hint.setString(watchError.empty() ? "Click a run, or pick it with the arrows and Enter, to watch it"
                                          : "This recording cannot be played: " + watchError);
        placeMenuText(hint, 960, 1010, Align::centre);
        drawText(window, hint, {0, 985, 1920, 50});
    }
}

void ReplaysState::handleInput() {
    if (InputState::getInstance()->backPressed())
        GameStateHandler::getInstance()->popState();
}

#include "screens/RunsState.h"

#include "app/GameStateHandler.h"
#include "app/MenuPalette.h"
#include "app/Replay.h"
#include "app/ReplayViewer.h"
#include "app/RunLog.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"
#include "screens/ReplaysState.h"
#include "screens/RunsResetState.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <vector>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

using namespace menupalette;

// Everything but the column of buttons at the right lies on the backdrop's
// panel, between x = 345 and 1570. The list: eight columns between the ends
// of the rule, the play mark just past its right end. Left-aligned columns
// start at their x, numbers end at it.
constexpr float ruleLeft = 345, ruleWidth = 1225, listCentre = ruleLeft + ruleWidth / 2;
constexpr float headingY = 200, firstRowTop = 232, rowHeight = 52;
constexpr std::array<float, 8> columnX = {365, 690, 930, 1075, 1240, 1350, 1440, 1465};
constexpr std::array<Align, 8> columnAlign = {Align::left,  Align::left,  Align::right, Align::right,
                                              Align::right, Align::right, Align::right, Align::left};

// Buttons: the rows first, so on the history tab the focus starts on the newest run.
// The lifetime figures: a name at the left of each row, its value ending at the right.
constexpr float firstFigureY = 215, figureStep = 68;
constexpr float figureLabelLeft = 372, figureValueLeft = 655, figureValueRight = 875;
constexpr std::size_t rowButtons = RunsState::rowsPerPage;
constexpr std::size_t modeButton = rowButtons + 3;

RunsState* screen() {
    return RunsState::getInstance();
}

// A mode as the list shows it: "normal" is "Normal".
std::string modeName(std::string mode) {
    if (!mode.empty() && mode[0] >= 'a' && mode[0] <= 'z')
        mode[0] = static_cast<char>(mode[0] - 'a' + 'A');
    return mode;
}

std::string modeLabel(std::size_t mode) {
    return mode == 0 ? "All modes" : modeName(RunsState::modes[mode]);
}

std::string endingText(const RunRecord& run) {
    if (run.ending == "died")
        return "Died";
    if (run.ending == "quit")
        return "Quit";
    if (run.ending == "loaded")
        return "Left";
    if (run.ending == "closed")
        return "Closed";
    return "";
}

std::string hoursText(double seconds) {
    long long whole = static_cast<long long>(std::clamp(seconds, 0.0, 1.0e12));
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

// The focused run in full, under the list: what ended it, and what else it did.
std::string runDetail(const RunRecord& run, bool watchable) {
    std::string text = run.ending == "died"
                           ? "Killed by " + runlog::describe(runlog::killerFromCode(run.killer))
                           : endingText(run);
    text += "   " + std::to_string(run.deaths) + (run.deaths == 1 ? " death   " : " deaths   ") +
            std::to_string(run.humansSaved) + " humans saved   " + std::to_string(run.kills[0]) +
            " humans lost";
    if (!run.seed.empty())
        text += "   Seed " + run.seed;
    return text + (watchable ? "   Enter or click to watch" : "   Recording no longer kept");
}

} // namespace

void RunsState::open() {
    RunsState* runs = getInstance();
    runs->message.clear();
    runs->page = 0;
    GameStateHandler::getInstance()->pushState(runs);
}

RunsState::RunsState()
    : levelChart({925, 170, 645, 385}, "Level reached, last 50 runs", RunChart::Style::bars),
      scoreChart({925, 575, 645, 385}, "Score per level cleared, over time", RunChart::Style::line) {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    styleMenuText(title, 64, amber, "Runs");
    placeMenuText(title, 60, 105, Align::left);
    const char* headingNames[] = {"Ended", "Mode", "Level", "Cleared", "Score", "Time", "Aliens", "End"};
    for (std::size_t i = 0; i < headings.size(); ++i) {
        styleMenuText(headings[i], 28, grey, headingNames[i]);
        placeMenuText(headings[i], columnX[i], headingY, columnAlign[i]);
    }
    rule.setSize(sf::Vector2f(ruleWidth, 1));
    rule.setPosition(ruleLeft, headingY + 22);
    rule.setFillColor(sf::Color(242, 163, 58, 120));
    styleMenuText(rowText, 32, offWhite);
    styleMenuText(emptyText, 36, grey);
    styleMenuText(pageText, 30, grey);
    styleMenuText(detail, 26, grey);
    styleMenuText(note, 26, amber);
    highlight.setSize(sf::Vector2f(ruleWidth, rowHeight));
    highlight.setFillColor(sf::Color(242, 163, 58, 210));
    tabMark.setSize(sf::Vector2f(220, 6));
    tabMark.setFillColor(amber);
    stylePlayMark(playMark);
    figuresFrame.setPosition(345, 170);
    figuresFrame.setSize(sf::Vector2f(555, 790));
    figuresFrame.setFillColor(sf::Color(18, 20, 30, 235));
    figuresFrame.setOutlineColor(sf::Color(74, 80, 102));
    figuresFrame.setOutlineThickness(2);

    for (std::size_t row = 0; row < rowButtons; ++row) {
        const int top = static_cast<int>(firstRowTop + rowHeight * static_cast<float>(row));
        buttons.push_back(rowButton(
            sf::IntRect(static_cast<int>(ruleLeft), top, static_cast<int>(ruleWidth),
                        static_cast<int>(rowHeight)),
            [this, row] { watch(page * rowsPerPage + row); },
            [this, row] { return tab == Tab::history && shownRun(page * rowsPerPage + row) != nullptr; }));
    }
    const sf::Vector2i tabSize(240, 70);
    buttons.emplace_back(
        sf::Vector2i(500, 110), tabSize, [] { screen()->showTab(Tab::history); }, nullptr, nullptr, -1,
        "History", "");
    buttons.emplace_back(
        sf::Vector2i(755, 110), tabSize, [] { screen()->showTab(Tab::statistics); }, nullptr, nullptr, -1,
        "Statistics", "");
    buttons.emplace_back(
        sf::Vector2i(1010, 110), tabSize,
        [] { GameStateHandler::getInstance()->pushState(ReplaysState::getInstance()); }, nullptr, nullptr, -1,
        "Recordings", "");
    // The filter steps forwards with a click and back with a right click.
    buttons.emplace_back(
        sf::Vector2i(1430, 110), sf::Vector2i(270, 70), [] { screen()->nextMode(1); },
        [] { screen()->nextMode(-1); }, nullptr, -1, "All modes", "");
    const sf::Vector2i pagingSize(128, 64);
    buttons.emplace_back(
        sf::Vector2i(1760, 420), pagingSize,
        [] { screen()->page = screen()->page > 0 ? screen()->page - 1 : 0; }, nullptr,
        [] { return screen()->tab == Tab::history && screen()->page > 0; }, -1, "up", "");
    buttons.emplace_back(
        sf::Vector2i(1760, 580), pagingSize,
        [] { screen()->page = std::min(screen()->page + 1, screen()->pageCount() - 1); }, nullptr,
        [] { return screen()->tab == Tab::history && screen()->page + 1 < screen()->pageCount(); }, -1, "dn",
        "");
    buttons.emplace_back(
        sf::Vector2i(1760, 740), sf::Vector2i(280, 96),
        [] { GameStateHandler::getInstance()->pushState(RunsResetState::getInstance()); }, nullptr,
        [] { return screen()->tab == Tab::statistics && !screen()->history.empty(); }, -1, "Reset statistics",
        "");
    buttons.emplace_back(
        sf::Vector2i(1760, 900), sf::Vector2i(256, 128), [] { GameStateHandler::getInstance()->popState(); },
        nullptr, nullptr, 0, "Main Menu", "");
}

void RunsState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    // Entered again from the recordings or the question: the tab, the filter and the page stay.
    reload();
}

void RunsState::reload() {
    history = runHistory::load(runlog::historyPath);
    keptRecordings.clear();
    std::error_code error;
    for (std::filesystem::directory_iterator it(replay::folder, error), end; !error && it != end;
         it.increment(error))
        keptRecordings.insert(it->path().filename().string());
    refresh();
}

void RunsState::refresh() {
    filtered = runsOfMode(history, modes[mode]);
    page = std::min(page, pageCount() - 1);
    buttons[modeButton].label.setString(modeLabel(mode));
    statistics = summarise(filtered);
    layoutFigures();
    levelChart.set(levelsReached(filtered, chartedRuns), "No runs yet");
    scoreChart.set(scorePerLevel(filtered, 60), "No level cleared yet");
    emptyText.setString(mode == 0 ? "No runs yet: every run you finish is remembered here"
                                  : "No " + std::string(modes[mode]) + " runs yet");
    placeMenuText(emptyText, listCentre, 520, Align::centre);
}

void RunsState::layoutFigures() {
    const RunStatistics& s = statistics;
    const std::string weapon = s.favouriteWeapon.empty()
                                   ? "-"
                                   : s.favouriteWeapon + " (" + std::to_string(s.favouriteWeaponKills) + ")";
    const std::pair<const char*, std::string> figures[] = {
        {"Runs", std::to_string(s.runs)},
        {"Deaths", std::to_string(s.deaths)},
        {"Levels cleared", std::to_string(s.levelsCleared)},
        {"Best level", std::to_string(s.bestLevel)},
        {"Best score", std::to_string(s.bestScore)},
        {"Time played", hoursText(s.seconds)},
        {"Melee aliens killed", std::to_string(s.kills[2])},
        {"Ranged aliens killed", std::to_string(s.kills[1])},
        {"Humans lost", std::to_string(s.kills[0])},
        {"Humans saved", std::to_string(s.humansSaved)},
        {"Favourite weapon", weapon},
    };
    figureLabels.resize(std::size(figures));
    figureValues.resize(std::size(figures));
    for (std::size_t i = 0; i < std::size(figures); ++i) {
        // The favourite weapon's name and count take a line of their own under its label.
        const bool twoLines = i + 1 == std::size(figures);
        const float y = firstFigureY + figureStep * static_cast<float>(i);
        styleMenuText(figureLabels[i], 30, grey, figures[i].first);
        placeMenuText(figureLabels[i], figureLabelLeft, twoLines ? y - figureStep / 4 : y, Align::left);
        styleMenuText(figureValues[i], 34, offWhite, figures[i].second);
        // A long weapon name is shrunk to the panel rather than run over its edge.
        const float room = figureValueRight - (twoLines ? figureLabelLeft : figureValueLeft);
        while (figureValues[i].getLocalBounds().width > room && figureValues[i].getCharacterSize() > 18)
            figureValues[i].setCharacterSize(figureValues[i].getCharacterSize() - 2);
        placeMenuText(figureValues[i], figureValueRight, twoLines ? y + figureStep / 4 : y, Align::right);
    }
}

void RunsState::showTab(Tab shown) {
    tab = shown;
    message.clear();
}

void RunsState::nextMode(int step) {
    const int count = static_cast<int>(modes.size());
    mode = static_cast<std::size_t>((static_cast<int>(mode) + step % count + count) % count);
    page = 0;
    refresh();
}

const RunRecord* RunsState::shownRun(std::size_t index) const {
    return index < filtered.size() ? filtered[filtered.size() - 1 - index] : nullptr;
}

unsigned RunsState::pageCount() const {
    return static_cast<unsigned>(std::max<std::size_t>(1, (filtered.size() + rowsPerPage - 1) / rowsPerPage));
}

bool RunsState::recordingKept(const RunRecord& run) const {
    return !run.recording.empty() && keptRecordings.count(run.recording) > 0;
}

void RunsState::watch(std::size_t index) {
    const RunRecord* run = shownRun(index);
    if (!run)
        return;
    if (!recordingKept(*run)) {
        message = "The recording of this run is no longer kept";
        return;
    }
    std::string error;
    message = ReplayViewer::request(replay::folder + run->recording, ReplayViewer::Back::runs, error)
                  ? ""
                  : "This recording cannot be played: " + (error.empty() ? "it could not be read" : error);
}

void RunsState::resetHistory() {
    std::string keptAs;
    if (runHistory::reset(keptAs, runlog::historyPath))
        message = keptAs.empty() ? "Statistics reset"
                                 : "Statistics reset; the old history is kept as " +
                                       std::filesystem::path(keptAs).filename().string();
    else
        message = "The history could not be reset: nothing was changed";
}

void RunsState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    drawText(window, title, wholeView, {0, 0.5f});
    tabMark.setPosition(tab == Tab::history ? 390 : 645, 150);
    window.draw(tabMark);

    if (tab == Tab::statistics) {
        window.draw(figuresFrame);
        for (std::size_t i = 0; i < figureLabels.size(); ++i) {
            const bool twoLines = i + 1 == figureLabels.size();
            const float height = twoLines ? figureStep / 2 : figureStep;
            const float valueLeft = twoLines ? figureLabelLeft : figureValueLeft;
            drawText(
                window, figureLabels[i],
                roomAround(figureLabels[i], figureLabelLeft, figureValueLeft - figureLabelLeft - 10, height),
                {0, 0.5f});
            drawText(window, figureValues[i],
                     roomAround(figureValues[i], valueLeft, figureValueRight - valueLeft, height), {1, 0.5f});
        }
        levelChart.draw();
        scoreChart.draw();
    } else {
        drawList();
    }
    if (!message.empty()) {
        note.setString(message);
        note.setFillColor(message.rfind("Statistics reset", 0) == 0 ? amber : warning);
        placeMenuText(note, listCentre, 1000, Align::centre);
        drawText(window, note, {ruleLeft, 975, ruleWidth, 50});
    }
}

void RunsState::drawList() {
    sf::RenderWindow& window = gameWindow();
    // Each column's heading and cells keep between its neighbours.
    auto cell = [](std::size_t column, float top, float height) {
        const float x = columnX[column];
        const float before = column == 0 ? ruleLeft : columnX[column - 1];
        const float after = column + 1 == columnX.size() ? ruleLeft + ruleWidth : columnX[column + 1];
        if (columnAlign[column] == Align::left) {
            // A left-aligned column runs to the start of the next (or, if that one is right-aligned, near
            // it).
            const float end = column + 1 < columnX.size() && columnAlign[column + 1] == Align::right
                                  ? after - 80
                                  : after - 10;
            return sf::FloatRect(x, top, end - x, height);
        }
        const float start =
            columnAlign[column - 1] == Align::left ? std::max(before + 60, x - 90) : before + 10;
        return sf::FloatRect(start, top, x - start, height);
    };
    auto anchor = [](std::size_t column) {
        return columnAlign[column] == Align::left ? sf::Vector2f(0, 0.5f) : sf::Vector2f(1, 0.5f);
    };
    for (std::size_t h = 0; h < headings.size(); ++h)
        drawText(window, headings[h], cell(h, headingY - 26, 46), anchor(h));
    window.draw(rule);
    if (filtered.empty())
        drawText(window, emptyText, {ruleLeft, 480, ruleWidth, 80});
    const std::size_t first = page * rowsPerPage;
    for (std::size_t row = 0; row < rowsPerPage; ++row) {
        const RunRecord* run = shownRun(first + row);
        if (!run)
            break;
        const float top = firstRowTop + rowHeight * static_cast<float>(row);
        const float middle = top + rowHeight * 0.5f;
        const bool lit = focus == static_cast<int>(row);
        if (lit) {
            highlight.setPosition(ruleLeft, top);
            window.draw(highlight);
        }
        rowText.setFillColor(lit ? onHighlight : offWhite);
        rowText.setOutlineThickness(lit ? 0 : 2);
        const std::string cells[] = {run->endedAt.substr(0, 16),
                                     modeName(run->mode),
                                     std::to_string(run->levelReached),
                                     std::to_string(run->levelsCleared),
                                     std::to_string(run->score),
                                     ReplaysState::lengthText(run->seconds),
                                     std::to_string(run->kills[1] + run->kills[2]),
                                     endingText(*run)};
        // A row reads at one size, however tight its widest cell.
        std::vector<RowCell> rowCells;
        for (std::size_t c = 0; c < std::size(cells); ++c) {
            rowText.setString(cells[c]);
            placeMenuText(rowText, columnX[c], middle, columnAlign[c]);
            rowCells.push_back({rowText, cell(c, top, rowHeight), anchor(c)});
        }
        drawTextRow(window, rowCells);
        if (recordingKept(*run)) {
            playMark.setPosition(ruleLeft + ruleWidth + 22, middle);
            window.draw(playMark);
        }
    }
    pageText.setString(std::to_string(page + 1) + " / " + std::to_string(pageCount()));
    placeMenuText(pageText, 1760, 500, Align::centre);
    drawText(window, pageText, {1696, 470, 128, 60});

    if (focus >= 0 && static_cast<std::size_t>(focus) < rowButtons)
        if (const RunRecord* focused = shownRun(first + static_cast<std::size_t>(focus))) {
            detail.setString(runDetail(*focused, recordingKept(*focused)));
            placeMenuText(detail, listCentre, 900, Align::centre);
            drawText(window, detail, {ruleLeft, 860, ruleWidth, 80});
        }
}

void RunsState::handleInput() {
    if (InputState::getInstance()->backPressed())
        GameStateHandler::getInstance()->popState();
}

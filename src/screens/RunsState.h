#pragma once
// The Runs page of the main menu: every finished run from the history,
// newest first, with its figures ("History"), lifetime figures and two charts
// ("Statistics"), and the recordings ("Recordings", the list of replays). A
// mode filter narrows the first two; a run whose recording is still kept is
// watched from its row. "Reset statistics" asks first (RunsResetState) and
// keeps the old history beside the new one. The history is read afresh each
// time the page is entered, which happens only from the main menu, outside any run.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "persistence/RunHistory.h"
#include "screens/RunChart.h"
#include "screens/RunStatistics.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <set>
#include <string>
#include <vector>

class RunsState : public MenuState, public Singleton<RunsState> {
    friend class Singleton<RunsState>;

  public:
    enum class Tab { history, statistics };
    static constexpr std::size_t rowsPerPage = 12;
    static constexpr std::size_t chartedRuns = 50;
    // The modes the filter steps through; "" is every mode.
    static constexpr std::array<const char*, 5> modes = {"", "normal", "hardcore", "seeded", "daily"};

    // Opens the page from the main menu, without the last visit's message.
    static void open();

    void onEnter() override;
    void draw() override;
    void handleInput() override;

    // Reads the history and the kept recordings again, then shows them.
    void reload();
    // The filter, the tab or the page changed: the rows, figures and charts follow.
    void refresh();
    void showTab(Tab shown);
    // Steps the mode filter forwards (or back).
    void nextMode(int step);
    // Watches the run on row `index` of the filtered list (newest first), when its recording is kept.
    void watch(std::size_t index);
    bool recordingKept(const RunRecord& run) const;
    // The filtered run at `index`, newest first; nullptr past the end.
    const RunRecord* shownRun(std::size_t index) const;
    unsigned pageCount() const;

    // Starts an empty history, keeping the old one beside it, and says so.
    void resetHistory();

    std::vector<RunRecord> history; // oldest first, as the file keeps them
    std::set<std::string> keptRecordings;
    std::vector<const RunRecord*> filtered; // into history, oldest first
    RunStatistics statistics;
    Tab tab = Tab::history;
    std::size_t mode = 0; // into modes
    unsigned page = 0;
    std::string message; // what the last reset or watch did

    sf::Text title;
    std::array<sf::Text, 8> headings;
    sf::Text rowText;
    sf::Text emptyText;
    sf::Text pageText;
    sf::Text detail; // the focused run in full, under the list
    sf::Text note;   // the last reset or watch
    sf::RectangleShape rule;
    sf::RectangleShape highlight;
    sf::RectangleShape tabMark; // under the tab shown
    sf::CircleShape playMark;

    sf::RectangleShape figuresFrame;
    std::vector<sf::Text> figureLabels, figureValues;
    RunChart levelChart, scoreChart;

  private:
    RunsState();
    void layoutFigures();
    void drawList();
};

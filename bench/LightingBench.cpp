// What the light engine costs a level: the light map with the shadows of
// every wall near the view, the map draw with and without the light mask
// laid over it, the hulls made at generation, and whole frames of a level
// next to an empty frame and a single full-screen pass, apart and in turns.
// Run from the run directory.
#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameStateHandler.h"
#include "core/Camera.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "screens/Ingame.h"
#include "world/CameraFollow.h"
#include "world/Map.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

// The game started, with its window open, for the length of a benchmark.
struct RunningGame {
    RunningGame() {
        startUp();
        gameWindow().setFramerateLimit(0);
    }
    ~RunningGame() { shutDown(); }
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;
};

// A generated level with the camera on the player, ready to draw.
Map* levelInView(int level) {
    Maphandler* handler = Maphandler::getInstance();
    std::srand(42);
    levelNumber = level;
    handler->newMap(level);
    snapCameraToPlayer();
    Map* map = handler->currentMap();
    map->update(0);
    map->draw();
    return map;
}

void RenderLights(benchmark::State& state) {
    RunningGame game;
    Map* map = levelInView(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        map->lighting.system->renderLights();
        glFinish();
    }
    state.counters["hulls"] = static_cast<double>(map->lighting.system->hullCount());
    state.counters["shadowed"] =
        static_cast<double>(map->lighting.system->shadowCasters(*map->lighting.playerLight).size());
}
BENCHMARK(RenderLights)->Arg(1)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The map draw with and without its light mask: the difference is the
// composition (sight markers, the light map blurred into the mask, the mask
// laid over the scene).
void MapDraw(benchmark::State& state, bool lit) {
    RunningGame game;
    Map* map = levelInView(static_cast<int>(state.range(0)));
    MapLighting lighting = map->lighting;
    if (!lit)
        map->lighting = {};
    for (auto _ : state) {
        map->draw();
        glFinish();
    }
    map->lighting = lighting;
    state.counters["tiles"] = static_cast<double>((map->viewX1 - map->viewX0) * (map->viewY1 - map->viewY0));
}
void MapDrawLit(benchmark::State& state) {
    MapDraw(state, true);
}
void MapDrawUnlit(benchmark::State& state) {
    MapDraw(state, false);
}
BENCHMARK(MapDrawLit)->Arg(1)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(MapDrawUnlit)->Arg(1)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The hull step of generation against generation as a whole (GenerateLevel).
void CreateHulls(benchmark::State& state) {
    RunningGame game;
    Map* map = levelInView(static_cast<int>(state.range(0)));
    MapLighting lighting = map->lighting;
    for (auto _ : state)
        map->createHulls(lighting);
    state.counters["hulls"] = static_cast<double>(lighting.system->hullCount());
}
BENCHMARK(CreateHulls)->Arg(1)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond);

// Frames per second as the player sees them at 1920 x 1080, a level-30
// level against a frame that only clears and displays the window.
// flatCells = false lays the whole light mask through its shader, as every
// frame did before the mask's even and sloped cells went on as flat colour.
void levelFrame(benchmark::State& state, bool flatCells) {
    RunningGame game;
    GameStateHandler::getInstance()->changeState(Ingame::getInstance());
    Player::getInstance()->resetForLevel(true);
    levelInView(static_cast<int>(state.range(0)))->flatCells = flatCells;
    sf::Clock clock;
    // The frame of the change skips drawing.
    runFrame(clock);
    gameWindow().setFramerateLimit(0);
    for (auto _ : state)
        runFrame(clock);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
void LevelFrame(benchmark::State& state) {
    levelFrame(state, true);
}
void LevelFrameMaskShaded(benchmark::State& state) {
    levelFrame(state, false);
}
BENCHMARK(LevelFrame)
    ->Arg(1)
    ->Arg(30)
    ->Arg(60)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(LevelFrameMaskShaded)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

void EmptyFrame(benchmark::State& state) {
    RunningGame game;
    sf::RenderWindow& window = gameWindow();
    for (auto _ : state) {
        window.clear();
        window.display();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(EmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// The yardstick of a frame's fill cost: one textured rectangle over the
// whole 1920 x 1080 window, drawn and displayed.
struct FullScreenPicture {
    FullScreenPicture() {
        sf::Image pattern;
        pattern.create(1920, 1080);
        for (unsigned y = 0; y < 1080; ++y)
            for (unsigned x = 0; x < 1920; ++x)
                pattern.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(x), static_cast<sf::Uint8>(y), 128));
        texture.loadFromImage(pattern);
        picture.setTexture(texture, true);
    }
    void pass(sf::RenderWindow& window) const {
        window.setView(sf::View(sf::FloatRect(0, 0, 1920, 1080)));
        window.draw(picture);
        window.display();
    }
    sf::Texture texture;
    sf::Sprite picture;
};

// LevelFrame is judged in these passes, measured in the same run.
void FullScreenPass(benchmark::State& state) {
    RunningGame game;
    sf::RenderWindow& window = gameWindow();
    const FullScreenPicture picture;
    for (auto _ : state)
        picture.pass(window);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(FullScreenPass)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// Level frames and full-screen passes in turns, eight of each at a time:
// when other work slows the machine for a while, it slows both alike, where
// LevelFrame and FullScreenPass, measured seconds apart, can each catch a
// different spell. Runs of eight keep each as it runs alone, the renderer
// still finishing one frame while the next is laid out. The counters are the
// medians of each, a frame or a pass, and the frame in passes.
void LevelFrameInTurns(benchmark::State& state) {
    RunningGame game;
    GameStateHandler::getInstance()->changeState(Ingame::getInstance());
    Player::getInstance()->resetForLevel(true);
    levelInView(static_cast<int>(state.range(0)));
    sf::RenderWindow& window = gameWindow();
    sf::Clock clock;
    runFrame(clock);
    window.setFramerateLimit(0);
    const FullScreenPicture picture;
    constexpr int run = 8;
    std::vector<double> frames, passes;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < run; ++i)
            runFrame(clock);
        const Clock::time_point between = Clock::now();
        for (int i = 0; i < run; ++i)
            picture.pass(window);
        frames.push_back(std::chrono::duration<double, std::milli>(between - start).count() / run);
        passes.push_back(std::chrono::duration<double, std::milli>(Clock::now() - between).count() / run);
    }
    auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    if (frames.empty())
        return;
    const double frame = median(frames), pass = median(passes);
    state.counters["frame_ms"] = frame;
    state.counters["pass_ms"] = pass;
    state.counters["passes"] = pass > 0 ? frame / pass : 0;
}
BENCHMARK(LevelFrameInTurns)
    ->Arg(1)
    ->Arg(30)
    ->Arg(60)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->UseRealTime();

} // namespace

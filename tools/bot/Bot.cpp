#include "bot/Bot.h"

#include "actors/Enemy.h"
#include "actors/HealthUp.h"
#include "actors/Player.h"
#include "app/Game.h"
#include "app/GameOverState.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "app/MenuState.h"
#include "app/OverlayInfoState.h"
#include "app/PauseMenu.h"
#include "core/Camera.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "items/Item.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "screens/OverlayUpgradeState.h"
#include "screens/ScoreScreenState.h"
#include "screens/UpgradeState.h"
#include "world/BrainwashMachine.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Pathfinding.h"
#include "world/SightLine.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <queue>
#include <sstream>
#include <typeinfo>
#include <utility>

namespace {

// In a level the bot presses whatever is bound to an action, as a player
// would, so it plays the same under any bindings.
void pressBound(InputState& input, Action action, bool down) {
    const std::vector<BoundInput>& own = bindings.inputs[static_cast<std::size_t>(action)];
    if (own.empty())
        return;
    const BoundInput& first = own.front();
    if (first.kind == BoundInput::Kind::Key && first.code >= 0 && first.code < InputState::keyCount)
        input.keys[first.code] = down;
    else if (first.kind == BoundInput::Kind::Mouse && first.code >= 0 && first.code < InputState::buttonCount)
        input.buttons[first.code] = down;
}

constexpr float sightRange = 950;
constexpr float taserRange = 220;
constexpr float machineRange = 800;
constexpr float replanSeconds = 1.0f;
// Less than this many pixels in stuckSeconds while walking counts as stuck.
constexpr float stuckDistance = 40;
constexpr float stuckSeconds = 1.0f;
// In the bot's own search a wall costs as much as a detour of this many
// tiles, one that outlasted its fire for wallGiveUpSeconds ten times as much.
constexpr int wallSteps = 40;
constexpr int hardWallSteps = 400;
constexpr float wallGiveUpSeconds = 12;
// A wall is shot at from this close to its centre.
constexpr float wallReach = 130;
// A health pickup is given up after this long on the way to it.
constexpr float pickupChaseSeconds = 15;
// With an enemy in sight this near the bot stands and fights, and below
// fleeHealth of its health it backs away while it shoots.
constexpr float holdRange = 500;
constexpr float fleeHealth = 0.35f;
constexpr float armsLength = 200;
// Nearer than this both guns fire at once.
constexpr float bothHandsRange = 400;

sf::Vector2i tileOf(sf::Vector2f p) {
    return {static_cast<int>(std::floor(p.x / 64)), static_cast<int>(std::floor(p.y / 64))};
}
sf::Vector2f centreOf(sf::Vector2i tile) {
    return {static_cast<float>(tile.x) * 64 + 32, static_cast<float>(tile.y) * 64 + 32};
}

float length(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

bool isGrenade(const Item* item) {
    return item && item->getBasename() == "Grenade";
}

// What a hand weapon is worth in a fight, for comparing loot: its damage per
// second over whole magazines and their reloads, less for a short reach (the
// bot fights from afar) or a wide spread.
float fightValue(const Item* item) {
    if (!item || item->getType() != "weapon" || item->isMelee())
        return 0;
    float magazine = std::max(item->getMaxAmmo(), 1.0f);
    float cycle = magazine / std::max(item->getSpeed(), 0.01f) + 1 / std::max(item->getReloadSpeed(), 0.01f);
    float reach = std::min(1.0f, item->getRange() / 900);
    float spread = item->getAccuracy() > 0 ? 1.0f : 0.5f;
    return item->getPower() * item->getShotCount() * magazine / cycle * reach * spread;
}

// How far the hands' guns reach: 0 when neither shoots.
float handsReach(const Player& player) {
    float reach = 0;
    for (std::size_t h = 0; h < 2 && h < player.inventory.size(); ++h)
        if (const Item* item = player.inventory[h].get();
            item && !item->isMelee() && item->getType() == "weapon")
            reach = std::max(reach, item->getRange());
    return reach;
}

const BrainwashMachine* machineOf(const Map& map) {
    return map.furniture.empty() ? nullptr
                                 : dynamic_cast<const BrainwashMachine*>(map.furniture.back().get());
}

void releaseAll(InputState& input) {
    std::fill(std::begin(input.keys), std::end(input.keys), false);
    std::fill(std::begin(input.buttons), std::end(input.buttons), false);
}

} // namespace

void Bot::step(float dt, bool draw) {
    ++frames;
    // A frame that is not drawn has no use for the light map.
    Maphandler* maps = Maphandler::getInstance();
    const bool lend = !draw && !keepLights &&
                      GameStateHandler::getInstance()->top() == Ingame::getInstance() &&
                      maps->lendLightSystem();
    runScriptedFrame(
        dt,
        [this, dt](InputState& input) {
            const auto start = std::chrono::steady_clock::now();
            act(input, dt);
            lastThinkSeconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        },
        draw);
    if (lend)
        maps->returnLightSystem();
}

std::string Bot::topName() {
    GameState* top = GameStateHandler::getInstance()->top();
    if (!top)
        return "nothing";
    if (top == Ingame::getInstance())
        return "Ingame";
    std::string name = typeid(*top).name();
    // Itanium names are the length followed by the name.
    std::size_t start = name.find_first_not_of("0123456789");
    return start == std::string::npos ? name : name.substr(start);
}

std::string Bot::describe() const {
    const Player* player = Player::getInstance();
    std::ostringstream out;
    out << "level " << levelNumber << ", top " << topName() << ", player at (" << player->position.x << ", "
        << player->position.y << ") HP " << player->HP << "/" << player->MaxHP
        << (player->dead ? " dead" : "");
    if (Map* map = Maphandler::getInstance()->currentMap()) {
        out << ", map " << map->columns() << "x" << map->rows() << " tiles";
        if (const BrainwashMachine* machine = machineOf(*map)) {
            out << ", machine at (" << machine->position.x << ", " << machine->position.y << ") HP "
                << machine->HP;
            // The walls around the player and the machine: # wall, P player, M machine, + route,
            // X the wall being broken.
            int c0 = static_cast<int>(std::min(player->position.x, machine->position.x) / 64) - 4;
            int c1 = static_cast<int>(std::max(player->position.x, machine->position.x) / 64) + 4;
            int r0 = static_cast<int>(std::min(player->position.y, machine->position.y) / 64) - 4;
            int r1 = static_cast<int>(std::max(player->position.y, machine->position.y) / 64) + 4;
            out << "\n";
            for (int r = r0; r <= r1; ++r) {
                for (int c = c0; c <= c1; ++c) {
                    auto at = [&](sf::Vector2f p) {
                        return static_cast<int>(p.x / 64) == c && static_cast<int>(p.y / 64) == r;
                    };
                    bool onRoute = std::any_of(route.begin(), route.end(), at);
                    out << (at(player->position)              ? 'P'
                            : at(machine->position)           ? 'M'
                            : sf::Vector2i(c, r) == wallAhead ? 'X'
                            : map->isSolid(c, r)              ? '#'
                            : onRoute                         ? '+'
                                                              : '.');
                }
                out << "\n";
            }
        } else
            out << ", machine destroyed";
    }
    out << ", " << frames << " frames, " << levelsCleared << " cleared, " << deaths << " deaths, " << unsticks
        << " unsticks, " << breaches << " walls to break, " << wallsBroken << " broken";
    return out.str();
}

void Bot::act(InputState& input, float dt) {
    GameStateHandler* handler = GameStateHandler::getInstance();
    GameState* top = handler->top();
    if (top != lastTop) {
        lastTop = top;
        menuWait = 0;
        clickFrame = 0;
        releaseAll(input);
        hardWalls.clear();
        pickupsLeft.clear();
        wallAhead = {-1, -1};
        route.clear();
        if (dynamic_cast<GameOverState*>(top))
            ++deaths;
        if (dynamic_cast<UpgradeState*>(top)) {
            upgradeDone = false;
            savedThisVisit = false;
        }
        return;
    }
    ++menuWait;
    if (!top)
        return;

    if (top == Ingame::getInstance()) {
        Map* map = Maphandler::getInstance()->currentMap();
        if (map)
            playLevel(input, *map, dt);
        if (orders.gamepad)
            moveToPad(input);
        return;
    }
    // Only hands that fire in a level are held; every screen starts from nothing held.
    std::fill(std::begin(input.keys), std::end(input.keys), false);

    if (dynamic_cast<IntermissionState*>(top)) {
        std::fill(std::begin(input.buttons), std::end(input.buttons), false);
        return;
    }
    if (dynamic_cast<ScoreScreenState*>(top)) {
        input.buttons[0] = false;
        toggle(input, 1, 6);
        return;
    }
    if (dynamic_cast<OverlayInfoState*>(top) || dynamic_cast<OverlayUpgradeState*>(top)) {
        input.mouse = sf::Vector2i(960, 20);
        toggle(input, 0, 4);
        return;
    }
    if (dynamic_cast<UpgradeState*>(top)) {
        upgrade(input);
        return;
    }
    if (auto* gameOver = dynamic_cast<GameOverState*>(top)) {
        if (click(input, *gameOver, "Restart") && clickFrame == 0)
            ++restarts;
        return;
    }
    if (auto* pause = dynamic_cast<PauseMenu*>(top)) {
        bool quitting = quitRequested;
        if (click(input, *pause, quitting ? "Quit" : "Back") && clickFrame == 0 && quitting) {
            quitRequested = false;
            ++quits;
        }
        return;
    }
    if (auto* mainMenu = dynamic_cast<MainMenuState*>(top)) {
        if (orders.loadAutosave) {
            if (click(input, *mainMenu, "Load Autosave") && clickFrame == 0) {
                orders.loadAutosave = false;
                ++loads;
            }
        } else {
            click(input, *mainMenu, "New Game");
        }
        return;
    }
    // Any other screen (options, highscores, name entry) is left with Escape.
    std::fill(std::begin(input.buttons), std::end(input.buttons), false);
    input.keys[sf::Keyboard::Escape] = menuWait % 20 == 10;
}

void Bot::toggle(InputState& input, int button, int period) {
    input.buttons[button] = (menuWait / period) % 2 == 1;
}

bool Bot::clickAt(InputState& input, sf::Vector2i point, int button) {
    input.mouse = point;
    std::fill(std::begin(input.buttons), std::end(input.buttons), false);
    // Press on one frame, let go on the next: the release over the button is the click.
    input.buttons[button] = clickFrame == 0;
    clickFrame = 1 - clickFrame;
    return true;
}

bool Bot::click(InputState& input, MenuState& menu, const std::string& label, int button) {
    for (const MenuButton& b : menu.buttons) {
        if (b.label.getString().toAnsiString() != label)
            continue;
        // A sliding button is clicked once it has (nearly) come to rest: its
        // easing stops a few units short.
        if (!b.enabled || std::abs(b.current.x - b.target.x) > 16 || b.current.y != b.target.y) {
            std::fill(std::begin(input.buttons), std::end(input.buttons), false);
            clickFrame = 0;
            return false;
        }
        return clickAt(input,
                       sf::Vector2i(b.bounds.left + b.bounds.width / 2, b.bounds.top + b.bounds.height / 2),
                       button);
    }
    std::fill(std::begin(input.buttons), std::end(input.buttons), false);
    return false;
}

void Bot::upgrade(InputState& input) {
    UpgradeState* screen = UpgradeState::getInstance();
    Player* player = Player::getInstance();
    // Give the buttons a moment to slide in.
    if (menuWait < 30) {
        std::fill(std::begin(input.buttons), std::end(input.buttons), false);
        return;
    }
    // One action per click: the next frame pair looks again at what changed.
    if (clickFrame == 1) {
        clickAt(input, input.mouse, lastClickButton);
        if (continuePending)
            ++levelsCleared;
        if (savePending)
            ++saves;
        continuePending = savePending = false;
        return;
    }
    if (player->Statpoints > 0) {
        // Mostly health, which keeps the bot alive; now and then handling or the taser.
        int roll = static_cast<int>(dice() % 6);
        int which = roll < 4 ? 0 : (roll == 4 ? 3 : 2);
        int seen = 0;
        for (const MenuButton& b : screen->buttons)
            if (b.label.getString().toAnsiString() == "+" && seen++ == which && b.enabled) {
                lastClickButton = 0;
                clickAt(input,
                        sf::Vector2i(b.bounds.left + b.bounds.width / 2, b.bounds.top + b.bounds.height / 2),
                        0);
                return;
            }
    }
    if (!upgradeDone) {
        // Loot weapons go into the hand whose weapon they beat by the most;
        // a grenade in hand is kept.
        for (int s = 0; s < 2; ++s) {
            const Item* loot = screen->loot[s].get();
            float lootDps = fightValue(loot);
            int bestHand = -1;
            float bestGain = 1.05f;
            for (int h = 0; h < 2; ++h) {
                const Item* held = player->inventory.size() > static_cast<std::size_t>(h)
                                       ? player->inventory[static_cast<std::size_t>(h)].get()
                                       : nullptr;
                if (isGrenade(held) || !loot || isGrenade(loot) || loot->isMelee())
                    continue;
                float heldDps = fightValue(held);
                float gain = heldDps > 0 ? lootDps / heldDps : 1000.0f;
                if (gain > bestGain) {
                    bestGain = gain;
                    bestHand = h;
                }
            }
            if (bestHand >= 0) {
                sf::IntRect r = screen->slotRects[s];
                lastClickButton = bestHand;
                clickAt(input, sf::Vector2i(r.left + r.width / 2, r.top + r.height / 2), bestHand);
                return;
            }
        }
        const Item* lootArmour = screen->loot[2].get();
        const Item* worn = player->wornArmour();
        if (lootArmour && lootArmour->getType() == "Armorr:" &&
            (!worn || lootArmour->getPower() > worn->getPower() * 1.05f)) {
            sf::IntRect r = screen->slotRects[2];
            lastClickButton = 0;
            clickAt(input, sf::Vector2i(r.left + r.width / 2, r.top + r.height / 2), 0);
            return;
        }
        upgradeDone = true;
        savedThisVisit =
            orders.saveOneIn <= 0 || static_cast<int>(dice() % static_cast<unsigned>(orders.saveOneIn)) != 0;
    }
    if (!savedThisVisit) {
        lastClickButton = 0;
        if (click(input, *screen, "Save")) {
            savedThisVisit = true;
            savePending = true;
        }
        return;
    }
    lastClickButton = 0;
    continuePending = click(input, *screen, "Continue");
}

void Bot::plan(const Map& map, sf::Vector2f from, sf::Vector2f goal, bool mayBreach) {
    ++replans;
    if (ownSearchTimer <= 0) {
        route = Pathfinding::getInstance()->findPath(from, goal, sf::Vector2i(0, 0));
        if (!route.empty() && length(route.back() - goal) <= 96)
            return finishPlan(map, goal);
        ++searchesFallenShort;
    }
    route = searchGrid(map, from, goal, 0);
    if (route.empty() && mayBreach)
        route = searchGrid(map, from, goal, wallSteps);
    finishPlan(map, goal);
}

void Bot::finishPlan(const Map& map, sf::Vector2f goal) {
    routeGoal = goal;
    nextWaypoint = route.size() > 1 ? 1 : 0;
    sincePlan = 0;
    sf::Vector2i wall{-1, -1};
    for (sf::Vector2f p : route)
        if (map.isSolid(tileOf(p).x, tileOf(p).y)) {
            wall = tileOf(p);
            break;
        }
    if (wall != wallAhead) {
        wallShotFor = 0;
        if (wall.x >= 0)
            ++breaches;
    }
    wallAhead = wall;
}

std::vector<sf::Vector2f> Bot::searchGrid(const Map& map, sf::Vector2f from, sf::Vector2f goal,
                                          int wallCost) const {
    std::vector<sf::Vector2f> path;
    const int columns = map.columns(), rows = map.rows();
    if (columns < 3 || rows < 3)
        return path;
    // The outer ring is the map's edge, never a way.
    auto inside = [&](sf::Vector2i t) {
        return sf::Vector2i(std::clamp(t.x, 1, columns - 2), std::clamp(t.y, 1, rows - 2));
    };
    auto index = [rows](sf::Vector2i t) { return static_cast<std::size_t>(t.x * rows + t.y); };
    const sf::Vector2i start = inside(tileOf(from)), target = inside(tileOf(goal));
    // The cost of stepping onto each tile besides a wall's: 0 never.
    std::vector<int> cost(static_cast<std::size_t>(columns * rows), 1);
    // The start and the goal are never in the way.
    auto inTheWay = [&](sf::Vector2i t) {
        return t != start && t != target && t.x >= 0 && t.y >= 0 && t.x < columns && t.y < rows;
    };
    for (const auto& prop : map.furniture)
        if (sf::Vector2i t = tileOf(prop->position); inTheWay(t))
            cost[index(t)] = prop->frozen ? 0 : 3;
    // A wall costs more the more shots of the strongest gun in hand it takes;
    // one whose armour that gun cannot pierce, or that outlasted the fire, the most.
    float shotPower = 0;
    const Player& player = *Player::getInstance();
    for (std::size_t h = 0; h < 2 && h < player.inventory.size(); ++h)
        if (const Item* item = player.inventory[h].get();
            item && item->getType() == "weapon" && !item->isMelee())
            shotPower = std::max(shotPower, item->getPower());
    auto wallStep = [&](sf::Vector2i t) {
        // The wall already under fire is kept, so that the bot does not turn from one half-broken wall to
        // another.
        if (t == wallAhead)
            return 1;
        const Tile& tile = map.walls[static_cast<std::size_t>(t.x)][static_cast<std::size_t>(t.y)];
        float bite = shotPower - static_cast<float>(tile.armour);
        if (bite <= 0 || std::find(hardWalls.begin(), hardWalls.end(), t) != hardWalls.end())
            return hardWallSteps;
        return wallCost +
               std::min(static_cast<int>(static_cast<float>(tile.hitPoints) / bite), hardWallSteps);
    };

    // Dijkstra's search; the steps are small whole numbers, the grid at most some hundred thousand tiles.
    std::vector<int> best(cost.size(), INT_MAX);
    std::vector<int> cameFrom(cost.size(), -1);
    using Entry = std::pair<int, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    best[index(start)] = 0;
    open.push({0, index(start)});
    const sf::Vector2i steps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!open.empty()) {
        auto [sofar, at] = open.top();
        open.pop();
        if (sofar > best[at])
            continue;
        if (at == index(target))
            break;
        sf::Vector2i here(static_cast<int>(at) / rows, static_cast<int>(at) % rows);
        for (sf::Vector2i d : steps) {
            sf::Vector2i n = here + d;
            if (n.x < 1 || n.y < 1 || n.x >= columns - 1 || n.y >= rows - 1)
                continue;
            int step = map.isSolid(n.x, n.y) ? (wallCost > 0 ? wallStep(n) : 0) : cost[index(n)];
            if (step == 0 || sofar + step >= best[index(n)])
                continue;
            best[index(n)] = sofar + step;
            cameFrom[index(n)] = static_cast<int>(at);
            open.push({sofar + step, index(n)});
        }
    }
    if (best[index(target)] == INT_MAX)
        return path;
    for (std::size_t at = index(target); at != index(start); at = static_cast<std::size_t>(cameFrom[at]))
        path.push_back(centreOf({static_cast<int>(at) / rows, static_cast<int>(at) % rows}));
    path.push_back(centreOf(start));
    std::reverse(path.begin(), path.end());
    return path;
}

void Bot::walkToward(InputState& input, sf::Vector2f from, sf::Vector2f to) {
    sf::Vector2f d = to - from;
    constexpr float dead = 6;
    pressBound(input, Action::MoveLeft, d.x < -dead);
    pressBound(input, Action::MoveRight, d.x > dead);
    pressBound(input, Action::MoveUp, d.y < -dead);
    pressBound(input, Action::MoveDown, d.y > dead);
}

void Bot::moveToPad(InputState& input) {
    input.pad = {};
    PadReading reading{true, {}, {}, {}};
    for (int a = 0; a < actionCount; ++a)
        if (input.held(static_cast<Action>(a)))
            reading.buttons[static_cast<std::size_t>(bindings.pad[static_cast<std::size_t>(a)])] = true;
    auto axis = [&input](Action less, Action more) {
        return static_cast<float>(input.held(more)) - static_cast<float>(input.held(less));
    };
    reading.leftStick = {axis(Action::MoveLeft, Action::MoveRight), axis(Action::MoveUp, Action::MoveDown)};
    for (Action a : {Action::MoveUp, Action::MoveDown, Action::MoveLeft, Action::MoveRight})
        reading.buttons[static_cast<std::size_t>(bindings.pad[static_cast<std::size_t>(a)])] = false;
    const sf::IntRect& area = Camera::getInstance()->visibleArea;
    sf::Vector2f toPointer = sf::Vector2f(input.mouse) +
                             sf::Vector2f(static_cast<float>(area.left), static_cast<float>(area.top)) -
                             Player::getInstance()->position;
    float reach = std::max(length(toPointer), 1.0f);
    reading.rightStick = toPointer / reach;
    releaseAll(input);
    input.pad = input.previousPad;
    input.samplePad(reading);
}

void Bot::playLevel(InputState& input, Map& map, float dt) {
    Player* player = Player::getInstance();
    Camera* camera = Camera::getInstance();
    releaseAll(input);
    if (player->dead)
        return;
    if (quitRequested || orders.quitToMenu) {
        // Escape opens the pause menu; its "Quit" is clicked there.
        orders.quitToMenu = false;
        quitRequested = true;
        pressBound(input, Action::Pause, true);
        return;
    }
    sf::Vector2f me = player->position;
    sf::Vector2f viewOrigin(static_cast<float>(camera->visibleArea.left),
                            static_cast<float>(camera->visibleArea.top));
    auto onScreen = [&](sf::Vector2f p) {
        sf::Vector2f s = p - viewOrigin;
        return s.x >= 0 && s.y >= 0 && s.x < 1920 && s.y < 1080;
    };
    auto aimAt = [&](sf::Vector2f p) {
        sf::Vector2f s = p - viewOrigin;
        input.mouse = sf::Vector2i(std::clamp(static_cast<int>(s.x), 0, 1919),
                                   std::clamp(static_cast<int>(s.y), 0, 1079));
    };

    // The nearest enemy in sight. Humans under the machine's spell fight too,
    // but an alien goes first unless the human is much nearer or at arm's length.
    sf::Vector2f target;
    float targetDistance = 1e9f;
    float targetRange = 1e9f;
    bool haveTarget = false;
    sf::Vector2f nearestAlien;
    float nearestAlienDistance = 1e9f;
    for (const auto& e : map.enemies) {
        if (!e || e->dead)
            continue;
        float d = length(e->position - me);
        bool alien = e->getKind() != Enemy::human;
        if (!alien && d > armsLength)
            d += 400;
        if (alien && d < nearestAlienDistance) {
            nearestAlienDistance = d;
            nearestAlien = e->position;
        }
        float real = length(e->position - me);
        if (d < targetDistance && real < sightRange && onScreen(e->position) &&
            !segmentHitsSolid(map, me, e->position)) {
            targetDistance = d;
            targetRange = real;
            target = e->position;
            haveTarget = true;
        }
    }

    // Where to walk: a health pickup when hurt, else the machine.
    const BrainwashMachine* machine = machineOf(map);
    sf::Vector2f goal = machine ? machine->position : me;
    if (!orders.fight && nearestAlienDistance < 1e8f)
        goal = nearestAlien;
    // A pickup it could not get to in a while is left where it lies.
    if (orders.fight && player->HP < player->MaxHP * 0.5f) {
        float best = 900;
        for (const auto& p : map.pickups)
            if (p && !p->taken && dynamic_cast<const HealthUp*>(p.get()) && length(p->position - me) < best &&
                std::find(pickupsLeft.begin(), pickupsLeft.end(), p->position) == pickupsLeft.end()) {
                best = length(p->position - me);
                goal = p->position;
            }
    }
    if (machine && goal != machine->position && goal == routeGoal) {
        chasedFor += dt;
        if (chasedFor > pickupChaseSeconds) {
            pickupsLeft.push_back(goal);
            goal = machine->position;
        }
    } else {
        chasedFor = 0;
    }

    // Re-plan every second, when the goal moved, or when the route ran out;
    // a route that reaches the goal is kept a while longer, since a fresh
    // greedy search from a step further on may take another way. Walls are
    // broken only on the way to the machine.
    const bool toMachine = machine && goal == machine->position;
    sincePlan += dt;
    bool routeReaches = !route.empty() && length(route.back() - routeGoal) < 96;
    if (sincePlan >= (routeReaches ? 4 * replanSeconds : replanSeconds) || length(goal - routeGoal) > 64 ||
        nextWaypoint >= route.size())
        plan(map, me, goal, toMachine && orders.fight);
    while (nextWaypoint < route.size() && length(route[nextWaypoint] - me) < 20)
        ++nextWaypoint;

    // The wall ahead is shot at once the bot stands before it: it is the
    // next waypoint and in reach. A wall that broke, or outlasted the fire,
    // sends the bot to plan afresh.
    bool atWall = false;
    if (wallAhead.x >= 0 && !map.isSolid(wallAhead.x, wallAhead.y)) {
        ++wallsBroken;
        wallAhead = {-1, -1};
        sincePlan = 100;
    } else if (wallAhead.x >= 0 && nextWaypoint < route.size() && tileOf(route[nextWaypoint]) == wallAhead &&
               length(centreOf(wallAhead) - me) < wallReach) {
        atWall = true;
        wallShotFor += dt;
        if (wallShotFor > wallGiveUpSeconds) {
            hardWalls.push_back(wallAhead);
            wallAhead = {-1, -1};
            sincePlan = 100;
            atWall = false;
        }
    }

    // In a fight the bot stops to shoot, one enemy after the other as they
    // come, rather than walk into more of them; badly hurt, it backs away.
    const float reach = handsReach(*player);
    const bool fighting = orders.fight && haveTarget && targetRange < std::min(holdRange, 0.8f * reach);
    const bool fleeing = fighting && player->HP < player->MaxHP * fleeHealth;

    // Stuck: too little progress for a while. Walk off at random for a moment, then plan afresh.
    watchTimer += dt;
    if (watchTimer >= stuckSeconds) {
        bool wantsToMove = length(goal - me) > 120 && !atWall && (!fighting || fleeing);
        if (wantsToMove && length(me - watchPosition) < stuckDistance && wanderTimer <= 0) {
            ++unsticks;
            float angle = static_cast<float>(dice() % 628) / 100.0f;
            wanderDirection = sf::Vector2f(std::cos(angle), std::sin(angle));
            wanderTimer = 0.4f + static_cast<float>(dice() % 60) / 100.0f;
        }
        watchTimer = 0;
        watchPosition = me;
    }
    // No step nearer the goal for a long while (the game's route leads
    // nowhere, or a crowd blocks it): a spell of the bot's own search.
    float goalDistance = length(goal - me);
    if (goalDistance < bestGoalDistance - 64 || length(goal - progressGoal) > 64 || atWall || fighting) {
        bestGoalDistance = goalDistance;
        progressGoal = goal;
        sinceProgress = 0;
    }
    sinceProgress += dt;
    if (sinceProgress > 10) {
        sinceProgress = 0;
        bestGoalDistance = goalDistance;
        ++ownSpells;
        ownSearchTimer = 15;
        sincePlan = 100;
    }
    if (ownSearchTimer > 0)
        ownSearchTimer -= dt;

    if (wanderTimer > 0) {
        wanderTimer -= dt;
        walkToward(input, me, me + wanderDirection * 100.0f);
        if (wanderTimer <= 0)
            sincePlan = replanSeconds * 4;
    } else if (fleeing) {
        walkToward(input, me, me + (me - target));
    } else if (length(goal - me) > 90 && !atWall && !fighting) {
        sf::Vector2f next = nextWaypoint < route.size() ? route[nextWaypoint] : goal;
        walkToward(input, me, next);
    }

    if (!orders.fight)
        return;

    // Aim: an alien in sight first, then the machine once it is near and in
    // sight, then the wall ahead.
    bool shoot = false;
    if (haveTarget) {
        aimAt(target);
        // Out of reach, the ammunition is kept for when it is in reach.
        shoot = targetRange < reach || reach <= 0;
    } else if (machine && length(machine->position - me) < machineRange && onScreen(machine->position) &&
               !segmentHitsSolid(map, me, machine->position)) {
        aimAt(machine->position);
        shoot = true;
    } else if (atWall) {
        aimAt(centreOf(wallAhead));
        // Too near for a grenade.
        targetRange = length(centreOf(wallAhead) - me);
        shoot = true;
    } else if (nextWaypoint < route.size()) {
        aimAt(route[nextWaypoint]);
    }

    // Far from the target one gun fires at a time, the emptier first, so
    // that the other is still loaded while the first reloads; near, both.
    auto handItem = [player](int h) {
        return player->inventory.size() > static_cast<std::size_t>(h)
                   ? player->inventory[static_cast<std::size_t>(h)].get()
                   : nullptr;
    };
    int onlyHand = -1;
    if (haveTarget && targetRange >= bothHandsRange)
        for (int h = 0; h < 2; ++h) {
            const Item* item = handItem(h);
            if (!item || isGrenade(item) || item->getAmmo() <= 0)
                continue;
            const Item* chosen = onlyHand < 0 ? nullptr : handItem(onlyHand);
            if (!chosen || item->getAmmo() / item->getMaxAmmo() < chosen->getAmmo() / chosen->getMaxAmmo())
                onlyHand = h;
        }

    for (int h = 0; h < 2; ++h) {
        const Item* item = handItem(h);
        if (!item)
            continue;
        if (isGrenade(item)) {
            // Hold to charge a little, then let go toward the target.
            if (shoot && item->getAmmo() > 0 && targetRange > 250) {
                ++grenadeCharge[h];
                pressBound(input, useAction(h), grenadeCharge[h] < 8);
                if (grenadeCharge[h] >= 8)
                    grenadeCharge[h] = 0;
            } else {
                pressBound(input, useAction(h), false);
                grenadeCharge[h] = 0;
            }
            continue;
        }
        if (shoot && item->getAmmo() > 0 && (onlyHand < 0 || onlyHand == h))
            pressBound(input, useAction(h), item->isSemiAuto() ? frames % 2 == 0 : true);
        // An empty magazine reloads by itself; the key is pressed as a player
        // would, and between fights for a magazine that is not full.
        if ((item->getAmmo() <= 0 || (!shoot && item->getAmmo() < item->getMaxAmmo())) && frames % 10 == 0)
            pressBound(input, h == 0 ? Action::ReloadLeft : Action::ReloadRight, true);
    }

    // The taser for an alien close by, once recharged.
    if (haveTarget && targetRange < taserRange && !player->taser.active &&
        player->taser.rechargeTimer.remaining <= 0 && !input.wasHeld(Action::Taser))
        pressBound(input, Action::Taser, true);
}

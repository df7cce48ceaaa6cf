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
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <typeinfo>

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

float length(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

bool isGrenade(const Item* item) {
    return item && item->getBasename() == "Grenade";
}

// Damage per second a hand item deals when held down, for comparing loot.
float damagePerSecond(const Item* item) {
    if (!item || item->getType() != "weapon")
        return 0;
    return item->getPower() * item->getShotCount() * item->getSpeed();
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
    // The world step renders the light map for the next picture; a frame
    // that is not drawn has no use for it, and it is most of a frame's cost
    // on a software renderer. The level's light system is lent out of its
    // map for such frames and handed back after (the walls' shadows belong
    // to the system itself and never notice).
    Maphandler* maps = Maphandler::getInstance();
    bool lend = !draw && !keepLights && GameStateHandler::getInstance()->top() == Ingame::getInstance();
    Map* map = lend ? maps->currentMap() : nullptr;
    lend = map && map->lighting.mask;
    if (lend)
        map->lighting.system = nullptr;
    runScriptedFrame(
        dt, [this, dt](InputState& input) { act(input, dt); }, draw);
    // The frame may have replaced the level; whichever is current gets the system back.
    map = lend ? maps->currentMap() : nullptr;
    if (map && map->lighting.mask)
        map->lighting.system = maps->lighting().system;
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
            // The walls around the player and the machine: # wall, P player, M machine, + route.
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
                    out << (at(player->position)    ? 'P'
                            : at(machine->position) ? 'M'
                            : map->isSolid(c, r)    ? '#'
                            : onRoute               ? '+'
                                                    : '.');
                }
                out << "\n";
            }
        } else
            out << ", machine destroyed";
    }
    out << ", " << frames << " frames, " << levelsCleared << " cleared, " << deaths << " deaths, " << unsticks
        << " unsticks, " << breaches << " breaches";
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
            float lootDps = damagePerSecond(loot);
            int bestHand = -1;
            float bestGain = 1.05f;
            for (int h = 0; h < 2; ++h) {
                const Item* held = player->inventory.size() > static_cast<std::size_t>(h)
                                       ? player->inventory[static_cast<std::size_t>(h)].get()
                                       : nullptr;
                if (isGrenade(held) || !loot || isGrenade(loot) || loot->isMelee())
                    continue;
                float heldDps = damagePerSecond(held);
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

void Bot::plan(const Map& map, sf::Vector2f from, sf::Vector2f goal) {
    ++replans;
    route = Pathfinding::getInstance()->findPath(from, goal, sf::Vector2i(0, 0));
    if (route.empty() || length(route.back() - goal) > 96) {
        ++searchesFallenShort;
        // After a long spell without getting nearer, a breadth-first search
        // over the same tiles finds the way if there is one.
        if (wideTimer <= 0)
            return finishPlan(goal);
        std::vector<sf::Vector2f> found = searchWide(map, from, goal);
        if (!found.empty())
            route = std::move(found);
    }
    finishPlan(goal);
}

void Bot::finishPlan(sf::Vector2f goal) {
    routeGoal = goal;
    nextWaypoint = route.size() > 1 ? 1 : 0;
    sincePlan = 0;
}

std::vector<sf::Vector2f> Bot::searchWide(const Map& map, sf::Vector2f from, sf::Vector2f goal) {
    const int columns = map.columns(), rows = map.rows();
    auto tileOf = [&](sf::Vector2f p) {
        return sf::Vector2i(std::clamp(static_cast<int>(p.x / 64), 0, columns - 1),
                            std::clamp(static_cast<int>(p.y / 64), 0, rows - 1));
    };
    auto index = [rows](sf::Vector2i t) { return static_cast<std::size_t>(t.x * rows + t.y); };
    sf::Vector2i start = tileOf(from), target = tileOf(goal);
    std::vector<char> blocked(static_cast<std::size_t>(columns * rows), 0);
    for (const auto& prop : map.furniture) {
        sf::Vector2i t = tileOf(prop->position);
        if (t != target)
            blocked[index(t)] = 1;
    }
    std::vector<int> cameFrom(blocked.size(), -1);
    std::vector<sf::Vector2i> frontier{start};
    cameFrom[index(start)] = static_cast<int>(index(start));
    const sf::Vector2i steps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (std::size_t i = 0; i < frontier.size() && cameFrom[index(target)] < 0; ++i) {
        for (sf::Vector2i d : steps) {
            sf::Vector2i n = frontier[i] + d;
            // The outer row and column are the map's wall.
            if (n.x < 1 || n.y < 1 || n.x >= columns - 1 || n.y >= rows - 1 || map.isSolid(n.x, n.y) ||
                blocked[index(n)] || cameFrom[index(n)] >= 0)
                continue;
            cameFrom[index(n)] = static_cast<int>(index(frontier[i]));
            frontier.push_back(n);
        }
    }
    std::vector<sf::Vector2f> path;
    if (cameFrom[index(target)] < 0)
        return path;
    for (std::size_t at = index(target); at != index(start); at = static_cast<std::size_t>(cameFrom[at]))
        path.emplace_back(static_cast<float>(at / static_cast<std::size_t>(rows)) * 64 + 32,
                          static_cast<float>(at % static_cast<std::size_t>(rows)) * 64 + 32);
    path.emplace_back(static_cast<float>(start.x) * 64 + 32, static_cast<float>(start.y) * 64 + 32);
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
    // but an alien goes first unless the human is much nearer.
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
        if (!alien)
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
    if (orders.fight && player->HP < player->MaxHP * 0.5f) {
        float best = 900;
        for (const auto& p : map.pickups)
            if (p && !p->taken && dynamic_cast<const HealthUp*>(p.get()) && length(p->position - me) < best) {
                best = length(p->position - me);
                goal = p->position;
            }
    }

    // Re-plan every second, when the goal moved, or when the route ran out;
    // a route that reaches the goal is kept a while longer, since a fresh
    // greedy search from a step further on may take another way.
    sincePlan += dt;
    bool routeReaches = !route.empty() && length(route.back() - routeGoal) < 96;
    if (sincePlan >= (routeReaches ? 4 * replanSeconds : replanSeconds) || length(goal - routeGoal) > 64 ||
        nextWaypoint >= route.size())
        plan(map, me, goal);
    while (nextWaypoint < route.size() && length(route[nextWaypoint] - me) < 20)
        ++nextWaypoint;

    // Stuck: too little progress for a while. Walk off at random for a moment, then plan afresh.
    watchTimer += dt;
    if (watchTimer >= stuckSeconds) {
        bool wantsToMove = length(goal - me) > 120;
        if (wantsToMove && length(me - watchPosition) < stuckDistance && wanderTimer <= 0) {
            ++unsticks;
            float angle = static_cast<float>(dice() % 628) / 100.0f;
            wanderDirection = sf::Vector2f(std::cos(angle), std::sin(angle));
            wanderTimer = 0.4f + static_cast<float>(dice() % 60) / 100.0f;
        }
        watchTimer = 0;
        watchPosition = me;
    }
    // No way found: no step nearer the goal for a long while. Then the bot
    // walks straight at it and shoots the walls in between down.
    float goalDistance = length(goal - me);
    if (goalDistance < bestGoalDistance - 64 || length(goal - progressGoal) > 64) {
        bestGoalDistance = goalDistance;
        progressGoal = goal;
        sinceProgress = 0;
    }
    sinceProgress += dt;
    // First the wide search for a while, and if even that gets nowhere, the walls.
    if (sinceProgress > 8 && breachTimer <= 0) {
        sinceProgress = 0;
        bestGoalDistance = goalDistance;
        if (!wideTried) {
            ++wideSpells;
            wideTried = true;
            wideTimer = 15;
            sincePlan = 100;
        } else {
            ++breaches;
            wideTried = false;
            breachTimer = 6;
        }
    }
    if (wideTimer > 0)
        wideTimer -= dt;
    bool breaching = breachTimer > 0;
    if (breaching)
        breachTimer -= dt;

    if (breaching) {
        walkToward(input, me, goal);
    } else if (wanderTimer > 0) {
        wanderTimer -= dt;
        walkToward(input, me, me + wanderDirection * 100.0f);
        if (wanderTimer <= 0)
            sincePlan = replanSeconds * 4;
    } else if (length(goal - me) > 90) {
        sf::Vector2f next = nextWaypoint < route.size() ? route[nextWaypoint] : goal;
        walkToward(input, me, next);
    }

    if (!orders.fight)
        return;

    // Aim: an alien in sight first, then the machine once it is near and in
    // sight, or through the wall in the way when stuck close to it.
    bool shoot = false;
    if (haveTarget) {
        aimAt(target);
        shoot = true;
    } else if (breaching) {
        // The wall straight ahead toward the goal.
        sf::Vector2f toGoal = goal - me;
        aimAt(me + toGoal / std::max(length(toGoal), 1.0f) * std::min(length(toGoal), 300.0f));
        shoot = true;
    } else if (machine && length(machine->position - me) < machineRange && onScreen(machine->position)) {
        aimAt(machine->position);
        shoot = !segmentHitsSolid(map, me, machine->position);
    } else if (nextWaypoint < route.size()) {
        aimAt(route[nextWaypoint]);
    }

    for (int h = 0; h < 2; ++h) {
        const Item* item = player->inventory.size() > static_cast<std::size_t>(h)
                               ? player->inventory[static_cast<std::size_t>(h)].get()
                               : nullptr;
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
        if (shoot && item->getAmmo() > 0)
            pressBound(input, useAction(h), item->isSemiAuto() ? frames % 2 == 0 : true);
        // An empty magazine reloads by itself; the key is pressed as a player would.
        if (item->getAmmo() <= 0 && frames % 10 == 0)
            pressBound(input, h == 0 ? Action::ReloadLeft : Action::ReloadRight, true);
    }

    // The taser for an alien close by, once recharged.
    if (haveTarget && targetRange < taserRange && !player->taser.active &&
        player->taser.rechargeTimer.remaining <= 0 && !input.wasHeld(Action::Taser))
        pressBound(input, Action::Taser, true);
}

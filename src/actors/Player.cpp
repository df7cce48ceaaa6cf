#include "actors/Player.h"

#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Rects.h"
#include "core/Settings.h"
#include "items/ItemDatabase.h"
#include "items/ItemGeneration.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {
int sign(int v) {
    return (v > 0) - (v < 0);
}

bool isGrenade(const Item* item) {
    return item && item->getBasename() == "Grenade";
}
bool isChainsaw(const Item* item) {
    return item && item->getBasename() == "Chainsaw";
}
} // namespace

Player::Player()
    : throwBar{StatBar(1, sf::Color::Cyan, 3, sf::Color::Black, 0, sf::IntRect(-24, -64, 48, 7)),
               StatBar(1, sf::Color::Cyan, 3, sf::Color::Black, 0, sf::IntRect(-24, -57, 48, 7))},
      invulnerabilityBar(10, sf::Color::Yellow, 3, sf::Color::Black, 0, sf::IntRect(-24, 16, 48, 7)) {
    std::cout << "Player's constructor was called" << std::endl;
    buildItemDatabase();
    inventory.push_back(generateWeapon(1));
    inventory.push_back(generateWeapon(8));
    inventory.push_back(generateArmour(1.0f));
    equipHands();
    sprite.setTexture(Contenthandler::getInstance()->playerTexture);
    frameWidth = 64;
    frameHeight = 96;
    frameCount = 4;
    frameTime = frameTimer = previousFrameTimer = 0.08f;
    radius = 24;
    acceleration = 1200;
    mass = 100;
    armour = 0;
    MaxHP = HP = 100;
    recomputePools();
    sprite.setTextureRect(sf::IntRect(0, 0, frameWidth, frameHeight));
    sprite.setOrigin(static_cast<float>(frameWidth) / 2, static_cast<float>(frameHeight) / 2);
}

Player::~Player() {
    std::cout << "Player's destructor was called" << std::endl;
}

Item* Player::handItem(int h) const {
    if (h < 0 || h > 1 || static_cast<std::size_t>(h) >= inventory.size())
        return nullptr;
    return inventory[static_cast<std::size_t>(h)].get();
}

void Player::recomputePools() {
    const Item* armourWorn = wornArmour();
    MaxHP = HP = (armourWorn ? armourWorn->getBonusHP() : 0.0f) + 35.0f * static_cast<float>(Health) + 100.0f;
    MaxStamina = Stamina = (5.0f * static_cast<float>(StaminaStat) + 50.0f) * 2.0f;
}

float Player::speedFactor() const {
    const Item* armourWorn = wornArmour();
    return (static_cast<float>(StaminaStat) * 0.028571429f + 1.0f) *
           (armourWorn ? armourWorn->getSpeed() : 1.0f);
}

void Player::update(float dt) {
    Mapentity::update(dt);
    latchToggles();
    chargeThrows(dt);
    reloadOnKeys();
    if (showInvulnerabilityBar) {
        invulnerabilityBar.setValue(invulnerabilityTimer);
        invulnerabilityBar.setPosition(position + sf::Vector2f(-20, 50));
        if (invulnerabilityTimer <= 0)
            showInvulnerabilityBar = false;
    }
    invulnerabilityTimer -= dt;
    levelUp();

    if (!dead) {
        move(dt);
        taser.update(dt, Grapple);
        const sf::View& view = Camera::getInstance()->view;
        sf::Vector2f topLeft = view.getCenter() - view.getSize() / 2.0f;
        aimAngle = aimAngleFrom(position - topLeft, sf::Vector2f(InputState::getInstance()->mouse));
        holdItems(dt);
        fireHands();
    } else {
        Contenthandler* content = Contenthandler::getInstance();
        content->weaponSounds[0].stop();
        content->weaponSounds[1].stop();
    }
}

void Player::levelUp() {
    while (XP > XPneeded) {
        ++Level;
        ++Statpoints;
        float needed = static_cast<float>(XPneeded);
        XPneeded = static_cast<int>(needed * 0.15f + 1000.0f + needed);
    }
}

void Player::updateStamina(bool sprintHeld, float dt) {
    if (!canSprint)
        canSprint = Stamina > 10;
    if (canSprint && sprintHeld) {
        friction = 2.0f;
        Stamina -= 20 * dt;
        canSprint = Stamina > 0.2f;
    } else {
        friction = 5.0f;
        if (Stamina < MaxStamina)
            Stamina += dt * 2.0f * MaxStamina * 0.0555555559f;
    }
    Stamina = std::clamp(Stamina, 0.0f, MaxStamina);
}

void Player::applyMoveInput(sf::Vector2f input, float dt) {
    moveInput += input;
    float len = std::sqrt(moveInput.x * moveInput.x + moveInput.y * moveInput.y);
    // Keys add up to at least full strength; a stick tilted part way pushes less, never more.
    if (len > 0)
        velocity += moveInput / len * std::min(len, 1.0f) * acceleration * speedFactor() * dt;
    moveInput = sf::Vector2f(0, 0);
}

void Player::latchToggles() {
    const InputState* input = InputState::getInstance();
    sprintLatched = sprintToggles && sprintLatched != input->actionPressed(Action::Sprint);
    for (int h = 0; h < 2; ++h) {
        const auto at = static_cast<std::size_t>(h);
        useWasLatched[at] = useLatched[at];
        useLatched[at] = fireToggles[at] && !isGrenade(handItem(h)) &&
                         useLatched[at] != input->actionPressed(useAction(h));
    }
}

bool Player::useHeld(int hand) const {
    if (hand < 0 || hand > 1)
        return false;
    if (fireToggles[static_cast<std::size_t>(hand)] && !isGrenade(handItem(hand)))
        return useLatched[static_cast<std::size_t>(hand)];
    return InputState::getInstance()->held(useAction(hand));
}

bool Player::useWasHeld(int hand) const {
    if (hand < 0 || hand > 1)
        return false;
    if (fireToggles[static_cast<std::size_t>(hand)] && !isGrenade(handItem(hand)))
        return useWasLatched[static_cast<std::size_t>(hand)];
    return InputState::getInstance()->wasHeld(useAction(hand));
}

bool Player::sprintHeld() const {
    return sprintToggles ? sprintLatched : InputState::getInstance()->held(Action::Sprint);
}

bool Player::sprintKeysHeld() const {
    const InputState* input = InputState::getInstance();
    if (!sprintHeld())
        return false;
    for (Action a : {Action::MoveLeft, Action::MoveRight, Action::MoveUp, Action::MoveDown})
        if (input->held(a))
            return true;
    return input->moveStick() != sf::Vector2f();
}

void Player::move(float dt) {
    const InputState* input = InputState::getInstance();
    bool left = input->held(Action::MoveLeft), right = input->held(Action::MoveRight);
    bool up = input->held(Action::MoveUp), down = input->held(Action::MoveDown);
    updateStamina(sprintKeysHeld(), dt);
    sf::Vector2f sum = input->moveStick();
    if (left)
        sum.x -= 1;
    if (right)
        sum.x += 1;
    if (up)
        sum.y -= 1;
    if (down)
        sum.y += 1;
    applyMoveInput(sum, dt);
}

float Player::aimAngleFrom(sf::Vector2f p, sf::Vector2f m) {
    float a = std::atan2(p.y - m.y, p.x - m.x);
    if (a < 0)
        a += 6.28302f;
    return a;
}

void Player::chargeThrow(int hand, bool charging, float dt) {
    if (hand < 0 || hand > 1)
        return;
    float& power = throwPower[hand];
    float& rate = throwPowerRate[hand];
    if (!charging) {
        power = 0;
        return;
    }
    power = std::clamp(power, 0.0f, 1500.0f);
    if (power == 0)
        rate = 1500;
    if (power == 1500)
        rate = -1500;
    power += rate * dt;
}

void Player::chargeThrows(float dt) {
    const InputState* input = InputState::getInstance();
    for (int h = 0; h < 2; ++h) {
        Item* item = handItem(h);
        bool charging = isGrenade(item) && input->held(useAction(h)) && !sprintHeld() &&
                        item->getAmmo() > 0 && item->getShotTimer().remaining <= 0;
        chargeThrow(h, charging, dt);
        if (charging)
            item->setThrowingSpeed(throwPower[h]);
        throwBar[h].setValue(throwPower[h] / 1500.0f);
        throwBar[h].setPosition(position + sf::Vector2f(-24, h == 0 ? -64.0f : -57.0f));
    }
}

void Player::reloadOnKeys() {
    const InputState* input = InputState::getInstance();
    for (int h = 0; h < 2; ++h) {
        Item* item = handItem(h);
        bool pressed = input->actionPressed(h == 0 ? Action::ReloadLeft : Action::ReloadRight);
        if (pressed && item && item->getAmmo() != item->getMaxAmmo())
            item->setAmmo(0);
    }
}

void Player::holdItems(float dt) {
    bool sprinting = sprintingNow();
    for (std::size_t i = 0; i < inventory.size(); ++i) {
        Item* item = inventory[i].get();
        if (!item)
            continue;
        item->setSprinting(sprinting);
        item->update(dt, Weaponhandle);
        float side = static_cast<float>(i);
        if (item->getAmmo() <= 0 || (sprinting && !item->isMelee() && !item->isSwinging())) {
            item->setTargetPosition(position + sf::Vector2f(24 - 48 * side, 24));
        } else {
            float b = aimAngle + (side - 0.5f);
            float r = item->getHoldDistance();
            item->setTargetPosition(position - sf::Vector2f(std::cos(b), std::sin(b)) * r);
        }
    }
}

void Player::fireHands() {
    const InputState* input = InputState::getInstance();
    Contenthandler* content = Contenthandler::getInstance();
    bool sprinting = sprintingNow();
    for (int h = 0; h < 2; ++h) {
        Item* item = handItem(h);
        // A grenade is thrown when its button lets go; a release is a single
        // event already, so it needs no fresh press.
        bool grenade = isGrenade(item);
        bool triggered = grenade ? input->actionReleased(useAction(h)) : useHeld(h);
        sf::Sound& idle = content->chainsawIdleSounds[h];
        if (triggered) {
            if (!item || (sprinting && !item->isMelee()))
                continue;
            if (grenade || !item->isSemiAuto() || !useWasHeld(h))
                item->fire(*this, Weaponhandle);
            if (isChainsaw(item))
                idle.stop();
        } else if (isChainsaw(item) && idle.getStatus() == sf::Sound::Stopped) {
            idle.play();
        }
    }
}

void Player::draw() {
    if (invulnerabilityTimer <= 0 || static_cast<int>(invulnerabilityTimer * 10) % 4 == 1)
        Mapentity::draw();
    for (int h = 0; h < 2; ++h)
        if (Item* item = handItem(h))
            item->draw();
    const InputState* input = InputState::getInstance();
    const Map* map = Maphandler::getInstance()->currentMap();
    for (int h = 0; h < 2; ++h) {
        const Item* item = handItem(h);
        if (isGrenade(item) && map && map->elapsed > 0 && input->held(useAction(h)) && !sprintHeld() &&
            item->getAmmo() > 0)
            throwBar[h].draw();
    }
    if (showInvulnerabilityBar)
        invulnerabilityBar.draw();
}

sf::FloatRect Player::pictureBounds() const {
    // The draw places the body's sprite at the position first; the bars keep
    // within 96 units of him.
    sf::Sprite body = sprite;
    body.setPosition(position);
    body.setRotation(rotation);
    sf::FloatRect bounds = body.getGlobalBounds();
    bounds = unite(bounds, {position.x - 96, position.y - 96, 192, 192});
    for (int h = 0; h < 2; ++h)
        if (const Item* item = handItem(h))
            bounds = unite(bounds, item->pictureBounds());
    return bounds;
}

void Player::takeDamage(float amount, sf::Vector2f from) {
    takeHit(amount, from, HitSource{});
}

void Player::takeHit(float amount, sf::Vector2f from, const HitSource& source) {
    const Item* armourWorn = wornArmour();
    armour = armourWorn ? armourWorn->getPower() : 0.0f;
    if (invulnerabilityTimer > 0 || std::isnan(amount))
        return;
    Camera* camera = Camera::getInstance();
    camera->shake += std::clamp((amount - armour) * 0.5f, 0.0f, 100000000.0f);
    const float before = HP;
    applyDamage(amount, from);
    invulnerabilityTimer = hitInvulnerability;
    lastHit = source;
    float alpha = MaxHP > 0 ? std::clamp(amount / MaxHP * 850.0f, 0.0f, 255.0f) : 255.0f;
    Maphandler::getInstance()->report(
        {LevelEvent::Kind::playerHit, 0, alpha, {}, {}, source, -1, before - HP});
}

void Player::startRun() {
    inventory.clear();
    inventory.resize(3);
    taser = Tazer();
    for (int h = 0; h < 2; ++h)
        throwPower[h] = throwPowerRate[h] = 0;
    sprintLatched = false;
    useLatched = useWasLatched = {false, false};
    moveInput = {};
    canSprint = true;
    hitInvulnerability = invulnerabilityTimer = 0.5f;
    Level = Statpoints = XP = 0;
    XPneeded = 1600;
    Weaponhandle = StaminaStat = Grapple = Health = 0;
    showInvulnerabilityBar = false;
    aimAngle = 0;
    lastHit = {};

    position = velocity = collisionOffset = {};
    rotation = angularVelocity = 0;
    direction = previousDirection = 0;
    frame = row = 0;
    frameTimer = previousFrameTimer = frameTime;
    dead = previousDead = frozen = false;
    bumpActive = true;
    bumpTimer = bumpPrevious = 0;
    bumpRepeated = false;
    bumpCount = 0;
    friction = 5.0f;
    radius = 24;
    acceleration = 1200;
    mass = 100;
    armour = 0;
    recomputePools();
}

void Player::resetForLevel(bool fullReset) {
    dead = previousDead = false;
    for (int h = 0; h < 2; ++h)
        if (Item* item = handItem(h))
            item->refill();
    invulnerabilityTimer = 0;
    velocity = sf::Vector2f(0, 0);
    // A beam still flying belongs to the level left behind, and so do the toggles.
    taser.cancel();
    sprintLatched = false;
    useLatched = useWasLatched = {false, false};
    resetKillTallies();
    if (fullReset) {
        Level = Statpoints = XP = 0;
        XPneeded = 1600;
        Weaponhandle = StaminaStat = Grapple = Health = 0;
    }
    if (levelNumber == 1) {
        std::vector<std::unique_ptr<Item>> startingKit;
        startingKit.push_back(defaultWeapon());
        startingKit.push_back(defaultWeapon());
        startingKit.push_back(defaultArmour());
        inventory = std::move(startingKit);
        equipHands();
    }
    recomputePools();
}

void Player::placeAtStart(const Map& map) {
    std::cout << "Etsii alkupaikkaa" << std::endl;
    int W = map.columns(), H = map.rows();
    const Mapentity* machine = map.furniture.empty() ? nullptr : map.furniture.back().get();
    auto distanceToMachine = [machine](int x, int y) {
        if (!machine)
            return std::numeric_limits<float>::max();
        sf::Vector2f d =
            sf::Vector2f(static_cast<float>(64 * x), static_cast<float>(64 * y)) - machine->position;
        return std::sqrt(d.x * d.x + d.y * d.y);
    };
    auto isStreet = [&map](int x, int y) {
        return layoutcode::isStreet(
            map.layout[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind);
    };
    auto putAt = [this](int x, int y) {
        position = sf::Vector2f(static_cast<float>(64 * x + 32), static_cast<float>(64 * y + 32));
    };

    if (W >= 2 && H >= 2)
        for (int attempt = 0; attempt < 300; ++attempt) {
            bool fromOrigin = std::rand() % 2 == 1;
            bool toTopRight = std::rand() % 2 == 1;
            int x = fromOrigin ? 0 : W - 2, y = fromOrigin ? 0 : H - 2;
            int tx = toTopRight ? W - 2 : 0, ty = toTopRight ? 0 : H - 2;
            while (x != tx || y != ty) {
                x += sign(tx - x);
                y += sign(ty - y);
                if (isStreet(x, y) && distanceToMachine(x, y) >= 1920) {
                    putAt(x, y);
                    equipHands();
                    return;
                }
            }
        }

    // No walk found a street far enough away: the street tile farthest from
    // the machine, or failing a street, the free tile farthest from it. The
    // player never keeps the last level's position, which may be a wall here.
    int bestX = -1, bestY = -1;
    float best = -1;
    for (bool streetsOnly : {true, false}) {
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y) {
                bool usable = streetsOnly ? isStreet(x, y) : !map.isSolid(x, y);
                float d = machine ? distanceToMachine(x, y) : 0;
                if (usable && d > best) {
                    best = d;
                    bestX = x;
                    bestY = y;
                }
            }
        if (bestX >= 0)
            break;
    }
    if (bestX >= 0)
        putAt(bestX, bestY);
    equipHands();
}

void Player::equipHands() {
    for (int h = 0; h < 2; ++h)
        if (Item* item = handItem(h)) {
            item->setPosition(position);
            item->setHand(1 - h);
        }
}

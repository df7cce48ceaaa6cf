#include "actors/Player.h"

#include <iostream>

namespace {
Player* instance = nullptr;
}

Player* Player::getInstance() {
    if (!instance)
        instance = new Player();
    return instance;
}

void Player::destroyInstance() {
    delete getInstance();
    instance = nullptr;
}

Player::Player() {
    std::cout << "Player's constructor was called" << std::endl;
    radius = 24;
}

Player::~Player() { std::cout << "Player's destructor was called" << std::endl; }

#pragma once
// The heads-up display drawn over a level.

#include "app/Singleton.h"

#include <SFML/Graphics/Color.hpp>

#include <string>
#include <vector>

class UI : public Singleton<UI> {
    friend class Singleton<UI>;

public:
    ~UI();

    // A short score notice ("+600 Ranged alien") that fades out of the message list.
    void addMessage(const std::string& text, sf::Color colour = sf::Color::White);

    struct Message {
        std::string text;
        sf::Color colour;
    };
    std::vector<Message> messages;

private:
    UI();
};

#include "screens/UI.h"

#include <iostream>

UI::UI() { std::cout << "UI's constructor was called" << std::endl; }

UI::~UI() { std::cout << "UI's destructor was called" << std::endl; }

void UI::addMessage(const std::string& text, sf::Color colour) { messages.push_back({text, colour}); }

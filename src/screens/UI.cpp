#include "screens/UI.h"

#include <iostream>

namespace {
UI* instance = nullptr;
}

UI* UI::getInstance() {
    if (!instance)
        instance = new UI();
    return instance;
}

void UI::destroyInstance() {
    delete getInstance();
    instance = nullptr;
}

UI::UI() { std::cout << "UI's constructor was called" << std::endl; }

UI::~UI() { std::cout << "UI's destructor was called" << std::endl; }

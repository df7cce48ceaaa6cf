#include "world/Maphandler.h"

#include "world/Map.h"

#include <iostream>

namespace {
Maphandler* instance = nullptr;
}

Maphandler* Maphandler::getInstance() {
    if (!instance)
        instance = new Maphandler();
    return instance;
}

void Maphandler::destroyInstance() {
    delete instance;
    instance = nullptr;
}

Maphandler::Maphandler() { std::cout << "Maphandler's constructor was called" << std::endl; }

Maphandler::~Maphandler() = default;

Map* Maphandler::currentMap() {
    if (maps.empty() || !maps[0]) {
        std::cout << "wtf ei ollu mappeja" << std::endl;
        return nullptr;
    }
    return maps[0].get();
}

void Maphandler::setCurrentMap(std::unique_ptr<Map> map) {
    maps.clear();
    maps.push_back(std::move(map));
}

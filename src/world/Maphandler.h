#pragma once
// Owns the current map and generates the next one.

#include <memory>
#include <vector>

class Map;

class Maphandler {
public:
    static Maphandler* getInstance();
    static void destroyInstance();
    ~Maphandler();

    // The map being played, or null (logged) when there is none; callers then skip their work.
    Map* currentMap();
    // Makes the given map the current one, replacing (and deleting) the old.
    void setCurrentMap(std::unique_ptr<Map> map);

private:
    Maphandler();
    std::vector<std::unique_ptr<Map>> maps;
};

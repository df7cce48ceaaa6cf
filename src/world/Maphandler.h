#pragma once
// Owns the current map and generates the next one: a city block of streets
// and lots, buildings with rooms, doors, floors and furniture, and one
// brainwash machine. Every generation dumps its street layout to
// "SaveData/map.txt" and logs how long it took.

#include <memory>
#include <string>
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

    // Replaces the current map with a new level: generates it, places the
    // player and snaps the camera onto him. Sizes grow with the level number
    // current before the call, which then becomes `level`.
    void newMap(int level);

    // The map pipeline alone: streets, lots, buildings, furniture, the
    // machine and the edge sprites of a columns x rows map for the current
    // level number, with the layout dump written to dumpPath.
    static std::unique_ptr<Map> generateMap(int columns, int rows, const std::string& dumpPath = "SaveData/map.txt");

private:
    Maphandler();
    std::vector<std::unique_ptr<Map>> maps;
    bool constructing = false;
};

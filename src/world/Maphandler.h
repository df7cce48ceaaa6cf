#pragma once
// Owns the current map and generates the next one: a city block of streets
// and lots, buildings with rooms, doors, floors and furniture, and one
// brainwash machine. Every generation dumps its street layout to
// "SaveData/map.txt" and logs how long it took. It also owns the light
// engine the levels are lit with: the light system (with the player's light
// and every wall's shadow hull) and the light mask.

#include "core/Singleton.h"
#include "effects/lighting/LightSystem.h"
#include "world/LevelEvent.h"
#include "world/Map.h"

#include <SFML/Graphics/RenderTexture.hpp>

#include <memory>
#include <string>
#include <vector>

// How many enemies of each kind a level gets.
struct EnemyCounts {
    int humans = 0;
    int ranged = 0;
    int melee = 0;
};

class Maphandler : public Singleton<Maphandler> {
    friend class Singleton<Maphandler>;

  public:
    ~Maphandler();

    // The map being played, or null (logged) when there is none; callers then skip their work.
    Map* currentMap();
    // Makes the given map the current one, replacing (and deleting) the old.
    void setCurrentMap(std::unique_ptr<Map> map);

    // Replaces the current map with the given level: generates it, places
    // the player, populates it and snaps the camera onto him. The level
    // number must already be `level` (the level flow sets it first): the
    // walls' durability and the props' strength are drawn from it.
    void newMap(int level);

    // Records what happened in the level on the current map, for the
    // in-level state to settle this frame; dropped when there is no map.
    void report(LevelEvent event);

    // The map pipeline alone: streets, lots, buildings, furniture, the
    // machine and the edge sprites of a columns x rows map for the current
    // level number, with the layout dump written to dumpPath.
    // With lights given, every solid wall also gets its shadow hull.
    static std::unique_ptr<Map> generateMap(int columns, int rows,
                                            const std::string& dumpPath = "SaveData/map.txt",
                                            const MapLighting& lights = {});

    // The enemy numbers of a level: humans thin out and aliens grow in
    // number with the level; no aliens on the first level, no humans from
    // the eighteenth.
    static EnemyCounts enemyCounts(int level);
    // Places the level's enemies, humans first, then ranged and melee
    // aliens, each on its own free tile at least 1280 pixels from the player.
    static void populate(Map& map, int level, sf::Vector2f player);

    // The game's light system, over a region the world never enters. Without
    // the attenuation shader no level can be lit, so the program ends at once.
    static std::unique_ptr<ltbl::LightSystem>
    createLightSystem(const std::string& attenuationShaderPath = "data/shaders/lightattenuationShader.frag");

    MapLighting lighting() { return {lightSystem.get(), playerLight, &lightMask}; }

    // A frame nobody will see needs no light map, which is most of a frame's
    // cost on a software renderer and which nothing the run decides reads.
    // lendLightSystem takes the system out of the current map for such a
    // frame (false when there is no lit map to take it from);
    // returnLightSystem hands it to whichever map is current after the frame,
    // which may have replaced the level. The walls' shadows belong to the
    // system itself and never notice.
    bool lendLightSystem();
    void returnLightSystem();

    // The light map and the mask have the screen's size divided by this
    // each way. Blurred and scaled up smoothly, a quarter-size map looks the
    // same as a full one (LightMapResolution tests) at a sixteenth of the fill.
    static constexpr unsigned lightMapDivisor = 4;

  private:
    Maphandler();
    // Declared before the maps so that every map, which hands its hulls back
    // to the system as it goes, dies first.
    std::unique_ptr<ltbl::LightSystem> lightSystem;
    ltbl::Light* playerLight = nullptr; // owned by lightSystem
    sf::RenderTexture lightMask;
    std::vector<std::unique_ptr<Map>> maps;
};

#pragma once
// One level: two column-major layers of 64-pixel tiles (the solid walls, and
// the street layout) with the pictures of every grid position beside them,
// the lists of everything living on the level, and the per-level effect
// lists. The map handler owns the current map; the map owns every entity in
// its lists and deletes the dead ones in its world update. Nothing else
// keeps a map: actors reach it through the map handler each time.

#include "actors/ExplosionRequest.h"
#include "actors/Shot.h"
#include "world/EntityIndex.h"
#include "world/LevelCensus.h"
#include "world/LevelEvent.h"
#include "world/MaskCells.h"
#include "world/Tracer.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Mapentity;
class PowerUp;

namespace sf {
class RenderTarget;
class RenderWindow;
class RenderTexture;
class Texture;
} // namespace sf
namespace ltbl {
class ConvexHull;
class Light;
class LightSystem;
} // namespace ltbl

// A rectangle of a texture drawn unscaled and untinted at a place the
// tile's grid position fixes.
struct TilePicture {
    const sf::Texture* texture = nullptr;
    sf::IntRect rect;
    // As a sprite's: without a rectangle yet (or with resetRect) the picture
    // is the whole texture.
    void setTexture(const sf::Texture& t, bool resetRect = false);
};

// What the draw shows at one grid position, kept apart from the tiles: a
// big level has over a hundred thousand positions, and the collisions and
// sight lines that read the walls every frame walk a third of the memory
// without the pictures.
struct TileArt {
    TilePicture wall;      // shown while the wall stands
    TilePicture wallEdge;  // its 96 x 96 shading, 16 px up and left of the tile
    TilePicture floor;     // shown where no wall stands
    TilePicture floorEdge; // the street's shading on the lot beside it, placed as wallEdge

    // Where the pictures of tile (x, y) go, in pixels.
    static sf::Vector2f corner(int x, int y) {
        return {static_cast<float>(64 * x), static_cast<float>(64 * y)};
    }
    static sf::Vector2f edgeCorner(int x, int y) {
        return {static_cast<float>(64 * x - 16), static_cast<float>(64 * y - 16)};
    }
};

struct Tile {
    // Durability drawn from the level number current at construction.
    Tile();

    int hitPoints = 0;
    int armour = 0;
    // The wall's shadow caster, owned by the light system. The tile drops it
    // (and has the system delete it) when the wall breaks or the map goes.
    ltbl::ConvexHull* hull = nullptr;
    unsigned char kind = 0; // walls layer: 1 solid, 0 free; layout layer: street code or 'o'
};

// Layout codes. Streets are two tiles wide; after generation a street code
// names the side on which a lot lies.
namespace layoutcode {
constexpr unsigned char lot = 'o';
constexpr unsigned char lotLeft = 220; // also the left column of a vertical street while generating
constexpr unsigned char lotRight = 221;
constexpr unsigned char lotBelow = 222; // also the lower row of a horizontal street while generating
constexpr unsigned char lotAbove = 223; // also the upper row of a horizontal street while generating
constexpr unsigned char noSide = 224;
constexpr unsigned char rightColumn = 228; // generation only: right column of a vertical street
inline bool isStreet(unsigned char k) {
    return k >= 220 && k <= 228;
}
} // namespace layoutcode

// A fading mark on the floor that turns greenish as it dries.
struct Stain {
    float rate = 0; // alpha units per second
    bool dead = false;
    sf::CircleShape shape;
};

// The light engine's pieces a map lights itself with. All belong to the map
// handler, which outlives its maps; a map without them is drawn unlit.
struct MapLighting {
    ltbl::LightSystem* system = nullptr;
    ltbl::Light* playerLight = nullptr;
    sf::RenderTexture* mask = nullptr; // the light mask laid over the scene, at the light map's size
};

using EntityList = std::vector<std::unique_ptr<Mapentity>>;
using TileGrid = std::vector<std::vector<Tile>>;

class Map {
  public:
    // An empty map; the generator sizes it with makeGrids.
    Map();
    // A map of the given size in tiles, with default tiles.
    Map(int columns, int rows);
    ~Map();
    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    void makeGrids(int columns, int rows);

    // Grid sizes in tiles (NX columns, NY rows).
    int columns() const { return static_cast<int>(walls.size()); }
    int rows() const { return walls.empty() ? 0 : static_cast<int>(walls[0].size()); }

    // The layout tile nearest to a tile position, clamped into the grid, so
    // any input yields a tile. Null only for a map without tiles.
    Tile* tileAt(sf::Vector2f tilePos);
    const Tile* tileAt(sf::Vector2f tilePos) const;
    // Whether (x, y) is inside the grid and solid in the walls layer.
    bool isSolid(int x, int y) const;

    // The world step and the world draw, once per frame each.
    void update(float dt);
    void draw();
    // The level's tint goes over the scene with the light mask, in the same
    // pass, except around the player, who is drawn after the mask: there the
    // tint is owed until he has been drawn. The rectangle is in the screen's
    // units (the view's size, unturned); empty when nothing is owed, and
    // nullopt when the map laid no tint (no light mask), so the whole tint is.
    std::optional<sf::FloatRect> tintOwed;

    // Recomputes the range of tiles drawn from a view of the given centre and size.
    void computeViewWindow(sf::Vector2f centre, sf::Vector2f size);

    // Lights the map with the given pieces and gives every solid wall tile a
    // shadow hull of the shape in shapePath, centred on the tile, in their
    // system. Without the shape file the walls cannot cast shadows and the
    // program ends at once.
    void createHulls(const MapLighting& lights, const std::string& shapePath = "data/testShape.txt");
    // Collects into markers the solid tiles of the view window that have a
    // line of sight to the given world position.
    void rebuildMarkers(sf::Vector2f playerPosition);

    // Wall tiles (tile coordinates) in sight of the player, shown fully lit.
    std::vector<sf::Vector2f> markers;
    MapLighting lighting;

    // Tiles [x0, x1) x [y0, y1) count as visible.
    unsigned viewX0 = 0, viewY0 = 0, viewX1 = 0, viewY1 = 0;
    float elapsed = 0; // seconds this map has been updated

    TileGrid walls;           // indexed [X][Y]
    TileGrid layout;          // indexed [X][Y]
    std::vector<TileArt> art; // column-major, as artAt() indexes it
    TileArt& artAt(int x, int y) {
        return art[static_cast<std::size_t>(x) * static_cast<std::size_t>(rows()) +
                   static_cast<std::size_t>(y)];
    }

    // Each living actor's kind and size factor in list order, and the
    // level's clock: what the score rules count.
    LevelCensus census() const;

    // A digest of what the level's generation made: the tiles of both
    // layers with the walls' strength, and where each piece of furniture and
    // each enemy stands. The map handler takes it once the level is made, so
    // a recording's checksums catch a level generated differently.
    std::uint32_t generatedFingerprint() const;
    std::uint32_t fingerprint = 0;

    // Actors and props append here; only the map removes.
    EntityList enemies;
    std::vector<Shot> shots;
    std::vector<Tracer> tracers;
    std::vector<Shot> penetratingShots;
    std::vector<ExplosionRequest> explosions;
    std::vector<Stain> stains;
    // Props: the furniture, and the brainwash machine as the last element.
    EntityList furniture;
    EntityList bullets;
    EntityList grenades;
    // Pickups dropped by broken props; taken ones go in the clean-up.
    std::vector<std::unique_ptr<PowerUp>> pickups;

    // What happened in this frame's world update, in order, for the level's
    // owner to settle; the next update starts the record afresh.
    std::vector<LevelEvent> events;

    // The props and the enemies by place while the entities move in the
    // world update; indexEntities = false walks the whole lists instead
    // (the same collisions, found more slowly).
    EntityIndex propIndex;
    EntityIndex enemyIndex;
    bool indexEntities = true;
    // Tiles come from a picture of the area around the view, made again
    // when the view leaves it or a wall breaks; false draws them straight
    // (the same picture, more slowly).
    bool cacheTiles = true;
    // The light mask is made on the processor (or read back, when the light
    // map was drawn by the renderer) each frame, and the cells of the screen
    // where it is even, or slopes without straying by more than the
    // tolerance (in levels of light, of 255), are laid as flat or shaded
    // colour; false lays the whole screen through the mask's shader (the
    // same picture, more slowly).
    bool flatCells = true;
    float slopeTolerance = 1;
    // The tiles' picture is copied into the window where the view lays it a
    // texel to a pixel, unturned and not greyed; false draws it (the same
    // picture, more slowly).
    bool groundCopied = true;
    // The mask's light a texel as the last draw laid it, rows from the top,
    // at the mask's size: when it was made on the processor, or read back.
    const std::vector<std::uint8_t>& laidMask() const { return maskLight; }
    // Whether the tiles' picture covers the whole view, backdrop and all, so
    // that the frame needs no clearing first.
    bool paintsWholeView() const { return cacheTiles && !tilePictureFailed; }

    // Bumped whenever a tile's picture changes after generation (a wall
    // breaks), so that pictures of the tiles made before are made again.
    static unsigned tileRevision;
    // What shows where the map has no tile: the colour every frame starts from.
    static const sf::Color backdrop;

  private:
    // The tiles around the view drawn once into a texture: a frame then
    // draws one layer instead of four. The texture wraps around: as the view
    // moves on, only the tiles coming into the area are drawn, over those
    // left behind, and a broken wall redraws only its neighbourhood, so that
    // no frame pays for the whole picture again.
    struct TileCache {
        std::unique_ptr<sf::RenderTexture> texture;
        sf::FloatRect area;      // the world's rectangle held, on whole tiles
        sf::Vector2f wrapOrigin; // the world's point at texel (0, 0), modulo the texture
        float scale = 0;
        unsigned revision = 0;
        std::vector<char> standing; // whether each tile of the area had a wall, column-major
    };

    void fadeEffects(float dt);
    void cleanUp();
    void drawTiles();
    // The tiles of [x0, x1) x [y0, y1) in their four layers onto target.
    void drawTileLayers(sf::RenderTarget& target, unsigned x0, unsigned x1, unsigned y0, unsigned y1,
                        bool shadeWithGrey);
    bool renderTileCache(sf::FloatRect seen, float scale);
    // Lays the tiles' picture by copying, from the given texel of its
    // wrapped texture at the area's corner; false when the view does not
    // lay it a texel to a pixel.
    bool copyTilePicture(sf::RenderWindow& window, sf::Vector2i cornerTexel);
    // Draws the tiles of a world rectangle of the area (on whole tiles) into
    // the picture where they belong, split where the texture wraps.
    void drawIntoTileCache(const sf::FloatRect& world);
    void noteStandingWalls();
    TileCache tileCache;
    bool tilePictureFailed = false; // the graphics chip could not hold the picture
    void beginLightMask();
    void finishLightMask();
    std::vector<MaskCell> readMaskCells();
    void paintMask();
    const sf::Texture* uploadPaintedMask();
    std::vector<std::uint8_t> maskRead, maskLight; // the mask as read back, and its light a texel
    std::vector<std::uint8_t> maskTexels;          // maskLight as grey texels for the texture
    sf::Texture paintedMask;
};

// Wears a wall tile down: armour soaks part of every hit, and a tile whose
// hit points fall below zero breaks, becomes free and loses its shadow; its
// debris bursts from at, where the blow landed, and the break is reported to
// the current map as carnage.
void damageTile(Tile& tile, float damage, sf::Vector2f at);

// One frame of fading: alpha drops by rate x dt; dead once it reaches zero.
void fadeTracer(Tracer& tracer, float dt);
void fadeStain(Stain& stain, float dt);

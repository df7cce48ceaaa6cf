#include "world/Map.h"

#include "actors/Enemy.h"
#include "actors/ExplosionResolution.h"
#include "actors/Grenade.h"
#include "actors/HealthUp.h"
#include "actors/InvulnerabilityUp.h"
#include "actors/Player.h"
#include "actors/ShotResolution.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/Picture.h"
#include "core/Random.h"
#include "core/Rects.h"
#include "core/Settings.h"
#include "core/WindowCopy.h"
#include "effects/Particlehandler.h"
#include "effects/lighting/LightSystem.h"
#include "world/Furniture.h"
#include "world/Mapentity.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

Tile::Tile() {
    hitPoints = randInt(50 + 5 * levelNumber, 75 + 5 * levelNumber);
    armour = hitPoints / 10 + randInt(1, 2);
}

void TilePicture::setTexture(const sf::Texture& t, bool resetRect) {
    if (resetRect || (!texture && rect == sf::IntRect()))
        rect = sf::IntRect(0, 0, static_cast<int>(t.getSize().x), static_cast<int>(t.getSize().y));
    texture = &t;
}

Map::Map() = default;

Map::Map(int columns, int rows) {
    makeGrids(columns, rows);
}

namespace {

// What a broken wall adds to the level's carnage.
constexpr int wallCarnage = 5;

// Hands a tile's shadow back to its light system, which deletes it.
void dropHull(Tile& tile) {
    if (!tile.hull)
        return;
    tile.hull->system->removeConvexHull(tile.hull);
    tile.hull = nullptr;
}

} // namespace

// Defined here, where Mapentity is complete. The entity lists are declared
// after the grids, so every entity goes before the tiles it stood on.
Map::~Map() {
    for (auto& column : walls)
        for (Tile& tile : column)
            dropHull(tile);
}

void Map::makeGrids(int columns, int rows) {
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    // Each tile draws its own durability, so every column is built tile by tile.
    auto build = [&](TileGrid& grid) {
        grid.clear();
        grid.resize(static_cast<std::size_t>(columns));
        for (auto& column : grid)
            column.resize(static_cast<std::size_t>(rows));
    };
    build(walls);
    build(layout);
    art.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), {});
}

const Tile* Map::tileAt(sf::Vector2f tilePos) const {
    int nx = columns(), ny = rows();
    if (nx == 0 || ny == 0)
        return nullptr;
    // NaN compares false everywhere; it lands on tile 0.
    float x = std::clamp(tilePos.x, 0.0f, static_cast<float>(nx - 1));
    float y = std::clamp(tilePos.y, 0.0f, static_cast<float>(ny - 1));
    int ix = std::isnan(x) ? 0 : static_cast<int>(std::lround(x));
    int iy = std::isnan(y) ? 0 : static_cast<int>(std::lround(y));
    return &layout[static_cast<std::size_t>(ix)][static_cast<std::size_t>(iy)];
}

Tile* Map::tileAt(sf::Vector2f tilePos) {
    return const_cast<Tile*>(std::as_const(*this).tileAt(tilePos));
}

bool Map::isSolid(int x, int y) const {
    if (x < 0 || y < 0 || x >= columns() || y >= rows())
        return false;
    return walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind != 0;
}

void Map::computeViewWindow(sf::Vector2f c, sf::Vector2f s) {
    float kx = s.x * s.x * 0.5f * 0.001f;
    float ky = s.y * s.y * 0.5f * 0.001f;
    auto clampIndex = [](float v, int count) {
        float high = static_cast<float>(std::max(count - 1, 0));
        return static_cast<unsigned>(std::clamp(std::floor(v), 0.0f, high));
    };
    int nx = columns(), ny = rows();
    viewX0 = clampIndex((c.x - kx) / 64 + 11, nx);
    viewX1 = clampIndex((c.x + kx) / 64 - 11, nx);
    viewY0 = clampIndex((c.y - ky) / 64, ny);
    viewY1 = clampIndex((c.y + ky) / 64 + 1, ny);
}

void damageTile(Tile& tile, float damage, sf::Vector2f at) {
    float d = std::clamp(damage - static_cast<float>(tile.armour), 0.0f, 100000000.0f);
    if (std::isnan(d) || tile.kind == 0)
        return;
    tile.hitPoints -= static_cast<int>(d);
    if (tile.hitPoints < 0) {
        Particlehandler::getInstance()->wallDebris(at, std::rand() % 7 + 8, 50);
        tile.kind = 0;
        ++Map::tileRevision;
        dropHull(tile);
        Contenthandler::getInstance()->wallDestroySound.play();
        Maphandler::getInstance()->report({LevelEvent::Kind::carnage, wallCarnage, 0, "Wall broken", {}});
    }
}

void fadeTracer(Tracer& tracer, float dt) {
    sf::Color fill = tracer.shape.getFillColor();
    sf::Color outline = tracer.shape.getOutlineColor();
    float step = tracer.rate * dt;
    float newFill = static_cast<float>(fill.a) - step;
    float newOutline = static_cast<float>(outline.a) - step;
    fill.a = static_cast<sf::Uint8>(std::clamp(newFill, 0.0f, 255.0f));
    outline.a = static_cast<sf::Uint8>(std::clamp(newOutline, 0.0f, 255.0f));
    tracer.shape.setFillColor(fill);
    tracer.shape.setOutlineColor(outline);
    if (fill.a == 0 || newFill <= 0)
        tracer.dead = true;
}

void fadeStain(Stain& stain, float dt) {
    sf::Color fill = stain.shape.getFillColor();
    float newAlpha = static_cast<float>(fill.a) - stain.rate * dt;
    float newGreen = static_cast<float>(fill.g) + stain.rate * 0.5f * dt;
    fill.a = static_cast<sf::Uint8>(std::clamp(newAlpha, 0.0f, 255.0f));
    fill.g = static_cast<sf::Uint8>(std::clamp(newGreen, 0.0f, 255.0f));
    stain.shape.setFillColor(fill);
    if (fill.a == 0 || newAlpha < 0)
        stain.dead = true;
}

void Map::update(float dt) {
    // What the last update reported has been settled, or nobody settles this map.
    events.clear();
    const sf::View& view = Camera::getInstance()->view;
    computeViewWindow(view.getCenter(), view.getSize());

    // Entities may append to the lists they are walked from (a dying prop
    // never deletes itself), so the walks index instead of iterating.
    // Collisions look the props and the enemies up in grids rather than
    // walking them all; each entity refiles itself once it has moved.
    if (indexEntities) {
        const sf::Vector2f size(static_cast<float>(64 * columns()), static_cast<float>(64 * rows()));
        propIndex.build(furniture, size);
        enemyIndex.build(enemies, size);
    }
    for (std::size_t i = 0; i < enemies.size(); ++i) {
        enemies[i]->update(dt);
        enemyIndex.moved(enemies, i);
    }
    fadeEffects(dt);
    for (std::size_t i = 0; i < furniture.size(); ++i) {
        furniture[i]->update(dt);
        propIndex.moved(furniture, i);
    }
    for (EntityList* list : {&bullets, &grenades})
        for (std::size_t i = 0; i < list->size(); ++i)
            (*list)[i]->update(dt);
    propIndex.clear();
    enemyIndex.clear();
    for (auto& pickup : pickups)
        pickup->update();

    Player* player = Player::getInstance();
    if (player->dead && !player->previousDead)
        events.push_back({LevelEvent::Kind::playerDied, 0, 0, {}, {}, player->lastHit});
    player->previousDead = player->dead;

    elapsed += dt;
    resolveShots(*this);
    resolvePenetratingShots(*this);
    resolveExplosions(*this, Player::getInstance());
    cleanUp();
    // The light map is made for the view this frame is drawn with.
    if (lighting.system) {
        lighting.system->setView(view);
        lighting.system->renderLights();
    }
}

void Map::createHulls(const MapLighting& lights, const std::string& shapePath) {
    lighting = lights;
    if (!lights.system)
        return;
    // Every wall has the same shape: it is read and prepared once, at the
    // first wall, and copied for the others.
    std::vector<sf::Vector2f> vertices, normals;
    qdt::AABB box;
    bool shapeReady = false;
    const float height = Camera::getInstance()->view.getSize().y;
    for (std::size_t x = 0; x < walls.size(); ++x)
        for (std::size_t y = 0; y < walls[x].size(); ++y) {
            Tile& tile = walls[x][y];
            if (tile.kind == 0)
                continue;
            auto hull = std::make_unique<ltbl::ConvexHull>();
            if (!shapeReady) {
                if (!hull->loadShape(shapePath))
                    std::exit(EXIT_FAILURE);
                hull->centerHull();
                hull->calculateNormals();
                hull->generateAABB();
                vertices = hull->vertices;
                normals = hull->normals;
                box = hull->localAABB;
                shapeReady = true;
            } else {
                hull->vertices = vertices;
                hull->normals = normals;
                hull->localAABB = box;
            }
            hull->renderLightOverHull = false;
            float cx = static_cast<float>(64 * x + 32), cy = static_cast<float>(64 * y + 32);
            hull->setWorldCenter({cx, height - cy});
            dropHull(tile);
            tile.hull = lights.system->addConvexHull(std::move(hull));
        }
}

void Map::rebuildMarkers(sf::Vector2f playerPosition) {
    markers.clear();
    const sf::Vector2f P(std::trunc(playerPosition.x / 64) + 0.5f, std::trunc(playerPosition.y / 64) + 0.5f);
    if (!std::isfinite(P.x) || !std::isfinite(P.y))
        return;
    auto sign = [](float v) { return static_cast<float>((v > 0) - (v < 0)); };
    const float nx = static_cast<float>(columns()), ny = static_cast<float>(rows());
    for (unsigned X = viewX0; X < viewX1; ++X)
        for (unsigned Y = viewY0; Y < viewY1; ++Y) {
            if (walls[X][Y].kind == 0)
                continue;
            const sf::Vector2f T(static_cast<float>(X) + 0.5f, static_cast<float>(Y) + 0.5f);
            sf::Vector2f at(T.x + sign(P.x - T.x), T.y + sign(P.y - T.y));
            float a = std::atan2(P.y - at.y, P.x - at.x);
            const sf::Vector2f step(std::cos(a), std::sin(a));
            for (int i = 0; i < 32; ++i) {
                if (at.x < 0 || at.y < 0 || at.x >= nx || at.y >= ny)
                    break;
                int tx = static_cast<int>(at.x), ty = static_cast<int>(at.y);
                if ((tx != static_cast<int>(X) || ty != static_cast<int>(Y)) && isSolid(tx, ty))
                    break;
                if (std::abs(at.x - P.x) <= 1 && std::abs(at.y - P.y) <= 1) {
                    markers.push_back(T);
                    break;
                }
                at += step;
            }
        }
}

void Map::fadeEffects(float dt) {
    for (Tracer& t : tracers)
        fadeTracer(t, dt);
    for (Stain& s : stains)
        fadeStain(s, dt);
}

namespace {

// What a broken prop leaves on the floor: one time in five invulnerability,
// otherwise health.
std::unique_ptr<PowerUp> dropFrom(const Mapentity& prop) {
    if (std::rand() % 5 == 0)
        return std::make_unique<InvulnerabilityUp>(prop.position);
    return std::make_unique<HealthUp>(prop.position);
}

} // namespace

void Map::cleanUp() {
    std::vector<const Mapentity*> departed;
    for (std::size_t i = enemies.size(); i-- > 0;) {
        if (!enemies[i]->dead)
            continue;
        if (auto* enemy = dynamic_cast<Enemy*>(enemies[i].get()))
            enemy->leaveDead(*this);
        departed.push_back(enemies[i].get());
    }
    // No one may aim at an enemy that is about to be deleted. The pointers
    // are compared, never followed, so this holds whatever a target was.
    if (!departed.empty())
        for (auto& e : enemies)
            if (auto* enemy = dynamic_cast<Enemy*>(e.get());
                enemy && std::find(departed.begin(), departed.end(), enemy->target) != departed.end())
                enemy->target = nullptr;
    std::erase_if(enemies, [](const std::unique_ptr<Mapentity>& e) { return e->dead; });
    std::erase_if(tracers, [](const Tracer& t) { return t.dead; });
    std::erase_if(stains, [](const Stain& s) { return s.dead; });
    for (std::size_t i = furniture.size(); i-- > 0;) {
        if (!furniture[i]->dead)
            continue;
        auto* prop = dynamic_cast<Furniture*>(furniture[i].get());
        if (prop && !prop->noDrop)
            pickups.push_back(dropFrom(*prop));
        if (prop && prop->explosive) {
            float damage = static_cast<float>((levelNumber / 5 + 1) * 250);
            explosions.push_back({damage, 350.0f, prop->position.x, prop->position.y,
                                  prop->brokenBy.blast(HitSource::With::barrel)});
        }
        furniture.erase(furniture.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (std::size_t i = bullets.size(); i-- > 0;)
        if (bullets[i]->dead)
            bullets.erase(bullets.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t i = grenades.size(); i-- > 0;) {
        if (!grenades[i]->dead)
            continue;
        if (auto* grenade = dynamic_cast<Grenade*>(grenades[i].get()))
            explosions.push_back({grenade->damage, grenade->explosionRadius, grenade->position.x,
                                  grenade->position.y, grenade->source});
        grenades.erase(grenades.begin() + static_cast<std::ptrdiff_t>(i));
    }
    std::erase_if(pickups, [](const std::unique_ptr<PowerUp>& p) { return p->taken; });
}

namespace {

// Appends a tile picture whose top-left corner is at p as one textured quad.
void appendQuad(sf::VertexArray& batch, const TilePicture& picture, sf::Vector2f p) {
    const sf::IntRect& r = picture.rect;
    if (r.width == 0 || r.height == 0)
        return;
    float w = static_cast<float>(r.width), h = static_cast<float>(r.height);
    float u = static_cast<float>(r.left), v = static_cast<float>(r.top);
    const sf::Color c = sf::Color::White;
    batch.append({p, c, {u, v}});
    batch.append({{p.x + w, p.y}, c, {u + w, v}});
    batch.append({{p.x + w, p.y + h}, c, {u + w, v + h}});
    batch.append({{p.x, p.y + h}, c, {u, v + h}});
}

} // namespace

// The tiles of the view window in three passes: floors, then every shading,
// then the walls. Each pass is one batch per texture, a quad per picture.
void Map::drawTileLayers(sf::RenderTarget& target, unsigned x0, unsigned x1, unsigned y0, unsigned y1,
                         bool shadeWithGrey) {
    Contenthandler* content = Contenthandler::getInstance();
    sf::Shader& shader = content->grayScaleShader;
    shader.setUniform("tint", sf::Glsl::Vec4(sf::Color(255, 255, 255, 255)));

    sf::VertexArray floors(sf::Quads), floorEdges(sf::Quads), wallEdges(sf::Quads), wallSprites(sf::Quads);
    const sf::Texture* floorTexture = nullptr;
    const sf::Texture* floorEdgeTexture = nullptr;
    const sf::Texture* wallEdgeTexture = nullptr;
    const sf::Texture* wallTexture = nullptr;
    for (unsigned x = x0; x < x1; ++x)
        for (unsigned y = y0; y < y1; ++y) {
            const bool standing = walls[x][y].kind != 0;
            const int ix = static_cast<int>(x), iy = static_cast<int>(y);
            const TileArt& look = artAt(ix, iy);
            const sf::Vector2f corner = TileArt::corner(ix, iy), edgeCorner = TileArt::edgeCorner(ix, iy);
            if (!standing && look.floor.texture) {
                appendQuad(floors, look.floor, corner);
                floorTexture = look.floor.texture;
            }
            if (look.floorEdge.texture) {
                appendQuad(floorEdges, look.floorEdge, edgeCorner);
                floorEdgeTexture = look.floorEdge.texture;
            }
            if (standing && look.wallEdge.texture) {
                appendQuad(wallEdges, look.wallEdge, edgeCorner);
                wallEdgeTexture = look.wallEdge.texture;
            }
            if (standing && look.wall.texture) {
                appendQuad(wallSprites, look.wall, corner);
                wallTexture = look.wall.texture;
            }
        }
    auto drawBatch = [&](const sf::VertexArray& batch, const sf::Texture* texture, bool shaded) {
        if (!texture || batch.getVertexCount() == 0)
            return;
        sf::RenderStates states(texture);
        if (shaded && shadeWithGrey)
            states.shader = &shader;
        target.draw(batch, states);
    };
    drawBatch(floors, floorTexture, true);
    drawBatch(floorEdges, floorEdgeTexture, false);
    drawBatch(wallEdges, wallEdgeTexture, false);
    drawBatch(wallSprites, wallTexture, true);
}

unsigned Map::tileRevision = 0;
const sf::Color Map::backdrop(96, 128, 96);

namespace {

float wrapped(float v, float size) {
    float r = std::fmod(v, size);
    return r < 0 ? r + size : r;
}

} // namespace

void Map::drawIntoTileCache(const sf::FloatRect& world) {
    TileCache& cache = tileCache;
    sf::RenderTexture& texture = *cache.texture;
    const sf::Vector2f texels(static_cast<float>(texture.getSize().x),
                              static_cast<float>(texture.getSize().y));
    const sf::Vector2f span = texels / cache.scale; // the world's size of the texture
    // A tile's shading reaches 16 pixels up and left and 80 down and right of its corner.
    // The last column and row are never drawn, as in the view window.
    auto index = [](float v, int count) {
        return static_cast<unsigned>(
            std::clamp(static_cast<int>(std::floor(v / 64)), 0, std::max(count - 1, 0)));
    };
    // Cut where the texture wraps: at most once across and once down.
    const sf::Vector2f start(wrapped(world.left - cache.wrapOrigin.x, span.x),
                             wrapped(world.top - cache.wrapOrigin.y, span.y));
    std::vector<float> xs{world.left}, ys{world.top};
    if (start.x + world.width > span.x)
        xs.push_back(world.left + span.x - start.x);
    xs.push_back(world.left + world.width);
    if (start.y + world.height > span.y)
        ys.push_back(world.top + span.y - start.y);
    ys.push_back(world.top + world.height);
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const sf::FloatRect piece(xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]);
            const sf::Vector2f at(std::round(wrapped(piece.left - cache.wrapOrigin.x, span.x) * cache.scale),
                                  std::round(wrapped(piece.top - cache.wrapOrigin.y, span.y) * cache.scale));
            sf::View view(piece);
            view.setViewport({at.x / texels.x, at.y / texels.y, piece.width * cache.scale / texels.x,
                              piece.height * cache.scale / texels.y});
            texture.setView(view);
            // What the piece held before goes: the backdrop as a clear would leave it.
            sf::RectangleShape ground({piece.width, piece.height});
            ground.setPosition(piece.left, piece.top);
            ground.setFillColor(backdrop);
            texture.draw(ground, sf::BlendNone);
            drawTileLayers(texture, index(piece.left - 80, columns()),
                           index(piece.left + piece.width + 80, columns()), index(piece.top - 80, rows()),
                           index(piece.top + piece.height + 80, rows()), false);
        }
}

void Map::noteStandingWalls() {
    TileCache& cache = tileCache;
    const int x0 = static_cast<int>(cache.area.left / 64), y0 = static_cast<int>(cache.area.top / 64);
    const int nx = static_cast<int>(cache.area.width / 64), ny = static_cast<int>(cache.area.height / 64);
    cache.standing.assign(static_cast<std::size_t>(nx * ny), 0);
    for (int x = std::max(x0, 0); x < std::min(x0 + nx, columns()); ++x)
        for (int y = std::max(y0, 0); y < std::min(y0 + ny, rows()); ++y)
            cache.standing[static_cast<std::size_t>((x - x0) * ny + (y - y0))] =
                walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind != 0;
}

bool Map::renderTileCache(sf::FloatRect seen, float scale) {
    // A margin of four tiles, so that walking draws new tiles only every few
    // steps; the area starts on whole tiles, so the texels stay on the
    // world's pixels.
    constexpr float margin = 256;
    TileCache& cache = tileCache;
    auto placed = [&seen](sf::Vector2f size) {
        return sf::FloatRect(std::floor((seen.left + seen.width / 2 - size.x / 2) / 64) * 64,
                             std::floor((seen.top + seen.height / 2 - size.y / 2) / 64) * 64, size.x, size.y);
    };
    // The picture scrolls when a tile's width is a whole number of texels, so
    // that every piece drawn starts on a texel; at other scales, and when the
    // view has outgrown it, it is drawn anew.
    const float tileTexels = 64 * scale;
    const bool scrolls = cache.texture && cache.scale == scale && tileTexels == std::round(tileTexels) &&
                         cache.area.width >= seen.width + 128 && cache.area.height >= seen.height + 128;
    if (scrolls) {
        const sf::FloatRect old = cache.area;
        sf::FloatRect area = old;
        if (seen.left < old.left || seen.top < old.top || seen.left + seen.width > old.left + old.width ||
            seen.top + seen.height > old.top + old.height)
            area = placed({old.width, old.height});
        sf::FloatRect kept;
        if (old.intersects(area, kept) && kept.width >= 64 && kept.height >= 64) {
            // The walls that broke or rose since: each redraws the tiles around it.
            sf::FloatRect dirty;
            if (cache.revision != tileRevision) {
                const int x0 = static_cast<int>(old.left / 64), y0 = static_cast<int>(old.top / 64);
                const int ny = static_cast<int>(old.height / 64);
                for (int x = static_cast<int>(kept.left / 64);
                     x < static_cast<int>((kept.left + kept.width) / 64); ++x)
                    for (int y = static_cast<int>(kept.top / 64);
                         y < static_cast<int>((kept.top + kept.height) / 64); ++y) {
                        const bool now =
                            x >= 0 && y >= 0 && x < columns() && y < rows() &&
                            walls[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].kind != 0;
                        if (now != (cache.standing[static_cast<std::size_t>((x - x0) * ny + (y - y0))] != 0))
                            dirty = unite(dirty, {static_cast<float>(64 * (x - 1)),
                                                  static_cast<float>(64 * (y - 1)), 192, 192});
                    }
            }
            cache.area = area;
            // The new area's parts outside the old one: a band across and a band down.
            const float keptRight = kept.left + kept.width, keptBottom = kept.top + kept.height;
            const float right = area.left + area.width, bottom = area.top + area.height;
            for (const sf::FloatRect& band :
                 {sf::FloatRect(area.left, area.top, area.width, kept.top - area.top),
                  sf::FloatRect(area.left, keptBottom, area.width, bottom - keptBottom),
                  sf::FloatRect(area.left, kept.top, kept.left - area.left, kept.height),
                  sf::FloatRect(keptRight, kept.top, right - keptRight, kept.height)})
                if (band.width > 0 && band.height > 0)
                    drawIntoTileCache(band);
            sf::FloatRect redraw;
            if (dirty.width > 0 && dirty.intersects(kept, redraw))
                drawIntoTileCache(redraw);
            cache.texture->display();
            cache.revision = tileRevision;
            noteStandingWalls();
            return true;
        }
    }

    const sf::FloatRect area = placed({std::ceil((seen.width + 2 * margin) / 64) * 64 + 64,
                                       std::ceil((seen.height + 2 * margin) / 64) * 64 + 64});
    const sf::Vector2u pixels(static_cast<unsigned>(std::ceil(area.width * scale)),
                              static_cast<unsigned>(std::ceil(area.height * scale)));
    if (!cache.texture || cache.texture->getSize() != pixels) {
        cache.texture = std::make_unique<sf::RenderTexture>();
        // Beyond the graphics chip's largest texture the tiles are drawn as they are.
        if (pixels.x > sf::Texture::getMaximumSize() || pixels.y > sf::Texture::getMaximumSize() ||
            !cache.texture->create(pixels.x, pixels.y)) {
            cache.texture.reset();
            return false;
        }
        cache.texture->setRepeated(true);
    }
    cache.area = area;
    cache.wrapOrigin = {area.left, area.top};
    cache.scale = scale;
    drawIntoTileCache(area);
    cache.texture->display();
    cache.revision = tileRevision;
    noteStandingWalls();
    return true;
}

// The tiles come from their picture while the view stays inside it. The
// picture holds colours premultiplied by their cover, as drawing over a
// clear texture leaves them, and is laid over the scene so; the grey of low
// health is applied as it is laid.
void Map::drawTiles() {
    sf::RenderWindow& window = gameWindow();
    const sf::View& view = window.getView();
    const sf::Vector2f size = view.getSize(), centre = view.getCenter();
    const float turn = view.getRotation() * 3.14159265f / 180;
    const sf::Vector2f reach((std::abs(size.x * std::cos(turn)) + std::abs(size.y * std::sin(turn))) / 2,
                             (std::abs(size.x * std::sin(turn)) + std::abs(size.y * std::cos(turn))) / 2);
    const sf::FloatRect seen(centre - reach, reach * 2.0f);
    const float scale = static_cast<float>(window.getSize().x) / size.x;
    const TileCache& cache = tileCache;
    auto inside = [](const sf::FloatRect& outer, const sf::FloatRect& inner) {
        return inner.left >= outer.left && inner.top >= outer.top &&
               inner.left + inner.width <= outer.left + outer.width &&
               inner.top + inner.height <= outer.top + outer.height;
    };
    const bool current =
        cache.texture && cache.scale == scale && cache.revision == tileRevision && inside(cache.area, seen);
    if (paintsWholeView() && !current && !renderTileCache(seen, scale)) {
        // The frame was left uncleared for the picture to cover it.
        tilePictureFailed = true;
        window.clear(backdrop);
    }
    if (!paintsWholeView()) {
        drawTileLayers(window, viewX0, viewX1, viewY0, viewY1, true);
        return;
    }
    // The texture wraps: the area's corner lies wherever scrolling put it.
    sf::Sprite picture(cache.texture->getTexture());
    const sf::Vector2u texels = cache.texture->getSize();
    const sf::Vector2f span(static_cast<float>(texels.x) / scale, static_cast<float>(texels.y) / scale);
    const sf::Vector2i corner(
        static_cast<int>(std::round(wrapped(cache.area.left - cache.wrapOrigin.x, span.x) * scale)),
        static_cast<int>(std::round(wrapped(cache.area.top - cache.wrapOrigin.y, span.y) * scale)));
    Contenthandler* content = Contenthandler::getInstance();
    if (groundCopied && !(content->greyFactor > 0) && copyTilePicture(window, corner))
        return;
    picture.setTextureRect(
        sf::IntRect(corner.x, corner.y, static_cast<int>(texels.x), static_cast<int>(texels.y)));
    picture.setPosition(cache.area.left, cache.area.top);
    picture.setScale(1 / scale, 1 / scale);
    sf::RenderStates states(sf::BlendNone);
    if (content->greyFactor > 0) {
        content->grayScaleShader.setUniform("tint", sf::Glsl::Vec4(sf::Color::White));
        states.shader = &content->grayScaleShader;
    }
    window.draw(picture, states);
}

bool Map::copyTilePicture(sf::RenderWindow& window, sf::Vector2i cornerTexel) {
    const TileCache& cache = tileCache;
    const sf::View& view = window.getView();
    const sf::Vector2u pixels = window.getSize();
    const sf::Vector2f size = view.getSize();
    if (view.getRotation() != 0 || view.getViewport() != sf::FloatRect(0, 0, 1, 1) ||
        std::abs(size.y * cache.scale - static_cast<float>(pixels.y)) > 1e-3f)
        return false;
    // Where the renderer puts the area's corner in the window, on its grid
    // of 256ths of a pixel; each pixel then shows the texel under its middle.
    const sf::Vector2f viewCorner = view.getCenter() - size / 2.0f;
    auto snapped = [](float v) { return std::round(v * 256) / 256; };
    const sf::Vector2f at(snapped((cache.area.left - viewCorner.x) * cache.scale),
                          snapped((cache.area.top - viewCorner.y) * cache.scale));
    const sf::Vector2u texels = cache.texture->getSize();
    if (at.x > 0 || at.y > 0 || at.x + static_cast<float>(texels.x) < static_cast<float>(pixels.x) ||
        at.y + static_cast<float>(texels.y) < static_cast<float>(pixels.y))
        return false;
    auto wrappedTexel = [](float v, unsigned count) {
        const auto n = static_cast<long>(count);
        return static_cast<unsigned>(((static_cast<long>(std::floor(v)) % n) + n) % n);
    };
    // A pixel's middle on the line between two texels takes either, as the
    // rounding of the renderer's texture coordinates has it: those frames
    // are drawn.
    const sf::Vector2f middle(0.5f + static_cast<float>(cornerTexel.x) - at.x,
                              0.5f + static_cast<float>(cornerTexel.y) - at.y);
    if (middle.x == std::floor(middle.x) || middle.y == std::floor(middle.y))
        return false;
    const unsigned firstColumn = wrappedTexel(middle.x, texels.x),
                   firstRow = wrappedTexel(middle.y, texels.y);
    // Split where the texture wraps, across and down.
    auto runs = [](unsigned first, unsigned count, unsigned length) {
        std::vector<std::pair<unsigned, unsigned>> pieces; // texel, pixel
        for (unsigned pixel = 0, texel = first; pixel < length; texel = 0)
            pieces.emplace_back(texel, pixel), pixel += std::min(length - pixel, count - texel);
        return pieces;
    };
    const auto across = runs(firstColumn, texels.x, pixels.x), down = runs(firstRow, texels.y, pixels.y);
    std::vector<CopiedPiece> pieces;
    for (std::size_t i = 0; i < across.size(); ++i)
        for (std::size_t j = 0; j < down.size(); ++j) {
            const unsigned right = i + 1 < across.size() ? across[i + 1].second : pixels.x;
            const unsigned bottom = j + 1 < down.size() ? down[j + 1].second : pixels.y;
            pieces.push_back(
                {{across[i].first, down[j].first},
                 sf::IntRect(static_cast<int>(across[i].second), static_cast<int>(down[j].second),
                             static_cast<int>(right - across[i].second),
                             static_cast<int>(bottom - down[j].second))});
        }
    return copyIntoWindow(window, cache.texture->getTexture(), pieces);
}

namespace {

// The screen's rectangle, in whole units of the unturned view, around what
// a world rectangle covers in the view.
sf::FloatRect screenRect(const sf::FloatRect& world, const sf::View& view) {
    const sf::Transform& toClip = view.getTransform();
    const sf::Vector2f size = view.getSize();
    float left = size.x, top = size.y, right = 0, bottom = 0;
    for (sf::Vector2f corner :
         {sf::Vector2f(world.left, world.top), sf::Vector2f(world.left + world.width, world.top),
          sf::Vector2f(world.left, world.top + world.height),
          sf::Vector2f(world.left + world.width, world.top + world.height)}) {
        const sf::Vector2f clip = toClip.transformPoint(corner);
        const sf::Vector2f at((clip.x + 1) / 2 * size.x, (1 - clip.y) / 2 * size.y);
        left = std::min(left, at.x);
        top = std::min(top, at.y);
        right = std::max(right, at.x);
        bottom = std::max(bottom, at.y);
    }
    left = std::floor(left) - 1;
    top = std::floor(top) - 1;
    return {left, top, std::ceil(right) + 1 - left, std::ceil(bottom) + 1 - top};
}

} // namespace

// Draw steps 1 to 4: the light system follows the camera and the player's
// light the player. A shake turns the view anew for every draw; a light map
// made for another view would leave the shadows beside their walls, so it is
// made again.
void Map::beginLightMask() {
    const sf::View& view = Camera::getInstance()->view;
    lighting.system->setView(view);
    sf::Vector2f player = Player::getInstance()->position;
    lighting.playerLight->setCenter({player.x, view.getSize().y - player.y});
    rebuildMarkers(player);
    if (!lighting.system->rendersCurrentView())
        lighting.system->renderLights();
}

// The mask's cells are 16 texels square, cut down to 8 where a cell is
// neither even nor sloped: the renderer lays a flat rectangle far faster
// than it reads the mask through its shader, and smaller cells than that
// cost more to set up than they save.
constexpr unsigned maskCell = 16, finestMaskCell = 8;

// The mask read back, a cell at a time; none when it cannot be read.
std::vector<MaskCell> Map::readMaskCells() {
    sf::RenderTexture& mask = *lighting.mask;
    const sf::Vector2u pixels = mask.getSize();
    if (!mask.setActive(true))
        return {};
    maskRead.resize(static_cast<std::size_t>(pixels.x) * pixels.y * 4);
    glReadPixels(0, 0, static_cast<GLsizei>(pixels.x), static_cast<GLsizei>(pixels.y), GL_RGBA,
                 GL_UNSIGNED_BYTE, maskRead.data());
    // The pass reads the brightest channel; the rows come bottom first.
    maskLight.resize(static_cast<std::size_t>(pixels.x) * pixels.y);
    for (unsigned y = 0; y < pixels.y; ++y)
        for (unsigned x = 0; x < pixels.x; ++x) {
            const std::uint8_t* texel = &maskRead[(static_cast<std::size_t>(y) * pixels.x + x) * 4];
            maskLight[static_cast<std::size_t>(pixels.y - 1 - y) * pixels.x + x] =
                std::max({texel[0], texel[1], texel[2]});
        }
    return maskCells(maskLight, pixels.x, pixels.y, maskCell, slopeTolerance, finestMaskCell);
}

// The mask made on the processor: the painted light map blurred, and the
// walls in sight laid white over it as the mask's view shows them.
void Map::paintMask() {
    const sf::View& view = Camera::getInstance()->view;
    const sf::Vector2u pixels = lighting.mask->getSize();
    lighting.system->blurPainted(maskLight, lightBlurRadius);
    const sf::Transform toClip = view.getTransform();
    for (const sf::Vector2f& m : markers) {
        const sf::Vector2f corner((m.x - 0.5f) * 64, (m.y - 0.5f) * 64);
        sf::Vector2f square[] = {corner, corner + sf::Vector2f(64, 0), corner + sf::Vector2f(64, 64),
                                 corner + sf::Vector2f(0, 64)};
        for (sf::Vector2f& at : square) {
            const sf::Vector2f clip = toClip.transformPoint(at);
            at = {(clip.x + 1) / 2 * static_cast<float>(pixels.x),
                  (1 - clip.y) / 2 * static_cast<float>(pixels.y)};
        }
        ltbl::LightRaster::fill(maskLight, pixels.x, pixels.y, square, 4, 255);
    }
}

// The painted mask as the texture the mask's pass reads, grey.
const sf::Texture* Map::uploadPaintedMask() {
    const sf::Vector2u pixels = lighting.mask->getSize();
    if (paintedMask.getSize() != pixels) {
        if (!paintedMask.create(pixels.x, pixels.y))
            return &lighting.mask->getTexture();
        paintedMask.setSmooth(true); // scaled up over the screen as the drawn mask is
    }
    maskTexels.resize(maskLight.size() * 4);
    for (std::size_t i = 0; i < maskLight.size(); ++i) {
        std::uint8_t* texel = &maskTexels[i * 4];
        texel[0] = texel[1] = texel[2] = maskLight[i];
        texel[3] = 255;
    }
    paintedMask.update(maskTexels.data());
    return &paintedMask;
}

// Draw steps 9 and 10: the blurred light map and the walls in sight go into
// the mask, which then darkens the scene wherever it is not lit. The mask is
// the screen at the light map's resolution, laid over it scaled up smoothly.
void Map::finishLightMask() {
    const sf::View& view = Camera::getInstance()->view;
    sf::RenderTexture& mask = *lighting.mask;
    // A light map painted on the processor is blurred there too, and the
    // mask needs no reading back.
    const bool painted = lighting.system->paintedGrey() && lighting.system->lightMapSize() == mask.getSize();
    if (!painted) {
        lighting.system->drawBlurred(mask, blurShader());
        mask.setView(view);
        sf::VertexArray squares(sf::Quads);
        for (const sf::Vector2f& m : markers) {
            sf::Vector2f corner((m.x - 0.5f) * 64, (m.y - 0.5f) * 64);
            squares.append({corner, sf::Color::White});
            squares.append({{corner.x + 64, corner.y}, sf::Color::White});
            squares.append({{corner.x + 64, corner.y + 64}, sf::Color::White});
            squares.append({{corner.x, corner.y + 64}, sf::Color::White});
        }
        mask.draw(squares);
        mask.display();
    }
    sf::RenderWindow& window = gameWindow();
    const sf::Vector2f screen = view.getSize();
    const sf::Vector2u pixels = mask.getSize();
    const sf::Vector2f texels(static_cast<float>(pixels.x) / screen.x,
                              static_cast<float>(pixels.y) / screen.y);
    // The player is drawn after the mask: his patch of the screen is laid
    // without the tint, which is owed until he has been drawn.
    const sf::Color tint = Camera::getInstance()->overlayColor;
    const sf::FloatRect all(0, 0, screen.x, screen.y);
    sf::FloatRect patch;
    if (tint.a != 0) {
        if (!screenRect(Player::getInstance()->pictureBounds(), view).intersects(all, patch))
            patch = {};
        tintOwed = patch;
    } else {
        tintOwed.reset();
    }
    // Cells of even light go out as flat rectangles of the colour the pass
    // would lay, sloped ones shaded from corner to corner; the rest as quads
    // of the screen with the mask's texels under them, as a sprite of the
    // mask stretched over the screen has.
    std::vector<MaskCell> cells;
    if (painted) {
        paintMask();
        if (flatCells)
            cells = maskCells(maskLight, pixels.x, pixels.y, maskCell, slopeTolerance, finestMaskCell);
    } else if (flatCells) {
        cells = readMaskCells();
    }
    if (cells.empty())
        cells.push_back({0, 0, pixels.x, pixels.y});
    const sf::Texture* maskPicture = &mask.getTexture();
    if (painted &&
        std::any_of(cells.begin(), cells.end(), [](const MaskCell& c) { return !c.even && !c.sloped; }))
        maskPicture = uploadPaintedMask();
    sf::VertexArray flat(sf::Quads), shaded(sf::Quads), shadedInPatch(sf::Quads);
    auto lay = [&](const sf::FloatRect& r, const MaskCell& cell, bool tinted) {
        if (r.width <= 0 || r.height <= 0)
            return;
        const sf::Vector2f corners[] = {{r.left, r.top},
                                        {r.left + r.width, r.top},
                                        {r.left + r.width, r.top + r.height},
                                        {r.left, r.top + r.height}};
        const sf::Color laidTint = tinted ? tint : sf::Color::Transparent;
        if (cell.even) {
            const sf::Color colour = laidColour(cell.light, laidTint);
            if (colour != sf::Color::Transparent)
                for (sf::Vector2f at : corners)
                    flat.append(sf::Vertex(at, colour));
            return;
        }
        if (cell.sloped) {
            // The colour is a straight line in the light, so shading it
            // from corner to corner follows the slope.
            for (sf::Vector2f at : corners)
                flat.append(
                    sf::Vertex(at, laidColour(cell.lightAt(at.x * texels.x, at.y * texels.y), laidTint)));
            return;
        }
        for (sf::Vector2f at : corners)
            (tinted ? shaded : shadedInPatch)
                .append(sf::Vertex(at, sf::Color::White, {at.x * texels.x, at.y * texels.y}));
    };
    const float patchRight = patch.left + patch.width, patchBottom = patch.top + patch.height;
    for (const MaskCell& cell : cells) {
        const sf::FloatRect r(static_cast<float>(cell.x) / texels.x, static_cast<float>(cell.y) / texels.y,
                              static_cast<float>(cell.width) / texels.x,
                              static_cast<float>(cell.height) / texels.y);
        sf::FloatRect inside;
        if (patch.width <= 0 || patch.height <= 0 || !r.intersects(patch, inside)) {
            lay(r, cell, tint.a != 0);
            continue;
        }
        const float right = r.left + r.width, bottom = r.top + r.height;
        lay({r.left, r.top, r.width, inside.top - r.top}, cell, true);
        lay({r.left, patchBottom, r.width, bottom - patchBottom}, cell, true);
        lay({r.left, inside.top, inside.left - r.left, inside.height}, cell, true);
        lay({patchRight, inside.top, right - patchRight, inside.height}, cell, true);
        lay(inside, cell, false);
    }
    showView(window, sf::View(all));
    const sf::BlendMode premultiplied(sf::BlendMode::One, sf::BlendMode::OneMinusSrcAlpha);
    window.draw(flat, premultiplied);
    // The mask's darkness and the tint blend as one premultiplied colour.
    sf::Shader& shader = transparencyShader();
    sf::RenderStates states(premultiplied, sf::Transform(), maskPicture, &shader);
    shader.setUniform("tint", sf::Glsl::Vec4(tint));
    window.draw(shaded, states);
    shader.setUniform("tint", sf::Glsl::Vec4(0, 0, 0, 0));
    window.draw(shadedInPatch, states);
    showView(window, view);
}

void Map::draw() {
    Camera* camera = Camera::getInstance();
    sf::RenderWindow& window = gameWindow();
    const bool lit = lighting.system && lighting.playerLight && lighting.mask;
    tintOwed.reset();
    if (lit)
        beginLightMask();
    showView(window, camera->view);
    drawTiles();
    Particlehandler* particles = Particlehandler::getInstance();
    particles->draw(Particlehandler::ground);
    // An enemy's picture, health bar and badge reach well past its hit circle.
    for (auto& e : enemies)
        if (camera->isVisible(e->position, std::max(e->radius, static_cast<float>(e->frameHeight) / 2 + 16)))
            e->draw();
    for (const Tracer& t : tracers)
        window.draw(t.shape);
    for (const Stain& s : stains)
        window.draw(s.shape);
    // Props off screen would draw nothing; skipping them saves a draw call
    // each. A prop's picture is wider than its hit circle.
    for (auto& f : furniture)
        if (camera->isVisible(f->position, std::max(f->radius, static_cast<float>(f->frameWidth) / 2)))
            f->draw();
    for (EntityList* list : {&bullets, &grenades})
        for (auto& e : *list)
            if (camera->isVisible(e->position, e->radius))
                e->draw();
    for (auto& pickup : pickups)
        if (camera->isVisible(pickup->position, 48))
            pickup->draw();
    particles->draw(Particlehandler::air);
    if (lit)
        finishLightMask();
}

LevelCensus Map::census() const {
    LevelCensus census;
    census.elapsed = elapsed;
    census.actors.reserve(enemies.size());
    for (const auto& actor : enemies)
        census.actors.push_back({actor->getKind(), actor->getSizeFactor()});
    return census;
}

std::uint32_t Map::generatedFingerprint() const {
    // FNV-1a over the words.
    std::uint32_t hash = 2166136261u;
    auto mix = [&hash](std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (word >> (8 * i)) & 0xFF;
            hash *= 16777619u;
        }
    };
    for (const TileGrid* grid : {&walls, &layout})
        for (const std::vector<Tile>& column : *grid)
            for (const Tile& tile : column) {
                mix(tile.kind);
                mix(static_cast<std::uint32_t>(tile.hitPoints));
                mix(static_cast<std::uint32_t>(tile.armour));
            }
    for (const EntityList* list : {&furniture, &enemies}) {
        mix(static_cast<std::uint32_t>(list->size()));
        for (const std::unique_ptr<Mapentity>& entity : *list) {
            mix(std::bit_cast<std::uint32_t>(entity->position.x));
            mix(std::bit_cast<std::uint32_t>(entity->position.y));
        }
    }
    return hash;
}

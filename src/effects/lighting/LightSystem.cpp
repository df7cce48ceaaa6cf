#include "effects/lighting/LightSystem.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cmath>

namespace ltbl {

namespace {

// The screen the light map covers, in pixels.
constexpr unsigned screenWidth = 1920;
constexpr unsigned screenHeight = 1080;
// How far umbrae and fins reach past their hull: beyond any view.
constexpr float shadowReach = 20000.0f;

sf::Vector2f normalised(sf::Vector2f v) {
    float length = std::hypot(v.x, v.y);
    return length > 0 ? v / length : sf::Vector2f(0, 0);
}

sf::Vector2f rotated(sf::Vector2f v, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

float cross(sf::Vector2f a, sf::Vector2f b) {
    return a.x * b.y - a.y * b.x;
}

qdt::AABB overlap(const qdt::AABB& a, const qdt::AABB& b) {
    sf::Vector2f lower(std::max(a.lowerBound.x, b.lowerBound.x), std::max(a.lowerBound.y, b.lowerBound.y));
    sf::Vector2f upper(std::min(a.upperBound.x, b.upperBound.x), std::min(a.upperBound.y, b.upperBound.y));
    return qdt::AABB::fromBounds(lower, upper);
}

bool containsPoint(const qdt::AABB& box, sf::Vector2f p) {
    return box.lowerBound.x <= p.x && p.x <= box.upperBound.x && box.lowerBound.y <= p.y &&
           p.y <= box.upperBound.y;
}

} // namespace

LightSystem::LightSystem(const qdt::AABB& region, const std::string& finTexturePath,
                         const std::string& attenuationShaderPath, unsigned divisor)
    : lightTree(region), hullTree(region) {
    divisor = std::max(divisor, 1u);
    lightTexture.create(screenWidth / divisor, screenHeight / divisor);
    blurTexture.create(screenWidth / divisor, screenHeight / divisor);
    // A reduced map is read between its pixels by the blur's taps; the full
    // one keeps the sharp reads the blur was tuned with.
    lightTexture.setSmooth(divisor > 1);
    blurTexture.setSmooth(divisor > 1);
    paintedMap.create(screenWidth / divisor, screenHeight / divisor);
    paintedMap.setSmooth(divisor > 1);
    shaderLoaded = attenuationShader.loadFromFile(attenuationShaderPath, sf::Shader::Fragment);
    sf::Image fin;
    finLoaded = fin.loadFromFile(finTexturePath) && finTexture.loadFromImage(fin);
    finTexture.setSmooth(true);
    // The fin texture fades only across the fin: its top row says it all.
    if (finLoaded)
        for (unsigned x = 0; x < fin.getSize().x; ++x)
            finAlpha.push_back(fin.getPixel(x, 0).a);
}

Light* LightSystem::addLight(std::unique_ptr<Light> light) {
    light->system = this;
    lightTree.add(light.get());
    lights.push_back(std::move(light));
    return lights.back().get();
}

ConvexHull* LightSystem::addConvexHull(std::unique_ptr<ConvexHull> hull) {
    hull->system = this;
    hull->slot = hulls.size();
    hullTree.add(hull.get());
    hulls.push_back(std::move(hull));
    return hulls.back().get();
}

void LightSystem::removeConvexHull(ConvexHull* hull) {
    if (!hull || hull->system != this || hull->slot >= hulls.size() || hulls[hull->slot].get() != hull)
        return;
    // The last hull takes the removed one's place; the removed one leaves
    // its index as it is destroyed.
    std::size_t slot = hull->slot;
    hulls[slot] = std::move(hulls.back());
    hulls[slot]->slot = slot;
    hulls.pop_back();
}

bool LightSystem::sameView(const sf::View& a, const sf::View& b) {
    return a.getCenter() == b.getCenter() && a.getSize() == b.getSize() && a.getRotation() == b.getRotation();
}

void LightSystem::setView(const sf::View& newView) {
    view = newView;
    // The box around the turned view: what it shows lies inside, and the
    // box is convex, so culling against it keeps every shadow in view.
    const float angle = view.getRotation() * 3.14159265f / 180.0f;
    const float c = std::abs(std::cos(angle)), s = std::abs(std::sin(angle));
    const sf::Vector2f half = view.getSize() / 2.0f;
    sf::Vector2f centre(view.getCenter().x, view.getSize().y - view.getCenter().y);
    viewAABB = qdt::AABB::fromCenter(centre, {half.x * c + half.y * s, half.x * s + half.y * c});
}

std::vector<Light*> LightSystem::visibleLights() const {
    std::vector<qdt::QuadTreeOccupant*> found;
    lightTree.query(viewAABB, found);
    std::vector<Light*> result;
    for (auto* occupant : found)
        result.push_back(static_cast<Light*>(occupant));
    return result;
}

std::vector<ConvexHull*> LightSystem::shadowCasters(const Light& light) const {
    qdt::AABB area = light.aabb;
    if (cullHullsOutsideView && containsPoint(viewAABB, light.center))
        area = overlap(area, viewAABB);
    std::vector<qdt::QuadTreeOccupant*> found;
    hullTree.query(area, found);
    std::vector<ConvexHull*> result;
    for (auto* occupant : found)
        result.push_back(static_cast<ConvexHull*>(occupant));
    if (cullHiddenHulls)
        std::erase_if(result, [hidden = hiddenHulls(light, result)](const ConvexHull* hull) {
            return std::binary_search(hidden.begin(), hidden.end(), hull);
        });
    return result;
}

std::vector<const ConvexHull*> LightSystem::hiddenHulls(const Light& light,
                                                        const std::vector<ConvexHull*>& casters) {
    // Each hull seen from the light: the angles it spans, the nearest any of
    // it can be (its box) and the farthest it reaches (a vertex). A hull
    // that straddles the angle seam or holds the light is left alone.
    struct Span {
        const ConvexHull* hull;
        float low, high, nearest, farthest;
    };
    std::vector<Span> spans;
    for (const ConvexHull* hull : casters) {
        if (hull->vertices.size() < 3 || containsPoint(hull->aabb, light.center))
            continue;
        Span span{hull, 10, -10, 0, 0};
        for (const sf::Vector2f& v : hull->vertices) {
            sf::Vector2f d = hull->worldCenter + v - light.center;
            float angle = std::atan2(d.y, d.x);
            span.low = std::min(span.low, angle);
            span.high = std::max(span.high, angle);
            span.farthest = std::max(span.farthest, std::hypot(d.x, d.y));
        }
        if (span.high - span.low >= 3.14159f)
            continue;
        sf::Vector2f lower = hull->aabb.lowerBound, upper = hull->aabb.upperBound;
        float dx = std::max({lower.x - light.center.x, 0.0f, light.center.x - upper.x});
        float dy = std::max({lower.y - light.center.y, 0.0f, light.center.y - upper.y});
        span.nearest = std::hypot(dx, dy);
        spans.push_back(span);
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.low < b.low; });

    // A hull lies wholly behind the hulls nearer than it when their spans,
    // joined, cover its own: its shadow and its own area fall inside theirs.
    // The margin keeps a hull whose edge only grazes theirs.
    constexpr float margin = 1e-4f;
    std::vector<const ConvexHull*> hidden;
    for (const Span& hull : spans) {
        float covered = hull.low + margin;
        for (const Span& front : spans) {
            if (front.low > covered)
                break;
            if (front.farthest < hull.nearest && front.high > covered)
                covered = front.high;
        }
        if (covered >= hull.high - margin)
            hidden.push_back(hull.hull);
    }
    std::sort(hidden.begin(), hidden.end());
    return hidden;
}

void LightSystem::clearLightTexture() {
    lightTexture.clear(sf::Color::Black);
}

bool LightSystem::appendShadows(const Light& light, const ConvexHull& hull, ShadowBatch& batch,
                                bool outline) const {
    const std::size_t n = hull.vertices.size();
    if (n < 3)
        return false;
    outline = outline && !hull.renderLightOverHull && n + 2 <= LightRaster::maxCorners;
    std::vector<sf::Vector2f> world(n);
    float area = 0;
    for (std::size_t i = 0; i < n; ++i)
        world[i] = hull.worldCenter + hull.vertices[i];
    for (std::size_t i = 0; i < n; ++i)
        area += cross(world[i], world[(i + 1) % n]);
    if (area == 0)
        return false;

    // An edge is lit when the light lies on its outer side.
    std::vector<bool> lit(n);
    bool anyLit = false, anyDark = false;
    for (std::size_t i = 0; i < n; ++i) {
        sf::Vector2f edge = world[(i + 1) % n] - world[i];
        sf::Vector2f outward = area > 0 ? sf::Vector2f(edge.y, -edge.x) : sf::Vector2f(-edge.y, edge.x);
        sf::Vector2f toLight = light.center - world[i];
        lit[i] = outward.x * toLight.x + outward.y * toLight.y > 0;
        anyLit = anyLit || lit[i];
        anyDark = anyDark || !lit[i];
    }
    if (!anyLit || !anyDark) {
        // The light is inside the hull: no shadow, only the hull's own area.
        if (outline) {
            batch.outlines.insert(batch.outlines.end(), world.begin(), world.end());
            batch.outlineEnds.push_back(batch.outlines.size());
        }
        return outline;
    }

    // The hull and its shadow as one convex outline: the lit side of the
    // hull, then the far ends of the rays past its two silhouette corners.
    if (outline) {
        std::size_t first = 0;
        while (!(lit[first] && !lit[(first + n - 1) % n]))
            ++first;
        std::size_t last = first;
        batch.outlines.push_back(world[first]);
        while (lit[last]) {
            last = (last + 1) % n;
            batch.outlines.push_back(world[last]);
        }
        batch.outlines.push_back(world[last] + normalised(world[last] - light.center) * shadowReach);
        batch.outlines.push_back(world[first] + normalised(world[first] - light.center) * shadowReach);
        batch.outlineEnds.push_back(batch.outlines.size());
    }

    // Umbra: every edge turned away from the light throws a quad away from it.
    for (std::size_t i = 0; i < n && !outline; ++i) {
        if (lit[i])
            continue;
        sf::Vector2f a = world[i], b = world[(i + 1) % n];
        sf::Vector2f farA = a + normalised(a - light.center) * shadowReach;
        sf::Vector2f farB = b + normalised(b - light.center) * shadowReach;
        batch.umbra.insert(batch.umbra.end(), {a, b, farB, farA});
    }

    // Penumbra fins at the two silhouette corners, fading from the umbra's
    // edge outwards over the angle the light source's width subtends. The
    // vertex alpha fades them even without the fin texture.
    for (std::size_t i = 0; i < n; ++i) {
        bool before = lit[(i + n - 1) % n], after = lit[i];
        if (before == after)
            continue;
        sf::Vector2f corner = world[i];
        sf::Vector2f away = corner - light.center;
        float distance = std::hypot(away.x, away.y);
        if (distance <= 0)
            continue;
        float spread = std::atan2(light.size * 0.5f, distance);
        // The fin opens on the side of the ray away from the hull.
        sf::Vector2f inward = hull.worldCenter - corner;
        float side = cross(away, inward) > 0 ? -1.0f : 1.0f;
        sf::Vector2f inner = corner + normalised(away) * shadowReach;
        sf::Vector2f outer = corner + normalised(rotated(away, side * spread)) * shadowReach;
        batch.fins.push_back({corner, {0, 0.5f}, 1});
        batch.fins.push_back({inner, {0, 1}, 1});
        batch.fins.push_back({outer, {1, 1}, 0});
    }
    return outline;
}

// Shadows only ever darken (opaque black, or black faded by alpha), and
// darkening commutes, so every hull's shadows go out in two batches. The
// light map stays opaque: a fin's alpha would otherwise be left in the map
// and dim the light next to it when the map is blurred into the mask.
void LightSystem::drawShadows(const ShadowBatch& batch) const {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    // Opaque black blended over anything is black: unblended, the renderer
    // fills the umbrae's many overlapping pixels by its fast path.
    glDisable(GL_BLEND);
    glColor4f(0, 0, 0, 1);
    glBegin(GL_QUADS);
    for (const sf::Vector2f& v : batch.umbra)
        glVertex2f(v.x, v.y);
    glEnd();
    // The hulls' own areas, black as well: before the fins or after, black stays black.
    glBegin(GL_TRIANGLES);
    for (const sf::Vector2f& v : batch.hulls)
        glVertex2f(v.x, v.y);
    glEnd();
    glEnable(GL_BLEND);

    if (finLoaded) {
        glEnable(GL_TEXTURE_2D);
        sf::Texture::bind(&finTexture, sf::Texture::Normalized);
    }
    glBegin(GL_TRIANGLES);
    for (const FinVertex& v : batch.fins) {
        glColor4f(0, 0, 0, v.alpha);
        glTexCoord2f(v.texCoord.x, v.texCoord.y);
        glVertex2f(v.position.x, v.position.y);
    }
    glEnd();
    if (finLoaded) {
        sf::Texture::bind(nullptr);
        glDisable(GL_TEXTURE_2D);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void LightSystem::renderLights() {
    renderedView = view;
    renderedViewValid = true;
    paintedLast = paintedByProcessor;
    if (paintedByProcessor)
        paintLights();
    else
        drawLights();
}

void LightSystem::paintLights() {
    const sf::Vector2u pixels = paintedMap.getSize();
    raster.reset(pixels.x, pixels.y);
    const sf::Vector2f size = view.getSize();
    if (size.x > 0 && size.y > 0) {
        // The renderer's projection: the view's centre in the middle, turned
        // with the camera, the map's rows from the top.
        const float angle = view.getRotation() * 3.14159265f / 180.0f;
        const float c = std::cos(angle), s = std::sin(angle);
        const sf::Vector2f scale(static_cast<float>(pixels.x) / size.x,
                                 static_cast<float>(pixels.y) / size.y);
        auto turn = [&](sf::Vector2f d) { return sf::Vector2f(d.x * c - d.y * s, d.x * s + d.y * c); };
        auto toPixel = [&](sf::Vector2f v) {
            const sf::Vector2f turned = turn(v - viewAABB.center);
            return sf::Vector2f(static_cast<float>(pixels.x) / 2 + turned.x * scale.x,
                                static_cast<float>(pixels.y) / 2 - turned.y * scale.y);
        };
        for (Light* light : visibleLights()) {
            if (light->intensity == 0 || light->subdivisionAngle <= 0)
                continue;
            LightRaster::Disc disc;
            disc.centre = toPixel(light->center);
            disc.unitsPerPixel = {1 / scale.x, 1 / scale.y};
            disc.radius = light->radius;
            disc.colour = light->color * light->intensity;
            disc.shaped = light->useShader;
            // The fan stops at its last whole step, short of the spread
            // when the steps do not divide it.
            const float covered =
                static_cast<float>(static_cast<int>(light->spreadAngle / light->subdivisionAngle)) *
                light->subdivisionAngle;
            const float middle = light->directionAngle - light->spreadAngle / 2 + covered / 2;
            const sf::Vector2f axis = turn({std::cos(middle), std::sin(middle)});
            disc.axis = {axis.x, -axis.y};
            disc.spread = covered;
            ShadowBatch batch;
            collectShadows(*light, batch, true);
            std::vector<sf::Vector2f> polygon;
            auto shade = [&](const sf::Vector2f* from, const sf::Vector2f* to) {
                polygon.clear();
                for (const sf::Vector2f* at = from; at != to; ++at)
                    polygon.push_back(toPixel(*at));
                raster.shadow(polygon);
            };
            std::size_t start = 0;
            for (std::size_t end : batch.outlineEnds) {
                shade(&batch.outlines[start], batch.outlines.data() + end);
                start = end;
            }
            for (std::size_t i = 0; i + 3 < batch.umbra.size(); i += 4)
                shade(&batch.umbra[i], &batch.umbra[i] + 4);
            for (std::size_t i = 0; i + 2 < batch.hulls.size(); i += 3)
                shade(&batch.hulls[i], &batch.hulls[i] + 3);
            raster.addDisc(disc);
            for (std::size_t i = 0; i + 2 < batch.fins.size(); i += 3)
                raster.fadeFin(toPixel(batch.fins[i].position), toPixel(batch.fins[i + 1].position),
                               toPixel(batch.fins[i + 2].position), finAlpha);
        }
    }
    paintedMapStale = true;
}

const sf::Texture& LightSystem::getLightTexture() {
    if (!paintedLast)
        return lightTexture.getTexture();
    if (paintedMapStale) {
        paintedMap.update(raster.pixels());
        paintedMapStale = false;
    }
    return paintedMap;
}

void LightSystem::collectShadows(const Light& light, ShadowBatch& batch, bool outlines) const {
    for (const ConvexHull* hull : shadowCasters(light)) {
        // The fan a hull is drawn as, in one batch with the others' fans,
        // unless its outline holds its area.
        if (!appendShadows(light, *hull, batch, outlines) && !hull->renderLightOverHull &&
            hull->vertices.size() >= 3) {
            const sf::Vector2f first = hull->worldCenter + hull->vertices[0];
            for (std::size_t i = 1; i + 1 < hull->vertices.size(); ++i)
                batch.hulls.insert(batch.hulls.end(), {first, hull->worldCenter + hull->vertices[i],
                                                       hull->worldCenter + hull->vertices[i + 1]});
        }
    }
}

void LightSystem::drawLights() {
    lightTexture.setActive(true);
    clearLightTexture();
    const sf::Vector2f size = view.getSize();
    if (!(size.x > 0 && size.y > 0)) {
        // No projection can be made of an empty view (OpenGL would refuse
        // it and leave an error behind); nothing of the world shows.
        lightTexture.display();
        return;
    }
    lightTexture.pushGLStates();
    const sf::Vector2u pixels = lightTexture.getSize();
    glViewport(0, 0, static_cast<GLsizei>(pixels.x), static_cast<GLsizei>(pixels.y));
    // The view's frame: its centre at the origin, turned as the camera turns
    // it (a turn of the y-down world by a is one of the y-up engine by a).
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-size.x / 2, size.x / 2, -size.y / 2, size.y / 2, -1, 1);
    glRotatef(view.getRotation(), 0, 0, 1);
    glTranslatef(-viewAABB.center.x, -viewAABB.center.y, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);

    for (Light* light : visibleLights()) {
        if (light->intensity == 0)
            continue;
        // Lights add up; within one light, shadows are painted over it.
        glBlendFunc(GL_ONE, GL_ONE);
        if (light->useShader) {
            attenuationShader.setUniform("lightColor", sf::Glsl::Vec3(light->color.x * light->intensity,
                                                                      light->color.y * light->intensity,
                                                                      light->color.z * light->intensity));
            sf::Shader::bind(&attenuationShader);
        }
        light->render();
        sf::Shader::bind(nullptr);

        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        ShadowBatch batch;
        collectShadows(*light, batch, false);
        drawShadows(batch);
    }
    glColor4f(1, 1, 1, 1);
    lightTexture.popGLStates();
    lightTexture.display();
}

void LightSystem::blurPainted(std::vector<std::uint8_t>& out, float blurRadius) const {
    // blur.frag's taps: half the radius to either side, across the map's
    // width, and down its height stretched by the screen's shape.
    const sf::Vector2u pixels = paintedMap.getSize();
    raster.blurBrightest(out, {blurRadius * 0.5f * static_cast<float>(pixels.x),
                               blurRadius * 1.7777f * 0.5f * static_cast<float>(pixels.y)});
}

void LightSystem::drawBlurred(sf::RenderTarget& target, sf::Shader& blur) {
    // Each pass writes every pixel it covers, so neither target needs clearing.
    sf::RenderStates pass(sf::BlendNone, sf::Transform::Identity, nullptr, &blur);
    blur.setUniform("direction", sf::Glsl::Vec2(1, 0));
    blurTexture.setView(blurTexture.getDefaultView());
    blurTexture.draw(sf::Sprite(getLightTexture()), pass);
    blurTexture.display();

    blur.setUniform("direction", sf::Glsl::Vec2(0, 1));
    target.setView(target.getDefaultView());
    sf::Sprite down(blurTexture.getTexture());
    const sf::Vector2u from = blurTexture.getSize(), to = target.getSize();
    down.setScale(static_cast<float>(to.x) / static_cast<float>(from.x),
                  static_cast<float>(to.y) / static_cast<float>(from.y));
    target.draw(down, pass);
}

} // namespace ltbl

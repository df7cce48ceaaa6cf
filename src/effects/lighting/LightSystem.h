#pragma once
// The 2D light engine: owns the lights and the shadow hulls, indexes both in
// static quadtrees, and makes the light map (lights minus the shadows the
// hulls cast) once per frame: painted on the processor into a texture, or
// drawn by the renderer into an off-screen one. The map covers the
// camera view, turned with it, at a fraction of the 1920 x 1080 screen's
// resolution: it is blurred and scaled up smoothly before it reaches the
// screen, so a full-resolution map would only add fill cost.
// Coordinates are the engine's: y points up (see Light.h).

#include "effects/lighting/ConvexHull.h"
#include "effects/lighting/Light.h"
#include "effects/lighting/LightRaster.h"
#include "effects/lighting/StaticQuadTree.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>

#include <memory>
#include <string>
#include <vector>

namespace sf {
class RenderTarget;
}

namespace ltbl {

class LightSystem {
  public:
    // Builds the indexes over region and loads the penumbra texture and the
    // attenuation shader. Without the shader the light map cannot be drawn:
    // ready() then answers false and the caller must not go on. The light
    // map has 1920 / divisor x 1080 / divisor pixels (divisor 1: full size).
    LightSystem(const qdt::AABB& region, const std::string& finTexturePath,
                const std::string& attenuationShaderPath, unsigned divisor = 1);
    bool ready() const { return shaderLoaded; }

    // Ownership passes to the system; the returned pointer lives until removal or the system's end.
    Light* addLight(std::unique_ptr<Light> light);
    ConvexHull* addConvexHull(std::unique_ptr<ConvexHull> hull);
    // Takes the hull out and deletes it (a destroyed wall loses its shadow),
    // in constant time, so a map's teardown is linear in its walls. A hull
    // of another system is left alone.
    void removeConvexHull(ConvexHull* hull);

    // The camera view, in world coordinates; the system flips it to its own.
    // The light map follows the view's turn as well as its place.
    void setView(const sf::View& view);
    // Renders the light map for the view last set. A view without area
    // leaves the map black.
    void renderLights();
    void clearLightTexture();
    // Whether the light map was rendered for the view that is set now.
    bool rendersCurrentView() const { return renderedViewValid && sameView(renderedView, view); }

    // Draws the light map blurred into target, filling it: a horizontal
    // pass into a texture of the map's size, then a vertical one into
    // target, both through blur (a separable blur with the uniforms
    // "direction" and "blur_radius", see blur.frag). target is left with its
    // default view.
    void drawBlurred(sf::RenderTarget& target, sf::Shader& blur);
    // Whether the light map was painted on the processor with white or grey
    // light only: its brightest channel, all the mask reads, can then be
    // blurred on the processor as well.
    bool paintedGrey() const { return paintedLast && raster.greyOnly(); }
    // The painted map's brightest channel blurred as drawBlurred blurs the
    // map with blur.frag at the given radius: one byte a pixel, top row first.
    void blurPainted(std::vector<std::uint8_t>& out, float blurRadius) const;

    // The hulls that can shade what the view shows of this light: those near
    // the light that also touch the view and are not hidden behind nearer
    // ones. A hull wholly outside the view cannot darken any point inside it
    // while the light is inside the view (the view is convex), so the others
    // are skipped.
    std::vector<ConvexHull*> shadowCasters(const Light& light) const;
    // The lights whose boxes meet the view.
    std::vector<Light*> visibleLights() const;

    // The painted map goes to its texture only when asked for: the mask
    // made on the processor reads the painting itself.
    const sf::Texture& getLightTexture();
    sf::Vector2u lightMapSize() const { return paintedLast ? paintedMap.getSize() : lightTexture.getSize(); }
    // The box around the view (turned or not), in the engine's coordinates.
    const qdt::AABB& getViewAABB() const { return viewAABB; }
    std::size_t hullCount() const { return hulls.size(); }
    std::size_t lightCount() const { return lights.size(); }
    // Draw shadows for every hull near the light, ignoring the view (for
    // checking that skipping hulls outside the view changes nothing).
    bool cullHullsOutsideView = true;
    // Skip the hulls that lie wholly in the shadow of nearer ones (a wall
    // behind a wall): their shadows add no pixel.
    bool cullHiddenHulls = true;
    // Paint the light map on the processor rather than draw it with the
    // renderer; the renderer's picture is the one the painting must match.
    bool paintedByProcessor = true;

  private:
    struct FinVertex {
        sf::Vector2f position;
        sf::Vector2f texCoord;
        float alpha;
    };
    // The shadow geometry of one light: umbra quads and penumbra fin triangles.
    struct ShadowBatch {
        std::vector<sf::Vector2f> umbra;
        std::vector<sf::Vector2f> hulls; // triangles of the hulls painted black over the light
        std::vector<FinVertex> fins;
        // Convex outlines of hulls with their shadows, one after another:
        // the processor's painting needs no more for a hull.
        std::vector<sf::Vector2f> outlines;
        std::vector<std::size_t> outlineEnds;
    };
    // The casters (sorted by address) wholly in the shadow of nearer casters.
    static std::vector<const ConvexHull*> hiddenHulls(const Light& light,
                                                      const std::vector<ConvexHull*>& casters);
    static bool sameView(const sf::View& a, const sf::View& b);
    // With outline, a hull whose area is painted black goes into the batch
    // as the outline of itself and its shadow, when it has few enough
    // corners; the answer says whether it did.
    bool appendShadows(const Light& light, const ConvexHull& hull, ShadowBatch& batch, bool outline) const;
    void drawShadows(const ShadowBatch& batch) const;
    void collectShadows(const Light& light, ShadowBatch& batch, bool outlines) const;
    void drawLights();
    void paintLights();

    qdt::StaticQuadTree lightTree;
    qdt::StaticQuadTree hullTree;
    std::vector<std::unique_ptr<Light>> lights;
    // Each hull knows its place here (ConvexHull::slot), for removal in constant time.
    std::vector<std::unique_ptr<ConvexHull>> hulls;
    sf::RenderTexture lightTexture;
    sf::RenderTexture blurTexture; // the horizontal blur pass
    sf::Shader attenuationShader;
    sf::Texture finTexture;
    std::vector<std::uint8_t> finAlpha; // the fin texture's alpha across a fin
    LightRaster raster;
    sf::Texture paintedMap; // the raster's picture
    bool paintedLast = false;
    bool paintedMapStale = false; // the raster holds a painting not yet in paintedMap
    bool shaderLoaded = false;
    bool finLoaded = false;
    sf::View view{sf::FloatRect(0, 0, 0, 0)};
    sf::View renderedView;
    bool renderedViewValid = false;
    qdt::AABB viewAABB = qdt::AABB::fromCenter({0.5f, 0.5f}, {0, 0});
};

} // namespace ltbl

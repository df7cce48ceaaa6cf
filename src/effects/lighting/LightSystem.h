#pragma once
// The 2D light engine: owns the lights and the shadow hulls, indexes both in
// static quadtrees, and renders the light map (lights minus the shadows the
// hulls cast) into an off-screen 1920 x 1080 texture once per frame.
// Coordinates are the engine's: y points up (see Light.h).

#include "effects/lighting/ConvexHull.h"
#include "effects/lighting/Light.h"
#include "effects/lighting/StaticQuadTree.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>

#include <memory>
#include <string>
#include <vector>

namespace ltbl {

class LightSystem {
  public:
    // Builds the indexes over region and loads the penumbra texture and the
    // attenuation shader. Without the shader the light map cannot be drawn:
    // ready() then answers false and the caller must not go on.
    LightSystem(const qdt::AABB& region, const std::string& finTexturePath,
                const std::string& attenuationShaderPath);
    bool ready() const { return shaderLoaded; }

    // Ownership passes to the system; the returned pointer lives until removal or the system's end.
    Light* addLight(std::unique_ptr<Light> light);
    ConvexHull* addConvexHull(std::unique_ptr<ConvexHull> hull);
    // Takes the hull out and deletes it (a destroyed wall loses its shadow).
    void removeConvexHull(ConvexHull* hull);

    // The camera view, in world coordinates; the system flips it to its own.
    void setView(const sf::View& view);
    void renderLights();
    void clearLightTexture();

    // The hulls that can shade what the view shows of this light: those near
    // the light that also touch the view and are not hidden behind nearer
    // ones. A hull wholly outside the view cannot darken any point inside it
    // while the light is inside the view (the view is convex), so the others
    // are skipped.
    std::vector<ConvexHull*> shadowCasters(const Light& light) const;
    // The lights whose boxes meet the view.
    std::vector<Light*> visibleLights() const;

    const sf::Texture& getLightTexture() const { return lightTexture.getTexture(); }
    const qdt::AABB& getViewAABB() const { return viewAABB; }
    std::size_t hullCount() const { return hulls.size(); }
    std::size_t lightCount() const { return lights.size(); }
    // Draw shadows for every hull near the light, ignoring the view (for
    // checking that skipping hulls outside the view changes nothing).
    bool cullHullsOutsideView = true;
    // Skip the hulls that lie wholly in the shadow of nearer ones (a wall
    // behind a wall): their shadows add no pixel.
    bool cullHiddenHulls = true;

  private:
    struct FinVertex {
        sf::Vector2f position;
        sf::Vector2f texCoord;
        float alpha;
    };
    // The shadow geometry of one light: umbra quads and penumbra fin triangles.
    struct ShadowBatch {
        std::vector<sf::Vector2f> umbra;
        std::vector<FinVertex> fins;
    };
    // The casters (sorted by address) wholly in the shadow of nearer casters.
    static std::vector<const ConvexHull*> hiddenHulls(const Light& light,
                                                      const std::vector<ConvexHull*>& casters);
    void appendShadows(const Light& light, const ConvexHull& hull, ShadowBatch& batch) const;
    void drawShadows(const ShadowBatch& batch) const;

    qdt::StaticQuadTree lightTree;
    qdt::StaticQuadTree hullTree;
    std::vector<std::unique_ptr<Light>> lights;
    std::vector<std::unique_ptr<ConvexHull>> hulls;
    sf::RenderTexture lightTexture;
    sf::Shader attenuationShader;
    sf::Texture finTexture;
    bool shaderLoaded = false;
    bool finLoaded = false;
    qdt::AABB viewAABB = qdt::AABB::fromCenter({0.5f, 0.5f}, {0, 0});
};

} // namespace ltbl

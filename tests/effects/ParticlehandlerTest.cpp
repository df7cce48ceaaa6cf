#include "effects/Particlehandler.h"
#include "core/Settings.h"
#include "world/Maphandler.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class Particles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::srand(11);
        handler = Particlehandler::getInstance();
    }
    void TearDown() override { Particlehandler::destroyInstance(); }

    Particlehandler* handler = nullptr;
};

TEST_F(Particles, ADeadParticleIsDrawnOnceAndRemovedAtTheNextUpdate) {
    handler->burst({0, 0}, 0, 10, 1, 3, 2, 1, false);
    handler->update(0.016f);
    ASSERT_EQ(handler->layer(2).size(), 3u);
    EXPECT_TRUE(handler->layer(2)[0]->dead);
    handler->update(0.016f);
    EXPECT_TRUE(handler->layer(2).empty());
}

TEST_F(Particles, ACasingOutlivesItsFirstFlightOnTheGround) {
    handler->casing({0, 0}, {200, 0}, 0.12f, 5);
    ASSERT_EQ(handler->layer(Particlehandler::ground).size(), 1u);
    for (int i = 0; i < 100; ++i)
        handler->update(0.01f);
    EXPECT_EQ(handler->layer(Particlehandler::ground).size(), 1u);
    for (int i = 0; i < 600; ++i)
        handler->update(0.01f);
    EXPECT_EQ(handler->count(), 0u);
}

TEST_F(Particles, ANewMapStartsWithoutTheLastRunsParticles) {
    Maphandler* maps = Maphandler::getInstance();
    handler->burst({0, 0}, 5, 100, 7, 12, Particlehandler::ground, 1, true);
    handler->text({0, 0}, 2, "+5", {0, -1});
    maps->newMap(1);
    EXPECT_EQ(handler->count(), 0u);
}

// Particles on one texture go out as one draw; the picture must not change
// by a pixel from drawing them one by one, in a turned, zoomed view, with
// overlapping particles of several types, sizes, spins and fades, and a
// floating text between them that breaks the run.
TEST_F(Particles, ARunDrawnAsOneLaysTheSamePixelsAsOneByOne) {
    sf::RenderWindow& window = gameWindow();
    window.create(sf::VideoMode(480, 270), "Vantreth", sf::Style::None);
    sf::View view({0, 0}, {400, 225});
    view.setRotation(7);
    window.setView(view);
    handler->burst({0, 0}, 5, 3, 1, 40, 1, 1.5f, false);
    handler->text({10, 5}, 20, "+200", {0, -1});
    handler->burst({20, 10}, 5, 2, 3, 30, 1, 0.8f, true);
    handler->sparks(0.5f, {-30, 0}, 20, 1);
    handler->bleed(2.0f, {15, -10}, 25);
    handler->deathBurst({-10, 20}, 15, 1.2f);
    handler->update(0.3f);
    auto picture = [&](bool inRuns, int layer) {
        handler->drawsInRuns = inRuns;
        window.clear(sf::Color(60, 70, 80));
        handler->draw(layer);
        sf::Texture grab;
        grab.create(window.getSize().x, window.getSize().y);
        grab.update(window);
        return grab.copyToImage();
    };
    for (int layer = 0; layer < 3; ++layer) {
        ASSERT_FALSE(handler->layer(layer).empty()) << layer;
        const sf::Image apart = picture(false, layer), inRuns = picture(true, layer);
        int differing = 0, drawn = 0;
        for (unsigned y = 0; y < 270; ++y)
            for (unsigned x = 0; x < 480; ++x) {
                differing += apart.getPixel(x, y) != inRuns.getPixel(x, y);
                drawn += apart.getPixel(x, y) != sf::Color(60, 70, 80);
            }
        EXPECT_EQ(differing, 0) << "layer " << layer;
        EXPECT_GT(drawn, 20) << "layer " << layer;
    }
}

} // namespace

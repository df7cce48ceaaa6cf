#pragma once
// The frame counter a player can switch on: frames per second and the mean
// frame time, in the bottom left corner over every screen. The frame loop owns
// one and feeds it each frame's real duration.

#include <SFML/Graphics/Text.hpp>

namespace sf {
class RenderTarget;
}

class FrameCounter {
  public:
    // Counts a frame that took seconds. The figures are means over half a
    // second, so they change slowly enough to be read.
    void count(float seconds);
    // Draws the figures in screen units, leaving the target's view as it was.
    void draw(sf::RenderTarget& target);

    float framesPerSecond = 0;
    float frameMilliseconds = 0;

  private:
    int frames = 0;
    float elapsed = 0;
    sf::Text text;
};

#pragma once
// The light map painted by the processor. On a machine without a graphics
// card the renderer fills the map's many overlapping shadow quads pixel by
// pixel, several times over, and runs a shader over every pixel the light
// reaches; here a shadow is a run of marks per row, and the light a picture
// made once and copied into the runs the shadows leave.
// Coordinates are the map's pixels: x to the right, y down from the top
// row, a pixel's centre half a pixel in.

#include <SFML/System/Vector2.hpp>
#include <SFML/System/Vector3.hpp>

#include <array>
#include <cstdint>
#include <vector>

namespace ltbl {

class LightRaster {
  public:
    using Texel = std::array<std::uint8_t, 4>; // RGBA

    // A round light seen in the map: where its centre falls, how many world
    // units a pixel spans each way, and the light's reach in world units.
    struct Disc {
        sf::Vector2f centre;
        sf::Vector2f unitsPerPixel{1, 1};
        float radius = 0;
        sf::Vector3f colour{1, 1, 1}; // intensity included
        // The attenuation shader's falloff; without it the light fades in a straight line.
        bool shaped = true;
        // A cone: the directions within half the spread of the axis (in
        // world units, y down), or a full circle when spread is 2 pi or more.
        sf::Vector2f axis{1, 0};
        float spread = 7;
    };

    // Black and opaque, width x height pixels.
    void reset(unsigned width, unsigned height);
    // Marks the pixels whose centres the convex polygon (of up to
    // maxCorners corners) covers as shadowed by the light about to be added.
    void shadow(const std::vector<sf::Vector2f>& polygon);
    static constexpr int maxCorners = 8;
    // Adds the light, each channel saturating, and paints the marked pixels
    // black (whatever light they held); the marks are cleared.
    void addDisc(const Disc& disc);
    // A penumbra fin: the light is faded by the fin texture's alpha across
    // the fin (0 along corner-inner, 1 at outer) times the vertex alpha,
    // which falls from 1 at corner and inner to 0 at outer. alphaAcross holds
    // the texture's alpha row, read between its texels as a smooth texture is.
    void fadeFin(sf::Vector2f corner, sf::Vector2f inner, sf::Vector2f outer,
                 const std::vector<std::uint8_t>& alphaAcross);

    // The brightest channel of every pixel, blurred as the light mask's blur
    // does it: a pass across, then one down, each the mean of the pixel and
    // of the map read offset pixels to either side. One byte a pixel, the
    // top row first.
    void blurBrightest(std::vector<std::uint8_t>& out, sf::Vector2f offset) const;
    // Sets the pixels of a plane of one byte a pixel whose centres the
    // convex polygon covers.
    static void fill(std::vector<std::uint8_t>& plane, unsigned width, unsigned height,
                     const sf::Vector2f* corners, int count, std::uint8_t value);
    // Whether every light added since the reset was white or grey.
    bool greyOnly() const { return grey; }

    unsigned width() const { return columns; }
    unsigned height() const { return rows; }
    // RGBA, the top row first.
    const std::uint8_t* pixels();

  private:
    // Calls span(row, first, last) for every row of pixels whose centres
    // the convex polygon covers, first and last being the columns at either end.
    template <typename Span>
    static void scan(const sf::Vector2f* corners, int count, unsigned columns, unsigned rows, Span&& span);
    // The light around a pixel's centre, as far each way as the light or
    // the map reaches, made again only when the light's look or the map's
    // scale changes.
    void prepareStamp(const Disc& disc);
    // The prepared light a whole number of pixels across and down from its centre.
    Texel lightAt(int across, int down) const;
    // Whether the light of a cone reaches the pixel.
    static bool inCone(const Disc& disc, float dx, float dy);

    unsigned columns = 0, rows = 0;
    std::vector<Texel> texels;
    std::vector<std::uint8_t> shadowed; // a mark per pixel
    std::vector<Texel> blackRow;        // copied over a shadowed run
    // The blur's planes, kept so a frame allocates nothing.
    mutable std::vector<std::uint8_t> brightestPlane, acrossPlane;
    // The texels not laid since the reset: the map is black, whatever they hold.
    void fillBlack();
    bool blank = true;
    bool marked = false; // some pixel is marked
    bool black = true;   // no light added since the reset
    bool grey = true;

    static constexpr int distanceSteps = 16384;
    std::vector<Texel> byDistance; // by the square of the distance over the radius's
    std::vector<Texel> stamp;
    sf::Vector2i stampReach{-1, -1}; // in pixels from the centre, across and down
    sf::Vector2f stampUnits;
    float stampRadius = 0;
    sf::Vector3f stampColour;
    bool stampShaped = true;
};

} // namespace ltbl

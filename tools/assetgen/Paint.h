#pragma once
// A small CPU painter for the asset generator. Everything is drawn with
// signed-distance shapes so edges come out anti-aliased without a GPU, and
// the result is the same on every machine (no OpenGL context needed at build
// time). Colours are straight (non-premultiplied) RGBA floats in 0..1.

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace paint {

inline constexpr float pi = 3.14159265f;

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// Colour helpers.
Rgba rgb(int r, int g, int b, int a = 255);
Rgba mix(Rgba a, Rgba b, float t);
Rgba shade(Rgba c, float factor); // multiplies the colour channels, keeps alpha
Rgba withAlpha(Rgba c, float alpha);

// Deterministic random numbers: the generator never uses the game's rand().
class Rng {
  public:
    explicit Rng(std::uint32_t seed);
    std::uint32_t next();
    float uniform(float lo, float hi);
    int range(int lo, int hi); // inclusive
  private:
    std::uint64_t state;
};

// Smooth value noise in 0..1 and a fractal sum of it; the same (x, y, seed)
// always gives the same value.
float valueNoise(float x, float y, std::uint32_t seed);
float fbm(float x, float y, int octaves, std::uint32_t seed);

// Signed distance functions: negative inside, in pixels.
using Sdf = std::function<float(float x, float y)>;
Sdf circleSdf(float cx, float cy, float r);
Sdf ellipseSdf(float cx, float cy, float rx, float ry, float angleRad = 0);
Sdf boxSdf(float x, float y, float w, float h, float cornerRadius = 0);
Sdf capsuleSdf(float x0, float y0, float x1, float y1, float radius);
Sdf polygonSdf(std::vector<sf::Vector2f> points);
Sdf unite(Sdf a, Sdf b);
Sdf subtract(Sdf a, Sdf b);

// Axis-aligned box around a set of points (the area a polygon's distance field needs evaluating in).
struct Bounds {
    float minX, minY, maxX, maxY;
};
Bounds boundsOf(const std::vector<sf::Vector2f>& points);

class Canvas {
  public:
    Canvas(unsigned width, unsigned height, Rgba fill = {});

    unsigned width() const { return w; }
    unsigned height() const { return h; }
    Rgba get(int x, int y) const;
    void set(int x, int y, Rgba c);
    // Source-over compositing of c with the given coverage (0..1).
    void blend(int x, int y, Rgba c, float coverage = 1.0f);
    void fill(Rgba c);

    // Shapes. Each is anti-aliased over one pixel at its edge.
    void fillSdf(const Sdf& sdf, Rgba c, float minX, float minY, float maxX, float maxY);
    // Per-pixel colour: shader(x, y, distance) gives the colour at a point inside the shape.
    void shadeSdf(const Sdf& sdf, const std::function<Rgba(float x, float y, float d)>& shader, float minX,
                  float minY, float maxX, float maxY);
    void fillRect(float x, float y, float rw, float rh, Rgba c, float cornerRadius = 0);
    void fillCircle(float cx, float cy, float r, Rgba c);
    void fillEllipse(float cx, float cy, float rx, float ry, Rgba c, float angleRad = 0);
    void fillPolygon(const std::vector<sf::Vector2f>& points, Rgba c);
    void line(float x0, float y0, float x1, float y1, float thickness, Rgba c);
    void ring(float cx, float cy, float r, float thickness, Rgba c);

    // Soft round glow, alpha falling from the centre to the edge.
    void glow(float cx, float cy, float r, Rgba c, float falloffPower = 2.0f);
    // Vertical gradient over a rectangle, replacing what is there.
    void verticalGradient(int x, int y, int rw, int rh, Rgba top, Rgba bottom);
    // Multiplies colour channels by (1 - amount + amount * noise) for a grainy surface.
    void grain(int x, int y, int rw, int rh, float amount, float scale, std::uint32_t seed);

    // Composites another canvas over this one with its top-left at (dx, dy).
    void blit(const Canvas& src, int dx, int dy, float opacity = 1.0f);
    // Composites src rotated by angleRad around its centre, centred at (cx, cy) (bilinear).
    void blitRotated(const Canvas& src, float cx, float cy, float angleRad, float scale = 1.0f);
    Canvas crop(int x, int y, int cw, int ch) const;

    // Draws a dark rim of the given width around the opaque pixels, behind them:
    // the readable silhouette every sprite needs against a busy floor.
    void outline(Rgba color, int widthPx = 1);
    // Blurred, offset copy of the alpha drawn behind the picture.
    void dropShadow(int dx, int dy, int blurRadius, float opacity);
    // Box blur of all four channels (used for soft shapes and glows).
    void blur(int radius);

    // Text rendered from a TrueType/OpenType file. Returns the advance width.
    float text(const std::string& fontPath, unsigned pixelSize, const std::string& str, float x,
               float baselineY, Rgba c);
    static float measureText(const std::string& fontPath, unsigned pixelSize, const std::string& str);

    bool savePng(const std::string& path) const;

  private:
    unsigned w, h;
    std::vector<Rgba> px;
};

// Writes the canvas as PNG and throws when it cannot: a build must never ship
// without an image the game loads.
void save(const Canvas& canvas, const std::string& path);

} // namespace paint

// The desktop icon and window icon: a night skyline under a hovering alien
// ship whose cyan beam sweeps the street, on a rounded amber-trimmed tile.
// It must read at 32 pixels, so the shapes are few and bold. The shapes are
// given once, in a 256-unit square, and painted both into pictures of each
// size a desktop asks for and as a scalable SVG drawing.
#include "WorldKit.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace worldart {

namespace {

constexpr float side = 256;

// Paints into a canvas of any size, scaling the 256-unit shapes to it.
struct CanvasPainter {
    Canvas& canvas;
    float k;
    void gradient(Rgba top, Rgba bottom) {
        int n = static_cast<int>(side * k);
        canvas.verticalGradient(0, 0, n, n, top, bottom);
    }
    void glow(float cx, float cy, float r, Rgba c, float power) {
        canvas.glow(cx * k, cy * k, r * k, c, power);
    }
    void polygon(std::vector<sf::Vector2f> points, Rgba c) {
        for (sf::Vector2f& p : points)
            p *= k;
        canvas.fillPolygon(points, c);
    }
    void rect(float x, float y, float w, float h, Rgba c, float radius = 0) {
        canvas.fillRect(x * k, y * k, w * k, h * k, c, radius * k);
    }
    void ellipse(float cx, float cy, float rx, float ry, Rgba c) {
        canvas.fillEllipse(cx * k, cy * k, rx * k, ry * k, c);
    }
    void circle(float cx, float cy, float r, Rgba c) { canvas.fillCircle(cx * k, cy * k, r * k, c); }
};

// Writes the same shapes as SVG elements; a glow becomes a radial gradient
// whose stops follow the canvas's falloff curve.
struct SvgPainter {
    std::ostringstream& out;
    int gradients = 0;
    static std::string colour(Rgba c) {
        auto channel = [](float v) { return std::to_string(static_cast<int>(std::lround(v * 255))); };
        return "rgb(" + channel(c.r) + "," + channel(c.g) + "," + channel(c.b) + ")";
    }
    static std::string fill(Rgba c) {
        std::ostringstream text;
        text << "fill=\"" << colour(c) << '"';
        if (c.a < 1)
            text << " fill-opacity=\"" << c.a << '"';
        return text.str();
    }
    static std::string stop(float offset, Rgba c, float opacity) {
        std::ostringstream text;
        text << "<stop offset=\"" << offset << "\" stop-color=\"" << colour(c) << "\" stop-opacity=\""
             << opacity << "\"/>";
        return text.str();
    }
    void gradient(Rgba top, Rgba bottom) {
        std::string id = "g" + std::to_string(gradients++);
        out << "<linearGradient id=\"" << id << "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
            << stop(0, top, top.a) << stop(1, bottom, bottom.a)
            << "</linearGradient>\n<rect width=\"256\" height=\"256\" fill=\"url(#" << id << ")\"/>\n";
    }
    void glow(float cx, float cy, float r, Rgba c, float power) {
        std::string id = "g" + std::to_string(gradients++);
        out << "<radialGradient id=\"" << id << "\">";
        for (int i = 0; i <= 8; ++i) {
            float t = static_cast<float>(i) / 8;
            out << stop(t, c, c.a * std::pow(1 - t, power));
        }
        out << "</radialGradient>\n<circle cx=\"" << cx << "\" cy=\"" << cy << "\" r=\"" << r
            << "\" fill=\"url(#" << id << ")\"/>\n";
    }
    void polygon(const std::vector<sf::Vector2f>& points, Rgba c) {
        out << "<polygon points=\"";
        for (const sf::Vector2f& p : points)
            out << p.x << ',' << p.y << ' ';
        out << "\" " << fill(c) << "/>\n";
    }
    void rect(float x, float y, float w, float h, Rgba c, float radius = 0) {
        out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << w << "\" height=\"" << h << "\" rx=\""
            << radius << "\" " << fill(c) << "/>\n";
    }
    void ellipse(float cx, float cy, float rx, float ry, Rgba c) {
        out << "<ellipse cx=\"" << cx << "\" cy=\"" << cy << "\" rx=\"" << rx << "\" ry=\"" << ry << "\" "
            << fill(c) << "/>\n";
    }
    void circle(float cx, float cy, float r, Rgba c) {
        out << "<circle cx=\"" << cx << "\" cy=\"" << cy << "\" r=\"" << r << "\" " << fill(c) << "/>\n";
    }
};

// The picture inside the tile, painted edge to edge; the tile cuts it to its rounded body.
template <class Painter> void paintScene(Painter& p) {
    p.gradient(rgb(40, 30, 82), rgb(12, 14, 30));
    p.glow(128, 250, 160, rgb(130, 60, 150, 110), 1.6f);
    // The beam: a soft cyan cone from the ship down to the street.
    p.polygon({{110, 96}, {146, 96}, {204, 240}, {52, 240}}, withAlpha(alienCyan, 0.20f));
    p.polygon({{119, 96}, {137, 96}, {164, 240}, {92, 240}}, withAlpha(alienCyan, 0.26f));
    // Skyline silhouettes in two depths.
    const Rgba far = rgb(36, 38, 70), near = rgb(13, 14, 25);
    const float farBlocks[][3] = {
        {8, 146, 38}, {44, 128, 28}, {150, 136, 32}, {180, 116, 30}, {212, 142, 40}};
    for (const auto& b : farBlocks)
        p.rect(b[0], b[1], b[2], side - b[1], far);
    const float nearBlocks[][3] = {{6, 176, 46},   {56, 158, 36},  {96, 194, 30},
                                   {130, 170, 36}, {170, 186, 30}, {204, 162, 48}};
    for (const auto& b : nearBlocks) {
        p.rect(b[0], b[1], b[2], side - b[1], near);
        for (float wy = b[1] + 10; wy < 236; wy += 16)
            for (float wx = b[0] + 6; wx < b[0] + b[2] - 8; wx += 12)
                if (hashUnit(static_cast<int>(wx), static_cast<int>(wy), 77u) > 0.55f)
                    p.rect(wx, wy, 5, 7, withAlpha(amber, 0.85f));
    }
    // The ship: a saucer with a lit rim and a glass dome.
    p.glow(128, 86, 74, withAlpha(alienCyan, 0.5f), 2.2f);
    p.ellipse(128, 90, 68, 18, rgb(64, 72, 96));
    p.ellipse(128, 85, 68, 13, rgb(124, 136, 162));
    p.ellipse(128, 72, 28, 20, rgb(60, 190, 200));
    p.ellipse(121, 65, 10, 6, rgb(200, 252, 255, 210));
    for (int i = 0; i < 7; ++i)
        p.circle(80.0f + static_cast<float>(i) * 16.0f, 93, 4, i % 2 ? amber : alienCyan);
}

// The tile: an amber rim, a dark body, and the scene within.
const float trim[] = {4, 46}, body[] = {10, 40}, window[] = {14, 36};

void writeIconPng(unsigned size, const std::string& path) {
    const float k = static_cast<float>(size) / side;
    Canvas scene(size, size);
    CanvasPainter scenePainter{scene, k};
    paintScene(scenePainter);
    Canvas mask(size, size);
    CanvasPainter{mask, k}.rect(window[0], window[0], side - 2 * window[0], side - 2 * window[0],
                                rgb(255, 255, 255), window[1]);
    const int n = static_cast<int>(size);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            paint::Rgba px = scene.get(x, y);
            px.a *= mask.get(x, y).a;
            scene.set(x, y, px);
        }
    Canvas icon(size, size);
    CanvasPainter tile{icon, k};
    tile.rect(trim[0], trim[0], side - 2 * trim[0], side - 2 * trim[0], amber, trim[1]);
    tile.rect(body[0], body[0], side - 2 * body[0], side - 2 * body[0], ink, body[1]);
    icon.blit(scene, 0, 0);
    save(icon, path);
}

void writeIconSvg(const std::string& path) {
    std::ostringstream out;
    SvgPainter svg{out};
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 "
           "256\">\n";
    svg.rect(trim[0], trim[0], side - 2 * trim[0], side - 2 * trim[0], amber, trim[1]);
    svg.rect(body[0], body[0], side - 2 * body[0], side - 2 * body[0], ink, body[1]);
    out << "<clipPath id=\"window\"><rect x=\"" << window[0] << "\" y=\"" << window[0] << "\" width=\""
        << side - 2 * window[0] << "\" height=\"" << side - 2 * window[0] << "\" rx=\"" << window[1]
        << "\"/></clipPath>\n<g clip-path=\"url(#window)\">\n";
    paintScene(svg);
    out << "</g>\n</svg>\n";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush())
        throw std::runtime_error("cannot write " + path);
}

} // namespace

void drawIcon(const std::string& path) {
    writeIconPng(256, path);
}

void drawDesktopIcons(const std::string& folder) {
    for (unsigned size : {48u, 64u, 128u, 256u})
        writeIconPng(size, folder + "/icon-" + std::to_string(size) + ".png");
    writeIconSvg(folder + "/icon.svg");
}

} // namespace worldart

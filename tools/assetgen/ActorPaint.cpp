#include "ActorPaint.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace actorart {

Shade flat(Rgba colour) {
    Shade s;
    s.colour = colour;
    s.rim = 1.0f;
    s.tilt = 0.0f;
    return s;
}

Shade cloth(Rgba colour, std::uint32_t seed, float grain) {
    Shade s;
    s.colour = colour;
    s.grain = grain;
    s.grainScale = 2.0f;
    s.seed = seed;
    return s;
}

Shade metal(Rgba colour) {
    Shade s;
    s.colour = colour;
    s.rim = 0.55f;
    s.depth = 2.5f;
    s.tilt = 0.35f;
    return s;
}

void paintSdf(Canvas& c, const Sdf& sdf, float x0, float y0, float x1, float y1, const Shade& s) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    float extent = std::max(1.0f, std::max(x1 - x0, y1 - y0) / 2);
    c.shadeSdf(
        sdf,
        [&](float x, float y, float d) {
            float inner = std::clamp(-d / s.depth, 0.0f, 1.0f);
            float b = s.rim + (1 - s.rim) * std::sqrt(inner);
            b += s.tilt * ((cx - x) * 0.55f + (cy - y) * 0.83f) / extent;
            if (s.grain > 0)
                b *= 1 - s.grain + s.grain * 2 * paint::fbm(x / s.grainScale, y / s.grainScale, 2, s.seed);
            return paint::shade(s.colour, std::max(0.0f, b));
        },
        x0, y0, x1, y1);
}

void blob(Canvas& c, float cx, float cy, float rx, float ry, const Shade& s, float angle) {
    float m = std::max(rx, ry);
    paintSdf(c, paint::ellipseSdf(cx, cy, rx, ry, angle), cx - m, cy - m, cx + m, cy + m, s);
}

void limb(Canvas& c, float x0, float y0, float x1, float y1, float radius, const Shade& s) {
    paintSdf(c, paint::capsuleSdf(x0, y0, x1, y1, radius), std::min(x0, x1) - radius, std::min(y0, y1) - radius,
             std::max(x0, x1) + radius, std::max(y0, y1) + radius, s);
}

void poly(Canvas& c, const std::vector<sf::Vector2f>& pts, const Shade& s) {
    float minX = pts[0].x, maxX = minX, minY = pts[0].y, maxY = minY;
    for (auto p : pts) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    paintSdf(c, paint::polygonSdf(pts), minX, minY, maxX, maxY, s);
}

void rbox(Canvas& c, float x, float y, float w, float h, float radius, const Shade& s) {
    paintSdf(c, paint::boxSdf(x, y, w, h, radius), x, y, x + w, y + h, s);
}

void finishSprite(Canvas& c) {
    c.outline(palette::ink, 1);
    c.outline(paint::withAlpha(palette::ink, 0.3f), 1);
}

void groundShadow(Canvas& c, float cx, float cy, float rx, float ry, float opacity) {
    Canvas under(c.width(), c.height());
    under.fillEllipse(cx, cy, rx, ry, paint::rgb(0, 0, 0, 255));
    under.blur(2);
    Canvas out(c.width(), c.height());
    out.blit(under, 0, 0, opacity);
    out.blit(c, 0, 0);
    c = out;
}

void place(Canvas& sheet, const Canvas& frame, int col, int row, int cellW, int cellH) {
    for (int y = 0; y < cellH; ++y)
        for (int x = 0; x < cellW; ++x)
            sheet.set(col * cellW + x, row * cellH + y, frame.get(x, y));
}

Canvas mirrored(const Canvas& src) {
    Canvas out(src.width(), src.height());
    int w = static_cast<int>(src.width());
    for (int y = 0; y < static_cast<int>(src.height()); ++y)
        for (int x = 0; x < w; ++x)
            out.set(w - 1 - x, y, src.get(x, y));
    return out;
}

void requireCoverage(const Canvas& sheet, const std::string& name, int x, int y, int w, int h, float minFraction) {
    if (x < 0 || y < 0 || x + w > static_cast<int>(sheet.width()) || y + h > static_cast<int>(sheet.height()))
        throw std::runtime_error(name + ": rectangle outside the sheet");
    int solid = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (sheet.get(i, j).a > 0.5f)
                ++solid;
    if (static_cast<float>(solid) < minFraction * static_cast<float>(w * h))
        throw std::runtime_error(name + ": cell at " + std::to_string(x) + "," + std::to_string(y) + " is almost empty");
}

void requireClearBorder(const Canvas& sheet, const std::string& name, int x, int y, int w, int h) {
    for (int i = 0; i < w; ++i)
        for (int j : {y, y + h - 1})
            if (sheet.get(x + i, j).a > 0.02f)
                throw std::runtime_error(name + ": sprite touches the edge of its cell at " + std::to_string(x + i) +
                                         "," + std::to_string(j));
    for (int j = 0; j < h; ++j)
        for (int i : {x, x + w - 1})
            if (sheet.get(i, y + j).a > 0.02f)
                throw std::runtime_error(name + ": sprite touches the edge of its cell at " + std::to_string(i) + "," +
                                         std::to_string(y + j));
}

void save(const Canvas& c, const AssetContext& ctx, const std::string& file) {
    if (!c.savePng(ctx.graphics(file)))
        throw std::runtime_error("cannot write " + file);
}

} // namespace actorart

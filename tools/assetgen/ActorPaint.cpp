#include "ActorPaint.h"

#include <algorithm>
#include <cmath>

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
    paintSdf(c, paint::capsuleSdf(x0, y0, x1, y1, radius), std::min(x0, x1) - radius,
             std::min(y0, y1) - radius, std::max(x0, x1) + radius, std::max(y0, y1) + radius, s);
}

void poly(Canvas& c, const std::vector<sf::Vector2f>& pts, const Shade& s) {
    paint::Bounds b = paint::boundsOf(pts);
    paintSdf(c, paint::polygonSdf(pts), b.minX, b.minY, b.maxX, b.maxY, s);
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

void save(const Canvas& c, const AssetContext& ctx, const std::string& file) {
    paint::save(c, ctx.graphics(file));
}

} // namespace actorart

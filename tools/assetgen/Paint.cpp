#include "Paint.h"

#include <SFML/Graphics/Image.hpp>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace paint {

namespace {

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float hash2(int x, int y, std::uint32_t seed) {
    std::uint32_t n = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    n = (n ^ (n >> 13)) * 1274126177u;
    n ^= n >> 16;
    return static_cast<float>(n & 0xffffff) / static_cast<float>(0xffffff);
}

float smooth(float t) {
    return t * t * (3 - 2 * t);
}

// FreeType faces stay open for the life of the generator; loading one per
// string would dominate the run time of the overlays.
struct FontCache {
    FT_Library library = nullptr;
    std::map<std::string, FT_Face> faces;
    FontCache() {
        if (FT_Init_FreeType(&library) != 0)
            throw std::runtime_error("FreeType failed to start");
    }
    ~FontCache() {
        for (auto& entry : faces)
            FT_Done_Face(entry.second);
        FT_Done_FreeType(library);
    }
    FT_Face face(const std::string& path, unsigned pixelSize) {
        auto found = faces.find(path);
        if (found == faces.end()) {
            FT_Face f = nullptr;
            if (FT_New_Face(library, path.c_str(), 0, &f) != 0)
                throw std::runtime_error("cannot open font " + path);
            found = faces.emplace(path, f).first;
        }
        FT_Set_Pixel_Sizes(found->second, 0, pixelSize);
        return found->second;
    }
};

FontCache& fonts() {
    static FontCache cache;
    return cache;
}

} // namespace

Rgba rgb(int r, int g, int b, int a) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

Rgba mix(Rgba a, Rgba b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba shade(Rgba c, float factor) {
    return {clamp01(c.r * factor), clamp01(c.g * factor), clamp01(c.b * factor), c.a};
}

Rgba withAlpha(Rgba c, float alpha) {
    return {c.r, c.g, c.b, alpha};
}

Rng::Rng(std::uint32_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}

std::uint32_t Rng::next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state >> 33);
}

float Rng::uniform(float lo, float hi) {
    return lo + (hi - lo) * (next() & 0xffffff) / static_cast<float>(0xffffff);
}

int Rng::range(int lo, int hi) {
    return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1));
}

float valueNoise(float x, float y, std::uint32_t seed) {
    int xi = static_cast<int>(std::floor(x));
    int yi = static_cast<int>(std::floor(y));
    float tx = smooth(x - xi);
    float ty = smooth(y - yi);
    float a = hash2(xi, yi, seed), b = hash2(xi + 1, yi, seed);
    float c = hash2(xi, yi + 1, seed), d = hash2(xi + 1, yi + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fbm(float x, float y, int octaves, std::uint32_t seed) {
    float sum = 0, amplitude = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u) * amplitude;
        norm += amplitude;
        x *= 2.03f;
        y *= 2.03f;
        amplitude *= 0.5f;
    }
    return sum / norm;
}

Sdf circleSdf(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf ellipseSdf(float cx, float cy, float rx, float ry, float angleRad) {
    float c = std::cos(angleRad), s = std::sin(angleRad);
    return [=](float x, float y) {
        float dx = x - cx, dy = y - cy;
        float u = dx * c + dy * s, v = -dx * s + dy * c;
        // Scaled-circle distance: exact on the axes, close enough elsewhere for 1 px anti-aliasing.
        float k = std::hypot(u / rx, v / ry);
        float grad = std::hypot(u / (rx * rx), v / (ry * ry));
        if (grad < 1e-6f)
            return -std::min(rx, ry);
        return k * (k - 1.0f) / grad;
    };
}

Sdf boxSdf(float x, float y, float bw, float bh, float cornerRadius) {
    float cx = x + bw / 2, cy = y + bh / 2;
    float hx = bw / 2 - cornerRadius, hy = bh / 2 - cornerRadius;
    return [=](float px, float py) {
        float qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - cornerRadius;
    };
}

Sdf capsuleSdf(float x0, float y0, float x1, float y1, float radius) {
    return [=](float px, float py) {
        float dx = x1 - x0, dy = y1 - y0;
        float len2 = dx * dx + dy * dy;
        float t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(px - (x0 + dx * t), py - (y0 + dy * t)) - radius;
    };
}

Sdf polygonSdf(std::vector<sf::Vector2f> pts) {
    return [pts = std::move(pts)](float px, float py) {
        float best = 1e30f;
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            sf::Vector2f a = pts[j], b = pts[i];
            float ex = b.x - a.x, ey = b.y - a.y;
            float wx = px - a.x, wy = py - a.y;
            float len2 = ex * ex + ey * ey;
            float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
            best = std::min(best, std::hypot(wx - ex * t, wy - ey * t));
            if (((a.y > py) != (b.y > py)) && (px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x))
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

Bounds boundsOf(const std::vector<sf::Vector2f>& points) {
    Bounds b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (auto p : points) {
        b.minX = std::min(b.minX, p.x);
        b.maxX = std::max(b.maxX, p.x);
        b.minY = std::min(b.minY, p.y);
        b.maxY = std::max(b.maxY, p.y);
    }
    return b;
}

Sdf unite(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Sdf subtract(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Canvas::Canvas(unsigned width, unsigned height, Rgba fillColour)
    : w(width), h(height), px(width * height, fillColour) {}

Rgba Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= static_cast<int>(w) || y >= static_cast<int>(h))
        return {};
    return px[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)];
}

void Canvas::set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= static_cast<int>(w) || y >= static_cast<int>(h))
        return;
    px[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)] = c;
}

void Canvas::blend(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= static_cast<int>(w) || y >= static_cast<int>(h))
        return;
    Rgba& d = px[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)];
    float sa = clamp01(c.a * coverage);
    if (sa <= 0)
        return;
    float oa = sa + d.a * (1 - sa);
    if (oa <= 0) {
        d = {};
        return;
    }
    d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
    d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
    d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
    d.a = oa;
}

void Canvas::fill(Rgba c) {
    std::fill(px.begin(), px.end(), c);
}

void Canvas::shadeSdf(const Sdf& sdf, const std::function<Rgba(float, float, float)>& shader, float minX,
                      float minY, float maxX, float maxY) {
    int x0 = std::max(0, static_cast<int>(std::floor(minX)) - 1);
    int y0 = std::max(0, static_cast<int>(std::floor(minY)) - 1);
    int x1 = std::min(static_cast<int>(w) - 1, static_cast<int>(std::ceil(maxX)) + 1);
    int y1 = std::min(static_cast<int>(h) - 1, static_cast<int>(std::ceil(maxY)) + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float d = sdf(fx, fy);
            float coverage = clamp01(0.5f - d);
            if (coverage > 0)
                blend(x, y, shader(fx, fy, d), coverage);
        }
}

void Canvas::fillSdf(const Sdf& sdf, Rgba c, float minX, float minY, float maxX, float maxY) {
    shadeSdf(
        sdf, [c](float, float, float) { return c; }, minX, minY, maxX, maxY);
}

void Canvas::fillRect(float x, float y, float rw, float rh, Rgba c, float cornerRadius) {
    fillSdf(boxSdf(x, y, rw, rh, cornerRadius), c, x, y, x + rw, y + rh);
}

void Canvas::fillCircle(float cx, float cy, float r, Rgba c) {
    fillSdf(circleSdf(cx, cy, r), c, cx - r, cy - r, cx + r, cy + r);
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, Rgba c, float angleRad) {
    float m = std::max(rx, ry);
    fillSdf(ellipseSdf(cx, cy, rx, ry, angleRad), c, cx - m, cy - m, cx + m, cy + m);
}

void Canvas::fillPolygon(const std::vector<sf::Vector2f>& points, Rgba c) {
    if (points.size() < 3)
        return;
    Bounds b = boundsOf(points);
    fillSdf(polygonSdf(points), c, b.minX, b.minY, b.maxX, b.maxY);
}

void Canvas::line(float x0, float y0, float x1, float y1, float thickness, Rgba c) {
    float r = thickness / 2;
    fillSdf(capsuleSdf(x0, y0, x1, y1, r), c, std::min(x0, x1) - r, std::min(y0, y1) - r,
            std::max(x0, x1) + r, std::max(y0, y1) + r);
}

void Canvas::ring(float cx, float cy, float r, float thickness, Rgba c) {
    float half = thickness / 2;
    Sdf sdf = [=](float x, float y) { return std::abs(std::hypot(x - cx, y - cy) - r) - half; };
    fillSdf(sdf, c, cx - r - half, cy - r - half, cx + r + half, cy + r + half);
}

void Canvas::glow(float cx, float cy, float r, Rgba c, float falloffPower) {
    int x0 = std::max(0, static_cast<int>(cx - r)),
        x1 = std::min(static_cast<int>(w) - 1, static_cast<int>(cx + r));
    int y0 = std::max(0, static_cast<int>(cy - r)),
        y1 = std::min(static_cast<int>(h) - 1, static_cast<int>(cy + r));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d < 1)
                blend(x, y, c, std::pow(1 - d, falloffPower));
        }
}

void Canvas::verticalGradient(int x, int y, int rw, int rh, Rgba top, Rgba bottom) {
    for (int j = 0; j < rh; ++j) {
        Rgba c = mix(top, bottom, rh > 1 ? static_cast<float>(j) / (rh - 1) : 0.0f);
        for (int i = 0; i < rw; ++i)
            set(x + i, y + j, c);
    }
}

void Canvas::grain(int x, int y, int rw, int rh, float amount, float scale, std::uint32_t seed) {
    for (int j = y; j < y + rh; ++j)
        for (int i = x; i < x + rw; ++i) {
            if (i < 0 || j < 0 || i >= static_cast<int>(w) || j >= static_cast<int>(h))
                continue;
            float n = fbm(i / scale, j / scale, 3, seed);
            Rgba c = get(i, j);
            set(i, j, shade(c, 1 - amount + amount * 2 * n));
        }
}

void Canvas::blit(const Canvas& src, int dx, int dy, float opacity) {
    for (unsigned y = 0; y < src.h; ++y)
        for (unsigned x = 0; x < src.w; ++x)
            blend(dx + static_cast<int>(x), dy + static_cast<int>(y), src.px[y * src.w + x], opacity);
}

void Canvas::blitRotated(const Canvas& src, float cx, float cy, float angleRad, float scale) {
    float c = std::cos(angleRad), s = std::sin(angleRad);
    float half = std::hypot(static_cast<float>(src.w), static_cast<float>(src.h)) * scale / 2 + 1;
    float scx = src.w / 2.0f, scy = src.h / 2.0f;
    for (int y = static_cast<int>(cy - half); y <= static_cast<int>(cy + half); ++y)
        for (int x = static_cast<int>(cx - half); x <= static_cast<int>(cx + half); ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float u = (dx * c + dy * s) / scale + scx - 0.5f;
            float v = (-dx * s + dy * c) / scale + scy - 0.5f;
            int u0 = static_cast<int>(std::floor(u)), v0 = static_cast<int>(std::floor(v));
            float fu = u - u0, fv = v - v0;
            // Bilinear filtering in premultiplied space so transparent texels do not darken edges.
            float r = 0, g = 0, b = 0, a = 0;
            for (int k = 0; k < 4; ++k) {
                int sx = u0 + (k & 1), sy = v0 + (k >> 1);
                float wgt = ((k & 1) ? fu : 1 - fu) * ((k >> 1) ? fv : 1 - fv);
                Rgba t = src.get(sx, sy);
                r += t.r * t.a * wgt;
                g += t.g * t.a * wgt;
                b += t.b * t.a * wgt;
                a += t.a * wgt;
            }
            if (a > 0.001f)
                blend(x, y, {r / a, g / a, b / a, a});
        }
}

Canvas Canvas::crop(int x, int y, int cw, int ch) const {
    Canvas out(static_cast<unsigned>(cw), static_cast<unsigned>(ch));
    for (int j = 0; j < ch; ++j)
        for (int i = 0; i < cw; ++i)
            out.set(i, j, get(x + i, y + j));
    return out;
}

void Canvas::outline(Rgba color, int widthPx) {
    Canvas rim(w, h);
    for (int y = 0; y < static_cast<int>(h); ++y)
        for (int x = 0; x < static_cast<int>(w); ++x) {
            float strongest = 0;
            for (int dy = -widthPx; dy <= widthPx; ++dy)
                for (int dx = -widthPx; dx <= widthPx; ++dx)
                    if (dx * dx + dy * dy <= widthPx * widthPx + 1)
                        strongest = std::max(strongest, get(x + dx, y + dy).a);
            if (strongest > 0)
                rim.set(x, y, withAlpha(color, color.a * strongest));
        }
    rim.blit(*this, 0, 0);
    px = std::move(rim.px);
}

void Canvas::dropShadow(int dx, int dy, int blurRadius, float opacity) {
    Canvas shadow(w, h);
    for (int y = 0; y < static_cast<int>(h); ++y)
        for (int x = 0; x < static_cast<int>(w); ++x)
            shadow.set(x, y, {0, 0, 0, get(x - dx, y - dy).a * opacity});
    shadow.blur(blurRadius);
    shadow.blit(*this, 0, 0);
    px = std::move(shadow.px);
}

void Canvas::blur(int radius) {
    if (radius <= 0)
        return;
    // Two box passes in premultiplied space approximate a Gaussian well enough for soft shadows.
    auto pass = [&](bool horizontal) {
        std::vector<Rgba> out(px.size());
        int len = horizontal ? static_cast<int>(w) : static_cast<int>(h);
        int lines = horizontal ? static_cast<int>(h) : static_cast<int>(w);
        for (int l = 0; l < lines; ++l)
            for (int i = 0; i < len; ++i) {
                float r = 0, g = 0, b = 0, a = 0;
                int n = 0;
                for (int k = -radius; k <= radius; ++k) {
                    int p = i + k;
                    if (p < 0 || p >= len)
                        continue;
                    Rgba c = horizontal ? get(p, l) : get(l, p);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                    ++n;
                }
                Rgba c = a > 0 ? Rgba{r / a, g / a, b / a, a / static_cast<float>(n)} : Rgba{};
                std::size_t idx = horizontal ? static_cast<std::size_t>(l) * w + static_cast<std::size_t>(i)
                                             : static_cast<std::size_t>(i) * w + static_cast<std::size_t>(l);
                out[idx] = c;
            }
        px = std::move(out);
    };
    pass(true);
    pass(false);
}

float Canvas::text(const std::string& fontPath, unsigned pixelSize, const std::string& str, float x,
                   float baselineY, Rgba c) {
    FT_Face face = fonts().face(fontPath, pixelSize);
    float pen = x;
    for (unsigned char ch : str) {
        if (FT_Load_Char(face, ch, FT_LOAD_RENDER) != 0)
            continue;
        FT_GlyphSlot g = face->glyph;
        int left = static_cast<int>(std::lround(pen)) + g->bitmap_left;
        int top = static_cast<int>(std::lround(baselineY)) - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                float cov = g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col] / 255.0f;
                blend(left + static_cast<int>(col), top + static_cast<int>(row), c, cov);
            }
        pen += static_cast<float>(g->advance.x) / 64.0f;
    }
    return pen - x;
}

float Canvas::measureText(const std::string& fontPath, unsigned pixelSize, const std::string& str) {
    FT_Face face = fonts().face(fontPath, pixelSize);
    float advance = 0;
    for (unsigned char ch : str)
        if (FT_Load_Char(face, ch, FT_LOAD_DEFAULT) == 0)
            advance += static_cast<float>(face->glyph->advance.x) / 64.0f;
    return advance;
}

bool Canvas::savePng(const std::string& path) const {
    sf::Image image;
    image.create(w, h);
    auto to8 = [](float v) { return static_cast<sf::Uint8>(std::lround(clamp01(v) * 255.0f)); };
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x) {
            Rgba c = px[y * w + x];
            image.setPixel(x, y, sf::Color(to8(c.r), to8(c.g), to8(c.b), to8(c.a)));
        }
    return image.saveToFile(path);
}

void save(const Canvas& canvas, const std::string& path) {
    if (!canvas.savePng(path))
        throw std::runtime_error("could not write " + path);
}

} // namespace paint

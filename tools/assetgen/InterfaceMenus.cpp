// Main menu panorama and foreground, studio logo, menu buttons, the door-wipe
// panel and the options backdrop.
//
// The panorama is wider than the screen because the main menu pans it left
// and right by 666 units over a 1920 x 1080 view; the foreground stays put.
#include "WorldKit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace worldart {

namespace {

constexpr int PanoramaW = ScreenW + 666;

// Additive light (window glow, beam, lamps) kept apart from the paint so it
// can be bloomed cheaply at a quarter of the resolution.
struct LightBuffer {
    int w, h;
    std::vector<float> r, g, b;
    LightBuffer(int width, int height)
        : w(width), h(height), r(static_cast<std::size_t>(width * height)), g(r.size()), b(r.size()) {}
    void add(int x, int y, Rgba c, float k) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        std::size_t i = static_cast<std::size_t>(y * w + x);
        r[i] += c.r * k;
        g[i] += c.g * k;
        b[i] += c.b * k;
    }
};

void boxBlur(std::vector<float>& v, int w, int h, int radius) {
    std::vector<float> tmp(v.size());
    for (int pass = 0; pass < 2; ++pass) {
        bool horizontal = pass == 0;
        int len = horizontal ? w : h, lines = horizontal ? h : w;
        for (int l = 0; l < lines; ++l) {
            auto at = [&](int i) -> float& {
                return horizontal ? v[static_cast<std::size_t>(l * w + i)]
                                  : v[static_cast<std::size_t>(i * w + l)];
            };
            float sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += at(std::clamp(i, 0, len - 1));
            for (int i = 0; i < len; ++i) {
                std::size_t o =
                    horizontal ? static_cast<std::size_t>(l * w + i) : static_cast<std::size_t>(i * w + l);
                tmp[o] = sum / static_cast<float>(2 * radius + 1);
                sum += at(std::min(i + radius + 1, len - 1)) - at(std::max(i - radius, 0));
            }
        }
        v.swap(tmp);
    }
}

// Adds the light buffer to the canvas twice: sharp, and bloomed from a
// quarter-size copy so every lit window gets a halo without per-window glows.
void applyLight(Canvas& canvas, const LightBuffer& light, float sharp, float bloom, int bloomRadius) {
    int sw = light.w / 4, sh = light.h / 4;
    std::vector<float> small[3];
    const std::vector<float>* full[3] = {&light.r, &light.g, &light.b};
    for (int ch = 0; ch < 3; ++ch) {
        small[ch].assign(static_cast<std::size_t>(sw * sh), 0.0f);
        for (int y = 0; y < sh * 4; ++y)
            for (int x = 0; x < sw * 4; ++x)
                small[ch][static_cast<std::size_t>((y / 4) * sw + x / 4)] +=
                    (*full[ch])[static_cast<std::size_t>(y * light.w + x)] / 16.0f;
        boxBlur(small[ch], sw, sh, bloomRadius);
        boxBlur(small[ch], sw, sh, bloomRadius);
    }
    for (int y = 0; y < light.h; ++y)
        for (int x = 0; x < light.w; ++x) {
            // Bilinear read of the small buffer.
            float fx =
                std::clamp((static_cast<float>(x) + 0.5f) / 4.0f - 0.5f, 0.0f, static_cast<float>(sw - 1));
            float fy =
                std::clamp((static_cast<float>(y) + 0.5f) / 4.0f - 0.5f, 0.0f, static_cast<float>(sh - 1));
            int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
            int x1 = std::min(x0 + 1, sw - 1), y1 = std::min(y0 + 1, sh - 1);
            float tx = fx - static_cast<float>(x0), ty = fy - static_cast<float>(y0);
            float add[3];
            for (int ch = 0; ch < 3; ++ch) {
                auto s = [&](int xx, int yy) { return small[ch][static_cast<std::size_t>(yy * sw + xx)]; };
                float top = s(x0, y0) + (s(x1, y0) - s(x0, y0)) * tx;
                float bottom = s(x0, y1) + (s(x1, y1) - s(x0, y1)) * tx;
                add[ch] = (top + (bottom - top) * ty) * bloom +
                          (*full[ch])[static_cast<std::size_t>(y * light.w + x)] * sharp;
            }
            Rgba c = canvas.get(x, y);
            c.r = clamp01(c.r + add[0]);
            c.g = clamp01(c.g + add[1]);
            c.b = clamp01(c.b + add[2]);
            canvas.set(x, y, c);
        }
}

struct Building {
    int x, w, top;
    std::uint32_t seed;
};

struct SkylineLayer {
    Rgba body;
    float haze;     // pull toward the horizon colour: distance
    float litShare; // fraction of lit windows
    int minW, maxW, minTop, maxTop;
    int windowW, windowH, cellW, cellH;
    bool details;
};

Rgba skyAt(float x, float y) {
    Rgba zenith = rgb(5, 7, 18), mid = rgb(20, 20, 44), horizon = rgb(70, 46, 50);
    float t = y / static_cast<float>(ScreenH);
    Rgba c = t < 0.55f ? mix(zenith, mid, t / 0.55f) : mix(mid, horizon, std::min(1.0f, (t - 0.55f) / 0.3f));
    // Banks of cloud lit from below by the city's sodium glow.
    float cloud = paint::fbm(x / 340.0f, y / 70.0f, 5, 2101u);
    float bank = smoothstep(0.48f, 0.72f, cloud) * smoothstep(80.0f, 420.0f, y);
    Rgba lit = mix(rgb(40, 38, 66), rgb(110, 70, 58), smoothstep(300.0f, 760.0f, y));
    c = mix(c, lit, bank * 0.55f);
    return c;
}

void drawSkyline(Canvas& canvas, LightBuffer& light, const SkylineLayer& layer, std::uint32_t seed) {
    paint::Rng rng(seed);
    std::vector<Building> buildings;
    int x = -rng.range(0, 60);
    while (x < PanoramaW) {
        int w = rng.range(layer.minW, layer.maxW);
        int top = rng.range(layer.minTop, layer.maxTop);
        if (rng.range(0, 99) < 14)
            top -= rng.range(90, 200); // the odd tower breaks the roofline
        buildings.push_back({x, w, top, rng.next()});
        x += w + rng.range(-20, 14);
    }
    Rgba horizon = rgb(58, 42, 52);
    for (const Building& b : buildings) {
        Rgba body = mix(layer.body, horizon, layer.haze);
        body = shade(body, 0.85f + 0.3f * hashUnit(static_cast<int>(b.seed % 9973u), 1, seed));
        int margin = 6 + static_cast<int>(b.seed % 5u);
        int cols = std::max(1, (b.w - 2 * margin) / layer.cellW);
        int offsetX = b.x + (b.w - cols * layer.cellW) / 2;
        bool office = (b.seed >> 8) % 3 == 0; // some towers have long strip windows
        for (int yy = std::max(0, b.top); yy < ScreenH; ++yy)
            for (int xx = std::max(0, b.x); xx < std::min(PanoramaW, b.x + b.w); ++xx) {
                float n = hashUnit(xx, yy, b.seed) * 0.06f;
                Rgba c = shade(body, 0.95f + n);
                if (yy < b.top + 2)
                    c = brighten(c, 0.05f); // rim of the roof against the sky
                if (xx < b.x + 2)
                    c = brighten(c, 0.02f);
                int lx = xx - offsetX, ly = yy - b.top - margin;
                if (lx >= 0 && ly >= 0 && lx < cols * layer.cellW) {
                    int cx = lx / layer.cellW, cy = ly / layer.cellH;
                    int ux = lx % layer.cellW, uy = ly % layer.cellH;
                    int ww = office ? layer.cellW - 2 : layer.windowW;
                    if (ux < ww && uy < layer.windowH) {
                        float roll = hashUnit(cx, cy, b.seed);
                        // Lit floors cluster: whole rows tend to be on or off together.
                        float rowBias = hashUnit(cy, 7, b.seed) < 0.35f ? 0.3f : 0.0f;
                        if (roll < layer.litShare + rowBias * layer.litShare) {
                            float hue = hashUnit(cx, cy, b.seed + 1u);
                            Rgba glow = hue < 0.7f   ? rgb(242, 163, 58)
                                        : hue < 0.9f ? rgb(255, 214, 150)
                                                     : rgb(56, 224, 232);
                            float k =
                                (0.55f + 0.45f * hashUnit(cx, cy, b.seed + 2u)) * (1.0f - layer.haze * 0.8f);
                            c = mix(c, glow, 0.55f * k);
                            light.add(xx, yy, glow, 0.35f * k);
                        } else {
                            c = brighten(c, 0.025f);
                        }
                    }
                }
                canvas.set(xx, yy, c);
            }
        if (layer.details && (b.seed >> 4) % 3 == 0) {
            // Water tank on legs.
            float tx = static_cast<float>(b.x) + static_cast<float>(b.w) * 0.3f,
                  ty = static_cast<float>(b.top);
            Rgba dark = shade(body, 0.8f);
            canvas.fillRect(tx, ty - 40, 30, 28, dark, 3);
            canvas.fillPolygon({{tx - 2, ty - 40}, {tx + 15, ty - 52}, {tx + 32, ty - 40}}, dark);
            canvas.line(tx + 4, ty - 12, tx + 4, ty, 2.5f, dark);
            canvas.line(tx + 26, ty - 12, tx + 26, ty, 2.5f, dark);
        }
        if (layer.details && (b.seed >> 6) % 4 == 0) {
            // Antenna with an aircraft warning light.
            float ax = static_cast<float>(b.x) + static_cast<float>(b.w) * 0.7f,
                  ay = static_cast<float>(b.top);
            float height = 40.0f + static_cast<float>((b.seed >> 10) % 60u);
            canvas.line(ax, ay, ax, ay - height, 2.0f, shade(body, 0.8f));
            canvas.line(ax - 8, ay - height * 0.6f, ax + 8, ay - height * 0.6f, 1.5f, shade(body, 0.8f));
            canvas.fillCircle(ax, ay - height, 2.2f, rgb(255, 60, 50));
            for (int dy = -10; dy <= 10; ++dy)
                for (int dx = -10; dx <= 10; ++dx) {
                    float d = std::hypot(static_cast<float>(dx), static_cast<float>(dy)) / 10.0f;
                    if (d < 1)
                        light.add(static_cast<int>(ax) + dx, static_cast<int>(ay - height) + dy,
                                  rgb(255, 50, 40), 0.25f * (1 - d) * (1 - d));
                }
        }
    }
}

// Low fog lit by street lamps, laid between the skyline layers.
void streetHaze(Canvas& canvas, float fromY, float strength, std::uint32_t seed) {
    for (int y = static_cast<int>(fromY); y < ScreenH; ++y) {
        float t = (static_cast<float>(y) - fromY) / (static_cast<float>(ScreenH) - fromY);
        for (int x = 0; x < static_cast<int>(canvas.width()); ++x) {
            float n = paint::fbm(static_cast<float>(x) / 260.0f, static_cast<float>(y) / 60.0f, 3, seed);
            float a = strength * t * (0.5f + n);
            canvas.blend(x, y, rgb(120, 78, 52), std::min(0.8f, a));
        }
    }
}

// The alien ship that hangs over the city, and the beam of its brainwash machine.
void motherShip(Canvas& canvas, LightBuffer& light, float cx, float cy) {
    // Beam first, so the hull sits over its source.
    float beamTop = cy + 20, beamBottom = 900;
    for (int y = static_cast<int>(beamTop); y < static_cast<int>(beamBottom); ++y) {
        float t = (static_cast<float>(y) - beamTop) / (beamBottom - beamTop);
        float half = 26.0f + t * 120.0f;
        for (int x = static_cast<int>(cx - half) - 2; x <= static_cast<int>(cx + half) + 2; ++x) {
            float u = (static_cast<float>(x) - cx) / half;
            if (std::abs(u) > 1)
                continue;
            float edge = 1.0f - u * u;
            float bands = 0.75f + 0.25f * std::sin(static_cast<float>(y) * 0.09f - t * 6.0f);
            float k = edge * bands * (0.55f - 0.35f * t);
            canvas.blend(x, y, alienCyan, k * 0.35f);
            light.add(x, y, alienCyan, k * 0.18f);
        }
    }
    Rgba hull = rgb(18, 20, 32);
    canvas.fillEllipse(cx, cy, 300, 46, shade(hull, 0.8f));
    canvas.fillEllipse(cx, cy - 16, 170, 40, hull);
    canvas.fillEllipse(cx, cy - 30, 80, 26, shade(hull, 1.25f));
    canvas.fillEllipse(cx, cy + 14, 220, 18, rgb(12, 14, 22));
    // Rim lit by the moon on its upper edge.
    canvas.shadeSdf(
        paint::ellipseSdf(cx, cy, 300, 46),
        [&](float, float y, float d) {
            float rim = smoothstep(-4.0f, 0.0f, d) * smoothstep(cy + 10, cy - 40, y);
            return withAlpha(rgb(120, 130, 170), rim * 0.7f);
        },
        cx - 300, cy - 46, cx + 300, cy + 46);
    for (int i = 0; i < 18; ++i) {
        float a = static_cast<float>(i) / 18.0f * 3.14159f;
        float lx = cx + std::cos(a) * 262.0f * (i % 2 == 0 ? 1.0f : -1.0f);
        float ly = cy + 10 + std::sin(a) * 8.0f;
        canvas.fillCircle(lx, ly, 3.0f, rgb(170, 255, 255));
        for (int dy = -14; dy <= 14; ++dy)
            for (int dx = -14; dx <= 14; ++dx) {
                float d = std::hypot(static_cast<float>(dx), static_cast<float>(dy)) / 14.0f;
                if (d < 1)
                    light.add(static_cast<int>(lx) + dx, static_cast<int>(ly) + dy, alienCyan,
                              0.3f * (1 - d) * (1 - d));
            }
    }
    canvas.fillEllipse(cx, cy + 20, 34, 8, rgb(190, 255, 255));
}

Canvas panorama() {
    Canvas bg(PanoramaW, ScreenH);
    LightBuffer light(PanoramaW, ScreenH);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < PanoramaW; ++x) {
            Rgba c = skyAt(static_cast<float>(x), static_cast<float>(y));
            c.a = 1;
            bg.set(x, y, c);
        }
    // Stars, fewer where cloud covers the sky.
    paint::Rng stars(2201);
    for (int i = 0; i < 1400; ++i) {
        float x = stars.uniform(0, PanoramaW), y = stars.uniform(0, 640);
        float cloud = smoothstep(0.45f, 0.65f, paint::fbm(x / 340.0f, y / 70.0f, 5, 2101u));
        float b = stars.uniform(0.2f, 1.0f) * (1.0f - cloud) * smoothstep(640, 200, y);
        bg.blend(static_cast<int>(x), static_cast<int>(y), rgb(220, 226, 255), b);
        if (b > 0.85f)
            light.add(static_cast<int>(x), static_cast<int>(y), rgb(200, 210, 255), 0.6f);
    }
    // Moon with a halo.
    float mx = 1230, my = 170, mr = 62;
    bg.glow(mx, my, 260, rgb(150, 160, 200, 60), 2.2f);
    bg.shadeSdf(
        paint::circleSdf(mx, my, mr),
        [&](float x, float y, float) {
            float crater = paint::fbm(x / 14.0f, y / 14.0f, 4, 2301u);
            float limb = std::hypot(x - mx + 14, y - my + 12) / (mr * 1.4f);
            float maria = paint::fbm(x / 40.0f, y / 40.0f, 3, 2302u);
            return shade(rgb(226, 228, 216),
                         1.05f - limb * 0.35f - smoothstep(0.5f, 0.7f, maria) * 0.14f - crater * 0.06f);
        },
        mx - mr, my - mr, mx + mr, my + mr);
    motherShip(bg, light, 720, 300);
    drawSkyline(bg, light, {rgb(30, 30, 54), 0.45f, 0.10f, 60, 150, 600, 800, 4, 5, 9, 11, false}, 2401u);
    streetHaze(bg, 720, 0.4f, 2402u);
    drawSkyline(bg, light, {rgb(16, 17, 30), 0.18f, 0.15f, 90, 220, 690, 880, 6, 8, 13, 16, true}, 2403u);
    streetHaze(bg, 820, 0.5f, 2404u);
    drawSkyline(bg, light, {rgb(7, 7, 12), 0.0f, 0.07f, 150, 300, 840, 980, 9, 12, 20, 24, true}, 2405u);
    applyLight(bg, light, 0.8f, 2.4f, 5);
    return bg;
}

// Rooftop the menu is seen from, and the shading that keeps the title and
// the button column readable over the busy skyline.
Canvas foreground() {
    Canvas fg(ScreenW, ScreenH);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            float vignette = smoothstep(0.55f, 1.25f, std::hypot((fx - 960) / 1100.0f, (fy - 540) / 700.0f));
            float titleShade = smoothstep(720.0f, 0.0f, std::hypot(fx * 0.8f, fy * 1.6f)) * 0.75f;
            float buttonShade = smoothstep(260.0f, 0.0f, std::abs(fx - 1550)) * 0.45f;
            float a = std::min(0.92f, vignette * 0.85f + titleShade + buttonShade * (1 - titleShade));
            fg.set(x, y, withAlpha(rgb(4, 5, 12), a));
        }
    Rgba roof = rgb(10, 10, 16);
    // Parapet along the bottom with a lit coping stone.
    fg.fillRect(-10, 1000, ScreenW + 20, 90, roof);
    for (int x = 0; x < ScreenW; ++x) {
        fg.blend(x, 1000, rgb(120, 96, 80), 0.5f);
        fg.blend(x, 1001, rgb(90, 72, 62), 0.35f);
        if (x % 96 == 0)
            blendRect(fg, x, 1002, 2, 78, rgb(30, 30, 40, 200));
    }
    // Air-conditioning unit and a vent stack on the roof.
    fg.fillRect(60, 918, 190, 84, rgb(14, 15, 22), 4);
    for (int i = 0; i < 9; ++i)
        fg.line(74.0f + i * 19.0f, 930, 74.0f + i * 19.0f, 990, 2, rgb(30, 32, 44));
    fg.fillCircle(155, 958, 30, rgb(20, 22, 30));
    fg.ring(155, 958, 30, 2, rgb(50, 52, 66));
    fg.fillRect(300, 870, 36, 132, rgb(12, 12, 18), 3);
    fg.fillRect(292, 862, 52, 14, rgb(18, 18, 26), 3);
    // Street lamp: the amber accent of the whole menu.
    fg.line(1820, 1002, 1820, 640, 9, roof);
    fg.line(1820, 646, 1740, 620, 7, roof);
    fg.fillRect(1700, 612, 60, 16, rgb(18, 18, 24), 6);
    fg.fillEllipse(1730, 628, 22, 5, rgb(255, 214, 150));
    for (int y = 628; y < 1000; ++y) {
        float t = static_cast<float>(y - 628) / 372.0f;
        float half = 20 + t * 200;
        for (int x = static_cast<int>(1730 - half); x <= static_cast<int>(1730 + half); ++x) {
            float u = (static_cast<float>(x) - 1730) / half;
            fg.blend(x, y, amber, (1 - u * u) * 0.16f * (1 - t * 0.6f));
        }
    }
    fg.glow(1730, 628, 90, rgb(255, 190, 100, 160), 2.0f);
    // Antenna mast silhouette on the left, against the sky.
    fg.line(420, 1002, 440, 700, 5, roof);
    fg.line(440, 700, 445, 560, 3, roof);
    for (int i = 0; i < 4; ++i) {
        float y = 740.0f + i * 60.0f;
        fg.line(410 + i * 1.2f, y, 470 - i * 1.2f, y, 2, roof);
    }
    fg.fillCircle(445, 560, 3, rgb(255, 70, 60));
    fg.glow(445, 560, 24, rgb(255, 60, 50, 180), 2.0f);
    return fg;
}

Canvas logo(const std::string& displayFont, const std::string& sansBoldFont) {
    Canvas c(460, 120);
    // Emblem: a hexagon shield holding a stylised ox head.
    float cx = 58, cy = 60;
    std::vector<sf::Vector2f> hex, inner;
    for (int i = 0; i < 6; ++i) {
        float a = static_cast<float>(i) * 3.14159f / 3 + 3.14159f / 6;
        hex.push_back({cx + std::cos(a) * 52, cy + std::sin(a) * 52});
        inner.push_back({cx + std::cos(a) * 44, cy + std::sin(a) * 44});
    }
    c.fillPolygon(hex, amber);
    c.fillPolygon(inner, rgb(20, 23, 34));
    // Horns.
    c.shadeSdf(
        [&](float x, float y) {
            float left = std::abs(std::hypot(x - (cx - 8), y - (cy - 2)) - 24) - 4;
            float right = std::abs(std::hypot(x - (cx + 8), y - (cy - 2)) - 24) - 4;
            float d = std::min(left, right);
            return std::max(d, y - (cy - 4)); // only the upper halves
        },
        [&](float, float y, float) { return mix(rgb(255, 214, 150), amber, clamp01((y - 30) / 30)); },
        cx - 40, cy - 40, cx + 40, cy);
    // Head and muzzle.
    c.fillPolygon(
        {{cx - 16, cy - 8}, {cx + 16, cy - 8}, {cx + 10, cy + 20}, {cx, cy + 28}, {cx - 10, cy + 20}}, amber);
    c.fillCircle(cx - 7, cy + 2, 3, rgb(20, 23, 34));
    c.fillCircle(cx + 7, cy + 2, 3, rgb(20, 23, 34));
    c.fillEllipse(cx, cy + 20, 7, 4, rgb(20, 23, 34));
    c.text(displayFont, 84, "OXLEN", 126, 80, offWhite);
    float x = 128;
    for (char ch : std::string("INTERACTIVE")) {
        std::string s(1, ch);
        c.text(sansBoldFont, 15, s, x, 104, amber);
        x += Canvas::measureText(sansBoldFont, 15, s) + 6.2f;
    }
    c.outline(withAlpha(ink, 0.8f), 1);
    c.dropShadow(3, 4, 4, 0.6f);
    return c;
}

// One bevelled button face filling the rectangle; `hover` lights the trim.
void buttonFace(Canvas& atlas, int x, int y, int w, int h, bool hover) {
    float chamfer = std::min(w, h) * 0.16f;
    auto shape = [=](float inset) {
        float x0 = static_cast<float>(x) + inset, y0 = static_cast<float>(y) + inset;
        float x1 = static_cast<float>(x + w) - inset, y1 = static_cast<float>(y + h) - inset;
        float c = std::max(1.0f, chamfer - inset * 0.4f);
        return std::vector<sf::Vector2f>{{x0 + c, y0}, {x1, y0}, {x1, y1 - c},
                                         {x1 - c, y1}, {x0, y1}, {x0, y0 + c}};
    };
    Rgba trim = hover ? amber : steel;
    atlas.fillPolygon(shape(1), ink);
    atlas.fillPolygon(shape(3), hover ? shade(amber, 0.9f) : rgb(92, 100, 118));
    float fh = static_cast<float>(h);
    atlas.shadeSdf(
        paint::polygonSdf(shape(5)),
        [&](float px, float py, float) {
            float t = (py - static_cast<float>(y)) / fh;
            Rgba top = hover ? rgb(76, 64, 54) : rgb(40, 46, 62);
            Rgba bottom = hover ? rgb(36, 30, 32) : rgb(18, 21, 32);
            Rgba c = mix(top, bottom, t);
            // Brushed metal and a soft sheen band across the upper third.
            c = shade(c, 0.95f + 0.1f * hashUnit(static_cast<int>(px) / 3, static_cast<int>(py), 3101u));
            c = brighten(c, smoothstep(0.45f, 0.15f, t) * (hover ? 0.07f : 0.05f));
            if (hover)
                c = mix(c, amber, smoothstep(0.5f, 1.0f, t) * 0.18f);
            return c;
        },
        static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + w), static_cast<float>(y + h));
    // Inner bevel: lit top edge, dark bottom edge.
    float x0 = static_cast<float>(x) + 6, x1 = static_cast<float>(x + w) - 6;
    atlas.line(x0 + chamfer, static_cast<float>(y) + 6, x1, static_cast<float>(y) + 6, 1.2f,
               withAlpha(offWhite, 0.25f));
    atlas.line(x0, static_cast<float>(y + h) - 6.5f, x1 - chamfer, static_cast<float>(y + h) - 6.5f, 1.2f,
               withAlpha(ink, 0.7f));
    // Accent notches on the short edges.
    float midY = static_cast<float>(y) + fh / 2;
    float notch = std::min(18.0f, fh * 0.22f);
    atlas.fillRect(static_cast<float>(x) + 3, midY - notch, 3, notch * 2, trim);
    atlas.fillRect(static_cast<float>(x + w) - 6, midY - notch, 3, notch * 2, trim);
    if (hover) {
        // Glow of the lit trim bleeding into the face.
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                float d = static_cast<float>(std::min({i, j, w - 1 - i, h - 1 - j}));
                float a = smoothstep(14.0f, 4.0f, d) * 0.22f;
                if (d >= 4 && a > 0 && atlas.get(x + i, y + j).a > 0.99f)
                    atlas.blend(x + i, y + j, amber, a);
            }
    }
}

} // namespace

Canvas drawMainMenu(const std::string& backgroundPath, const std::string& foregroundPath,
                    const std::string& logoPath, const std::string& displayFont,
                    const std::string& sansBoldFont) {
    Canvas bg = panorama();
    save(bg, backgroundPath);
    save(foreground(), foregroundPath);
    save(logo(displayFont, sansBoldFont), logoPath);
    return bg;
}

// Atlas rectangles as the buttons pick them by width; the hover frame of each
// is the same rectangle 400 pixels to the right.
void drawButtons(const std::string& path) {
    Canvas atlas(800, 424);
    const int rects[4][4] = {{0, 360, 96, 64}, {0, 240, 128, 64}, {0, 110, 256, 128}, {0, 0, 400, 110}};
    for (const auto& r : rects) {
        buttonFace(atlas, r[0], r[1], r[2], r[3], false);
        buttonFace(atlas, r[0] + 400, r[1], r[2], r[3], true);
    }
    save(atlas, path);
}

// One door-wipe panel, 960 x 1080. Both halves of the wipe use the same
// image, so it is mirror-symmetric: the two copies meet at the seam as a
// matching pair of blast doors whatever way the game flips them.
void drawDoors(const std::string& path) {
    const int w = 960, h = 1080;
    Canvas door(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            float mxf =
                std::min(fx, static_cast<float>(w - 1) - fx); // distance from the nearer vertical edge
            float brushed = periodicNoise(mxf / 40.0f, fy / 1.5f, 1000, 3201u) * 0.5f +
                            hashUnit(static_cast<int>(mxf), y, 3202u) * 0.5f;
            float broad = paint::fbm(mxf / 160.0f, fy / 160.0f, 4, 3203u);
            Rgba c = shade(rgb(54, 60, 74), 0.8f + 0.14f * brushed + 0.3f * broad);
            // Vertical ribs.
            float rib = std::fmod(mxf - 110.0f + 1000.0f, 120.0f);
            if (mxf > 100 && rib < 26) {
                c = shade(c, rib < 3 ? 1.35f : rib > 23 ? 0.6f : 1.1f);
            }
            // Horizontal reinforcing bands.
            for (float by : {150.0f, 520.0f, 930.0f}) {
                float d = std::abs(fy - by);
                if (d < 34)
                    c = shade(rgb(64, 70, 86), d > 31 ? 0.5f : d < 3 ? 1.3f : 0.95f + 0.1f * brushed);
            }
            // Hazard stripes along both vertical edges.
            if (mxf < 70) {
                bool yellow = static_cast<int>((fy + mxf) / 36.0f) % 2 == 0;
                c = yellow ? shade(rgb(214, 160, 40), 0.8f + 0.25f * brushed) : rgb(20, 20, 24);
                if (mxf > 66)
                    c = rgb(14, 14, 18);
                if (mxf < 4)
                    c = shade(c, 0.5f);
            }
            // Grime gathers toward the floor.
            c = shade(c, 1.0f - smoothstep(700.0f, 1080.0f, fy) * 0.25f);
            c.a = 1;
            door.set(x, y, c);
        }
    // Rivets along the bands.
    for (float by : {150.0f, 520.0f, 930.0f})
        for (int i = 0; i < 22; ++i) {
            float rx = 100.0f + static_cast<float>(i) * 36.0f;
            for (float ry : {by - 22, by + 22}) {
                door.fillCircle(rx + 1, ry + 1.5f, 5, rgb(10, 10, 14, 180));
                door.fillCircle(rx, ry, 4.5f, rgb(96, 104, 122));
                door.fillCircle(rx - 1.2f, ry - 1.2f, 1.8f, rgb(170, 178, 196));
            }
        }
    // Central lock wheel with an amber status light.
    float cx = w / 2.0f, cy = 700;
    door.fillCircle(cx + 4, cy + 6, 118, rgb(8, 8, 12, 150));
    door.fillCircle(cx, cy, 116, rgb(40, 44, 56));
    door.ring(cx, cy, 110, 8, rgb(86, 94, 112));
    for (int i = 0; i < 6; ++i) {
        float a = static_cast<float>(i) * 3.14159f / 3;
        door.line(cx, cy, cx + std::cos(a) * 100, cy + std::sin(a) * 100, 14, rgb(70, 76, 92));
        door.line(cx, cy, cx + std::cos(a) * 100, cy + std::sin(a) * 100, 4, rgb(110, 118, 136));
    }
    door.fillCircle(cx, cy, 40, rgb(30, 32, 42));
    door.ring(cx, cy, 40, 4, amber);
    door.glow(cx, cy, 60, withAlpha(amber, 0.5f), 2.0f);
    door.fillCircle(cx, cy, 12, rgb(255, 200, 120));
    // Stencilled warning plate.
    door.fillRect(cx - 150, 300, 300, 120, rgb(30, 32, 40), 6);
    door.fillRect(cx - 140, 310, 280, 100, rgb(200, 150, 40), 4);
    door.fillPolygon({{cx, 322}, {cx + 44, 398}, {cx - 44, 398}}, rgb(20, 20, 24));
    door.fillPolygon({{cx, 336}, {cx + 32, 390}, {cx - 32, 390}}, rgb(200, 150, 40));
    door.fillRect(cx - 4, 348, 8, 26, rgb(20, 20, 24), 2);
    door.fillCircle(cx, 382, 4.5f, rgb(20, 20, 24));
    save(door, path);
}

// Backdrop of the options and highscore screens: the title panorama, blurred
// and dimmed, with a panel for the rows of settings.
void drawOptionsBackground(const Canvas& menuBackground, const std::string& path) {
    LightBuffer blurred(ScreenW, ScreenH);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            Rgba c = menuBackground.get(x + 333, y);
            blurred.add(x, y, c, 1.0f);
        }
    for (auto* ch : {&blurred.r, &blurred.g, &blurred.b}) {
        boxBlur(*ch, ScreenW, ScreenH, 6);
        boxBlur(*ch, ScreenW, ScreenH, 6);
    }
    Canvas c(ScreenW, ScreenH);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            std::size_t i = static_cast<std::size_t>(y * ScreenW + x);
            Rgba p{blurred.r[i], blurred.g[i], blurred.b[i], 1.0f};
            p = shade(p, 0.7f);
            // Faint scanlines give the dimmed city a screen-like texture.
            if (y % 4 == 0)
                p = shade(p, 0.85f);
            c.set(x, y, p);
        }
    // A plain panel: the options, the name entry and the highscore list all
    // stand on it and rule their own rows.
    drawPanel(c, 320, 60, 1280, 920, amber, 0.78f);
    save(c, path);
}

} // namespace worldart

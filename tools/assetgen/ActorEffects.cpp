// Pickups, tier badges, particles, the explosion animation and the flash.
//
// powerups.png: 48 x 48 cells, health at column 0 and invulnerability at column 1.
// rank.png: 32 x 32 badges for tiers 0, 1 and 2, left to right.
// particles.png: 32 x 32 cells, four variants per row, one row per particle
//   type, each picture centred in its cell:
//    0 soft light dot (the first cell also serves type 6)   8 green alien ichor
//    1 sparks                                               9 muzzle-fire bursts
//    2 blood drops                                         10 embers
//    3 smoke and dust puffs                                11 pale vapour (tinted in play)
//    4 concrete and brick chips                            12 glass shards
//    5 brass shell casings                                 13 cyan plasma droplets
//    6 paper scraps                                        14 purple ichor (melee alien)
//    7 blood splats (large, for death bursts)              15 wood splinters
// explosion.png: one row of 16 frames of 128 x 128, fireball centred and
//   reaching about 60 px at its widest, so that a scale of radius / 64 covers the blast.
// flash.png: one 128 x 128 radial flash, centred.

#include "ActorPaint.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace actorart {

namespace {

using paint::Rng;

// Irregular blob whose radius wobbles with angle: splats, chips and puffs.
Sdf lumpySdf(float cx, float cy, float r, float wobble, std::uint32_t seed) {
    return [=](float x, float y) {
        float dx = x - cx, dy = y - cy;
        float a = std::atan2(dy, dx);
        float n = paint::fbm(std::cos(a) * 1.6f + 5, std::sin(a) * 1.6f + 5, 3, seed);
        return std::hypot(dx, dy) - r * (1 + wobble * (n - 0.5f) * 2);
    };
}

void lumpy(Canvas& c, float cx, float cy, float r, float wobble, std::uint32_t seed, const Shade& s) {
    float m = r * (1 + wobble) + 1;
    paintSdf(c, lumpySdf(cx, cy, r, wobble, seed), cx - m, cy - m, cx + m, cy + m, s);
}

// ---- pickups -------------------------------------------------------------

void healthPickup(Canvas& c) {
    c.glow(24, 25, 23, paint::withAlpha(rgb(230, 40, 50), 0.45f), 1.6f);
    Canvas kit(48, 48);
    rbox(kit, 18, 9, 12, 7, 2.5f, metal(rgb(70, 74, 84)));
    rbox(kit, 21, 11.5f, 6, 3.5f, 1, flat(rgb(30, 32, 38)));
    Shade body = metal(rgb(236, 232, 222));
    body.depth = 5;
    rbox(kit, 9, 14, 30, 24, 4, body);
    rbox(kit, 9, 33, 30, 5, 2, metal(rgb(176, 172, 164)));
    rbox(kit, 21, 17.5f, 6, 15, 1, metal(rgb(214, 30, 40)));
    rbox(kit, 16.5f, 22, 15, 6, 1, metal(rgb(214, 30, 40)));
    finishSprite(kit);
    c.blit(kit, 0, 0);
    c.fillCircle(13, 18, 1.2f, paint::withAlpha(rgb(255, 255, 255), 0.9f));
}

void invulnerabilityPickup(Canvas& c) {
    c.glow(24, 24, 24, paint::withAlpha(palette::alienCyan, 0.55f), 1.5f);
    c.fillCircle(24, 24, 15, paint::withAlpha(rgb(120, 240, 250), 0.28f));
    Canvas shield(48, 48);
    std::vector<Vector2f> outlinePts = {{24, 11}, {34, 14.5f}, {33, 26}, {24, 36}, {15, 26}, {14, 14.5f}};
    Shade face = metal(rgb(70, 120, 190));
    face.depth = 4;
    poly(shield, outlinePts, face);
    poly(shield, {{24, 14}, {31, 16.6f}, {30.2f, 25.4f}, {24, 32.6f}}, metal(rgb(110, 170, 230)));
    poly(shield, {{25.5f, 15.5f}, {20, 25}, {24, 25}, {22.5f, 31.5f}, {28.5f, 21.5f}, {24.5f, 21.5f}},
         flat(rgb(250, 230, 120)));
    finishSprite(shield);
    c.blit(shield, 0, 0);
    c.ring(24, 24, 16, 1.6f, paint::withAlpha(rgb(190, 255, 255), 0.85f));
    c.fillCircle(17, 15, 2, paint::withAlpha(rgb(255, 255, 255), 0.8f));
}

void paintPickups(const AssetContext& ctx) {
    Canvas sheet(96, 48);
    Canvas health(48, 48), invulnerable(48, 48);
    healthPickup(health);
    invulnerabilityPickup(invulnerable);
    place(sheet, health, 0, 0, 48, 48);
    place(sheet, invulnerable, 1, 0, 48, 48);
    save(sheet, ctx, "powerups.png");
}

// ---- tier badges ---------------------------------------------------------

void badge(Canvas& c, int tier) {
    static const Rgba metals[3] = {rgb(190, 118, 62), rgb(200, 206, 218), rgb(244, 196, 64)};
    Rgba m = metals[tier];
    std::vector<Vector2f> shield = {{4, 4}, {28, 4}, {28, 18}, {16, 29}, {4, 18}};
    poly(c, shield, metal(m));
    poly(c, {{7, 6.5f}, {25, 6.5f}, {25, 17}, {16, 25.6f}, {7, 17}}, flat(palette::shadowBlue));
    // Chevrons stacked upwards, one per tier step; bold enough for the 60 % draw scale.
    for (int i = 0; i <= tier; ++i) {
        float y = 18.5f - static_cast<float>(i) * 5.2f - (2 - static_cast<float>(tier)) * 2.2f;
        poly(c, {{8.5f, y}, {16, y - 4.5f}, {23.5f, y}, {23.5f, y + 3.2f}, {16, y - 1.3f}, {8.5f, y + 3.2f}},
             metal(m));
    }
    finishSprite(c);
}

void paintBadges(const AssetContext& ctx) {
    Canvas sheet(96, 32);
    for (int t = 0; t < 3; ++t) {
        Canvas b(32, 32);
        badge(b, t);
        place(sheet, b, t, 0, 32, 32);
    }
    save(sheet, ctx, "rank.png");
}

// ---- particles -----------------------------------------------------------

using CellPainter = std::function<void(Canvas&, int variant, Rng& rng)>;

void lightDot(Canvas& c, int v, Rng&) {
    float r = v == 0 ? 9.0f : 7.0f - static_cast<float>(v);
    c.glow(16, 16, r + 6, paint::withAlpha(rgb(255, 244, 220), 0.8f), 1.5f);
    c.fillCircle(16, 16, r * 0.55f, rgb(255, 252, 240));
}

void spark(Canvas& c, int v, Rng& rng) {
    Rgba hot = rgb(255, 226, 120), core = rgb(255, 255, 236);
    c.glow(16, 16, 10, paint::withAlpha(hot, 0.6f));
    if (v == 0 || v == 2) {
        float len = v == 0 ? 11.0f : 7.0f;
        for (int k = 0; k < 4; ++k) {
            float a = static_cast<float>(k) * pi / 2 + (v == 2 ? pi / 4 : 0);
            c.line(16, 16, 16 + std::cos(a) * len, 16 + std::sin(a) * len, 1.8f, hot);
        }
    } else {
        float a = rng.uniform(0, pi);
        float len = v == 1 ? 12.0f : 8.0f;
        c.line(16 - std::cos(a) * len, 16 - std::sin(a) * len, 16 + std::cos(a) * len, 16 + std::sin(a) * len,
               2.2f, hot);
    }
    c.fillCircle(16, 16, 2.4f, core);
}

void liquidDrops(Canvas& c, int v, Rng& rng, Rgba colour, std::uint32_t seed) {
    Shade s = metal(colour);
    s.rim = 0.55f;
    s.depth = 3;
    if (v == 0) {
        blob(c, 16, 16, 8, 8, s);
    } else if (v == 1) {
        poly(c, {{16, 4}, {21, 14}, {16, 24}, {11, 14}}, s);
        blob(c, 16, 18, 6.2f, 6.2f, s);
    } else if (v == 2) {
        for (int i = 0; i < 4; ++i)
            blob(c, rng.uniform(9, 23), rng.uniform(9, 23), rng.uniform(2.5f, 4.5f), rng.uniform(2.5f, 4.5f),
                 s);
    } else {
        lumpy(c, 16, 16, 7, 0.35f, seed, s);
    }
    c.fillCircle(13.5f, 12.5f, 1.6f, paint::withAlpha(rgb(255, 255, 255), 0.55f));
}

void bloodDrop(Canvas& c, int v, Rng& rng) {
    liquidDrops(c, v, rng, palette::blood, 201);
}
void greenIchor(Canvas& c, int v, Rng& rng) {
    liquidDrops(c, v, rng, rgb(96, 196, 60), 202);
    c.glow(16, 16, 12, paint::withAlpha(rgb(150, 255, 90), 0.25f));
}
void plasmaDrop(Canvas& c, int v, Rng& rng) {
    c.glow(16, 16, 14, paint::withAlpha(palette::alienCyan, 0.55f));
    liquidDrops(c, v, rng, rgb(110, 240, 246), 203);
}

void splat(Canvas& c, int v, Rng& rng, Rgba colour) {
    Shade s = metal(colour);
    s.rim = 0.6f;
    s.depth = 5;
    s.tilt = 0.1f;
    auto seed = static_cast<std::uint32_t>(300 + v);
    lumpy(c, 16, 16, 8.5f, 0.45f, seed, s);
    for (int i = 0; i < 6; ++i) {
        float a = rng.uniform(0, 2 * pi), d = rng.uniform(9, 13);
        float r = rng.uniform(1.0f, 2.4f);
        blob(c, 16 + std::cos(a) * d, 16 + std::sin(a) * d, r, r, s);
    }
}

void bloodSplat(Canvas& c, int v, Rng& rng) {
    splat(c, v, rng, rgb(140, 16, 24));
}
void purpleIchor(Canvas& c, int v, Rng& rng) {
    splat(c, v, rng, rgb(112, 40, 140));
}

void smokePuff(Canvas& c, int v, Rng&) {
    auto seed = static_cast<std::uint32_t>(400 + v * 7);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float dist = std::hypot(x + 0.5f - 16, y + 0.5f - 16);
            float d = dist / 14;
            float n = paint::fbm(x / 6.0f, y / 6.0f, 4, seed);
            // Noise roughens the edge, the last term keeps it inside the cell.
            float a = std::clamp((1 - d) * 1.6f + (n - 0.5f) * 1.2f, 0.0f, 1.0f) *
                      std::clamp((15 - dist) / 3, 0.0f, 1.0f);
            if (a <= 0)
                continue;
            float light = 0.75f + 0.35f * n + 0.15f * (16 - static_cast<float>(y)) / 16;
            c.set(x, y, paint::withAlpha(paint::shade(rgb(128, 126, 122), light), a * 0.85f));
        }
}

void vapour(Canvas& c, int v, Rng& rng) {
    smokePuff(c, v + 8, rng);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            Rgba p = c.get(x, y);
            c.set(x, y,
                  {std::min(1.0f, p.r * 1.9f), std::min(1.0f, p.g * 1.9f), std::min(1.0f, p.b * 1.9f),
                   p.a * 0.8f});
        }
}

void chip(Canvas& c, int v, Rng& rng) {
    Rgba colour = v == 1 ? palette::brick : (v == 3 ? rgb(168, 156, 136) : palette::concrete);
    int corners = v == 2 ? 5 : 6;
    float size = v == 2 ? 5.0f : 8.5f;
    auto stone = [&](float cx, float cy, float r) {
        std::vector<Vector2f> pts;
        for (int k = 0; k < corners; ++k) {
            float a = static_cast<float>(k) * 2 * pi / static_cast<float>(corners) + rng.uniform(-0.3f, 0.3f);
            float rr = r * rng.uniform(0.65f, 1.0f);
            pts.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
        }
        Shade s = metal(colour);
        s.grain = 0.2f;
        s.grainScale = 1.5f;
        poly(c, pts, s);
    };
    if (v == 2) {
        stone(12, 13, size);
        stone(20, 19, size * 0.8f);
        stone(13, 21, size * 0.6f);
    } else {
        stone(16, 16, size);
    }
    finishSprite(c);
}

void casing(Canvas& c, int v, Rng&) {
    float a = static_cast<float>(v) * pi / 4;
    float dx = std::cos(a), dy = std::sin(a);
    limb(c, 16 - dx * 5, 16 - dy * 5, 16 + dx * 5, 16 + dy * 5, 2.6f, metal(palette::brass));
    limb(c, 16 + dx * 3.6f, 16 + dy * 3.6f, 16 + dx * 5, 16 + dy * 5, 2.9f, metal(rgb(150, 112, 48)));
    c.line(16 - dx * 4.5f - dy, 16 - dy * 4.5f + dx, 16 + dx * 3 - dy, 16 + dy * 3 + dx, 0.8f,
           paint::withAlpha(rgb(255, 240, 190), 0.8f));
    finishSprite(c);
}

void paperScrap(Canvas& c, int v, Rng& rng) {
    static const Rgba colours[4] = {palette::amber, palette::alienCyan, palette::offWhite, rgb(220, 60, 60)};
    float a = rng.uniform(0, pi);
    Vector2f u{std::cos(a) * 6, std::sin(a) * 6}, w{-std::sin(a) * 3.5f, std::cos(a) * 3.5f};
    poly(c,
         {{16 - u.x - w.x, 16 - u.y - w.y},
          {16 + u.x - w.x, 16 + u.y - w.y},
          {16 + u.x + w.x, 16 + u.y + w.y},
          {16 - u.x + w.x, 16 - u.y + w.y}},
         metal(colours[v]));
}

void muzzleFire(Canvas& c, int v, Rng& rng) {
    Canvas f(32, 32);
    int spikes = 3 + v;
    float turn = rng.uniform(0, pi);
    for (int k = 0; k < spikes; ++k) {
        float a = turn + static_cast<float>(k) * 2 * pi / static_cast<float>(spikes);
        float len = rng.uniform(9, 13);
        f.fillPolygon({{16 + std::cos(a + 1.2f) * 3, 16 + std::sin(a + 1.2f) * 3},
                       {16 + std::cos(a) * len, 16 + std::sin(a) * len},
                       {16 + std::cos(a - 1.2f) * 3, 16 + std::sin(a - 1.2f) * 3}},
                      rgb(255, 150, 40));
    }
    f.fillCircle(16, 16, 6, rgb(255, 200, 80));
    f.blur(1);
    c.glow(16, 16, 15, paint::withAlpha(palette::fireOrange, 0.5f));
    c.blit(f, 0, 0);
    c.glow(16, 16, 7, paint::withAlpha(rgb(255, 255, 220), 0.95f), 1.2f);
}

void ember(Canvas& c, int v, Rng&) {
    float r = 4.5f - static_cast<float>(v) * 0.7f;
    c.glow(16, 16, r * 3, paint::withAlpha(palette::fireOrange, 0.6f));
    c.fillCircle(16, 16, r, rgb(255, 170, 60));
    c.fillCircle(15.4f, 15.4f, r * 0.5f, rgb(255, 236, 170));
}

void glassShard(Canvas& c, int v, Rng& rng) {
    std::vector<Vector2f> pts;
    int n = 3 + v % 2;
    for (int k = 0; k < n; ++k) {
        float a = static_cast<float>(k) * 2 * pi / static_cast<float>(n) + rng.uniform(-0.4f, 0.4f);
        float r = rng.uniform(5, 10);
        pts.push_back({16 + std::cos(a) * r, 16 + std::sin(a) * r});
    }
    poly(c, pts, metal(rgb(150, 200, 230, 190)));
    for (std::size_t k = 0; k + 1 < pts.size(); ++k)
        c.line(pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, 0.8f, rgb(236, 250, 255, 230));
}

void splinter(Canvas& c, int v, Rng& rng) {
    float a = rng.uniform(0, pi);
    float len = 10 - static_cast<float>(v);
    Vector2f u{std::cos(a), std::sin(a)}, n{-std::sin(a), std::cos(a)};
    poly(c,
         {{16 - u.x * len, 16 - u.y * len},
          {16 + n.x * 2.2f, 16 + n.y * 2.2f},
          {16 + u.x * len, 16 + u.y * len},
          {16 - n.x * 1.6f, 16 - n.y * 1.6f}},
         metal(v % 2 == 0 ? palette::wood : rgb(168, 124, 80)));
    finishSprite(c);
}

void paintParticles(const AssetContext& ctx) {
    const std::vector<CellPainter> rows = {lightDot,   spark,      bloodDrop,   smokePuff,  chip,  casing,
                                           paperScrap, bloodSplat, greenIchor,  muzzleFire, ember, vapour,
                                           glassShard, plasmaDrop, purpleIchor, splinter};
    Canvas sheet(32 * 4, 32 * static_cast<unsigned>(rows.size()));
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int v = 0; v < 4; ++v) {
            Canvas cellArt(32, 32);
            Rng rng(static_cast<std::uint32_t>(row * 16 + static_cast<std::size_t>(v) + 1));
            rows[row](cellArt, v, rng);
            place(sheet, cellArt, v, static_cast<int>(row), 32, 32);
        }
    save(sheet, ctx, "particles.png");
}

// ---- explosion and flash -------------------------------------------------

constexpr int blastFrames = 16;
constexpr int blastSize = 128;

// Heat 1 is white-hot, 0 is spent: white-yellow core, orange body, dark red, smoke.
Rgba fireRamp(float heat) {
    struct Stop {
        float at;
        Rgba colour;
    };
    static const Stop stops[] = {{0.0f, rgb(52, 48, 48)},    {0.18f, rgb(84, 70, 62)},
                                 {0.32f, rgb(170, 58, 22)},  {0.5f, palette::fireOrange},
                                 {0.72f, rgb(255, 206, 84)}, {0.9f, rgb(255, 248, 214)},
                                 {1.0f, rgb(255, 255, 255)}};
    heat = std::clamp(heat, 0.0f, 1.0f);
    for (std::size_t i = 1; i < std::size(stops); ++i)
        if (heat <= stops[i].at)
            return paint::mix(stops[i - 1].colour, stops[i].colour,
                              (heat - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
    return stops[std::size(stops) - 1].colour;
}

Canvas blastFrame(int f) {
    Canvas c(blastSize, blastSize);
    const float t = static_cast<float>(f) / (blastFrames - 1);
    const float centre = blastSize / 2.0f;
    const float radius = 22 + 38 * (1 - std::exp(-t * 6));
    const float fire = std::clamp(1.3f - 2.0f * t, 0.0f, 1.3f);
    const Rgba smoke = rgb(86, 82, 78);
    for (int y = 0; y < blastSize; ++y)
        for (int x = 0; x < blastSize; ++x) {
            float dx = x + 0.5f - centre, dy = y + 0.5f - centre;
            // Large noise shapes the billows, small noise the texture inside them;
            // both drift upward a little so consecutive frames roll.
            float billow = paint::fbm(dx / 22 + 40, dy / 22 - t * 0.8f + 40, 4, 777);
            float edge = std::min(radius * (0.78f + 0.44f * billow), centre - 3);
            float r = std::hypot(dx, dy) / edge;
            if (r >= 1)
                continue;
            float detail = paint::fbm(dx / 10 + 10, dy / 10 + t * 2 + 10, 3, 778);
            float heat = fire * (1 - std::pow(r, 1.5f)) * (0.75f + 0.5f * detail) + (f == 0 ? 0.6f : 0.0f);
            float light = 0.75f + 0.6f * (detail - 0.5f) + 0.3f * (-dx - dy) / (radius * 1.4f);
            Rgba smokeColour = paint::shade(smoke, light);
            Rgba col = heat > 0.25f ? fireRamp(heat) : paint::mix(smokeColour, fireRamp(heat), heat / 0.25f);
            float alpha = std::clamp((1 - r) * 5, 0.0f, 1.0f) * (0.85f + 0.3f * detail);
            if (t > 0.5f)
                alpha *= std::clamp((billow + 0.5f * detail - (t - 0.5f) * 1.9f) * 3, 0.0f, 1.0f);
            c.blend(x, y, col, std::min(1.0f, alpha));
        }
    if (f >= 1 && f <= 3) {
        float k = static_cast<float>(f);
        c.ring(centre, centre, std::min(radius + 4 + k * 3, centre - 4), 3 - k * 0.6f,
               paint::withAlpha(rgb(255, 236, 190), 0.55f - k * 0.12f));
    }
    if (f < 3)
        c.glow(centre, centre, 34 - static_cast<float>(f) * 7, paint::withAlpha(rgb(255, 255, 240), 0.95f),
               1.2f);
    // Burning fragments thrown clear of the ball, each a short streak.
    Rng rng(9001);
    for (int i = 0; i < 9; ++i) {
        float a = rng.uniform(0, 2 * pi), speed = rng.uniform(0.8f, 1.1f);
        float d = (18 + 44 * t / 0.5f) * speed;
        if (f < 1 || f > 7 || d > centre - 7)
            continue;
        float life = 1 - t / 0.5f;
        float hx = centre + std::cos(a) * d, hy = centre + std::sin(a) * d;
        c.line(centre + std::cos(a) * (d - 7), centre + std::sin(a) * (d - 7), hx, hy, 2,
               paint::withAlpha(palette::fireOrange, 0.8f * life));
        c.fillCircle(hx, hy, 1.5f, paint::withAlpha(rgb(255, 240, 190), life));
    }
    return c;
}

void paintExplosion(const AssetContext& ctx) {
    Canvas sheet(blastSize * blastFrames, blastSize);
    for (int f = 0; f < blastFrames; ++f)
        place(sheet, blastFrame(f), f, 0, blastSize, blastSize);
    save(sheet, ctx, "explosion.png");
}

void paintFlash(const AssetContext& ctx) {
    Canvas c(128, 128);
    c.glow(64, 64, 60, paint::withAlpha(palette::fireOrange, 0.85f), 2.0f);
    Canvas rays(128, 128);
    Rng rng(4242);
    for (int k = 0; k < 8; ++k) {
        float a = static_cast<float>(k) * pi / 4 + rng.uniform(-0.15f, 0.15f);
        float len = k % 2 == 0 ? 54.0f : 36.0f;
        rays.fillPolygon({{64 + std::cos(a + 0.22f) * 8, 64 + std::sin(a + 0.22f) * 8},
                          {64 + std::cos(a) * len, 64 + std::sin(a) * len},
                          {64 + std::cos(a - 0.22f) * 8, 64 + std::sin(a - 0.22f) * 8}},
                         rgb(255, 214, 120, 200));
    }
    rays.blur(2);
    c.blit(rays, 0, 0);
    c.glow(64, 64, 34, paint::withAlpha(rgb(255, 236, 170), 0.9f), 1.6f);
    c.glow(64, 64, 16, rgb(255, 255, 245), 0.8f);
    save(c, ctx, "flash.png");
}

} // namespace

void paintEffects(const AssetContext& ctx) {
    paintPickups(ctx);
    paintBadges(ctx);
    paintParticles(ctx);
    paintExplosion(ctx);
    paintFlash(ctx);
}

} // namespace actorart

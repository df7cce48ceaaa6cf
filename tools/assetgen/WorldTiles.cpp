// The tile sheet (walls, floors, furniture) and the two edge sprites that
// the map draws around walls and along the kerbs of the streets.
//
// Sheet layout, 64-pixel cells, as map generation addresses it:
//   rows 0-4, columns 0-5: wall variants, one building theme per row; any
//     variant may sit next to any other, so they share one seamless base and
//     keep their differences away from the tile border;
//   row 5, columns 0-2: yard ground; row 6, columns 0-2: street asphalt
//     (picked at random per tile, so they also tile with each other);
//   row 7, columns 0-2: paving slabs (spare ground, not placed by generation);
//   rows 8-10, column 0: indoor floors (one per building, repeated with itself);
//   rows 0 and 1, columns 6-10: indoor and outdoor furniture; column 10 is
//     the explosive barrel in both rows.
#include "WorldKit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace worldart {

namespace {

constexpr int T = 64;

// Distance from a pixel to the tile border: tile variants only differ where
// this is large, which is what lets them sit next to each other seamlessly.
float borderWindow(int x, int y, float fade = 7.0f) {
    float d = static_cast<float>(std::min({x, T - 1 - x, y, T - 1 - y}));
    return smoothstep(2.0f, 2.0f + fade, d);
}

// Composites a layer over the tile, faded out towards the border.
void blitWindowed(Canvas& tile, const Canvas& layer) {
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            Rgba c = layer.get(x, y);
            if (c.a > 0)
                tile.blend(x, y, c, borderWindow(x, y));
        }
}

// Draws a shape at every wrapped position so features of the shared base
// continue across the tile border into the neighbouring copy.
void wrapped(const std::function<void(float dx, float dy)>& draw) {
    for (int oy = -1; oy <= 1; ++oy)
        for (int ox = -1; ox <= 1; ++ox)
            draw(static_cast<float>(ox * T), static_cast<float>(oy * T));
}

// A jagged crack from a random interior point; the pale lip under the dark
// line gives it depth under the torch light.
void crack(Canvas& layer, paint::Rng& rng, Rgba dark, float width, int segments) {
    float x = rng.uniform(18, 46), y = rng.uniform(18, 46);
    float angle = rng.uniform(0, 2 * pi);
    for (int i = 0; i < segments; ++i) {
        angle += rng.uniform(-0.9f, 0.9f);
        float len = rng.uniform(4, 8);
        float nx = std::clamp(x + std::cos(angle) * len, 6.0f, 57.0f);
        float ny = std::clamp(y + std::sin(angle) * len, 6.0f, 57.0f);
        layer.line(x + 0.6f, y + 0.8f, nx + 0.6f, ny + 0.8f, width * 0.8f, rgb(255, 255, 255, 40));
        layer.line(x, y, nx, ny, width * (1.0f - 0.08f * static_cast<float>(i)), dark);
        if (rng.range(0, 3) == 0) {
            float ba = angle + rng.uniform(-1.6f, 1.6f);
            float bl = rng.uniform(3, 6);
            layer.line(nx, ny, std::clamp(nx + std::cos(ba) * bl, 6.0f, 57.0f),
                       std::clamp(ny + std::sin(ba) * bl, 6.0f, 57.0f), width * 0.6f, dark);
        }
        x = nx;
        y = ny;
    }
}

// A soft irregular blotch (soot, water, rust, oil), drawn into a layer.
void blotch(Canvas& layer, float cx, float cy, float radius, Rgba c, std::uint32_t seed) {
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            float dx = (static_cast<float>(x) - cx) / radius, dy = (static_cast<float>(y) - cy) / radius;
            float d = std::sqrt(dx * dx + dy * dy) + (paint::fbm(x / 7.0f, y / 7.0f, 3, seed) - 0.5f) * 0.9f;
            float a = smoothstep(1.0f, 0.35f, d);
            if (a > 0)
                layer.blend(x, y, c, a);
        }
}

// ---- walls -------------------------------------------------------------

// One course (row) of a bond: its height, the block widths (summing to the
// tile width) and how far the course is shifted.
struct Course {
    int height;
    std::vector<int> widths;
    int offset;
};

struct BlockSample {
    int course = 0, block = 0;
    bool crossesBorder = false;
    float sdf = 0;        // distance to the block face edge, negative inside the face
    float gx = 0, gy = 0; // outward direction of the nearest face edge
    float u = 0, v = 0;   // position inside the block
    int w = 0, h = 0;
};

float roundedBoxSdf(float u, float v, float w, float h, float r) {
    float qx = std::abs(u - w / 2) - (w / 2 - r), qy = std::abs(v - h / 2) - (h / 2 - r);
    return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r;
}

BlockSample sampleBond(const std::vector<Course>& bond, float px, float py, float mortar, float roundness) {
    BlockSample s;
    int y0 = 0;
    for (std::size_t c = 0; c < bond.size(); ++c) {
        if (py < static_cast<float>(y0 + bond[c].height) || c + 1 == bond.size()) {
            s.course = static_cast<int>(c);
            break;
        }
        y0 += bond[c].height;
    }
    const Course& course = bond[static_cast<std::size_t>(s.course)];
    float sx = std::fmod(px - static_cast<float>(course.offset) + 2 * T, static_cast<float>(T));
    int start = 0;
    for (std::size_t b = 0; b < course.widths.size(); ++b) {
        if (sx < static_cast<float>(start + course.widths[b]) || b + 1 == course.widths.size()) {
            s.block = static_cast<int>(b);
            s.w = course.widths[b];
            break;
        }
        start += course.widths[b];
    }
    s.h = course.height;
    s.u = sx - static_cast<float>(start);
    s.v = py - static_cast<float>(y0);
    int left = (start + course.offset) % T;
    s.crossesBorder = left + s.w > T;
    float fw = static_cast<float>(s.w) - mortar, fh = static_cast<float>(s.h) - mortar;
    auto sdf = [&](float u, float v) {
        return roundedBoxSdf(u - mortar / 2, v - mortar / 2, fw, fh, roundness);
    };
    s.sdf = sdf(s.u, s.v);
    s.gx = sdf(s.u + 0.5f, s.v) - sdf(s.u - 0.5f, s.v);
    s.gy = sdf(s.u, s.v + 0.5f) - sdf(s.u, s.v - 0.5f);
    return s;
}

struct BondStyle {
    std::vector<Course> bond;
    float mortar;
    float roundness;
    Rgba face, faceAlt, mortarColour;
    float tintSpread; // how much blocks differ from each other
    float roughness;  // strength of the surface noise
    float bevel;      // width of the lit/shaded rim of each block
};

// Shared base of a block-built wall: identical in every variant except the
// tint of blocks that lie wholly inside the tile.
Canvas bondTile(const BondStyle& st, std::uint32_t themeSeed, int variant) {
    Canvas tile(T, T);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            BlockSample s = sampleBond(st.bond, px, py, st.mortar, st.roundness);
            std::uint32_t blockSeed =
                s.crossesBorder ? themeSeed : themeSeed + 7919u * static_cast<std::uint32_t>(variant + 1);
            float tint = hashUnit(s.course * 17 + s.block, 3, blockSeed);
            float pick = hashUnit(s.course * 17 + s.block, 11, blockSeed);
            Rgba face = mix(st.face, st.faceAlt, pick * pick);
            face = shade(face, 1.0f + (tint - 0.5f) * st.tintSpread);
            float n = periodicFbm(px / 8.0f, py / 8.0f, 8, 3, themeSeed + 5u);
            float grit = hashUnit(x, y, themeSeed + 9u);
            face = shade(face, 1.0f + (n - 0.5f) * st.roughness + (grit - 0.5f) * st.roughness * 0.5f);
            // Light from the upper left: the rim facing it is brighter.
            float rim = smoothstep(-st.bevel, 0.0f, s.sdf);
            float facing = (-s.gx - s.gy) * 0.7071f;
            face = brighten(face, facing * rim * 0.10f);
            Rgba mortarC = shade(st.mortarColour,
                                 0.85f + 0.3f * periodicNoise(px / 3.0f, py / 3.0f, 21, themeSeed + 2u));
            float inFace = clamp01(0.5f - s.sdf);
            Rgba c = mix(mortarC, face, inFace);
            c.a = 1;
            tile.set(x, y, c);
        }
    return tile;
}

std::vector<BondStyle> wallStyles() {
    std::vector<BondStyle> styles(5);
    // Theme 0: red-brown brick in running bond.
    styles[0] = {{{16, {32, 32}, 0}, {16, {32, 32}, 16}, {16, {32, 32}, 0}, {16, {32, 32}, 16}},
                 3.0f,
                 1.5f,
                 rgb(124, 60, 46),
                 rgb(96, 44, 36),
                 rgb(62, 58, 56),
                 0.22f,
                 0.22f,
                 2.5f};
    // Theme 1: cast concrete panels.
    styles[1] = {{{32, {64}, 0}, {32, {64}, 32}},
                 2.0f,
                 1.0f,
                 rgb(96, 100, 112),
                 rgb(86, 90, 100),
                 rgb(48, 50, 58),
                 0.08f,
                 0.16f,
                 2.0f};
    // Theme 2: plaster is not block-built; its base is made separately.
    styles[2] = {};
    // Theme 3: riveted steel plates on a square grid, so every plate stays inside its tile.
    styles[3] = {{{32, {32, 32}, 0}, {32, {32, 32}, 0}},
                 2.0f,
                 1.0f,
                 rgb(84, 94, 110),
                 rgb(74, 82, 96),
                 rgb(26, 28, 36),
                 0.10f,
                 0.10f,
                 2.5f};
    // Theme 4: dressed stone in uneven courses.
    styles[4] = {{{21, {26, 38}, 0}, {21, {20, 24, 20}, 12}, {22, {34, 30}, 44}},
                 3.0f,
                 3.0f,
                 rgb(92, 90, 100),
                 rgb(104, 98, 92),
                 rgb(40, 40, 48),
                 0.18f,
                 0.26f,
                 3.0f};
    return styles;
}

// Plaster: a trowelled render with fine grit, no joints to hide seams in.
Canvas plasterTile() {
    Canvas tile(T, T);
    Rgba base = rgb(168, 156, 136);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            float px = static_cast<float>(x), py = static_cast<float>(y);
            float broad = periodicFbm(px / 16.0f, py / 16.0f, 4, 3, 401u);
            float swirl = periodicFbm(px / 6.4f, py / 6.4f, 10, 2, 403u);
            float grit = hashUnit(x, y, 404u);
            Rgba c = shade(base, 0.86f + broad * 0.2f + (swirl - 0.5f) * 0.1f + (grit - 0.5f) * 0.08f);
            c.a = 1;
            tile.set(x, y, c);
        }
    return tile;
}

// Brick seen through a hole in the plaster.
Rgba exposedBrick(float px, float py) {
    static const std::vector<Course> bond = {{8, {16, 16}, 0}, {8, {16, 16}, 8}};
    BlockSample s = sampleBond(bond, std::fmod(px, 32.0f) * 2.0f, std::fmod(py, 16.0f), 2.0f, 0.8f);
    Rgba brick = shade(rgb(118, 58, 46), 0.85f + 0.3f * hashUnit(s.course, s.block, 77u));
    return s.sdf < 0 ? brick : rgb(70, 64, 60);
}

void rivets(Canvas& tile) {
    for (int py = 0; py < 2; ++py)
        for (int px = 0; px < 2; ++px)
            for (int k = 0; k < 4; ++k) {
                float cx = px * 32.0f + ((k & 1) ? 27.0f : 5.0f);
                float cy = py * 32.0f + ((k & 2) ? 27.0f : 5.0f);
                tile.fillCircle(cx + 0.4f, cy + 0.6f, 1.9f, rgb(20, 22, 28, 200));
                tile.fillCircle(cx, cy, 1.6f, rgb(128, 138, 152));
                tile.fillCircle(cx - 0.5f, cy - 0.5f, 0.7f, rgb(190, 200, 214));
            }
}

Canvas wallTile(int theme, int variant) {
    static const std::vector<BondStyle> styles = wallStyles();
    std::uint32_t themeSeed = 1000u + static_cast<std::uint32_t>(theme) * 97u;
    Canvas tile =
        theme == 2 ? plasterTile() : bondTile(styles[static_cast<std::size_t>(theme)], themeSeed, variant);
    if (theme == 3)
        rivets(tile);
    if (theme == 1) {
        // Form-tie holes of the cast panels, at the same place in every variant.
        for (float hx : {16.0f, 48.0f})
            for (float hy : {10.0f, 42.0f}) {
                tile.fillCircle(hx, hy, 2.0f, rgb(40, 42, 50));
                tile.fillCircle(hx + 0.6f, hy + 0.6f, 1.0f, rgb(24, 26, 32));
            }
    }
    paint::Rng rng(static_cast<std::uint32_t>(theme * 31 + variant * 7 + 5));
    Canvas layer(T, T);
    Rgba crackColour = theme == 2 ? rgb(90, 80, 66, 230) : rgb(24, 22, 26, 220);
    switch (variant) {
    case 0:
        break;
    case 1:
        crack(layer, rng, crackColour, 1.1f, 5);
        break;
    case 2:
        blotch(layer, rng.uniform(24, 40), rng.uniform(24, 40), 16, rgb(20, 18, 24, 70),
               50u + static_cast<std::uint32_t>(theme));
        break;
    case 3:
        if (theme == 2) {
            // Fallen render shows the brick core of the wall.
            for (int y = 0; y < T; ++y)
                for (int x = 0; x < T; ++x) {
                    float d = std::hypot((x - 30.0f) / 11.0f, (y - 34.0f) / 8.0f) +
                              (paint::fbm(x / 6.0f, y / 6.0f, 3, 61u) - 0.5f) * 0.8f;
                    if (d < 1.0f)
                        layer.set(x, y, exposedBrick(static_cast<float>(x), static_cast<float>(y)));
                    else if (d < 1.12f)
                        layer.set(x, y, rgb(120, 110, 96));
                }
        } else if (theme == 3) {
            // A bolted-on repair patch.
            layer.fillRect(12, 14, 22, 18, rgb(20, 22, 28, 200), 2);
            layer.fillRect(11, 13, 22, 18, rgb(96, 104, 118), 2);
            layer.line(13, 14.5f, 31, 14.5f, 1, rgb(150, 160, 176, 150));
            for (float bx : {14.0f, 30.0f})
                for (float by : {16.0f, 28.0f})
                    layer.fillCircle(bx, by, 1.2f, rgb(40, 44, 52));
        } else {
            crack(layer, rng, crackColour, 1.0f, 4);
        }
        break;
    case 4:
        if (theme == 3) {
            // Rust bleeding from the rivets.
            blotch(layer, 22, 36, 16, rgb(128, 66, 34, 170), 81u);
            blotch(layer, 44, 20, 9, rgb(150, 80, 40, 140), 82u);
        } else {
            blotch(layer, 32, 30, 16, rgb(70, 96, 60, 70), 83u + static_cast<std::uint32_t>(theme)); // moss
        }
        break;
    case 5:
        if (theme == 3) {
            // A vent grille in the lower-left plate.
            for (int i = 0; i < 5; ++i) {
                float gy = 8.0f + 4.0f * static_cast<float>(i);
                layer.fillRect(36, gy + 32, 20, 2.2f, rgb(16, 18, 24));
                layer.fillRect(36, gy + 34.2f, 20, 0.8f, rgb(150, 160, 176, 160));
            }
        } else {
            blotch(layer, 24, 40, 11, rgb(20, 18, 24, 60), 91u + static_cast<std::uint32_t>(theme));
        }
        break;
    default:
        break;
    }
    blitWindowed(tile, layer);
    return tile;
}

// ---- ground ------------------------------------------------------------

Canvas grassTile(int variant) {
    Canvas tile(T, T);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            float px = static_cast<float>(x), py = static_cast<float>(y);
            float broad = periodicFbm(px / 16.0f, py / 16.0f, 4, 4, 501u);
            float blades = periodicNoise(px / 2.0f, py / 4.0f, 32, 502u) * 0.6f + hashUnit(x, y, 503u) * 0.4f;
            Rgba c = mix(rgb(44, 64, 38), rgb(84, 104, 56), broad);
            c = shade(c, 0.78f + blades * 0.42f);
            c.a = 1;
            tile.set(x, y, c);
        }
    // Shared blade strokes, wrapped so they cross the border intact.
    paint::Rng shared(504);
    for (int i = 0; i < 70; ++i) {
        float x = shared.uniform(0, 64), y = shared.uniform(0, 64);
        float a = shared.uniform(-0.6f, 0.6f) - pi / 2;
        float len = shared.uniform(2.5f, 5.0f);
        Rgba c = shared.range(0, 1) ? rgb(100, 128, 64, 150) : rgb(30, 46, 28, 150);
        wrapped([&](float dx, float dy) {
            tile.line(x + dx, y + dy, x + dx + std::cos(a) * len, y + dy + std::sin(a) * len, 0.9f, c);
        });
    }
    // Ground tiles are picked at random for every cell, so whatever sets a
    // variant apart must stay quiet or it becomes a visible repeating stamp.
    Canvas layer(T, T);
    paint::Rng rng(510u + static_cast<std::uint32_t>(variant));
    if (variant == 0) {
        for (int i = 0; i < 3; ++i) {
            float x = rng.uniform(12, 52), y = rng.uniform(12, 52);
            Rgba petal = rng.range(0, 1) ? rgb(200, 196, 178, 200) : rgb(176, 160, 196, 200);
            for (int k = 0; k < 4; ++k) {
                float a = static_cast<float>(k) * pi / 2 + 0.4f;
                layer.fillCircle(x + std::cos(a) * 1.1f, y + std::sin(a) * 1.1f, 0.9f, petal);
            }
            layer.fillCircle(x, y, 0.6f, rgb(220, 180, 80));
        }
    } else if (variant == 1) {
        for (int i = 0; i < 6; ++i) {
            float x = rng.uniform(10, 54), y = rng.uniform(10, 54);
            Rgba stone =
                shade(mix(rgb(118, 114, 106), rgb(96, 86, 76), rng.uniform(0, 1)), rng.uniform(0.8f, 1.1f));
            float r = rng.uniform(0.9f, 1.7f);
            layer.fillEllipse(x + 0.5f, y + 0.6f, r, r * 0.8f, rgb(20, 20, 20, 110), rng.uniform(0, pi));
            layer.fillEllipse(x, y, r, r * 0.8f, stone, rng.uniform(0, pi));
        }
    } else {
        blotch(layer, 32, 32, 22, rgb(96, 100, 52, 60), 530u); // a dry, yellowed patch
        for (int i = 0; i < 2; ++i) {
            float x = rng.uniform(14, 50), y = rng.uniform(14, 50);
            layer.fillEllipse(x, y, 2.2f, 1.1f, rgb(120, 80, 40, 200), rng.uniform(0, pi));
        }
    }
    blitWindowed(tile, layer);
    return tile;
}

Canvas asphaltTile(int variant) {
    Canvas tile(T, T);
    Rgba base = rgb(46, 48, 58);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            float px = static_cast<float>(x), py = static_cast<float>(y);
            float broad = periodicFbm(px / 16.0f, py / 16.0f, 4, 4, 601u);
            float grit = hashUnit(x, y, 602u);
            Rgba c = shade(base, 0.86f + broad * 0.26f);
            if (grit > 0.93f)
                c = brighten(c, 0.07f); // aggregate stones catching the light
            else if (grit < 0.06f)
                c = shade(c, 0.75f);
            c.a = 1;
            tile.set(x, y, c);
        }
    Canvas layer(T, T);
    paint::Rng rng(610u + static_cast<std::uint32_t>(variant));
    if (variant == 0) {
        blotch(layer, 34, 30, 12, rgb(18, 18, 24, 60), 611u); // a faint oil drip
    } else if (variant == 1) {
        crack(layer, rng, rgb(16, 16, 20, 170), 0.9f, 5);
    } else {
        for (int i = 0; i < 4; ++i)
            blotch(layer, rng.uniform(16, 48), rng.uniform(16, 48), rng.uniform(3, 6), rgb(24, 24, 30, 90),
                   612u + static_cast<std::uint32_t>(i)); // tar spots
    }
    blitWindowed(tile, layer);
    return tile;
}

Canvas pavingTile(int variant) {
    BondStyle st{{{32, {32, 32}, 0}, {32, {32, 32}, 16}},
                 2.0f,
                 1.0f,
                 rgb(92, 96, 108),
                 rgb(100, 100, 104),
                 rgb(40, 42, 50),
                 0.1f,
                 0.18f,
                 1.5f};
    return bondTile(st, 701u, variant);
}

// ---- indoor floors (each repeats only with itself) -----------------------

Canvas woodFloor() {
    Canvas tile(T, T);
    // Boards and joints are kept off the tile border, so the border itself
    // never lines up with a gap and the floor reads as one surface.
    const int joints[4] = {6, 40, 22, 56};
    const int shift = 8;
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            int yy = (y + shift) % T;
            int row = yy / 16;
            float v = static_cast<float>(yy % 16) + 0.5f;
            int u = ((x - joints[row]) % T + T) % T;
            std::uint32_t plankSeed = 801u + static_cast<std::uint32_t>(row) * 13u;
            float grain = periodicFbm(static_cast<float>(u) / 32.0f,
                                      v / 3.0f + static_cast<float>(row) * 7.0f, 2, 3, plankSeed);
            float streak = std::sin(grain * 18.0f + v * 0.4f) * 0.5f + 0.5f;
            Rgba c = mix(rgb(78, 52, 32), rgb(122, 84, 50), 0.35f + 0.5f * grain + 0.15f * streak);
            c = shade(c, 0.92f + 0.16f * hashUnit(row, 0, 802u));
            // Plank edges: dark gap, lit upper lip.
            if (v < 1.0f || u == 0)
                c = rgb(40, 26, 18);
            else if (v < 2.0f || u == 1)
                c = brighten(c, 0.06f);
            else if (v > 15.0f)
                c = shade(c, 0.8f);
            c.a = 1;
            tile.set(x, y, c);
        }
    // Nail heads at the plank ends.
    for (int row = 0; row < 4; ++row)
        for (float off : {3.5f, 12.5f}) {
            float nx = static_cast<float>((joints[row] + 3) % T) + 0.5f;
            float ny = std::fmod(static_cast<float>(row * 16 - shift) + off + T, static_cast<float>(T));
            tile.fillCircle(nx, ny, 0.9f, rgb(40, 34, 30));
        }
    return tile;
}

Canvas ceramicFloor() {
    Canvas tile(T, T);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            int cx = x / 32, cy = y / 32;
            float u = static_cast<float>(x % 32) + 0.5f, v = static_cast<float>(y % 32) + 0.5f;
            float sdf = roundedBoxSdf(u - 1, v - 1, 30, 30, 2);
            Rgba glaze = (cx + cy) % 2 == 0 ? rgb(120, 130, 140) : rgb(150, 158, 164);
            float sheen =
                periodicFbm(static_cast<float>(x) / 16.0f, static_cast<float>(y) / 16.0f, 4, 3, 901u);
            glaze = shade(glaze, 0.9f + sheen * 0.16f + (hashUnit(x, y, 902u) - 0.5f) * 0.04f);
            // A soft highlight across each tile's upper left, the mark of a glazed surface.
            float gloss = smoothstep(22.0f, 0.0f, u + v) * 0.07f;
            glaze = brighten(glaze, gloss);
            float rim = smoothstep(-2.0f, 0.0f, sdf);
            glaze = brighten(glaze, (u + v < 32 ? 0.05f : -0.06f) * rim);
            Rgba grout = rgb(64, 66, 70);
            Rgba c = mix(grout, glaze, clamp01(0.5f - sdf));
            c.a = 1;
            tile.set(x, y, c);
        }
    return tile;
}

Canvas carpetFloor() {
    Canvas tile(T, T);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            // Diamond lattice woven into the pile, one motif per half tile.
            float mx = std::abs(std::fmod(px, 32.0f) - 16.0f), my = std::abs(std::fmod(py, 32.0f) - 16.0f);
            float diamond = mx + my;
            float line = smoothstep(1.6f, 0.4f, std::abs(diamond - 12.0f));
            float dot = smoothstep(3.0f, 1.5f, diamond);
            float pile = hashUnit(x, y, 1001u) * 0.5f + periodicNoise(px / 2.0f, py / 2.0f, 32, 1002u) * 0.5f;
            float broad = periodicFbm(px / 16.0f, py / 16.0f, 4, 3, 1003u);
            Rgba c = mix(rgb(100, 42, 48), rgb(124, 56, 58), broad);
            c = mix(c, rgb(150, 120, 90), line * 0.55f + dot * 0.6f);
            c = shade(c, 0.84f + pile * 0.3f);
            c.a = 1;
            tile.set(x, y, c);
        }
    return tile;
}

// ---- furniture -----------------------------------------------------------

// Every prop gets the ink rim and a short contact shadow so it stands off any floor.
Canvas finishProp(Canvas prop) {
    prop.outline(ink, 1);
    prop.dropShadow(2, 3, 2, 0.45f);
    return prop;
}

Canvas chair() {
    Canvas c(T, T);
    Rgba wood = rgb(122, 84, 50), dark = rgb(78, 52, 32), cushion = rgb(60, 90, 160);
    for (float lx : {17.0f, 45.0f})
        for (float ly : {20.0f, 46.0f})
            c.fillRect(lx - 3, ly - 3, 6, 6, dark, 1.5f);
    c.fillRect(15, 18, 34, 31, wood, 4);
    c.fillRect(18, 21, 28, 25, cushion, 5);
    c.fillRect(20, 23, 24, 8, shade(cushion, 1.2f), 4);
    c.line(22, 38, 42, 38, 1.0f, shade(cushion, 0.75f));
    // Backrest along the top edge.
    c.fillRect(13, 10, 38, 9, dark, 3);
    c.fillRect(15, 11, 34, 4, wood, 2);
    return finishProp(c);
}

Canvas roundTable() {
    Canvas c(T, T);
    Rgba wood = rgb(122, 84, 50), dark = rgb(78, 52, 32);
    c.fillCircle(32, 32, 26, dark);
    c.shadeSdf(
        paint::circleSdf(32, 32, 23.5f),
        [&](float x, float y, float) {
            float g =
                std::sin((x * 0.9f + y * 0.25f) * 0.55f + paint::fbm(x / 6, y / 6, 2, 1201u) * 5) * 0.5f +
                0.5f;
            Rgba w = mix(wood, shade(wood, 0.8f), g * 0.6f);
            return brighten(w, smoothstep(30, 0, std::hypot(x - 24, y - 24)) * 0.08f);
        },
        8, 8, 56, 56);
    // A mug and a sheet of paper on top.
    c.fillRect(30, 17, 14, 18, rgb(214, 210, 198));
    for (int i = 0; i < 5; ++i)
        c.line(32, 20.5f + i * 3.0f, 41, 20.5f + i * 3.0f, 0.7f, rgb(120, 120, 130));
    c.fillCircle(21, 38, 5.5f, rgb(150, 36, 40));
    c.fillCircle(21, 38, 3.8f, rgb(52, 30, 20));
    c.line(26, 38, 28.5f, 38, 2.0f, rgb(150, 36, 40));
    return finishProp(c);
}

Canvas sofa() {
    Canvas c(T, T);
    Rgba fabric = rgb(70, 96, 92), dark = shade(fabric, 0.65f);
    c.fillRect(4, 14, 56, 38, dark, 7);
    c.fillRect(6, 15, 52, 12, shade(fabric, 0.85f), 5); // backrest
    c.fillRect(5, 24, 9, 26, shade(fabric, 0.9f), 4);   // arms
    c.fillRect(50, 24, 9, 26, shade(fabric, 0.9f), 4);
    c.fillRect(15, 27, 17, 21, fabric, 4); // seat cushions
    c.fillRect(32, 27, 17, 21, fabric, 4);
    c.fillRect(16, 28, 15, 6, shade(fabric, 1.18f), 3);
    c.fillRect(33, 28, 15, 6, shade(fabric, 1.18f), 3);
    c.fillRect(36, 30, 9, 8, rgb(190, 150, 70), 2); // a cushion thrown in the corner
    return finishProp(c);
}

Canvas pottedPlant() {
    Canvas c(T, T);
    c.fillCircle(32, 32, 15, rgb(150, 78, 48));
    c.fillCircle(32, 32, 12.5f, rgb(70, 46, 30));
    paint::Rng rng(1301);
    for (int i = 0; i < 11; ++i) {
        float a = static_cast<float>(i) / 11.0f * 2 * pi + rng.uniform(-0.2f, 0.2f);
        float len = rng.uniform(13, 21);
        float cx = 32 + std::cos(a) * len * 0.55f, cy = 32 + std::sin(a) * len * 0.55f;
        Rgba leaf = mix(rgb(56, 118, 54), rgb(96, 150, 66), rng.uniform(0, 1));
        c.fillEllipse(cx, cy, len * 0.55f, 4.0f, leaf, a);
        c.line(32, 32, cx + std::cos(a) * len * 0.3f, cy + std::sin(a) * len * 0.3f, 0.8f, shade(leaf, 0.7f));
    }
    c.fillCircle(32, 32, 3, rgb(60, 110, 50));
    return finishProp(c);
}

// The red barrel, seen from above, with the warning diamond on its lid.
Canvas barrel(bool weathered) {
    Canvas c(T, T);
    Rgba red = weathered ? rgb(160, 40, 32) : rgb(186, 34, 30);
    c.shadeSdf(
        paint::circleSdf(32, 32, 23),
        [&](float x, float y, float) {
            float d = std::hypot(x - 26, y - 25) / 30.0f;
            Rgba col = shade(red, 1.2f - d * 0.6f);
            if (weathered) {
                float rust = paint::fbm(x / 5, y / 5, 3, 1401u);
                col = mix(col, rgb(96, 52, 30), smoothstep(0.55f, 0.75f, rust));
            }
            return col;
        },
        8, 8, 56, 56);
    c.ring(32, 32, 21.5f, 1.6f, shade(red, 0.6f));
    c.ring(32, 32, 16.5f, 1.2f, shade(red, 0.7f));
    c.ring(32, 32, 15.5f, 0.8f, rgb(255, 140, 120, 90));
    // Hazard diamond: yellow with a black flame-like mark.
    std::vector<sf::Vector2f> diamond = {{32, 19}, {45, 32}, {32, 45}, {19, 32}};
    c.fillPolygon(diamond, rgb(16, 14, 12));
    std::vector<sf::Vector2f> inner = {{32, 21.5f}, {42.5f, 32}, {32, 42.5f}, {21.5f, 32}};
    c.fillPolygon(inner, rgb(250, 200, 40));
    // A flame: the pictogram for "flammable", readable even at 1:1.
    c.fillPolygon({{32, 24.5f},
                   {35.5f, 29.5f},
                   {37.5f, 34},
                   {36.5f, 38},
                   {33.5f, 40},
                   {30.5f, 40},
                   {27.5f, 38},
                   {26.5f, 34},
                   {28, 30.5f},
                   {29.8f, 33.5f},
                   {30.6f, 29}},
                  rgb(16, 14, 12));
    c.fillEllipse(32, 36.5f, 1.6f, 2.4f, rgb(250, 200, 40));
    // Filler cap and vent.
    c.fillCircle(43, 20, 3.2f, rgb(60, 60, 66));
    c.fillCircle(43, 20, 1.8f, rgb(120, 122, 130));
    c.fillCircle(21, 44, 2.2f, rgb(60, 60, 66));
    return finishProp(c);
}

Canvas crate() {
    Canvas c(T, T);
    Rgba wood = rgb(150, 112, 64), dark = rgb(92, 64, 36);
    c.fillRect(9, 9, 46, 46, dark, 2);
    for (int i = 0; i < 4; ++i) {
        float y = 12.0f + static_cast<float>(i) * 10.2f;
        Rgba plank = shade(wood, 0.9f + 0.2f * hashUnit(i, 0, 1501u));
        c.fillRect(12, y, 40, 9, plank, 1);
        c.line(14, y + 4.5f, 50, y + 4.5f, 0.6f, shade(plank, 0.82f));
    }
    // Frame and cross brace.
    c.fillRect(9, 9, 46, 5, shade(wood, 0.75f), 2);
    c.fillRect(9, 50, 46, 5, shade(wood, 0.75f), 2);
    c.line(13, 48, 51, 16, 5, shade(wood, 0.82f));
    for (float nx : {12.0f, 52.0f})
        for (float ny : {11.5f, 52.5f})
            c.fillCircle(nx, ny, 1.1f, rgb(40, 40, 44));
    c.fillRect(24, 27, 16, 10, rgb(30, 24, 18, 120), 1); // stencil mark
    c.fillRect(26, 29, 12, 6, shade(wood, 0.7f), 1);
    return finishProp(c);
}

Canvas picnicTable() {
    Canvas c(T, T);
    Rgba wood = rgb(128, 92, 56), dark = rgb(78, 52, 32);
    // Benches on both sides, table in the middle.
    c.fillRect(6, 6, 52, 9, dark, 2);
    c.fillRect(6, 49, 52, 9, dark, 2);
    c.fillRect(7, 7, 50, 6, shade(wood, 0.9f), 1.5f);
    c.fillRect(7, 50, 50, 6, shade(wood, 0.9f), 1.5f);
    c.fillRect(4, 18, 56, 28, dark, 3);
    for (int i = 0; i < 4; ++i) {
        float y = 19.5f + static_cast<float>(i) * 6.6f;
        c.fillRect(5.5f, y, 53, 5.6f, shade(wood, 0.9f + 0.2f * hashUnit(i, 1, 1601u)), 1.5f);
    }
    for (float bx : {12.0f, 52.0f})
        for (float by : {21.0f, 43.0f})
            c.fillCircle(bx, by, 1.0f, rgb(40, 40, 44));
    return finishProp(c);
}

Canvas dumpster() {
    Canvas c(T, T);
    Rgba green = rgb(52, 96, 70), dark = rgb(30, 56, 42);
    c.fillRect(3, 12, 58, 42, dark, 3);
    c.fillRect(5, 14, 26, 38, green, 2);
    c.fillRect(33, 14, 26, 38, green, 2);
    for (float lx : {5.0f, 33.0f}) {
        for (int i = 1; i < 4; ++i)
            c.line(lx + 3, 14.0f + i * 9.5f, lx + 23, 14.0f + i * 9.5f, 1.0f, shade(green, 0.7f));
        c.fillRect(lx + 2, 15, 22, 2, shade(green, 1.25f), 1);
    }
    c.fillRect(2, 9, 60, 4, rgb(60, 64, 70), 1.5f);  // hinge bar
    c.fillRect(22, 50, 20, 4, rgb(200, 170, 60), 1); // warning strip
    c.fillRect(8, 30, 10, 4, rgb(220, 220, 210, 140), 1);
    return finishProp(c);
}

Canvas trashBin() {
    Canvas c(T, T);
    c.fillCircle(32, 32, 19, rgb(64, 70, 80));
    for (int i = 0; i < 12; ++i) {
        float a = static_cast<float>(i) / 12.0f * 2 * pi;
        c.line(32 + std::cos(a) * 13, 32 + std::sin(a) * 13, 32 + std::cos(a) * 18.5f,
               32 + std::sin(a) * 18.5f, 1.4f, rgb(96, 104, 116));
    }
    c.fillCircle(32, 32, 13, rgb(84, 92, 104));
    c.ring(32, 32, 13, 1.2f, rgb(130, 138, 150));
    c.fillRect(26, 29.5f, 12, 5, rgb(40, 44, 52), 2); // lid handle
    c.fillRect(27, 30, 10, 2, rgb(150, 158, 170), 1);
    c.fillEllipse(24, 24, 5, 3, rgb(255, 255, 255, 30), -0.7f);
    return finishProp(c);
}

} // namespace

void drawTileSheet(const std::string& path) {
    Canvas sheet(11 * T, 11 * T);
    for (int theme = 0; theme < 5; ++theme)
        for (int variant = 0; variant < 6; ++variant)
            sheet.blit(wallTile(theme, variant), variant * T, theme * T);
    for (int v = 0; v < 3; ++v) {
        sheet.blit(grassTile(v), v * T, 5 * T);
        sheet.blit(asphaltTile(v), v * T, 6 * T);
        sheet.blit(pavingTile(v), v * T, 7 * T);
    }
    sheet.blit(woodFloor(), 0, 8 * T);
    sheet.blit(ceramicFloor(), 0, 9 * T);
    sheet.blit(carpetFloor(), 0, 10 * T);
    // Row 0 furnishes rooms, row 1 yards; columns 7 and 8 are the fixed pieces.
    sheet.blit(chair(), 6 * T, 0);
    sheet.blit(roundTable(), 7 * T, 0);
    sheet.blit(sofa(), 8 * T, 0);
    sheet.blit(pottedPlant(), 9 * T, 0);
    sheet.blit(barrel(false), 10 * T, 0);
    sheet.blit(crate(), 6 * T, T);
    sheet.blit(picnicTable(), 7 * T, T);
    sheet.blit(dumpster(), 8 * T, T);
    sheet.blit(trashBin(), 9 * T, T);
    sheet.blit(barrel(true), 10 * T, T);
    save(sheet, path);
}

// Soft contact shadow of a wall block: the wall itself covers the middle
// 64 x 64, so only the 16-pixel fringe falls on the floor around it.
void drawWallShadow(const std::string& path) {
    Canvas shadow(96, 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            float d =
                roundedBoxSdf(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, 96, 96, 0) + 16.0f;
            // d: 0 at the wall face, 16 at the sprite border.
            float t = clamp01(1.0f - std::max(0.0f, d) / 16.0f);
            shadow.set(x, y, withAlpha(ink, 0.62f * t * t));
        }
    save(shadow, path);
}

// Kerb and centre line of the two-lane streets. Cell k is for the street tile
// whose lot neighbour is left (k = 0), right (1), below (2) or above (3). The
// kerb goes on the lot side; the far side of the tile is the middle of the
// street, where each of the two lanes paints half of the dashed line.
void drawStreetEdges(const std::string& path) {
    Canvas sheet(4 * 96, 96);
    for (int cell = 0; cell < 4; ++cell) {
        Canvas c(96, 96);
        // Work in a frame where the lot is on the left: a = across the street
        // (0 at the kerb), b = along it; then map back per cell.
        auto place = [cell](float a, float b) -> sf::Vector2f {
            switch (cell) {
            case 0:
                return {16 + a, 16 + b};
            case 1:
                return {80 - a, 16 + b};
            case 2:
                return {16 + b, 80 - a};
            default:
                return {16 + b, 16 + a};
            }
        };
        for (int b = 0; b < 64; ++b)
            for (int a = -16; a < 80; ++a) {
                sf::Vector2f p = place(static_cast<float>(a) + 0.5f, static_cast<float>(b) + 0.5f);
                int px = static_cast<int>(p.x), py = static_cast<int>(p.y);
                float fa = static_cast<float>(a) + 0.5f;
                float wear = hashUnit(a + 100, b, 1701u + static_cast<std::uint32_t>(cell));
                if (fa < 0) {
                    // The pavement edge darkens slightly where it meets the kerb.
                    c.blend(px, py, ink, 0.18f * (1 + fa / 16.0f));
                } else if (fa < 6) {
                    // Kerb stones, one joint per tile so neighbours line up.
                    Rgba kerb = shade(rgb(128, 132, 140), 0.9f + 0.15f * wear);
                    if (fa < 1.2f)
                        kerb = brighten(kerb, 0.1f);
                    else if (fa > 4.8f)
                        kerb = shade(kerb, 0.7f);
                    if (b == 31 || b == 63)
                        kerb = shade(kerb, 0.55f);
                    c.blend(px, py, kerb);
                } else if (fa < 22) {
                    // Gutter shadow cast by the kerb onto the road.
                    float t = 1.0f - (fa - 6) / 16.0f;
                    c.blend(px, py, ink, 0.42f * t * t);
                } else if (fa > 62 && fa < 64 && b >= 12 && b < 52) {
                    // Half of the worn centre line.
                    float paint =
                        0.75f * (0.6f + 0.4f * periodicNoise(static_cast<float>(b) / 3.0f, fa, 64, 1702u));
                    c.blend(px, py, rgb(214, 180, 84), paint);
                }
            }
        sheet.blit(c, cell * 96, 0);
    }
    save(sheet, path);
}

} // namespace worldart

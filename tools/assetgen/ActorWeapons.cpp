// Hand-held weapons and the thrown or fired projectiles.
//
// GunSheet.png: one 64 x 64 row per weapon sprite row, column 0 for the right
// hand and column 1 (the mirror image) for the left. The game pivots each
// sprite at (32, 16) and turns it so that the texture's downward axis points at
// the aim, with shots leaving 44 px from the pivot; so every weapon is drawn
// with its grip at the pivot and its muzzle or blade tip towards the bottom of
// the cell. Melee weapons get stretched along that axis by reach / 48 while
// they swing, so their blades end near the bottom edge, 48 px from the pivot.
//
// paukku.png: 64 x 64 frames drawn unrotated, origin at the centre:
// 0 hand grenade, 1 alien plasma bolt, 2 demolition bomb, 3 nuke.

#include "ActorPaint.h"

#include <cmath>
#include <functional>

namespace actorart {

namespace {

constexpr int cell = 64;
constexpr int weaponRows = 13;

// Weapons are designed lying down, barrel towards +x and grip hanging towards
// +y with the hand at (16, 32), which is how a gun is naturally sketched; the
// sheet wants them standing with the barrel down and the hand at (32, 16).
Canvas standUp(const Canvas& design) {
    Canvas out(cell, cell);
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x)
            out.set(x, y, design.get(y, cell - 1 - x));
    return out;
}

const Shade& steel() {
    static const Shade s = metal(palette::gunSteel);
    return s;
}
const Shade& polymer() {
    static const Shade s = metal(rgb(38, 40, 46));
    return s;
}
const Shade& brightSteel() {
    static const Shade s = metal(rgb(168, 174, 186));
    return s;
}
Shade woodGrain(Rgba colour, std::uint32_t seed) {
    Shade s = metal(colour);
    s.grain = 0.16f;
    s.grainScale = 1.6f;
    s.seed = seed;
    return s;
}

void line(Canvas& c, float x0, float y0, float x1, float y1, float width, Rgba colour) {
    c.line(x0, y0, x1, y1, width, colour);
}

void magnum(Canvas& c) {
    poly(c, {{11, 33}, {18, 33}, {15, 46}, {9.5f, 47}, {7.5f, 44}}, woodGrain(palette::wood, 3));
    line(c, 11.5f, 37, 10, 44, 0.7f, paint::withAlpha(palette::darkWood, 0.8f));
    rbox(c, 11, 27, 16, 8, 1.5f, steel());
    c.ring(20, 37.5f, 2.8f, 1.2f, rgb(50, 54, 62));
    rbox(c, 17.5f, 25.2f, 11, 10.6f, 2.5f, brightSteel());
    for (float x : {20.3f, 23.0f, 25.7f})
        line(c, x, 26.5f, x, 34.5f, 0.8f, rgb(92, 98, 110));
    rbox(c, 27.5f, 28, 29, 5, 1.2f, brightSteel());
    line(c, 28, 28.6f, 55.5f, 28.6f, 0.8f, rgb(226, 230, 238));
    rbox(c, 53.5f, 26, 2.5f, 2.5f, 0.5f, steel());
    poly(c, {{9, 27.5f}, {12.5f, 26.5f}, {13, 29}, {10, 30}}, steel());
}

void pistol(Canvas& c) {
    poly(c, {{12, 33}, {22, 33}, {19.5f, 47}, {10, 46.5f}}, polymer());
    rbox(c, 12.5f, 45, 7, 11, 1.2f, metal(rgb(56, 58, 66)));
    c.ring(23.5f, 36.8f, 3, 1.2f, rgb(40, 42, 48));
    rbox(c, 12, 31.5f, 31, 4.5f, 1, polymer());
    rbox(c, 8, 25.5f, 41, 7.5f, 1.5f, steel());
    for (float x = 10; x < 17; x += 1.8f)
        line(c, x, 26.5f, x, 32, 0.6f, rgb(30, 32, 38));
    line(c, 9, 26.4f, 48, 26.4f, 0.8f, rgb(130, 136, 150));
    rbox(c, 48, 27, 5, 4.5f, 1, metal(rgb(30, 32, 36)));
}

void pumpShotgun(Canvas& c) {
    poly(c, {{3.5f, 27.5f}, {15, 29}, {15, 36}, {3.5f, 40.5f}}, woodGrain(palette::wood, 5));
    rbox(c, 3.5f, 27, 2.5f, 13.5f, 1, polymer());
    rbox(c, 13.5f, 27, 14, 8.5f, 1.5f, steel());
    poly(c, {{15, 35}, {20, 35}, {18, 41}, {13.5f, 40}}, woodGrain(palette::darkWood, 6));
    rbox(c, 26, 27.5f, 34, 4, 1, brightSteel());
    rbox(c, 26, 31.5f, 29, 3.5f, 1, steel());
    rbox(c, 32, 30, 15, 7, 2, woodGrain(palette::wood, 7));
    for (float x = 34; x < 46; x += 2.4f)
        line(c, x, 30.6f, x, 36.4f, 0.7f, paint::withAlpha(palette::darkWood, 0.9f));
    rbox(c, 57, 26.5f, 3, 1.8f, 0.5f, steel());
}

void huntingRifle(Canvas& c) {
    poly(c, {{3.5f, 27}, {18, 30}, {23, 35.5f}, {13, 36.5f}, {3.5f, 41.5f}}, woodGrain(rgb(136, 90, 52), 9));
    rbox(c, 3.5f, 27, 2.5f, 14.5f, 1, metal(rgb(40, 30, 24)));
    rbox(c, 17, 28, 16, 5.5f, 1.2f, steel());
    poly(c, {{22, 33}, {52, 32}, {52, 35}, {22, 36.5f}}, woodGrain(rgb(136, 90, 52), 10));
    rbox(c, 31, 29, 29, 3, 0.8f, steel());
    rbox(c, 19, 26, 3, 3, 0.5f, polymer());
    rbox(c, 30, 26, 3, 3, 0.5f, polymer());
    rbox(c, 15, 22.5f, 22, 5, 2.2f, polymer());
    rbox(c, 35.5f, 22, 3, 6, 1, polymer());
    line(c, 17, 23.6f, 35, 23.6f, 0.8f, rgb(96, 100, 112));
    c.fillCircle(37.5f, 25, 1.3f, rgb(120, 200, 255));
    limb(c, 25, 33.5f, 26.5f, 38.5f, 1.1f, steel());
    blob(c, 26.8f, 39, 1.6f, 1.6f, brightSteel());
}

void musket(Canvas& c) {
    poly(c, {{3.5f, 26.5f}, {11, 29}, {53, 30}, {53, 34.5f}, {15, 35.5f}, {9, 38}, {3.5f, 41.5f}},
         woodGrain(rgb(112, 70, 40), 12));
    rbox(c, 3.5f, 26.5f, 2.2f, 15, 0.8f, metal(palette::brass));
    rbox(c, 13, 28.2f, 47, 3.2f, 1, metal(rgb(82, 84, 92)));
    line(c, 20, 35, 52, 34.6f, 1.1f, rgb(60, 42, 28));
    for (float x : {30.0f, 43.0f})
        rbox(c, x, 27.6f, 2.4f, 8, 0.6f, metal(palette::brass));
    rbox(c, 13, 26, 8, 4, 1, steel());
    poly(c, {{12, 26.5f}, {15, 22.5f}, {17.5f, 23.5f}, {15.5f, 27}}, steel());
    c.ring(16.5f, 37, 2.6f, 1, rgb(170, 130, 60));
}

void grenade(Canvas& c) {
    Shade body = metal(rgb(78, 92, 54));
    body.rim = 0.5f;
    body.depth = 4;
    blob(c, 23, 33, 8.5f, 7.2f, body);
    for (float x : {18.5f, 23.0f, 27.5f})
        line(c, x, 26.6f, x, 39.4f, 0.8f, rgb(44, 52, 30));
    for (float y : {30.0f, 35.5f})
        line(c, 15.5f, y, 30.5f, y, 0.8f, rgb(44, 52, 30));
    rbox(c, 11, 29.5f, 6, 7, 1.2f, steel());
    poly(c, {{13, 29.5f}, {28, 27}, {29.5f, 28.5f}, {15, 31.5f}}, brightSteel());
    c.ring(9.5f, 27, 3, 1.3f, rgb(200, 204, 214));
}

void assaultRifle(Canvas& c) {
    poly(c, {{3.5f, 28}, {14, 29.5f}, {14, 36}, {3.5f, 39.5f}}, polymer());
    rbox(c, 5.5f, 30, 6, 4, 1, metal(rgb(52, 54, 60)));
    rbox(c, 13, 26.5f, 23, 9, 1.5f, steel());
    rbox(c, 15, 23.5f, 17, 3, 0.8f, polymer());
    poly(c, {{14, 35}, {19.5f, 35}, {17.5f, 44}, {12, 43}}, polymer());
    poly(c, {{22.5f, 35}, {29.5f, 35}, {32, 47}, {25.5f, 49}}, metal(rgb(46, 48, 54)));
    rbox(c, 35, 27, 17, 7.5f, 2, polymer());
    for (float x = 37; x < 51; x += 3)
        rbox(c, x, 28.6f, 1.6f, 4.2f, 0.5f, metal(rgb(24, 26, 30)));
    rbox(c, 51, 29, 6, 3.2f, 0.8f, steel());
    rbox(c, 55.5f, 28, 4.5f, 5.2f, 1, polymer());
    rbox(c, 49, 24.5f, 2, 3, 0.4f, steel());
}

void knife(Canvas& c) {
    rbox(c, 5, 29.5f, 17, 5.5f, 2.2f, woodGrain(rgb(40, 34, 30), 14));
    for (float x : {9.0f, 13.0f, 17.0f})
        line(c, x, 30, x, 34.5f, 0.7f, rgb(20, 18, 16));
    rbox(c, 21, 26.5f, 2.8f, 11.5f, 1, brightSteel());
    poly(c, {{23.5f, 29.2f}, {49, 29.6f}, {59.5f, 32.4f}, {49, 34.6f}, {23.5f, 35.2f}},
         metal(rgb(190, 196, 208)));
    line(c, 25, 34.2f, 50, 33.8f, 0.8f, rgb(240, 244, 250));
    line(c, 26, 31.4f, 46, 31.6f, 0.7f, rgb(120, 126, 140));
}

void fireAxe(Canvas& c) {
    rbox(c, 3.5f, 30, 52.5f, 4.5f, 2, woodGrain(palette::wood, 16));
    rbox(c, 3.5f, 29.5f, 7, 5.5f, 2, polymer());
    Shade red = metal(rgb(196, 38, 32));
    poly(c, {{48, 29}, {56.5f, 29}, {52.5f, 17.5f}}, metal(rgb(150, 30, 26)));
    poly(c, {{47.5f, 28.5f}, {57, 28.5f}, {57.5f, 36}, {60.5f, 46}, {52, 48.5f}, {43.5f, 46.5f}, {48, 36}},
         red);
    line(c, 44.5f, 46.2f, 52, 48, 1.8f, rgb(214, 220, 230));
    line(c, 52, 48, 59.8f, 46, 1.8f, rgb(214, 220, 230));
}

void katana(Canvas& c) {
    rbox(c, 3.5f, 29.8f, 13.5f, 5, 2, polymer());
    for (float x = 5; x < 16; x += 2.6f) {
        line(c, x, 30.3f, x + 1.6f, 34.3f, 0.7f, rgb(170, 150, 110));
        line(c, x + 1.6f, 30.3f, x, 34.3f, 0.7f, rgb(170, 150, 110));
    }
    blob(c, 18, 32.3f, 2, 6, metal(rgb(176, 140, 64)));
    rbox(c, 19.5f, 30, 3, 4.8f, 0.6f, metal(palette::brass));
    poly(c, {{22, 30.2f}, {44, 30.4f}, {56, 29.4f}, {60, 28.6f}, {57, 32.2f}, {44, 34}, {22, 34.6f}},
         metal(rgb(200, 206, 218)));
    line(c, 23, 33.8f, 56, 31.6f, 0.9f, rgb(246, 248, 252));
}

void railGun(Canvas& c) {
    poly(c, {{3.5f, 27}, {10, 27}, {12, 38}, {3.5f, 41}}, metal(rgb(46, 52, 66)));
    rbox(c, 8, 24.5f, 24, 15, 3, metal(rgb(64, 72, 90)));
    poly(c, {{14, 38}, {20, 38}, {18, 46}, {12.5f, 45}}, polymer());
    rbox(c, 28, 25, 32, 3.6f, 1, brightSteel());
    rbox(c, 28, 35.4f, 32, 3.6f, 1, brightSteel());
    rbox(c, 28, 29, 31, 6, 1, flat(rgb(18, 28, 40)));
    line(c, 29, 32, 58, 32, 1.6f, palette::alienCyan);
    for (float x : {33.0f, 42.0f, 51.0f})
        rbox(c, x, 23.5f, 3.6f, 17, 1, metal(rgb(54, 60, 78)));
    rbox(c, 12, 27.5f, 10, 4, 1.5f, flat(rgb(40, 200, 214)));
    line(c, 13, 28.5f, 21, 28.5f, 0.8f, rgb(210, 255, 255));
}

void railGunGlow(Canvas& c) {
    Rgba glow = paint::withAlpha(palette::alienCyan, 0.5f);
    // In the standing frame the rails run down the cell along x = 32.
    for (float y : {36.0f, 45.0f, 54.0f})
        c.glow(32, y, 5, glow);
    c.glow(32, 57, 4.5f, glow);
}

void chainsaw(Canvas& c) {
    rbox(c, 26, 27, 34, 11, 5.5f, brightSteel());
    for (float x = 28; x < 57; x += 3.2f) {
        poly(c, {{x, 27.2f}, {x + 1.6f, 25.3f}, {x + 3.2f, 27.2f}}, flat(rgb(52, 54, 60)));
        poly(c, {{x, 37.8f}, {x + 1.6f, 39.7f}, {x + 3.2f, 37.8f}}, flat(rgb(52, 54, 60)));
    }
    line(c, 29, 32.5f, 58, 32.5f, 0.8f, rgb(112, 118, 130));
    Shade orange = metal(rgb(226, 112, 32));
    rbox(c, 3.5f, 22.5f, 25.5f, 20, 4.5f, orange);
    rbox(c, 6, 27, 13, 11, 2, metal(rgb(40, 42, 48)));
    for (float y = 28.5f; y < 37; y += 2.2f)
        line(c, 6.5f, y, 17.5f, y, 0.7f, rgb(20, 22, 26));
    c.ring(13, 22, 6.5f, 2.6f, rgb(38, 40, 46));
    rbox(c, 20, 25, 7, 3, 1, polymer());
}

// Yellow disc with the three black blades of the radiation sign.
void trefoil(Canvas& c, float cx, float cy, float r) {
    c.fillCircle(cx, cy, r + 0.8f, rgb(20, 20, 22));
    c.fillCircle(cx, cy, r, rgb(236, 196, 40));
    for (int i = 0; i < 3; ++i) {
        float a = static_cast<float>(i) * 2.0944f - 1.5708f;
        c.fillPolygon({{cx, cy},
                       {cx + std::cos(a - 0.5f) * r * 0.85f, cy + std::sin(a - 0.5f) * r * 0.85f},
                       {cx + std::cos(a + 0.5f) * r * 0.85f, cy + std::sin(a + 0.5f) * r * 0.85f}},
                      rgb(20, 20, 22));
    }
    c.fillCircle(cx, cy, r * 0.26f, rgb(236, 196, 40));
}

void hazardBand(Canvas& c, float x, float y, float w, float h) {
    c.fillRect(x, y, w, h, rgb(232, 190, 40));
    for (float sx = x - h; sx < x + w; sx += 5)
        c.fillPolygon({{std::max(x, sx), y},
                       {std::min(x + w, sx + 2.5f), y},
                       {std::min(x + w, sx + 2.5f + h), y + h},
                       {std::max(x, sx + h), y + h}},
                      rgb(24, 24, 26));
}

void bombCharge(Canvas& c) {
    rbox(c, 12, 21, 26, 22, 5, metal(rgb(70, 78, 62)));
    hazardBand(c, 13, 28, 24, 8);
    trefoil(c, 25, 32, 4.4f);
    c.fillCircle(35, 24.5f, 1.8f, rgb(255, 60, 50));
    rbox(c, 8, 29, 5, 6, 1.5f, steel());
}

void projectileGrenade(Canvas& c) {
    Shade body = metal(rgb(78, 92, 54));
    body.rim = 0.5f;
    body.depth = 5;
    blob(c, 32, 35, 9.5f, 11, body);
    for (float x : {27.0f, 32.0f, 37.0f})
        line(c, x, 25, x, 45, 0.8f, rgb(44, 52, 30));
    for (float y : {31.0f, 38.0f})
        line(c, 23, y, 41, y, 0.8f, rgb(44, 52, 30));
    rbox(c, 28, 20, 8, 6, 1.5f, steel());
    poly(c, {{34, 21}, {38.5f, 22}, {42, 36}, {40, 37}}, brightSteel());
    c.ring(26, 19.5f, 3.2f, 1.4f, rgb(200, 204, 214));
}

void plasmaBolt(Canvas& c) {
    c.glow(32, 32, 28, paint::withAlpha(palette::alienCyan, 0.7f), 1.4f);
    c.ring(32, 32, 10, 1.6f, paint::withAlpha(palette::alienViolet, 0.55f));
    c.glow(32, 32, 15, paint::withAlpha(rgb(150, 255, 236), 0.9f), 1.4f);
    c.fillCircle(32, 32, 8, rgb(170, 255, 240));
    c.fillCircle(32, 32, 4.2f, rgb(255, 255, 255));
}

void dynamiteBundle(Canvas& c) {
    for (float x : {19.0f, 28.0f, 37.0f}) {
        Shade stick = metal(rgb(184, 44, 36));
        stick.grain = 0.1f;
        stick.seed = static_cast<std::uint32_t>(x);
        rbox(c, x, 14, 8.5f, 36, 3.5f, stick);
        rbox(c, x + 2.5f, 12, 3.5f, 3, 1, flat(rgb(220, 210, 180)));
    }
    for (float y : {20.0f, 42.0f})
        rbox(c, 17.5f, y, 29, 3.6f, 1, polymer());
    rbox(c, 23, 27, 18, 11, 2, metal(rgb(30, 32, 36)));
    rbox(c, 25, 29, 14, 7, 1, flat(rgb(50, 8, 8)));
    for (float x : {26.5f, 30.5f, 35.5f})
        rbox(c, x, 30.2f, 2.6f, 4.6f, 0.5f, flat(rgb(255, 70, 50)));
    c.fillCircle(33.8f, 31, 0.6f, rgb(255, 70, 50));
    c.fillCircle(33.8f, 34, 0.6f, rgb(255, 70, 50));
    line(c, 24, 37.5f, 21, 44, 1.1f, rgb(220, 40, 40));
    line(c, 40, 37.5f, 43, 44, 1.1f, rgb(60, 120, 230));
}

void nuke(Canvas& c) {
    poly(c, {{21, 44}, {26, 38}, {26, 52}, {21, 55}}, metal(rgb(52, 56, 62)));
    poly(c, {{43, 44}, {38, 38}, {38, 52}, {43, 55}}, metal(rgb(52, 56, 62)));
    Shade shell = metal(rgb(222, 186, 48));
    shell.depth = 6;
    blob(c, 32, 31, 11.5f, 16, shell);
    hazardBand(c, 21, 36, 22, 4);
    blob(c, 32, 17.5f, 6, 3.6f, metal(rgb(52, 56, 62)));
    trefoil(c, 32, 27, 5.2f);
    rbox(c, 29, 46, 6, 7, 1.5f, metal(rgb(52, 56, 62)));
}

void paintProjectiles(const AssetContext& ctx) {
    const std::vector<void (*)(Canvas&)> frames = {projectileGrenade, plasmaBolt, dynamiteBundle, nuke};
    Canvas sheet(cell * 4, cell);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        Canvas frame(cell, cell);
        frames[i](frame);
        // The plasma is light, not matter: no dark rim around it.
        if (frames[i] != plasmaBolt)
            finishSprite(frame);
        place(sheet, frame, static_cast<int>(i), 0, cell, cell);
    }
    save(sheet, ctx, "paukku.png");
}

struct WeaponArt {
    int row;
    std::function<void(Canvas&)> paint;
    std::function<void(Canvas&)> glow;
};

} // namespace

void paintWeapons(const AssetContext& ctx) {
    // Rows are shared where the item templates share them: the flintlock uses
    // the revolver, the SMG the pistol, all shotguns one row, the machine gun
    // the assault rifle, and the bomb and the nuke one charge.
    const std::vector<WeaponArt> weapons = {
        {0, magnum, {}},      {1, pistol, {}},  {2, pumpShotgun, {}},       {3, huntingRifle, {}},
        {4, musket, {}},      {5, grenade, {}}, {6, assaultRifle, {}},      {7, knife, {}},
        {8, fireAxe, {}},     {9, katana, {}},  {10, railGun, railGunGlow}, {11, chainsaw, {}},
        {12, bombCharge, {}},
    };
    Canvas sheet(cell * 2, cell * weaponRows);
    for (const WeaponArt& w : weapons) {
        Canvas design(cell, cell);
        w.paint(design);
        Canvas standing = standUp(design);
        finishSprite(standing);
        if (w.glow)
            w.glow(standing);
        place(sheet, standing, 0, w.row, cell, cell);
        place(sheet, mirrored(standing), 1, w.row, cell, cell);
    }
    save(sheet, ctx, "GunSheet.png");

    paintProjectiles(ctx);
}

} // namespace actorart

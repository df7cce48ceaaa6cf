// Icons of the five armours, for the upgrade screen's loot slot and inventory.
//
// ArmourIcons.png: 64 x 64 cells in one row, in the order of the armour
// templates: 0 kevlar vest, 1 lucky talisman, 2 bomb-proof suit, 3 fabulous
// t-shirt, 4 platemail. Each is seen from the front, centred in its cell.

#include "ActorPaint.h"

#include <cmath>
#include <vector>

namespace actorart {

namespace {

constexpr int cell = 64;

// A sleeveless torso: shoulders at the top, a V at the neck, the hem at the bottom.
std::vector<Vector2f> vestOutline(float neckDepth) {
    return {{14, 10}, {25, 8}, {32, 8 + neckDepth}, {39, 8}, {50, 10}, {50, 22}, {47, 26}, {48, 56}, {16, 56},
            {17, 26}, {14, 22}};
}

void kevlarVest(Canvas& c) {
    poly(c, vestOutline(12), cloth(rgb(58, 66, 52), 41, 0.14f));
    // Front plate carrier and pouches.
    rbox(c, 21, 28, 22, 16, 2, cloth(rgb(74, 84, 64), 42, 0.1f));
    for (float x : {20.0f, 29.0f, 38.0f})
        rbox(c, x, 45, 7, 8, 1.2f, cloth(rgb(66, 74, 56), 43, 0.1f));
    c.line(21, 36, 43, 36, 1, paint::withAlpha(palette::ink, 0.5f));
    for (float x : {18.0f, 46.0f})
        c.line(x, 12, x, 24, 2.4f, rgb(40, 44, 38));
}

void luckyTalisman(Canvas& c) {
    // A cord looping over the top down to the charm.
    Canvas cord(cell, cell);
    cord.ring(32, 24, 16, 1.8f, rgb(132, 92, 54));
    for (int y = 25; y < cell; ++y)
        for (int x = 0; x < cell; ++x)
            cord.set(x, y, {});
    c.blit(cord, 0, 0);
    c.line(16, 24, 27, 31, 1.8f, rgb(132, 92, 54));
    c.line(48, 24, 37, 31, 1.8f, rgb(132, 92, 54));
    blob(c, 32, 42, 13, 13, metal(palette::brass));
    blob(c, 32, 42, 8, 8, metal(rgb(40, 170, 120)));
    c.glow(29, 39, 5, paint::withAlpha(palette::offWhite, 0.7f));
    for (int i = 0; i < 4; ++i) {
        float a = pi / 4 + static_cast<float>(i) * pi / 2;
        blob(c, 32 + std::cos(a) * 13, 42 + std::sin(a) * 13, 2.2f, 2.2f, metal(palette::brass));
    }
}

void bombSuit(Canvas& c) {
    // A bulky padded jacket with a thick collar and a visor helmet above.
    poly(c,
         {{8, 27}, {20, 22}, {44, 22}, {56, 27}, {56, 40}, {48, 42}, {48, 58}, {16, 58}, {16, 42}, {8, 40}},
         cloth(rgb(92, 104, 66), 51, 0.12f));
    rbox(c, 22, 31, 20, 24, 3, cloth(rgb(104, 118, 76), 52, 0.1f));
    for (float y : {37.0f, 43.0f, 49.0f})
        c.line(23, y, 41, y, 1, paint::withAlpha(palette::ink, 0.45f));
    blob(c, 32, 15, 11, 10, cloth(rgb(86, 98, 62), 53, 0.08f));
    rbox(c, 25, 11, 14, 7, 3, metal(rgb(60, 120, 150)));
    c.line(27, 13, 34, 13, 1.2f, paint::withAlpha(palette::offWhite, 0.6f));
    rbox(c, 20, 21, 24, 5, 2, cloth(rgb(70, 80, 52), 54, 0.1f));
}

void fabulousTShirt(Canvas& c) {
    poly(c,
         {{6, 18},
          {22, 8},
          {27, 11},
          {32, 13},
          {37, 11},
          {42, 8},
          {58, 18},
          {52, 29},
          {46, 26},
          {46, 56},
          {18, 56},
          {18, 26},
          {12, 29}},
         cloth(rgb(232, 84, 164), 61, 0.1f));
    // A glittering star on the chest.
    std::vector<Vector2f> star;
    for (int i = 0; i < 10; ++i) {
        float a = -pi / 2 + static_cast<float>(i) * pi / 5;
        float r = i % 2 == 0 ? 11.0f : 4.6f;
        star.push_back({32 + std::cos(a) * r, 36 + std::sin(a) * r});
    }
    poly(c, star, metal(rgb(255, 214, 80)));
    c.glow(28, 32, 4, paint::withAlpha(palette::offWhite, 0.8f));
    c.ring(32, 11, 5.5f, 1.2f, rgb(196, 60, 134));
}

void platemail(Canvas& c) {
    const Shade plate = metal(rgb(150, 156, 170));
    poly(c, vestOutline(6), plate);
    // Shoulder guards, the breastplate's ridge and a belt of tassets.
    blob(c, 15, 15, 8, 6, plate);
    blob(c, 49, 15, 8, 6, plate);
    c.line(32, 16, 32, 44, 1.4f, paint::withAlpha(palette::offWhite, 0.55f));
    c.line(19, 44, 45, 44, 1.6f, rgb(70, 74, 84));
    for (float x : {19.0f, 27.0f, 35.0f})
        rbox(c, x, 46, 9, 9, 1, metal(rgb(128, 134, 148)));
    for (Vector2f rivet : {Vector2f{20, 22}, Vector2f{44, 22}, Vector2f{21, 40}, Vector2f{43, 40}})
        blob(c, rivet.x, rivet.y, 1.4f, 1.4f, metal(palette::brass));
}

} // namespace

void paintArmourIcons(const AssetContext& ctx) {
    using Painter = void (*)(Canvas&);
    const Painter armours[] = {kevlarVest, luckyTalisman, bombSuit, fabulousTShirt, platemail};
    Canvas sheet(cell * 5, cell);
    for (int i = 0; i < 5; ++i) {
        Canvas icon(cell, cell);
        armours[i](icon);
        finishSprite(icon);
        place(sheet, icon, i, 0, cell, cell);
    }
    save(sheet, ctx, "ArmourIcons.png");
}

} // namespace actorart

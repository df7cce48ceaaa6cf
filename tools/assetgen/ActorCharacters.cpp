// The walking actors: the player, the civilians and the two alien kinds.
// None of them is ever rotated or given a direction row by the game, so each
// is drawn once, seen steeply from above and facing down the screen, with a
// four-frame walk (passing, left step, passing, right step). The game keeps
// cycling the strip slowly even while an actor stands, so the steps stay small.

#include "ActorPaint.h"

#include <cmath>

namespace actorart {

namespace {

// Forward swing of the figure's screen-left leg for a frame: +1 fully
// forward (down the screen), -1 fully back; the screen-right leg mirrors it.
float legSwing(int frame) {
    return std::sin(static_cast<float>(frame) * pi / 2);
}
// Passing frames carry the body a pixel higher than the steps.
float bodyBob(int frame) {
    return frame % 2 == 0 ? -1.0f : 0.0f;
}

// Draws in a design space of a 64 x 96 frame and scales it about the ground
// point, so the civilians come out a head smaller than the player from the same rig.
struct Pen {
    Canvas& c;
    float anchorX, anchorY, k;
    float X(float x) const { return anchorX + (x - anchorX) * k; }
    float Y(float y) const { return anchorY + (y - anchorY) * k; }
    void ellipse(float x, float y, float rx, float ry, const Shade& s, float angle = 0) const {
        blob(c, X(x), Y(y), rx * k, ry * k, s, angle);
    }
    void capsule(float x0, float y0, float x1, float y1, float r, const Shade& s) const {
        limb(c, X(x0), Y(y0), X(x1), Y(y1), r * k, s);
    }
    void box(float x, float y, float w, float h, float r, const Shade& s) const {
        rbox(c, X(x), Y(y), w * k, h * k, r * k, s);
    }
    void polygon(std::vector<Vector2f> pts, const Shade& s) const {
        for (auto& p : pts)
            p = {X(p.x), Y(p.y)};
        poly(c, pts, s);
    }
    Sdf circle(float x, float y, float r) const { return paint::circleSdf(X(x), Y(y), r * k); }
    Sdf oval(float x, float y, float rx, float ry) const {
        return paint::ellipseSdf(X(x), Y(y), rx * k, ry * k);
    }
    Sdf quad(std::vector<Vector2f> pts) const {
        for (auto& p : pts)
            p = {X(p.x), Y(p.y)};
        return paint::polygonSdf(std::move(pts));
    }
    void shape(const Sdf& sdf, float x0, float y0, float x1, float y1, const Shade& s) const {
        paintSdf(c, sdf, X(x0), Y(y0), X(x1), Y(y1), s);
    }
};

struct HumanLook {
    float scale = 1.0f;
    Rgba skin, hair, top, legs, shoes;
    bool shortSleeves = false;
    bool longHair = false;
    bool fieldKit = false; // the player's jacket details and shoulder lamp
    std::uint32_t seed = 1;
};

void drawHuman(Canvas& c, const HumanLook& look, int frame) {
    const Pen p{c, 32, 89, look.scale};
    const float s = legSwing(frame), bob = bodyBob(frame);
    const Shade skin = cloth(look.skin, look.seed + 1, 0.04f);
    const Shade top = cloth(look.top, look.seed + 2, 0.14f);
    const Shade legs = cloth(look.legs, look.seed + 3, 0.12f);
    const Shade shoes = metal(look.shoes);
    const Shade hair = cloth(look.hair, look.seed + 4, 0.3f);

    // Legs, the one stepping back first so the forward foot overlaps it.
    auto leg = [&](float side, float a) {
        float hipX = 32 + side * 5, footX = 32 + side * 6.3f, footY = 82.5f + 3.5f * a;
        p.capsule(hipX, 60 + bob, 32 + side * 6.6f, 71 + bob + a, 4.4f, legs);
        p.capsule(32 + side * 6.6f, 71 + bob + a, footX, footY, 4.0f, legs);
        p.ellipse(footX, footY + 2.2f, 4.3f + 0.3f * a, 3.4f + 0.3f * a, shoes);
    };
    if (s <= 0) {
        leg(-1, s);
        leg(1, -s);
    } else {
        leg(1, -s);
        leg(-1, s);
    }

    if (look.longHair)
        p.box(20.5f, 22 + bob, 23, 19, 6, hair);

    // Torso: one shape for chest and shoulders so the shading runs across both.
    Sdf torso = paint::unite(p.quad({{18, 40 + bob}, {46, 40 + bob}, {43.5f, 62 + bob}, {20.5f, 62 + bob}}),
                             p.oval(32, 41 + bob, 15.2f, 6.5f));
    p.box(21.5f, 55 + bob, 21, 8, 3, legs);
    p.shape(torso, 16, 34, 48, 63, top);
    if (look.fieldKit) {
        const Shade pocket = cloth(paint::shade(look.top, 0.78f), look.seed + 5, 0.1f);
        p.box(22.5f, 45 + bob, 7, 6, 1.5f, pocket);
        p.box(34.5f, 45 + bob, 7, 6, 1.5f, pocket);
        p.capsule(32, 42 + bob, 32, 59 + bob, 0.6f, flat(paint::shade(look.top, 0.6f)));
        p.box(20.8f, 57.5f + bob, 22.4f, 3, 1, metal(rgb(52, 38, 28)));
        p.box(30.5f, 57.2f + bob, 3, 3.6f, 0.8f, metal(palette::brass));
        p.polygon({{26, 37 + bob}, {38, 37 + bob}, {32, 44 + bob}}, cloth(paint::shade(look.top, 0.7f), 9));
    } else {
        p.polygon({{28, 37 + bob}, {36, 37 + bob}, {32, 42 + bob}}, flat(paint::shade(look.skin, 0.85f)));
    }

    // Arms swing against the legs: the arm opposite the forward leg comes forward.
    for (float side : {-1.0f, 1.0f}) {
        float b = side < 0 ? -s : s;
        float sx = 32 + side * 13.6f, sy = 41 + bob;
        float ex = 32 + side * 17.2f, ey = 51.5f + 1.6f * b + bob;
        float hx = 32 + side * (16.8f - 1.6f * b), hy = 62 + 3.6f * b + bob;
        const Shade crease = flat(paint::shade(look.top, 0.42f));
        p.capsule(sx, sy + 1, ex, ey, 4.9f, crease);
        p.capsule(ex, ey, hx, hy, 4.4f, crease);
        p.capsule(sx, sy, ex, ey, 4.1f, top);
        p.capsule(ex, ey, hx, hy, 3.6f, look.shortSleeves ? skin : top);
        if (look.shortSleeves)
            p.capsule(sx, sy, 32 + side * 16.2f, 48 + bob + b, 4.3f, top);
        p.ellipse(hx, hy + 1, 3.3f, 3.5f, skin);
    }

    // Head seen from above: mostly hair, the face showing below it.
    p.box(28.5f, 30 + bob, 7, 8, 2, cloth(paint::shade(look.skin, 0.8f), look.seed + 6, 0.04f));
    p.ellipse(21.6f, 27.5f + bob, 2.1f, 2.9f, skin);
    p.ellipse(42.4f, 27.5f + bob, 2.1f, 2.9f, skin);
    p.ellipse(32, 25 + bob, 10.6f, 10.8f, skin);
    Sdf hairCap = paint::subtract(p.circle(32, 23.4f + bob, 11.3f), p.oval(32, 31 + bob, 8.2f, 6.6f));
    p.shape(hairCap, 20, 12, 44, 36, hair);
    p.ellipse(28.2f, 29.6f + bob, 1.3f, 1.5f, flat(rgb(30, 24, 26)));
    p.ellipse(35.8f, 29.6f + bob, 1.3f, 1.5f, flat(rgb(30, 24, 26)));
    p.capsule(30.4f, 33.6f + bob, 33.6f, 33.6f + bob, 0.55f, flat(paint::shade(look.skin, 0.62f)));
    // A soft highlight where the torch catches the hair.
    c.glow(p.X(28), p.Y(18 + bob), 6 * look.scale, paint::withAlpha(paint::shade(look.hair, 1.8f), 0.35f));

    if (look.fieldKit) {
        p.box(17.5f, 38.5f + bob, 6, 5, 1.5f, metal(rgb(40, 42, 48)));
        p.ellipse(20.5f, 41 + bob, 1.9f, 1.9f, flat(rgb(255, 214, 140)));
    }
}

void addPlayerLampGlow(Canvas& c, int frame) {
    c.glow(20.5f, 41 + bodyBob(frame), 6, paint::withAlpha(palette::amber, 0.55f));
}

void drawRangedAlien(Canvas& c, int frame) {
    const float s = legSwing(frame), bob = bodyBob(frame);
    const Shade skin = cloth(palette::rangedGreen, 31, 0.12f);
    const Shade skinDark = cloth(paint::shade(palette::rangedGreen, 0.7f), 32, 0.12f);
    const Shade violet = cloth(palette::alienViolet, 33, 0.1f);

    for (float side : {-1.0f, 1.0f}) {
        float a = side < 0 ? s : -s;
        float kx = 32 + side * 6.8f, ky = 72 + bob + a;
        float fx = 32 + side * 6.2f, fy = 83.5f + 3.5f * a;
        limb(c, 32 + side * 4, 60 + bob, kx, ky, 2.9f, skinDark);
        limb(c, kx, ky, fx, fy, 2.4f, skinDark);
        blob(c, fx, fy + 1.6f, 3.6f, 2.6f, cloth(rgb(60, 96, 40), 34, 0.1f));
    }

    // Narrow chest in a dark harness with the glowing power cell the shots come from.
    Sdf torso = paint::unite(
        paint::polygonSdf({{22.5f, 39 + bob}, {41.5f, 39 + bob}, {37.5f, 61 + bob}, {26.5f, 61 + bob}}),
        paint::ellipseSdf(32, 40 + bob, 10.8f, 4.4f));
    paintSdf(c, torso, 21, 35, 43, 62, skin);
    for (int i = 0; i < 3; ++i) {
        float y = 45 + bob + i * 4.6f;
        poly(c,
             {{25.5f + i * 0.8f, y},
              {32, y + 2.6f},
              {38.5f - i * 0.8f, y},
              {38.5f - i * 0.8f, y + 1.6f},
              {32, y + 4.0f},
              {25.5f + i * 0.8f, y + 1.6f}},
             violet);
    }
    limb(c, 24, 40 + bob, 38, 58 + bob, 1.2f, metal(rgb(44, 36, 60)));
    limb(c, 40, 40 + bob, 26, 58 + bob, 1.2f, metal(rgb(44, 36, 60)));
    blob(c, 32, 48 + bob, 2.8f, 2.8f, flat(rgb(190, 250, 255)));

    // Long thin arms; the screen-right one wears the emitter gauntlet.
    for (float side : {-1.0f, 1.0f}) {
        float b = side < 0 ? -s : s;
        float sx = 32 + side * 10.2f, sy = 40.5f + bob;
        float ex = 32 + side * 13.8f, ey = 53 + 1.5f * b + bob;
        float hx = 32 + side * (13.2f - 1.2f * b), hy = 67 + 4 * b + bob;
        limb(c, sx, sy + 1, ex, ey, 3.2f, flat(rgb(36, 70, 26)));
        limb(c, ex, ey, hx, hy, 2.9f, flat(rgb(36, 70, 26)));
        limb(c, sx, sy, ex, ey, 2.5f, skin);
        limb(c, ex, ey, hx, hy, 2.2f, skin);
        for (float f : {-1.6f, 0.0f, 1.6f})
            limb(c, hx, hy, hx + f * 1.1f + side * 0.6f, hy + 5, 0.75f, skinDark);
        if (side > 0) {
            limb(c, ex + 0.2f, ey + 3, hx + 0.1f, hy - 2, 3.3f, metal(rgb(50, 54, 74)));
            blob(c, hx + 0.1f, hy - 2.4f, 1.7f, 1.7f, flat(palette::alienCyan));
        }
    }

    limb(c, 32, 33 + bob, 32, 39 + bob, 2.6f, skinDark);

    // Bulbous cranium over a narrow jaw.
    Sdf head = paint::unite(paint::ellipseSdf(32, 18.5f + bob, 15.2f, 14.2f),
                            paint::ellipseSdf(32, 28 + bob, 9, 7.2f));
    paintSdf(c, head, 16, 4, 48, 36, cloth(palette::rangedGreen, 35, 0.1f));
    limb(c, 32, 5.5f + bob, 32, 15 + bob, 1.6f, violet);
    limb(c, 24.5f, 7.5f + bob, 21.5f, 15.5f + bob, 1.4f, violet);
    limb(c, 39.5f, 7.5f + bob, 42.5f, 15.5f + bob, 1.4f, violet);
    blob(c, 19.5f, 21 + bob, 1.4f, 1.4f, violet);
    blob(c, 44.5f, 21 + bob, 1.4f, 1.4f, violet);
    // Dark sockets, then the glowing visor-eyes inside them.
    blob(c, 25.8f, 24 + bob, 5.9f, 3.2f, flat(rgb(14, 18, 26)), 0.42f);
    blob(c, 38.2f, 24 + bob, 5.9f, 3.2f, flat(rgb(14, 18, 26)), -0.42f);
    blob(c, 25.9f, 24 + bob, 4.6f, 2.1f, flat(palette::alienCyan), 0.42f);
    blob(c, 38.1f, 24 + bob, 4.6f, 2.1f, flat(palette::alienCyan), -0.42f);
    blob(c, 26.6f, 23.8f + bob, 1.8f, 0.9f, flat(rgb(220, 255, 255)), 0.42f);
    blob(c, 37.4f, 23.8f + bob, 1.8f, 0.9f, flat(rgb(220, 255, 255)), -0.42f);
    limb(c, 30.5f, 31 + bob, 33.5f, 31 + bob, 0.5f, flat(rgb(40, 70, 30)));
}

void addRangedAlienGlow(Canvas& c, int frame) {
    float bob = bodyBob(frame), s = legSwing(frame);
    Rgba glow = paint::withAlpha(palette::alienCyan, 0.5f);
    c.glow(25.9f, 24 + bob, 9, glow);
    c.glow(38.1f, 24 + bob, 9, glow);
    c.glow(32, 48 + bob, 6, glow);
    c.glow(32 + 13.2f - 1.2f * s, 67 + 4 * s + bob - 2.4f, 5, glow);
}

void drawMeleeAlien(Canvas& c, int frame) {
    const float s = legSwing(frame), bob = bodyBob(frame);
    const Rgba purple = palette::meleePurple;
    Shade hide = cloth(purple, 51, 0.22f);
    hide.grainScale = 4.5f;
    hide.rim = 0.5f;
    hide.depth = 7;
    const Shade hideDark = cloth(paint::shade(purple, 0.72f), 52, 0.2f);
    const Shade bone = cloth(rgb(206, 180, 226), 53, 0.08f);
    const Shade claw = metal(rgb(120, 226, 96));

    for (float side : {-1.0f, 1.0f}) {
        float a = side < 0 ? s : -s;
        float fx = 48 + side * 14.5f, fy = 80.5f + 3 * a;
        limb(c, 48 + side * 11, 66 + bob, 48 + side * 15, 73 + bob + a, 7.5f, hideDark);
        limb(c, 48 + side * 15, 73 + bob + a, fx, fy, 6.4f, hideDark);
        blob(c, fx, fy + 2.5f, 7.2f, 4.6f, hideDark);
        for (float t : {-4.0f, 0.0f, 4.0f})
            poly(c, {{fx + t - 1.6f, fy + 5}, {fx + t + 1.6f, fy + 5}, {fx + t * 1.2f, fy + 9}}, claw);
    }

    // Hunched back: a hump with two heavy shoulders and a ridge of bony plates.
    for (int i = 0; i < 5; ++i) {
        float x = 34 + i * 7.0f, lift = i == 2 ? 4.0f : (i == 1 || i == 3 ? 2.0f : 0.0f);
        poly(c, {{x - 4, 36 + bob}, {x + 4, 36 + bob}, {x, 24 - lift + bob}}, bone);
    }
    Sdf body = paint::unite(paint::ellipseSdf(48, 50 + bob, 27, 22),
                            paint::unite(paint::ellipseSdf(26, 42 + bob, 14.5f, 12.5f),
                                         paint::ellipseSdf(70, 42 + bob, 14.5f, 12.5f)));
    paintSdf(c, body, 11, 28, 85, 73, hide);
    blob(c, 48, 63 + bob, 13, 7, cloth(paint::shade(purple, 1.15f), 54, 0.16f));
    for (auto [x, y, r] :
         {std::tuple{30.0f, 37.0f, 4.0f}, {63.0f, 35.0f, 3.2f}, {58.0f, 60.0f, 3.6f}, {36.0f, 58.0f, 2.8f}})
        c.fillCircle(x, y + bob, r, paint::withAlpha(rgb(60, 20, 80), 0.35f));

    // Small head sunk low between the shoulders, jaw open.
    blob(c, 48, 50 + bob, 11.5f, 10, hideDark);
    blob(c, 48, 45 + bob, 10.5f, 3.6f, cloth(paint::shade(purple, 0.55f), 55, 0.1f));
    blob(c, 48, 56 + bob, 6.4f, 3.4f, flat(rgb(40, 8, 24)));
    for (float t : {-3.6f, -1.2f, 1.2f, 3.6f})
        poly(c, {{48 + t - 0.9f, 53.4f + bob}, {48 + t + 0.9f, 53.4f + bob}, {48 + t, 55.8f + bob}},
             flat(rgb(236, 230, 210)));
    blob(c, 43.6f, 48.8f + bob, 2.6f, 1.4f, flat(rgb(200, 255, 90)), 0.3f);
    blob(c, 52.4f, 48.8f + bob, 2.6f, 1.4f, flat(rgb(200, 255, 90)), -0.3f);

    // Huge arms hanging to the knuckles, claws out.
    for (float side : {-1.0f, 1.0f}) {
        float b = side < 0 ? -s : s;
        float sx = 48 + side * 25, sy = 44 + bob;
        float ex = 48 + side * 34.5f, ey = 58 + 1.5f * b + bob;
        float hx = 48 + side * (33 - 1.5f * b), hy = 72.5f + 4 * b + bob;
        const Shade crease = flat(rgb(46, 14, 60));
        limb(c, sx, sy + 1, ex, ey, 8.8f, crease);
        limb(c, ex, ey, hx, hy, 9.6f, crease);
        limb(c, sx, sy, ex, ey, 7.6f, hide);
        limb(c, ex, ey, hx, hy, 8.4f, hide);
        blob(c, hx, hy + 2, 7.6f, 6.6f, hideDark);
        for (float t : {-4.2f, 0.0f, 4.2f})
            poly(c, {{hx + t - 2, hy + 6}, {hx + t + 2, hy + 6}, {hx + t * 1.35f + side, hy + 15}}, claw);
    }
}

void addMeleeAlienGlow(Canvas& c, int frame) {
    float bob = bodyBob(frame);
    Rgba glow = paint::withAlpha(rgb(190, 255, 90), 0.45f);
    c.glow(43.6f, 48.8f + bob, 5, glow);
    c.glow(52.4f, 48.8f + bob, 5, glow);
}

// Paints the four walk frames of one actor into a one-row strip.
struct Footprint {
    float cx, cy, rx, ry, opacity;
};

template <typename Body, typename Glow>
Canvas walkStrip(int frameW, int frameH, Footprint shadow, Body body, Glow glow) {
    Canvas strip(static_cast<unsigned>(frameW * 4), static_cast<unsigned>(frameH));
    for (int f = 0; f < 4; ++f) {
        Canvas frame(static_cast<unsigned>(frameW), static_cast<unsigned>(frameH));
        body(frame, f);
        finishSprite(frame);
        groundShadow(frame, shadow.cx, shadow.cy, shadow.rx, shadow.ry, shadow.opacity);
        glow(frame, f);
        place(strip, frame, f, 0, frameW, frameH);
    }
    return strip;
}

} // namespace

void paintCharacters(const AssetContext& ctx) {
    HumanLook player;
    player.skin = rgb(222, 178, 142);
    player.hair = rgb(96, 62, 38);
    player.top = palette::jacketOlive;
    player.legs = rgb(44, 46, 56);
    player.shoes = rgb(58, 42, 30);
    player.fieldKit = true;
    player.seed = 100;
    Canvas playerStrip = walkStrip(
        64, 96, {32, 87, 15, 4.5f, 0.5f}, [&](Canvas& c, int f) { drawHuman(c, player, f); },
        addPlayerLampGlow);
    save(playerStrip, ctx, "mainChar.png");

    HumanLook civilian;
    civilian.scale = 0.9f;
    civilian.skin = rgb(240, 206, 178);
    civilian.hair = rgb(198, 146, 74);
    civilian.top = palette::shirtBlue;
    civilian.legs = rgb(70, 76, 104);
    civilian.shoes = rgb(226, 224, 214);
    civilian.shortSleeves = true;
    civilian.longHair = true;
    civilian.seed = 200;
    Canvas humanStrip = walkStrip(
        64, 96, {32, 87, 13.5f, 4, 0.5f}, [&](Canvas& c, int f) { drawHuman(c, civilian, f); },
        [](Canvas&, int) {});
    save(humanStrip, ctx, "human1.png");

    Canvas ranged = walkStrip(64, 96, {32, 87, 12, 4, 0.5f}, drawRangedAlien, addRangedAlienGlow);
    save(ranged, ctx, "alienranged.png");

    Canvas melee = walkStrip(96, 96, {48, 86, 34, 6.5f, 0.55f}, drawMeleeAlien, addMeleeAlienGlow);
    save(melee, ctx, "alienmelee.png");
}

} // namespace actorart

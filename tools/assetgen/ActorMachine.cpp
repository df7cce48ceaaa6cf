// The brainwash machine: four 96 x 96 frames in one row, seen from above and
// centred. The game steps through them every tenth of a second, so the
// frames form one loop: signal pulses run inward along the conduits to the
// emitter, the rim lights chase round, and a ring of the signal spreads outward.

#include "ActorPaint.h"

#include <cmath>

namespace actorart {

namespace {

constexpr int frameSize = 96;
constexpr int frameCount = 4;
constexpr float centre = frameSize / 2.0f;

Vector2f polar(float r, float a) {
    return {centre + std::cos(a) * r, centre + std::sin(a) * r};
}

// Organic cables the machine has grown into the floor around it.
void tendril(Canvas& c, Vector2f from, Vector2f bend, Vector2f to, float thickness) {
    const Shade flesh = cloth(rgb(70, 30, 92), 61, 0.2f);
    Vector2f prev = from;
    const int steps = 14;
    for (int i = 1; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps;
        float u = 1 - t;
        Vector2f p{u * u * from.x + 2 * u * t * bend.x + t * t * to.x,
                   u * u * from.y + 2 * u * t * bend.y + t * t * to.y};
        limb(c, prev.x, prev.y, p.x, p.y, thickness * (1 - 0.55f * t), flesh);
        prev = p;
    }
}

// The captive brain under the glass dome, its folds drawn from ridged noise;
// it brightens with the signal pulse.
void paintBrain(Canvas& c, float frame) {
    const float glowUp = 1 + 0.08f * std::sin(frame * pi / 2);
    c.shadeSdf(
        paint::circleSdf(centre, centre, 15),
        [&](float x, float y, float d) {
            float n = paint::fbm(x / 4.5f, y / 4.5f, 2, 91);
            float ridge = std::min(1.0f, std::abs(n - 0.5f) * 5);
            Rgba tissue = paint::mix(rgb(96, 40, 92), rgb(222, 146, 192), ridge);
            if (std::abs(x - centre) < 0.8f)
                tissue = rgb(82, 32, 80);
            float depth = 0.55f + 0.45f * std::sqrt(std::min(1.0f, -d / 6));
            return paint::shade(tissue, depth * glowUp);
        },
        centre - 15, centre - 15, centre + 15, centre + 15);
    // Glass over it: a cool sheen and a crisp highlight on the upper left.
    c.fillCircle(centre, centre, 15, paint::withAlpha(rgb(120, 220, 240), 0.12f));
    c.shadeSdf(
        paint::subtract(paint::circleSdf(centre - 2, centre - 2, 12),
                        paint::circleSdf(centre + 1, centre + 1, 12)),
        [](float, float, float) { return paint::withAlpha(rgb(255, 255, 255), 0.55f); }, centre - 15,
        centre - 15, centre + 10, centre + 10);
}

Canvas machineFrame(int f) {
    Canvas c(frameSize, frameSize);
    const float phase = static_cast<float>(f) / frameCount;

    tendril(c, polar(34, -2.4f), {14, 22}, {6, 10}, 4.5f);
    tendril(c, polar(34, -0.75f), {76, 14}, {89, 8}, 4);
    tendril(c, polar(34, 2.3f), {18, 80}, {7, 88}, 4);
    tendril(c, polar(34, 0.8f), {82, 74}, {89, 89}, 4.5f);

    std::vector<Vector2f> octagon;
    for (int k = 0; k < 8; ++k)
        octagon.push_back(polar(40, static_cast<float>(k) * pi / 4 + pi / 8));
    Shade hull = metal(rgb(50, 54, 72));
    hull.depth = 6;
    hull.grain = 0.08f;
    hull.grainScale = 3;
    poly(c, octagon, hull);
    for (int k = 0; k < 8; ++k) {
        Vector2f a = polar(33, static_cast<float>(k) * pi / 4 + pi / 8);
        Vector2f b = polar(39, static_cast<float>(k) * pi / 4 + pi / 8);
        c.line(a.x, a.y, b.x, b.y, 1, rgb(28, 30, 42));
    }
    c.fillCircle(centre, centre, 31, rgb(20, 22, 34));

    // Conduits from the rim to the emitter; a bright slug of signal rides each inward.
    for (int k = 0; k < 8; ++k) {
        float a = static_cast<float>(k) * pi / 4;
        Vector2f outer = polar(31, a), inner = polar(20, a);
        c.line(outer.x, outer.y, inner.x, inner.y, 2.6f, rgb(16, 78, 88));
    }
    Shade dish = metal(rgb(92, 86, 122));
    dish.depth = 5;
    blob(c, centre, centre, 22, 22, dish);
    c.ring(centre, centre, 19, 1, rgb(56, 52, 80));
    c.ring(centre, centre, 16.2f, 1.4f, rgb(36, 34, 52));
    paintBrain(c, static_cast<float>(f));
    for (float a : {-pi / 2, pi / 6, 5 * pi / 6}) {
        Vector2f rim = polar(20.5f, a), knee = polar(9, a);
        c.line(rim.x, rim.y, knee.x, knee.y, 2.2f, rgb(34, 34, 48));
        c.line(knee.x, knee.y, centre, centre, 1.6f, rgb(34, 34, 48));
    }
    blob(c, centre, centre, 3.6f, 3.6f, metal(rgb(40, 40, 56)));
    // Two masts on the hull, their tips seen end-on.
    for (float a : {-pi / 4 - pi / 8, 3 * pi / 4 - pi / 8}) {
        Vector2f m = polar(36, a);
        blob(c, m.x, m.y, 3.2f, 3.2f, metal(rgb(70, 74, 92)));
    }
    finishSprite(c);

    // Everything below is light: drawn after the rim so it can spill over it.
    const Rgba cyan = palette::alienCyan;
    for (int k = 0; k < 8; ++k) {
        float a = static_cast<float>(k) * pi / 4;
        Vector2f slug = polar(31 - 11 * phase, a);
        c.glow(slug.x, slug.y, 5, paint::withAlpha(cyan, 0.85f));
        c.fillCircle(slug.x, slug.y, 1.2f, rgb(210, 255, 255));
    }
    for (int k = 0; k < 8; ++k) {
        bool lit = ((k - 2 * f) % 8 + 8) % 8 < 2;
        Vector2f p = polar(36.5f, static_cast<float>(k) * pi / 4 + pi / 8);
        c.fillCircle(p.x, p.y, 1.8f, lit ? rgb(226, 150, 255) : rgb(74, 40, 96));
        if (lit)
            c.glow(p.x, p.y, 6, paint::withAlpha(palette::alienViolet, 0.8f));
    }
    for (float a : {-pi / 4 - pi / 8, 3 * pi / 4 - pi / 8}) {
        Vector2f m = polar(36, a);
        c.fillCircle(m.x, m.y, 1.3f, f % 2 == 0 ? rgb(255, 90, 90) : rgb(120, 30, 40));
    }
    static const float pulse[frameCount] = {0.55f, 0.8f, 1.0f, 0.75f};
    c.ring(centre, centre, 15.5f, 1.2f, paint::withAlpha(cyan, 0.35f + 0.4f * pulse[f]));
    c.glow(centre, centre, 7 + 7 * pulse[f], paint::withAlpha(cyan, 0.5f + 0.4f * pulse[f]), 1.4f);
    c.fillCircle(centre, centre, 1.8f + pulse[f], rgb(190, 255, 255));
    c.fillCircle(centre, centre, 1.2f, rgb(255, 255, 255));
    c.ring(centre, centre, 24 + 6.5f * static_cast<float>(f), 2,
           paint::withAlpha(cyan, 0.55f - 0.12f * static_cast<float>(f)));
    return c;
}

} // namespace

void paintMachine(const AssetContext& ctx) {
    Canvas sheet(frameSize * frameCount, frameSize);
    for (int f = 0; f < frameCount; ++f)
        place(sheet, machineFrame(f), f, 0, frameSize, frameSize);
    save(sheet, ctx, "brainwashmachine.png");
}

} // namespace actorart

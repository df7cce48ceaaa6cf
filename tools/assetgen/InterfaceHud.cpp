// Heads-up display panels, the signal bar texture, the mouse reticle, the
// low-health screen, the penumbra fin of the lighting and the two help
// overlays with their baked text.
#include "WorldKit.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

namespace worldart {

namespace {

struct Rect {
    int x, y, w, h;
};

// A recessed slot the game's bar shows through: the window itself is
// cleared, its rim is a dark inset with a lit lower lip.
void barWindow(Canvas& c, Rect bar) {
    const int m = 4;
    blendRect(c, bar.x - m, bar.y - m, bar.w + 2 * m, bar.h + 2 * m, rgb(6, 7, 12, 230));
    blendRect(c, bar.x - m, bar.y + bar.h + m - 1, bar.w + 2 * m, 1, withAlpha(steel, 0.5f));
    blendRect(c, bar.x - m, bar.y - m, bar.w + 2 * m, 1, withAlpha(ink, 1.0f));
    // The bar's own frame is drawn 2 units outside its rectangle; keep that clear too.
    clearRect(c, bar.x - 2, bar.y - 2, bar.w + 4, bar.h + 4);
}

void heartIcon(Canvas& c, float cx, float cy, Rgba col) {
    c.fillCircle(cx - 6, cy - 3, 7, col);
    c.fillCircle(cx + 6, cy - 3, 7, col);
    c.fillPolygon({{cx - 12.6f, cy}, {cx + 12.6f, cy}, {cx, cy + 13}}, col);
    c.fillEllipse(cx - 7, cy - 5, 2.5f, 1.6f, rgb(255, 255, 255, 120), -0.6f);
}

void boltIcon(Canvas& c, float cx, float cy, Rgba col) {
    c.fillPolygon({{cx + 3, cy - 14},
                   {cx - 8, cy + 2},
                   {cx - 1, cy + 2},
                   {cx - 4, cy + 14},
                   {cx + 8, cy - 3},
                   {cx + 1, cy - 3}},
                  col);
}

void signalIcon(Canvas& c, float cx, float cy, Rgba col) {
    c.fillCircle(cx, cy + 6, 3, col);
    for (int i = 1; i <= 3; ++i) {
        float r = 5.0f * static_cast<float>(i) + 2;
        c.shadeSdf(
            [=](float x, float y) {
                float ring = std::abs(std::hypot(x - cx, y - (cy + 6)) - r) - 1.3f;
                // Keep only the upper quarter arc.
                float wedge = std::abs(x - cx) - (cy + 6 - y) * 0.9f;
                return std::max(ring, wedge);
            },
            [=](float, float, float) { return col; }, cx - r - 2, cy + 6 - r - 2, cx + r + 2, cy + 6);
    }
}

// A mouse with one button lit, the legend of the hand each weapon bar shows.
void mouseIcon(Canvas& c, float cx, float cy, int litButton, Rgba col) {
    c.fillRect(cx - 9, cy - 13, 18, 26, rgb(30, 34, 48), 8);
    c.fillRect(cx - 7.5f, cy - 11.5f, 15, 23, rgb(70, 78, 96), 7);
    float bx = litButton == 0 ? cx - 7.5f : litButton == 1 ? cx + 0.5f : cx - 1.5f;
    float bw = litButton == 2 ? 3.0f : 7.0f;
    c.fillRect(bx, cy - 11.5f, bw, 10, col, 3);
    c.line(cx, cy - 11, cx, cy - 2, 1, rgb(20, 22, 30));
    c.line(cx - 7, cy - 1.5f, cx + 7, cy - 1.5f, 1, rgb(20, 22, 30));
}

// Wraps text into lines no wider than maxWidth.
std::vector<std::string> wrap(const std::string& font, unsigned size, const std::string& text,
                              float maxWidth) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && Canvas::measureText(font, size, candidate) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

struct Fonts {
    std::string display, sans, bold;
};

// A key cap with its label; returns its width.
float keyCap(Canvas& c, const Fonts& f, const std::string& label, float x, float baseline) {
    float w = std::max(34.0f, Canvas::measureText(f.bold, 19, label) + 18);
    c.fillRect(x, baseline - 25, w, 32, rgb(8, 9, 14), 6);
    c.fillRect(x + 1, baseline - 24, w - 2, 29, rgb(52, 58, 76), 5);
    c.fillRect(x + 2, baseline - 23, w - 4, 23, rgb(72, 80, 102), 4);
    c.text(f.bold, 19, label, x + (w - Canvas::measureText(f.bold, 19, label)) / 2, baseline - 4, offWhite);
    return w;
}

struct Binding {
    std::vector<std::string> keys; // shown as caps, separated by "/"
    std::string action;
};

// Section heading with an amber underline.
void heading(Canvas& c, const Fonts& f, const std::string& text, float x, float y, float width) {
    c.text(f.display, 40, text, x, y, amber);
    blendRect(c, static_cast<int>(x), static_cast<int>(y) + 8, static_cast<int>(width), 2,
              withAlpha(amber, 0.6f));
}

float paragraph(Canvas& c, const Fonts& f, const std::string& lead, const std::string& body, float x, float y,
                float width, Rgba bullet) {
    c.fillRect(x, y - 15, 8, 8, bullet, 1);
    float tx = x + 22;
    std::vector<std::string> lines = wrap(f.sans, 21, lead + " " + body, width - 22);
    float leadWidth = Canvas::measureText(f.bold, 21, lead);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 && lines[0].rfind(lead, 0) == 0) {
            c.text(f.bold, 21, lead, tx, y, offWhite);
            c.text(f.sans, 21, lines[0].substr(lead.size()), tx + leadWidth, y, rgb(196, 196, 192));
        } else {
            c.text(f.sans, 21, lines[i], tx, y, rgb(196, 196, 192));
        }
        y += 29;
    }
    return y + 12;
}

Canvas overlayBase(const Fonts& f, const std::string& title, const std::string& subtitle, Rect panel) {
    Canvas c(ScreenW, ScreenH, withAlpha(ink, 0.55f));
    drawPanel(c, panel.x, panel.y, panel.w, panel.h, amber, 0.9f);
    float tw = Canvas::measureText(f.display, 76, title);
    c.text(f.display, 76, title, static_cast<float>(panel.x) + (static_cast<float>(panel.w) - tw) / 2,
           static_cast<float>(panel.y) + 92, amber);
    float sw = Canvas::measureText(f.sans, 22, subtitle);
    c.text(f.sans, 22, subtitle, static_cast<float>(panel.x) + (static_cast<float>(panel.w) - sw) / 2,
           static_cast<float>(panel.y) + 128, rgb(170, 176, 190));
    return c;
}

void footer(Canvas& c, const Fonts& f, const std::string& text, Rect panel) {
    float w = Canvas::measureText(f.bold, 20, text);
    float y = static_cast<float>(panel.y + panel.h) - 30;
    blendRect(c, panel.x + 40, static_cast<int>(y) - 34, panel.w - 80, 1, withAlpha(steel, 0.3f));
    c.text(f.bold, 20, text, static_cast<float>(panel.x) + (static_cast<float>(panel.w) - w) / 2, y, amber);
}

} // namespace

// The status panel sits at the top-left corner of the screen (0, 0) and the
// weapon panel at (1280, 840), both in the 1920 x 1080 screen space; their
// clear windows line up with the health, stamina, signal, taser and weapon
// bars, which the display draws before these panels.
void drawHudPanels(const std::string& statusPath, const std::string& gunPath,
                   const std::string& noiseBarPath) {
    {
        Canvas c(540, 150);
        drawPanel(c, 0, 0, 530, 142, amber, 0.82f);
        // The corner piece is open toward the screen edges, so its top and
        // left trim is dropped by letting the panel run off screen.
        clearRect(c, 0, 0, 530, 2);
        clearRect(c, 0, 0, 2, 142);
        barWindow(c, {140, 19, 350, 32});
        barWindow(c, {125, 60, 350, 32});
        barWindow(c, {100, 100, 200, 25});
        heartIcon(c, 110, 34, rgb(220, 60, 60));
        boltIcon(c, 100, 76, rgb(90, 150, 255));
        signalIcon(c, 76, 106, alienCyan);
        // The display writes the signal's state to the right of its bar.
        save(c, statusPath);
    }
    {
        // Wide enough for the weapon names, which the display writes to the
        // left of the icons, and the ammunition readouts right of the bars.
        Canvas c(640, 240);
        drawPanel(c, 0, 0, 640, 240, amber, 0.82f);
        clearRect(c, 638, 0, 2, 240);
        clearRect(c, 0, 238, 640, 2);
        // An engraved rule parts the taser from the two hands.
        blendRect(c, 24, 101, 592, 1, withAlpha(ink, 0.8f));
        blendRect(c, 24, 102, 592, 1, withAlpha(steel, 0.3f));
        barWindow(c, {320, 58, 200, 25});
        barWindow(c, {320, 120, 200, 25});
        barWindow(c, {320, 158, 200, 25});
        boltIcon(c, 296, 70, alienCyan);
        mouseIcon(c, 296, 132, 0, amber);
        mouseIcon(c, 296, 171, 1, amber);
        save(c, gunPath);
    }
    {
        // Used as the texture of the signal bar's fill, which the display
        // tints from green to red: bright greyscale static with a trace.
        Canvas c(200, 25);
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 200; ++x) {
                float fx = static_cast<float>(x), fy = static_cast<float>(y);
                float stat = 0.62f + 0.3f * hashUnit(x / 2, 0, 3301u) + 0.08f * hashUnit(x, y, 3302u);
                float trace = 12.5f + std::sin(fx * 0.21f) * 5.5f * std::sin(fx * 0.037f + 1.0f) +
                              (hashUnit(x / 3, 1, 3303u) - 0.5f) * 3.0f;
                float line = smoothstep(1.8f, 0.4f, std::abs(fy + 0.5f - trace));
                float v = std::min(1.0f, stat + line * 0.5f);
                if (y % 3 == 0)
                    v *= 0.82f;
                if (y == 0 || y == 24)
                    v *= 0.7f;
                c.set(x, y, {v, v, v, 1.0f});
            }
        save(c, noiseBarPath);
    }
}

// The game draws the pointer texture with its top-left corner at the mouse,
// so the aim point is the corner pixel: the reticle is a corner bracket that
// points there, with a quarter ring that frames the target.
void drawCursor(const std::string& path) {
    Canvas c(34, 34);
    Rgba hot = rgb(255, 200, 110);
    // Quarter ring around the aim point, open at both ends so it reads as a
    // scope segment rather than a closed shape.
    c.shadeSdf(
        [](float x, float y) {
            float ring = std::abs(std::hypot(x - 1.5f, y - 1.5f) - 24) - 1.6f;
            float ang = std::atan2(y - 1.5f, x - 1.5f);
            return (ang < 0.26f || ang > 1.31f) ? 1.0f : ring;
        },
        [&](float, float, float) { return amber; }, 0, 0, 30, 30);
    // The bracket whose corner is the aim point.
    c.fillRect(0, 0, 15, 4, hot);
    c.fillRect(0, 0, 4, 15, hot);
    c.outline(ink, 1);
    save(c, path);
}

// Red vignette laid over the whole screen while the player is hurt; the
// game varies its alpha, the image sets where the red gathers.
void drawBloodyScreen(const std::string& path) {
    Canvas c(ScreenW, ScreenH);
    Rgba blood = rgb(150, 20, 28), dark = rgb(60, 4, 10);
    for (int y = 0; y < ScreenH; ++y)
        for (int x = 0; x < ScreenW; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            float ex = (fx - 960) / 960.0f, ey = (fy - 540) / 540.0f;
            float e = std::pow(std::pow(std::abs(ex), 3.0f) + std::pow(std::abs(ey), 3.0f), 1.0f / 3.0f);
            float n = paint::fbm(fx / 90.0f, fy / 90.0f, 4, 3401u);
            float a = smoothstep(0.62f, 1.02f, e + (n - 0.5f) * 0.42f);
            Rgba col = mix(blood, dark, smoothstep(0.8f, 1.1f, e + (n - 0.5f) * 0.3f));
            c.set(x, y, withAlpha(col, a * 0.92f));
        }
    // Splatter drops near the border, with drips running down from the top.
    paint::Rng rng(3402);
    for (int i = 0; i < 90; ++i) {
        int side = rng.range(0, 3);
        float along = rng.uniform(0, 1), depth = rng.uniform(0, 120);
        float x = side == 0 ? depth : side == 1 ? ScreenW - depth : along * ScreenW;
        float y = side == 2 ? depth : side == 3 ? ScreenH - depth : along * ScreenH;
        c.fillCircle(x, y, rng.uniform(3, 14), withAlpha(mix(blood, dark, rng.uniform(0, 0.6f)), 0.85f));
    }
    for (int i = 0; i < 12; ++i) {
        float x = rng.uniform(40, ScreenW - 40), len = rng.uniform(60, 220), w = rng.uniform(4, 8);
        // Drips thin out as they run, ending in a bead.
        c.fillPolygon({{x - w / 2, 0}, {x + w / 2, 0}, {x + w * 0.25f, len}, {x - w * 0.25f, len}},
                      withAlpha(blood, 0.8f));
        c.fillCircle(x, len, w * 0.45f, withAlpha(blood, 0.85f));
    }
    save(c, path);
}

// Penumbra fin: coverage of the shadow across the fin. u = 0 is the umbra
// side (full shadow), u = 1 the lit side; v carries no information. Colour
// runs black to white while alpha runs 1 to 0, so the fin shades correctly
// whether the light system blends by alpha or multiplies by colour.
void drawLightFin(const std::string& path) {
    Canvas c(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            float u = (static_cast<float>(x) + 0.5f) / 256.0f;
            float shadow = 1.0f - smoothstep(0.0f, 1.0f, u);
            c.set(x, y, {1 - shadow, 1 - shadow, 1 - shadow, shadow});
        }
    save(c, path);
}

void drawGameInfoOverlay(const std::string& path, const std::string& displayFont, const std::string& sansFont,
                         const std::string& sansBoldFont) {
    Fonts f{displayFont, sansFont, sansBoldFont};
    Rect panel{260, 90, 1400, 900};
    Canvas c =
        overlayBase(f, "FIELD MANUAL",
                    "The city block is under alien control. Get in, save who you can, shut it down.", panel);
    float lx = static_cast<float>(panel.x) + 60, ly = static_cast<float>(panel.y) + 200;
    heading(c, f, "CONTROLS", lx, ly, 600);
    const std::vector<Binding> bindings = {
        {{"W", "A", "S", "D"}, "Move (arrow keys work too)"},
        {{"L-SHIFT"}, "Hold while moving to sprint"},
        {{"MOUSE"}, "Aim"},
        {{"LMB"}, "Use the weapon in your left hand"},
        {{"RMB"}, "Use the weapon in your right hand"},
        {{"MMB"}, "Fire the taser; press again to cancel"},
        {{"Q", "R-SHIFT"}, "Reload the left hand"},
        {{"E", "R-CTRL"}, "Reload the right hand"},
        {{"ESC"}, "Pause menu"},
        {{"F1"}, "Show this manual"},
    };
    float y = ly + 58;
    for (const Binding& b : bindings) {
        float x = lx;
        for (std::size_t i = 0; i < b.keys.size(); ++i) {
            x += keyCap(c, f, b.keys[i], x, y) + 6;
            if (i + 1 < b.keys.size() && b.keys.size() == 2) {
                c.text(f.sans, 19, "/", x, y - 4, rgb(150, 150, 150));
                x += 14;
            }
        }
        c.text(f.sans, 21, b.action, std::max(lx + 250, x + 14), y - 4, rgb(210, 208, 200));
        y += 44;
    }
    y += 8;
    paragraph(c, f, "Grenades:", "hold the button to charge, release to throw.", lx, y, 600, amber);

    float rx = static_cast<float>(panel.x) + 740, ry = ly;
    heading(c, f, "MISSION", rx, ry, 600);
    float py = ry + 54;
    py = paragraph(c, f, "Destroy the brainwash machine.",
                   "The signal bar in the top-left corner turns from red to green as you close in on it. "
                   "Wrecking it ends the level.",
                   rx, py, 600, alienCyan);
    py =
        paragraph(c, f, "Save the humans.",
                  "Every civilian still alive when the machine falls adds to your score. They panic and run; "
                  "keep your fire off them.",
                  rx, py, 600, rgb(90, 150, 255));
    py = paragraph(
        c, f, "Know the aliens.",
        "Lanky green aliens shoot from range. Hulking purple brutes charge you down; the taser stuns both.",
        rx, py, 600, rgb(118, 200, 70));
    py = paragraph(c, f, "Use the block.",
                   "Red barrels explode when shot. Smashed furniture drops health and invulnerability. "
                   "Walls break under enough fire.",
                   rx, py, 600, rgb(200, 40, 36));
    py = paragraph(c, f, "Be quick.", "A faster clear earns a bigger time bonus.", rx, py, 600, amber);
    paragraph(c, f, "Read the bars.",
              "Green health turns gold while you are invulnerable; blue is stamina, cyan the taser charge, "
              "yellow the ammunition of each hand.",
              rx, py, 600, steel);
    footer(c, f, "CLICK, ESC OR F1 TO CLOSE", panel);
    save(c, path);
}

void drawUpgradeHelpOverlay(const std::string& path, const std::string& displayFont,
                            const std::string& sansFont, const std::string& sansBoldFont) {
    Fonts f{displayFont, sansFont, sansBoldFont};
    Rect panel{310, 170, 1300, 740};
    Canvas c = overlayBase(f, "BETWEEN LEVELS", "Spend your points, pick your gear, then move on.", panel);
    float lx = static_cast<float>(panel.x) + 60, ly = static_cast<float>(panel.y) + 200;
    heading(c, f, "STATS", lx, ly, 540);
    float y = ly + 54;
    y = paragraph(c, f, "Stat points",
                  "come from experience: every level you gain gives one. Spend them with the + buttons.", lx,
                  y, 540, amber);
    y = paragraph(c, f, "HP", "raises your maximum health.", lx, y, 540, rgb(220, 60, 60));
    y = paragraph(c, f, "Stamina", "lets you sprint longer and move faster.", lx, y, 540, rgb(90, 150, 255));
    y = paragraph(c, f, "Taser", "recharges sooner and its beam flies faster.", lx, y, 540, alienCyan);
    y = paragraph(c, f, "Weapon Handling", "means less kick, faster recovery and quicker aim.", lx, y, 540,
                  steel);

    heading(c, f, "RARITY", lx, y + 24, 540);
    // Item names on the upgrade screen are coloured by rarity, lowest first.
    const std::pair<const char*, Rgba> tiers[] = {
        {"Worn", rgb(200, 195, 195)}, {"Common", rgb(255, 255, 255)}, {"Fine", rgb(0, 255, 0)},
        {"Rare", rgb(60, 110, 255)},  {"Epic", rgb(160, 32, 240)},    {"Legendary", rgb(210, 105, 30)}};
    float tx = lx;
    for (const auto& tier : tiers) {
        tx += c.text(f.bold, 22, tier.first, tx, y + 74, tier.second) + 22;
    }

    float rx = static_cast<float>(panel.x) + 680, ry = ly;
    heading(c, f, "LOOT", rx, ry, 560);
    float py = ry + 54;
    py = paragraph(c, f, "Three new items", "are waiting after every level: two weapons and one armour.", rx,
                   py, 560, amber);
    py = paragraph(c, f, "Left-click",
                   "a weapon to take it into your left hand, right-click for your right hand. "
                   "Click the armour to wear it. What you drop stays on the table.",
                   rx, py, 560, amber);
    py = paragraph(c, f, "Hover",
                   "over an item to compare: a value of your own gear shows green where it is higher "
                   "and red where it is lower.",
                   rx, py, 560, rgb(0, 220, 90));
    py = paragraph(c, f, "Reroll", "trades reroll points for fresh loot; each reroll doubles the cost.", rx,
                   py, 560, amber);
    paragraph(c, f, "Save", "stores the run; Continue starts the next level.", rx, py, 560, amber);
    footer(c, f, "CLICK OR ESC TO CLOSE", panel);
    save(c, path);
}

} // namespace worldart

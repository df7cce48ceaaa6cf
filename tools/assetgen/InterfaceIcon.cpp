// The desktop icon and window icon: a night skyline under a hovering alien
// ship whose cyan beam sweeps the street, on a rounded amber-trimmed tile.
// It must read at 32 pixels, so the shapes are few and bold.
#include "WorldKit.h"

#include <cmath>
#include <vector>

namespace worldart {

void drawIcon(const std::string& path) {
    constexpr int S = 256;
    const float s = static_cast<float>(S);
    // The picture, painted edge to edge and then cut to the tile's rounded body.
    Canvas scene(S, S);
    scene.verticalGradient(0, 0, S, S, rgb(40, 30, 82), rgb(12, 14, 30));
    scene.glow(128, 250, 160, rgb(130, 60, 150, 110), 1.6f);
    // The beam: a soft cyan cone from the ship down to the street.
    scene.fillPolygon({{110, 96}, {146, 96}, {204, 240}, {52, 240}}, withAlpha(alienCyan, 0.20f));
    scene.fillPolygon({{119, 96}, {137, 96}, {164, 240}, {92, 240}}, withAlpha(alienCyan, 0.26f));
    // Skyline silhouettes in two depths.
    const Rgba far = rgb(36, 38, 70), near = rgb(13, 14, 25);
    const float farBlocks[][3] = {
        {8, 146, 38}, {44, 128, 28}, {150, 136, 32}, {180, 116, 30}, {212, 142, 40}};
    for (const auto& b : farBlocks)
        scene.fillRect(b[0], b[1], b[2], s - b[1], far);
    const float nearBlocks[][3] = {{6, 176, 46},   {56, 158, 36},  {96, 194, 30},
                                   {130, 170, 36}, {170, 186, 30}, {204, 162, 48}};
    for (const auto& b : nearBlocks) {
        scene.fillRect(b[0], b[1], b[2], s - b[1], near);
        for (float wy = b[1] + 10; wy < 236; wy += 16)
            for (float wx = b[0] + 6; wx < b[0] + b[2] - 8; wx += 12)
                if (hashUnit(static_cast<int>(wx), static_cast<int>(wy), 77u) > 0.55f)
                    scene.fillRect(wx, wy, 5, 7, withAlpha(amber, 0.85f));
    }
    // The ship: a saucer with a lit rim and a glass dome.
    scene.glow(128, 86, 74, withAlpha(alienCyan, 0.5f), 2.2f);
    scene.fillEllipse(128, 90, 68, 18, rgb(64, 72, 96));
    scene.fillEllipse(128, 85, 68, 13, rgb(124, 136, 162));
    scene.fillEllipse(128, 72, 28, 20, rgb(60, 190, 200));
    scene.fillEllipse(121, 65, 10, 6, rgb(200, 252, 255, 210));
    for (int i = 0; i < 7; ++i)
        scene.fillCircle(80.0f + static_cast<float>(i) * 16.0f, 93, 4, i % 2 ? amber : alienCyan);

    Canvas mask(S, S);
    mask.fillRect(14, 14, s - 28, s - 28, rgb(255, 255, 255), 36);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            paint::Rgba px = scene.get(x, y);
            px.a *= mask.get(x, y).a;
            scene.set(x, y, px);
        }

    Canvas icon(S, S);
    icon.fillRect(4, 4, s - 8, s - 8, amber, 46);
    icon.fillRect(10, 10, s - 20, s - 20, ink, 40);
    icon.blit(scene, 0, 0);
    save(icon, path);
}

} // namespace worldart

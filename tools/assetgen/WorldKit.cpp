#include "WorldKit.h"

#include <algorithm>
#include <cmath>

namespace worldart {

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float smoothstep(float edge0, float edge1, float x) {
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

float hashUnit(int a, int b, std::uint32_t seed) {
    std::uint32_t n =
        static_cast<std::uint32_t>(a) * 2654435761u ^ static_cast<std::uint32_t>(b) * 2246822519u;
    n ^= seed * 3266489917u + 0x9e3779b9u;
    n = (n ^ (n >> 15)) * 2246822519u;
    n = (n ^ (n >> 13)) * 3266489917u;
    n ^= n >> 16;
    return static_cast<float>(n & 0xffffff) / static_cast<float>(0xffffff);
}

float periodicNoise(float x, float y, int period, std::uint32_t seed) {
    auto wrap = [period](int v) { return ((v % period) + period) % period; };
    int xi = static_cast<int>(std::floor(x));
    int yi = static_cast<int>(std::floor(y));
    float tx = x - static_cast<float>(xi);
    float ty = y - static_cast<float>(yi);
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    float a = hashUnit(wrap(xi), wrap(yi), seed), b = hashUnit(wrap(xi + 1), wrap(yi), seed);
    float c = hashUnit(wrap(xi), wrap(yi + 1), seed), d = hashUnit(wrap(xi + 1), wrap(yi + 1), seed);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float periodicFbm(float x, float y, int period, int octaves, std::uint32_t seed) {
    float sum = 0, amplitude = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += periodicNoise(x, y, period, seed + static_cast<std::uint32_t>(i) * 131u) * amplitude;
        norm += amplitude;
        x *= 2;
        y *= 2;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum / norm;
}

Rgba brighten(Rgba c, float amount) {
    return {clamp01(c.r + amount), clamp01(c.g + amount), clamp01(c.b + amount), c.a};
}

void blendRect(Canvas& canvas, int x, int y, int w, int h, Rgba c) {
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(static_cast<int>(canvas.width()), x + w);
    int y1 = std::min(static_cast<int>(canvas.height()), y + h);
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i)
            canvas.blend(i, j, c);
}

void frameRect(Canvas& canvas, int x, int y, int w, int h, Rgba c, int thickness) {
    blendRect(canvas, x, y, w, thickness, c);
    blendRect(canvas, x, y + h - thickness, w, thickness, c);
    blendRect(canvas, x, y + thickness, thickness, h - 2 * thickness, c);
    blendRect(canvas, x + w - thickness, y + thickness, thickness, h - 2 * thickness, c);
}

void drawPanel(Canvas& canvas, int x, int y, int w, int h, Rgba border, float fillAlpha) {
    // Slightly lighter at the top so the panel reads as a lit surface, not a hole.
    Rgba top = paint::rgb(30, 34, 50), bottom = paint::rgb(16, 18, 28);
    for (int j = 0; j < h; ++j) {
        Rgba row = paint::mix(top, bottom, static_cast<float>(j) / static_cast<float>(std::max(1, h - 1)));
        row.a = fillAlpha;
        for (int i = 0; i < w; ++i)
            canvas.blend(x + i, y + j, row);
    }
    frameRect(canvas, x, y, w, h, paint::withAlpha(ink, 0.9f), 1);
    frameRect(canvas, x + 1, y + 1, w - 2, h - 2, paint::withAlpha(steel, 0.55f), 1);
    blendRect(canvas, x + 2, y + 2, w - 4, 1, paint::withAlpha(offWhite, 0.08f));
    int arm = std::min({28, w / 4, h / 4});
    const int t = 3;
    for (int corner = 0; corner < 4; ++corner) {
        bool right = corner & 1, lower = corner & 2;
        int cx = right ? x + w - 1 - arm : x;
        int cy = lower ? y + h - t : y;
        blendRect(canvas, cx + (right ? 1 : 0), cy, arm, t, border);
        int vx = right ? x + w - t : x;
        int vy = lower ? y + h - arm : y;
        blendRect(canvas, vx, vy, t, arm, border);
    }
}

void clearRect(Canvas& canvas, int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            canvas.set(i, j, {});
}

} // namespace worldart

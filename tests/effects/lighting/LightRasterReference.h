#pragma once
// The light map painted the plain way, every pixel worked out on its own
// from the light's formula: the yardstick the game's raster, which paints
// from a prepared stamp, skips work and blurs many pixels at a step, is held
// to. The shadows' marks come from LightRaster::fill, whose row scan both share.

#include "effects/lighting/LightRaster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

struct ReferenceRaster {
    using Texel = ltbl::LightRaster::Texel;
    unsigned columns = 0, rows = 0;
    std::vector<Texel> texels;
    std::vector<std::uint8_t> marks;

    static std::uint8_t toByte(float v) {
        return static_cast<std::uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    }
    void reset(unsigned w, unsigned h) {
        columns = w;
        rows = h;
        texels.assign(static_cast<std::size_t>(w) * h, Texel{0, 0, 0, 255});
        marks.assign(texels.size(), 0);
    }
    void shadow(const std::vector<sf::Vector2f>& polygon) {
        ltbl::LightRaster::fill(marks, columns, rows, polygon.data(), static_cast<int>(polygon.size()), 1);
    }
    // The light a whole number of pixels from its centre, from the table of
    // 16384 steps of the distance squared over the radius squared.
    static Texel lightAt(const ltbl::LightRaster::Disc& d, int across, int down) {
        const float dx = static_cast<float>(across) * d.unitsPerPixel.x / d.radius;
        const float dy = static_cast<float>(down) * d.unitsPerPixel.y / d.radius;
        const float u = dx * dx + dy * dy;
        if (!(u < 1))
            return {0, 0, 0, 255};
        const int i = static_cast<int>(u * 16384);
        const float t = 1.0f - std::sqrt((static_cast<float>(i) + 0.5f) / 16384);
        const float f = d.shaped ? t * t * t * (3.0f - 2.0f * t) : t;
        return {toByte(d.colour.x * f), toByte(d.colour.y * f), toByte(d.colour.z * f), 255};
    }
    void addDisc(const ltbl::LightRaster::Disc& d) {
        const bool lit = d.radius > 0 && d.unitsPerPixel.x > 0 && d.unitsPerPixel.y > 0 &&
                         std::isfinite(d.centre.x) && std::isfinite(d.centre.y) && std::isfinite(d.radius);
        auto nearest = [](float v) {
            return std::isfinite(v) ? static_cast<int>(std::floor(std::clamp(v, -1e6f, 1e6f) + 0.5f)) : 0;
        };
        const int toX = nearest(0.5f - d.centre.x), toY = nearest(0.5f - d.centre.y);
        const float c = std::cos(d.spread / 2);
        for (unsigned y = 0; y < rows; ++y)
            for (unsigned x = 0; x < columns; ++x) {
                Texel& texel = texels[y * columns + x];
                if (marks[y * columns + x]) {
                    texel = {0, 0, 0, 255};
                    continue;
                }
                if (!lit)
                    continue;
                const float dx = (static_cast<float>(x) + 0.5f - d.centre.x) * d.unitsPerPixel.x,
                            dy = (static_cast<float>(y) + 0.5f - d.centre.y) * d.unitsPerPixel.y;
                const float along = dx * d.axis.x + dy * d.axis.y;
                if (d.spread < 6.2831853f && along * std::abs(along) < c * std::abs(c) * (dx * dx + dy * dy))
                    continue;
                const Texel light = lightAt(d, static_cast<int>(x) + toX, static_cast<int>(y) + toY);
                for (std::size_t k = 0; k < 3; ++k)
                    texel[k] = static_cast<std::uint8_t>(std::min(255, texel[k] + light[k]));
            }
        std::fill(marks.begin(), marks.end(), 0);
    }
    void fadeFin(sf::Vector2f corner, sf::Vector2f inner, sf::Vector2f outer,
                 const std::vector<std::uint8_t>& alpha) {
        auto cross = [](sf::Vector2f a, sf::Vector2f b) { return a.x * b.y - a.y * b.x; };
        const sf::Vector2f edge = inner - corner;
        const float whole = cross(edge, outer - corner);
        if (whole == 0 || alpha.empty())
            return;
        const sf::Vector2f fin[] = {corner, inner, outer};
        std::vector<std::uint8_t> inside(texels.size(), 0);
        ltbl::LightRaster::fill(inside, columns, rows, fin, 3, 1);
        const int last = static_cast<int>(alpha.size()) - 1;
        for (std::size_t i = 0; i < texels.size(); ++i) {
            if (!inside[i])
                continue;
            const sf::Vector2f at(static_cast<float>(i % columns) + 0.5f,
                                  static_cast<float>(i / columns) + 0.5f);
            const float across = std::clamp(cross(edge, at - corner) / whole, 0.0f, 1.0f);
            const float s = across * static_cast<float>(alpha.size()) - 0.5f, below = std::floor(s);
            const int k = static_cast<int>(below);
            const float blend = s - below;
            const float texture =
                (static_cast<float>(alpha[static_cast<std::size_t>(std::clamp(k, 0, last))]) * (1 - blend) +
                 static_cast<float>(alpha[static_cast<std::size_t>(std::clamp(k + 1, 0, last))]) * blend) /
                255.0f;
            const float keep = 1.0f - (1.0f - across) * texture;
            for (std::size_t channel = 0; channel < 3; ++channel)
                texels[i][channel] = toByte(static_cast<float>(texels[i][channel]) / 255.0f * keep);
        }
    }
    // Each tap reads the two pixels around it, the second weighed in 256ths
    // and the sum rounded down; the mean of the pixel and its taps is rounded.
    std::vector<std::uint8_t> blurBrightest(sf::Vector2f offset) const {
        const int w = static_cast<int>(columns), h = static_cast<int>(rows);
        std::vector<std::uint8_t> bright(texels.size()), across(texels.size()), out(texels.size());
        for (std::size_t i = 0; i < texels.size(); ++i)
            bright[i] = std::max({texels[i][0], texels[i][1], texels[i][2]});
        auto blur = [w, h](const std::vector<std::uint8_t>& from, std::vector<std::uint8_t>& to, float at,
                           bool down) {
            auto get = [&](int x, int y) {
                return static_cast<int>(
                    from[static_cast<std::size_t>(std::clamp(y, 0, h - 1) * w + std::clamp(x, 0, w - 1))]);
            };
            auto tap = [&](int x, int y, float by) {
                const float below = std::floor(by);
                const int first = static_cast<int>(below), weight = static_cast<int>((by - below) * 256);
                return down ? (get(x, y + first) * (256 - weight) + get(x, y + first + 1) * weight) >> 8
                            : (get(x + first, y) * (256 - weight) + get(x + first + 1, y) * weight) >> 8;
            };
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    to[static_cast<std::size_t>(y * w + x)] =
                        static_cast<std::uint8_t>((tap(x, y, -at) + get(x, y) + tap(x, y, at) + 1) / 3);
        };
        blur(bright, across, offset.x, false);
        blur(across, out, offset.y, true);
        return out;
    }
};

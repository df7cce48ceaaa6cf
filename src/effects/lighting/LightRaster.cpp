#include "effects/lighting/LightRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace ltbl {

namespace {

constexpr LightRaster::Texel blackTexel{0, 0, 0, 255};

float cross(sf::Vector2f a, sf::Vector2f b) {
    return a.x * b.y - a.y * b.x;
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

// The nearest whole number, kept far inside an int for any position.
int nearest(float value) {
    return std::isfinite(value) ? static_cast<int>(std::floor(std::clamp(value, -1e6f, 1e6f) + 0.5f)) : 0;
}

} // namespace

void LightRaster::reset(unsigned width, unsigned height) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    // The first light paints every pixel anyway, so the black is laid only
    // when something reads the map before a light has.
    if (width != columns || height != rows || texels.size() != count) {
        texels.resize(count);
        shadowed.assign(count, 0);
        blackRow.assign(width, blackTexel);
    } else if (marked) {
        std::fill(shadowed.begin(), shadowed.end(), 0);
    }
    columns = width;
    rows = height;
    marked = false;
    blank = true;
    black = true;
    grey = true;
}

void LightRaster::fillBlack() {
    if (!blank)
        return;
    std::fill(texels.begin(), texels.end(), blackTexel);
    blank = false;
}

const std::uint8_t* LightRaster::pixels() {
    fillBlack();
    return reinterpret_cast<const std::uint8_t*>(texels.data());
}

template <typename Span>
void LightRaster::scan(const sf::Vector2f* given, int count, unsigned columns, unsigned rows, Span&& span) {
    if (count < 3 || count > maxCorners || columns == 0 || rows == 0)
        return;
    // The renderer places corners on a grid of 256ths of a pixel; a centre
    // near an edge falls on the same side of it here.
    sf::Vector2f corners[maxCorners];
    for (int i = 0; i < count; ++i)
        corners[i] = {std::round(given[i].x * 256) / 256, std::round(given[i].y * 256) / 256};
    float area = 0;
    for (int i = 0; i < count; ++i)
        area += cross(corners[i], corners[(i + 1) % count]);
    if (area == 0 || !std::isfinite(area))
        return;
    // Each edge bounds a row's centres from one side, at an x that moves
    // with the row along the edge; an edge along a row bounds only the rows.
    struct Bound {
        float perRow, at0; // x = perRow * y + at0
        bool fromLeft;
    };
    Bound bounds[maxCorners];
    int edges = 0;
    const float side = area > 0 ? 1.0f : -1.0f;
    float top = corners[0].y, bottom = corners[0].y;
    for (int i = 0; i < count; ++i) {
        const sf::Vector2f p = corners[i], edge = corners[(i + 1) % count] - p;
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
        // Inside: side * (edge.x * (y - p.y) - edge.y * (x - p.x)) >= 0.
        if (edge.y != 0)
            bounds[edges++] = {edge.x / edge.y, p.x - edge.x / edge.y * p.y, side * edge.y < 0};
    }
    const int firstRow = std::max(0, static_cast<int>(std::ceil(std::max(top - 0.5f, -1.0f))));
    const int lastRow =
        std::min(static_cast<int>(rows) - 1,
                 static_cast<int>(std::floor(std::min(bottom - 0.5f, static_cast<float>(rows)))));
    const float right = static_cast<float>(columns) - 1;
    for (int row = firstRow; row <= lastRow; ++row) {
        const float y = static_cast<float>(row) + 0.5f;
        float low = -std::numeric_limits<float>::infinity(), high = std::numeric_limits<float>::infinity();
        for (int i = 0; i < edges; ++i) {
            const float x = bounds[i].perRow * y + bounds[i].at0;
            if (bounds[i].fromLeft)
                low = std::max(low, x);
            else
                high = std::min(high, x);
        }
        const float first = std::max(0.0f, std::ceil(low - 0.5f));
        const float last = std::min(right, std::floor(high - 0.5f));
        if (first <= last)
            span(row, static_cast<int>(first), static_cast<int>(last));
    }
}

void LightRaster::shadow(const std::vector<sf::Vector2f>& polygon) {
    scan(polygon.data(), static_cast<int>(polygon.size()), columns, rows, [&](int row, int first, int last) {
        marked = true;
        std::memset(&shadowed[static_cast<std::size_t>(row) * columns + static_cast<std::size_t>(first)], 1,
                    static_cast<std::size_t>(last - first + 1));
    });
}

void LightRaster::prepareStamp(const Disc& disc) {
    // Only as far as a pixel of the map can be from a light within it; a
    // light beyond the map's edge reads what the stamp lacks from the table.
    const sf::Vector2i reach(
        std::min(static_cast<int>(columns), static_cast<int>(std::ceil(disc.radius / disc.unitsPerPixel.x))),
        std::min(static_cast<int>(rows), static_cast<int>(std::ceil(disc.radius / disc.unitsPerPixel.y))));
    if (reach == stampReach && disc.unitsPerPixel == stampUnits && disc.radius == stampRadius &&
        disc.colour == stampColour && disc.shaped == stampShaped)
        return;
    stampReach = reach;
    stampUnits = disc.unitsPerPixel;
    stampRadius = disc.radius;
    stampColour = disc.colour;
    stampShaped = disc.shaped;
    // The light by the square of the distance over the square of the
    // radius, in steps fine enough that no two neighbours are a level apart.
    byDistance.resize(distanceSteps);
    for (int i = 0; i < distanceSteps; ++i) {
        const float t = 1.0f - std::sqrt((static_cast<float>(i) + 0.5f) / distanceSteps);
        // The attenuation shader's curve: smooth at the rim, steeper than a smoothstep.
        const float f = disc.shaped ? t * t * t * (3.0f - 2.0f * t) : t;
        byDistance[static_cast<std::size_t>(i)] = {toByte(disc.colour.x * f), toByte(disc.colour.y * f),
                                                   toByte(disc.colour.z * f), 255};
    }
    const int width = 2 * reach.x + 1, height = 2 * reach.y + 1;
    stamp.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            stamp[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)] = lightAt(x - reach.x, y - reach.y);
}

LightRaster::Texel LightRaster::lightAt(int across, int down) const {
    const float dx = static_cast<float>(across) * stampUnits.x / stampRadius;
    const float dy = static_cast<float>(down) * stampUnits.y / stampRadius;
    const float u = dx * dx + dy * dy;
    return u < 1 ? byDistance[static_cast<std::size_t>(u * distanceSteps)] : blackTexel;
}

bool LightRaster::inCone(const Disc& disc, float dx, float dy) {
    // Within half the spread of the axis: along >= |d| cos(spread / 2),
    // compared squared with the signs kept.
    const float along = dx * disc.axis.x + dy * disc.axis.y;
    const float c = std::cos(disc.spread / 2);
    return along * std::abs(along) >= c * std::abs(c) * (dx * dx + dy * dy);
}

void LightRaster::addDisc(const Disc& disc) {
    if (texels.empty())
        return;
    const bool lit = disc.radius > 0 && disc.unitsPerPixel.x > 0 && disc.unitsPerPixel.y > 0 &&
                     std::isfinite(disc.centre.x) && std::isfinite(disc.centre.y) &&
                     std::isfinite(disc.radius);
    if (lit)
        prepareStamp(disc);
    const bool cone = disc.spread < 6.2831853f;
    // A plain light paints every pixel of a blank map below; a cone leaves
    // the pixels outside it as they were.
    if (cone || !lit)
        fillBlack();
    const int stampWidth = 2 * stampReach.x + 1, stampHeight = 2 * stampReach.y + 1;
    // The light's centre falls on its nearest pixel: a pixel's distance from
    // it is a whole number of pixels each way.
    const int toCentreX = nearest(0.5f - disc.centre.x), toCentreY = nearest(0.5f - disc.centre.y);
    const int width = static_cast<int>(columns);
    for (int y = 0; y < static_cast<int>(rows); ++y) {
        Texel* line = &texels[static_cast<std::size_t>(y) * columns];
        const int down = y + toCentreY;
        const int stampRow = down + stampReach.y;
        std::uint8_t* marks = &shadowed[static_cast<std::size_t>(y) * columns];
        bool rowMarked = false;
        const Texel* source =
            stampRow >= 0 && stampRow < stampHeight
                ? &stamp[static_cast<std::size_t>(stampRow) * static_cast<std::size_t>(stampWidth)] +
                      stampReach.x
                : nullptr;
        const int stampFrom = -stampReach.x - toCentreX, stampTo = stampReach.x + 1 - toCentreX;
        auto add = [&](int from, int to) {
            for (int column = from; column < to; ++column) {
                // The cone's sides run from the light's own centre, not the pixel it is rounded to.
                if (cone &&
                    !inCone(disc, (static_cast<float>(column) + 0.5f - disc.centre.x) * disc.unitsPerPixel.x,
                            (static_cast<float>(y) + 0.5f - disc.centre.y) * disc.unitsPerPixel.y))
                    continue;
                const int across = column + toCentreX;
                const Texel light = source && column >= stampFrom && column < stampTo ? source[across]
                                                                                      : lightAt(across, down);
                Texel& texel = line[column];
                if (black) {
                    texel = light;
                    continue;
                }
                for (std::size_t channel = 0; channel < 3; ++channel)
                    texel[channel] =
                        static_cast<std::uint8_t>(std::min(255, texel[channel] + light[channel]));
            }
        };
        int x = 0;
        while (x < width) {
            // A run the light reaches, up to the next shadowed pixel.
            const void* mark = std::memchr(marks + x, 1, static_cast<std::size_t>(width - x));
            const int end = mark ? static_cast<int>(static_cast<const std::uint8_t*>(mark) - marks) : width;
            if (lit) {
                const int from = std::max(x, stampFrom), to = std::min(end, stampTo);
                if (source && black && !cone && from < to) {
                    // Onto black, the stamp's row is the light.
                    std::memcpy(line + from, source + from + toCentreX,
                                static_cast<std::size_t>(to - from) * sizeof(Texel));
                    add(x, from);
                    add(std::max(to, x), end);
                } else {
                    add(x, end);
                }
            }
            // The shadowed run: black, whatever light it held. Most of a
            // map lies in shadow, so the run's end is sought eight marks at a step.
            x = end;
            rowMarked = rowMarked || x < width;
            int runEnd = x;
            constexpr std::uint64_t allMarked = 0x0101010101010101u;
            for (std::uint64_t eight = 0; runEnd + 8 <= width; runEnd += 8) {
                std::memcpy(&eight, marks + runEnd, sizeof eight);
                if (eight != allMarked)
                    break;
            }
            while (runEnd < width && marks[runEnd])
                ++runEnd;
            std::memcpy(line + x, blackRow.data(), static_cast<std::size_t>(runEnd - x) * sizeof(Texel));
            x = runEnd;
        }
        // The marks were for this light only.
        if (rowMarked)
            std::memset(marks, 0, columns);
    }
    marked = false;
    blank = false;
    black = black && !lit;
    grey = grey && (!lit || (disc.colour.x == disc.colour.y && disc.colour.y == disc.colour.z));
}

void LightRaster::fadeFin(sf::Vector2f corner, sf::Vector2f inner, sf::Vector2f outer,
                          const std::vector<std::uint8_t>& alphaAcross) {
    const sf::Vector2f edge = inner - corner;
    const float whole = cross(edge, outer - corner);
    if (whole == 0 || alphaAcross.empty())
        return;
    // Black stays black, however faded.
    if (blank)
        return;
    const float size = static_cast<float>(alphaAcross.size());
    const int lastTexel = static_cast<int>(alphaAcross.size()) - 1;
    const sf::Vector2f fin[] = {corner, inner, outer};
    scan(fin, 3, columns, rows, [&](int row, int first, int last) {
        const float y = static_cast<float>(row) + 0.5f;
        Texel* line = &texels[static_cast<std::size_t>(row) * columns];
        for (int column = first; column <= last; ++column) {
            Texel& texel = line[column];
            if (texel[0] == 0 && texel[1] == 0 && texel[2] == 0)
                continue;
            const sf::Vector2f at(static_cast<float>(column) + 0.5f, y);
            // How far across the fin: the outer corner's share of the point.
            const float across = std::clamp(cross(edge, at - corner) / whole, 0.0f, 1.0f);
            const float s = across * size - 0.5f;
            const float below = std::floor(s);
            const int k = static_cast<int>(below);
            const float blend = s - below;
            const float texture =
                (static_cast<float>(alphaAcross[static_cast<std::size_t>(std::clamp(k, 0, lastTexel))]) *
                     (1 - blend) +
                 static_cast<float>(alphaAcross[static_cast<std::size_t>(std::clamp(k + 1, 0, lastTexel))]) *
                     blend) /
                255.0f;
            const float keep = 1.0f - (1.0f - across) * texture;
            for (std::size_t channel = 0; channel < 3; ++channel)
                texel[channel] = toByte(static_cast<float>(texel[channel]) / 255.0f * keep);
        }
    });
}

} // namespace ltbl

namespace ltbl {

void LightRaster::fill(std::vector<std::uint8_t>& plane, unsigned width, unsigned height,
                       const sf::Vector2f* corners, int count, std::uint8_t value) {
    if (plane.size() < static_cast<std::size_t>(width) * height)
        return;
    scan(corners, count, width, height, [&](int row, int first, int last) {
        std::memset(&plane[static_cast<std::size_t>(row) * width + static_cast<std::size_t>(first)], value,
                    static_cast<std::size_t>(last - first + 1));
    });
}

namespace {

// A tap of the blur: the two pixels around a point offset pixels away, and
// the second one's weight in 256ths, as the renderer weighs a smooth read.
struct Tap {
    int first, weight;
};
Tap tapAt(float offset) {
    const float below = std::floor(offset);
    return {static_cast<int>(below), static_cast<int>((offset - below) * 256)};
}

// The renderer rounds each tap down to a level and the mean of the pixel
// and its two taps to the nearest level. Every step fits in 16 bits, which
// lets the loops below work on many pixels at once; v / 3 for v up to 766
// is (v * 21846) >> 16.
inline std::uint8_t blurred(std::uint16_t before0, std::uint16_t before1, std::uint16_t centre,
                            std::uint16_t after0, std::uint16_t after1, Tap before, Tap after) {
    const auto tap = [](std::uint16_t first, std::uint16_t second, Tap t) {
        const auto weight = static_cast<std::uint16_t>(t.weight),
                   rest = static_cast<std::uint16_t>(256 - t.weight);
        return static_cast<std::uint16_t>(static_cast<std::uint16_t>(first * rest + second * weight) >> 8);
    };
    const auto sum =
        static_cast<std::uint16_t>(tap(before0, before1, before) + centre + tap(after0, after1, after) + 1);
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(sum) * 21846u) >> 16);
}

} // namespace

void LightRaster::blurBrightest(std::vector<std::uint8_t>& out, sf::Vector2f offset) const {
    // One pass across, then one down; the edge pixels repeat past the ends.
    const std::size_t count = texels.size();
    out.resize(count);
    if (count == 0)
        return;
    if (blank) {
        std::fill(out.begin(), out.end(), 0);
        return;
    }
    const int width = static_cast<int>(columns), height = static_cast<int>(rows);
    brightestPlane.resize(count);
    acrossPlane.resize(count);
    // The planes never overlap: saying so lets the loops run many pixels a step.
    std::uint8_t* __restrict const brightest = brightestPlane.data();
    std::uint8_t* __restrict const across = acrossPlane.data();
    const std::uint8_t* __restrict const rgba = texels.front().data();
    for (std::size_t i = 0; i < count; ++i)
        brightest[i] = std::max({rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2]});
    const Tap left = tapAt(-offset.x), right = tapAt(offset.x);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* __restrict const line = &brightest[static_cast<std::size_t>(y) * columns];
        std::uint8_t* __restrict const to = &across[static_cast<std::size_t>(y) * columns];
        auto at = [&](int x) { return static_cast<int>(line[std::clamp(x, 0, width - 1)]); };
        // Away from the ends no tap needs holding in.
        const int inFrom = std::min(width, std::max(0, -left.first)),
                  inTo = std::max(inFrom, width - std::max(0, right.first + 1));
        for (int x = 0; x < inFrom; ++x)
            to[x] = blurred(at(x + left.first), at(x + left.first + 1), line[x], at(x + right.first),
                            at(x + right.first + 1), left, right);
        for (int x = inFrom; x < inTo; ++x)
            to[x] = blurred(line[x + left.first], line[x + left.first + 1], line[x], line[x + right.first],
                            line[x + right.first + 1], left, right);
        for (int x = inTo; x < width; ++x)
            to[x] = blurred(at(x + left.first), at(x + left.first + 1), line[x], at(x + right.first),
                            at(x + right.first + 1), left, right);
    }
    const Tap up = tapAt(-offset.y), down = tapAt(offset.y);
    auto row = [&](int y) -> const std::uint8_t* {
        return &across[static_cast<std::size_t>(std::clamp(y, 0, height - 1)) * columns];
    };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* __restrict const above0 = row(y + up.first);
        const std::uint8_t* __restrict const above1 = row(y + up.first + 1);
        const std::uint8_t* __restrict const centre = row(y);
        const std::uint8_t* __restrict const below0 = row(y + down.first);
        const std::uint8_t* __restrict const below1 = row(y + down.first + 1);
        std::uint8_t* __restrict const to = &out[static_cast<std::size_t>(y) * columns];
        for (int x = 0; x < width; ++x)
            to[x] = blurred(above0[x], above1[x], centre[x], below0[x], below1[x], up, down);
    }
}

} // namespace ltbl

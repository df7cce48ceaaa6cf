#include "ColourVision.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace colourvision {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado, Oliveira & Fernandes (2009), "A Physiologically-based Model for
// Simulation of Color Vision Deficiency", IEEE Transactions on Visualization
// and Computer Graphics 15(6): the matrices for severity 1.0, applied to
// linear RGB. Full severity is the hardest case: a palette that stays apart
// there stays apart for the milder forms too.
constexpr Matrix protanopia = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix deuteranopia = {
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix tritanopia = {
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};

double toLinear(sf::Uint8 channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}
double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

} // namespace

const char* sightName(Sight sight) {
    switch (sight) {
    case Sight::protan:
        return "protan";
    case Sight::deutan:
        return "deutan";
    case Sight::tritan:
        return "tritan";
    default:
        return "normal";
    }
}

Linear simulate(sf::Color colour, Sight sight) {
    const std::array<double, 3> in = {toLinear(colour.r), toLinear(colour.g), toLinear(colour.b)};
    if (sight == Sight::normal)
        return {in[0], in[1], in[2]};
    const Matrix& m = sight == Sight::protan   ? protanopia
                      : sight == Sight::deutan ? deuteranopia
                                               : tritanopia;
    std::array<double, 3> out{};
    for (std::size_t row = 0; row < 3; ++row)
        out[row] = std::clamp(m[row][0] * in[0] + m[row][1] * in[1] + m[row][2] * in[2], 0.0, 1.0);
    return {out[0], out[1], out[2]};
}

Lab toLab(Linear c) {
    const double x = (0.4124564 * c.r + 0.3575761 * c.g + 0.1804375 * c.b) / 0.95047;
    const double y = 0.2126729 * c.r + 0.7151522 * c.g + 0.0721750 * c.b;
    const double z = (0.0193339 * c.r + 0.1191920 * c.g + 0.9503041 * c.b) / 1.08883;
    auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// The formula as Sharma, Wu & Dalal (2005) set it out, with their notes on hue angles.
double ciede2000(const Lab& p, const Lab& q) {
    const double pow25 = std::pow(25.0, 7);
    const double meanC = (std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2;
    const double g = 0.5 * (1 - std::sqrt(std::pow(meanC, 7) / (std::pow(meanC, 7) + pow25)));
    const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    const double c1 = std::hypot(a1, p.b), c2 = std::hypot(a2, q.b);
    auto hue = [](double b, double a) {
        double h = a == 0 && b == 0 ? 0 : degrees(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    double dh = 0;
    if (c1 * c2 != 0) {
        dh = h2 - h1;
        dh += dh > 180 ? -360 : dh < -180 ? 360 : 0;
    }
    const double dL = q.L - p.L, dC = c2 - c1;
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(radians(dh / 2));
    const double meanL = (p.L + q.L) / 2, meanCp = (c1 + c2) / 2;
    double meanH = h1 + h2;
    if (c1 * c2 != 0)
        meanH = std::abs(h1 - h2) <= 180 ? meanH / 2 : meanH < 360 ? (meanH + 360) / 2 : (meanH - 360) / 2;
    const double t = 1 - 0.17 * std::cos(radians(meanH - 30)) + 0.24 * std::cos(radians(2 * meanH)) +
                     0.32 * std::cos(radians(3 * meanH + 6)) - 0.20 * std::cos(radians(4 * meanH - 63));
    const double dTheta = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
    const double rc = 2 * std::sqrt(std::pow(meanCp, 7) / (std::pow(meanCp, 7) + pow25));
    const double sl = 1 + 0.015 * std::pow(meanL - 50, 2) / std::sqrt(20 + std::pow(meanL - 50, 2));
    const double sc = 1 + 0.045 * meanCp, sh = 1 + 0.015 * meanCp * t;
    const double rt = -std::sin(radians(2 * dTheta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

double relativeLuminance(Linear c) {
    return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

double contrastRatio(Linear first, Linear second) {
    const double a = relativeLuminance(first), b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::vector<Shortfall> shortfalls(const std::vector<sf::Color>& colours, sf::Color background,
                                  double minDifference, double minContrast) {
    std::vector<Shortfall> found;
    const int count = static_cast<int>(colours.size());
    for (Sight sight : sights) {
        const Linear ground = simulate(background, sight);
        for (int i = 0; i < count; ++i) {
            const Linear seen = simulate(colours[static_cast<std::size_t>(i)], sight);
            const double contrast = contrastRatio(seen, ground);
            if (contrast < minContrast)
                found.push_back({sight, i, -1, contrast});
            for (int j = i + 1; j < count; ++j) {
                const double difference =
                    ciede2000(toLab(seen), toLab(simulate(colours[static_cast<std::size_t>(j)], sight)));
                if (difference < minDifference)
                    found.push_back({sight, i, j, difference});
            }
        }
    }
    return found;
}

std::string describe(const std::vector<Shortfall>& found, const std::vector<std::string>& names) {
    std::ostringstream out;
    out.precision(3);
    for (const Shortfall& s : found) {
        out << sightName(s.sight) << ": " << names[static_cast<std::size_t>(s.first)];
        if (s.second < 0)
            out << " on the panel, contrast " << s.value << ":1\n";
        else
            out << " and " << names[static_cast<std::size_t>(s.second)] << ", difference " << s.value << "\n";
    }
    return out.str();
}

} // namespace colourvision

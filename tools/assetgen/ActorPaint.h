#pragma once
// Shared brushes of the actor art: shaded shapes, sprite finishing and sheet
// assembly. The sheet painters themselves live in ActorCharacters.cpp,
// ActorWeapons.cpp, ActorEffects.cpp, ActorMachine.cpp and ActorArmour.cpp; the tool tests
// read their sheets back and check every cell the game addresses.

#include "AssetGen.h"
#include "Paint.h"

#include <cstdint>
#include <string>
#include <vector>

namespace actorart {

using paint::Canvas;
using paint::pi;
using paint::rgb;
using paint::Rgba;
using paint::Sdf;
using sf::Vector2f;

// The shared night palette, so the actors sit in the same city as the tiles.
namespace palette {
inline const Rgba ink = paint::rgb(10, 10, 18);
inline const Rgba shadowBlue = paint::rgb(22, 24, 40);
inline const Rgba amber = paint::rgb(242, 163, 58);
inline const Rgba alienCyan = paint::rgb(56, 224, 232);
inline const Rgba rangedGreen = paint::rgb(118, 200, 70);
inline const Rgba alienViolet = paint::rgb(150, 70, 200);
inline const Rgba meleePurple = paint::rgb(120, 50, 150);
inline const Rgba blood = paint::rgb(150, 20, 28);
inline const Rgba fireOrange = paint::rgb(255, 140, 30);
inline const Rgba jacketOlive = paint::rgb(96, 110, 60);
inline const Rgba shirtBlue = paint::rgb(60, 90, 160);
inline const Rgba concrete = paint::rgb(92, 96, 108);
inline const Rgba brick = paint::rgb(120, 58, 46);
inline const Rgba wood = paint::rgb(122, 84, 50);
inline const Rgba darkWood = paint::rgb(78, 52, 32);
inline const Rgba offWhite = paint::rgb(232, 228, 216);
inline const Rgba gunSteel = paint::rgb(58, 62, 72);
inline const Rgba brass = paint::rgb(204, 160, 72);
} // namespace palette

// How a shape catches the light: darker towards its silhouette so it reads
// as round, brighter towards the top-left, optionally grainy like cloth or skin.
struct Shade {
    Rgba colour;
    float rim = 0.62f;       // brightness at the silhouette edge
    float depth = 4.0f;      // pixels over which the edge darkening fades out
    float tilt = 0.16f;      // strength of the top-left light across the shape
    float grain = 0.0f;      // noise amount, 0 for smooth materials
    float grainScale = 2.5f; // noise feature size in pixels
    std::uint32_t seed = 11;
};

Shade flat(Rgba colour);
Shade cloth(Rgba colour, std::uint32_t seed, float grain = 0.12f);
Shade metal(Rgba colour);

// Shaded primitives; each derives its own bounds.
void paintSdf(Canvas& c, const Sdf& sdf, float x0, float y0, float x1, float y1, const Shade& s);
void blob(Canvas& c, float cx, float cy, float rx, float ry, const Shade& s, float angle = 0);
void limb(Canvas& c, float x0, float y0, float x1, float y1, float radius, const Shade& s);
void poly(Canvas& c, const std::vector<sf::Vector2f>& pts, const Shade& s);
void rbox(Canvas& c, float x, float y, float w, float h, float radius, const Shade& s);

// Dark rim around the opaque pixels: a crisp 1 px line plus a fainter second
// pixel, so silhouettes hold on both lit and unlit floors.
void finishSprite(Canvas& c);
// Slips a soft contact shadow under a finished sprite (after its outline, so
// the shadow itself gets no rim).
void groundShadow(Canvas& c, float cx, float cy, float rx, float ry, float opacity);

// Copies frame into the sheet cell (col, row) of the given cell size.
void place(Canvas& sheet, const Canvas& frame, int col, int row, int cellW, int cellH);
// Mirrors a canvas left to right.
Canvas mirrored(const Canvas& src);

void save(const Canvas& c, const AssetContext& ctx, const std::string& file);

// The sheet painters.
void paintCharacters(const AssetContext& ctx);
void paintWeapons(const AssetContext& ctx);
void paintEffects(const AssetContext& ctx);
void paintMachine(const AssetContext& ctx);
void paintArmourIcons(const AssetContext& ctx);

} // namespace actorart

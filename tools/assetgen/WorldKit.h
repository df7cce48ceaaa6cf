#pragma once
// Helpers shared by the world and interface art: tileable noise for surfaces
// that must repeat without seams, fast rectangle fills for the big screens
// (the painter's distance-field shapes are too slow for full-screen work),
// and the dark amber-trimmed panel every overlay and HUD piece is built on.

#include "Paint.h"

#include <cstdint>
#include <string>

namespace worldart {

using paint::Canvas;
using paint::mix;
using paint::pi;
using paint::rgb;
using paint::Rgba;
using paint::save;
using paint::shade;
using paint::withAlpha;

// The game draws its screens in a fixed 1920 x 1080 view.
constexpr int ScreenW = 1920, ScreenH = 1080;

// The shared palette of the art direction.
inline const Rgba ink = paint::rgb(10, 10, 18);
inline const Rgba deepShadow = paint::rgb(22, 24, 40);
inline const Rgba amber = paint::rgb(242, 163, 58);
inline const Rgba steel = paint::rgb(140, 150, 170);
inline const Rgba alienCyan = paint::rgb(56, 224, 232);
inline const Rgba panelFill = paint::rgb(20, 23, 34, 217);
inline const Rgba offWhite = paint::rgb(232, 228, 216);

float clamp01(float v);
float smoothstep(float edge0, float edge1, float x);
// Integer hash to 0..1: the same inputs always give the same value.
float hashUnit(int a, int b, std::uint32_t seed);
// Value noise that wraps every `period` lattice cells, so a tile drawn with it
// continues into copies of itself. Octaves double the period with the frequency.
float periodicNoise(float x, float y, int period, std::uint32_t seed);
float periodicFbm(float x, float y, int period, int octaves, std::uint32_t seed);

// Adds (or with negative amounts removes) light without touching alpha.
Rgba brighten(Rgba c, float amount);
// Source-over fill of an axis-aligned rectangle, no anti-aliasing.
void blendRect(Canvas& canvas, int x, int y, int w, int h, Rgba c);
// One-pixel frame drawn inside the rectangle.
void frameRect(Canvas& canvas, int x, int y, int w, int h, Rgba c, int thickness = 1);
// The panel of every overlay: translucent night-blue body, steel hairline,
// amber corner brackets. Drawn with plain loops so full-screen panels stay cheap.
void drawPanel(Canvas& canvas, int x, int y, int w, int h, Rgba border, float fillAlpha = 0.85f);
// Makes the rectangle fully transparent (windows the HUD bars show through).
void clearRect(Canvas& canvas, int x, int y, int w, int h);

// The groups of this generator, one per file.
void drawTileSheet(const std::string& path);
void drawWallShadow(const std::string& path);
void drawStreetEdges(const std::string& path);
Canvas drawMainMenu(const std::string& backgroundPath, const std::string& foregroundPath,
                    const std::string& logoPath, const std::string& displayFont,
                    const std::string& sansBoldFont);
void drawButtons(const std::string& path);
void drawDoors(const std::string& path);
void drawOptionsBackground(const Canvas& menuBackground, const std::string& path);
void drawHudPanels(const std::string& statusPath, const std::string& gunPath,
                   const std::string& noiseBarPath);
void drawCursor(const std::string& path);
void drawIcon(const std::string& path);
// The icon in the sizes a desktop asks for, "icon-48.png" to "icon-256.png",
// and scalable as "icon.svg", into the folder.
void drawDesktopIcons(const std::string& folder);
void drawBloodyScreen(const std::string& path);
void drawLightFin(const std::string& path);
void drawGameInfoOverlay(const std::string& path, const std::string& displayFont, const std::string& sansFont,
                         const std::string& sansBoldFont);
void drawUpgradeHelpOverlay(const std::string& path, const std::string& displayFont,
                            const std::string& sansFont, const std::string& sansBoldFont);

} // namespace worldart

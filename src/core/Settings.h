#pragma once
// The user's settings: process-wide globals read from and written to
// "Config.cfg" in the working directory, the list of offered resolutions, and
// the creation of the one render window from them.

#include <SFML/Window/VideoMode.hpp>

#include <array>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace sf {
class RenderWindow;
}

extern std::vector<std::pair<int, int>>
    resolutions;              // (width, height), in the order the options menu offers them
extern int currentResolution; // index into resolutions
extern int soundVolume;       // percent, sound effects
extern int musicVolume;       // percent, music and the machine signal
extern bool vsyncEnabled;
extern bool fullscreen;
extern int antialiasing; // kept and written back; the window never multisamples
extern bool hardcoreMode;
extern std::string previousName; // last name typed on the highscore entry screen
extern bool showGameInfoOnce;    // first start: show the in-level help once
extern bool showUpgradeHelpOnce; // first start: show the upgrade screen's help once

// Comfort options. Every default is the game as it plays without them, so a
// player who never opens their page notices nothing.
extern int shakePercent;      // 0..100 in steps of 10: scales every camera shake
extern int flashPercent;      // 0..100 in steps of 10: scales the damage flash and the red low-health screen
extern bool bloodEnabled;     // off: neutral sparks instead of blood, and nothing left on the floor
extern bool pauseOnFocusLoss; // leaving the window during a level opens the pause menu
extern int levelFrameCap;     // frames per second in levels, 0 for no cap; one of levelFrameCaps
extern bool showFrameCounter; // frames per second and frame time in a corner

// Accessibility options. The toggles and aim help change play, so a recording
// carries them; the rest only change the picture and stay the watcher's.
extern bool sprintToggles;              // a tap of Sprint starts sprinting, the next tap stops it
extern std::array<bool, 2> fireToggles; // per hand (left, right): a tap starts using the item, the next stops
extern int aimHelp;                     // pad aim bends toward enemies: 0 off, 1 low, 2 high
extern bool tierMarks;                  // a tier word beside every name coloured by its tier
extern int tierPalette;     // 0 the standard tier colours, 1 colours that stay apart for colour-blind sight
extern int textSizePercent; // 100, 125 or 150: menu, heads-up display and upgrade texts
extern bool letterbox;      // keeps the picture at 16:9 with dark bars instead of stretching it

// The text sizes offered, from the smallest up.
extern const std::array<int, 3> textSizes;
// The scale of texts at the current text size (1 at 100 %).
float textScale();

// The frame-rate caps offered for levels, from none upwards.
extern const std::array<int, 6> levelFrameCaps;
// The allowed value nearest to a value read from the file: percentages snap
// to 0..100 in tens, caps and text sizes to the nearest offered one (the
// lower on a tie).
int nearestPercentStep(int value);
int nearestFrameCap(int value);
int nearestTextSize(int value);

// Tolerant integer parser: every digit of the line counts, a '-' negates the
// digits to its right, and a line without digits gives 0. Values beyond the
// int range saturate instead of overflowing.
int parseSettingInt(const std::string& line);

// Every setting as a first start has it, before any file is read.
void resetSettings();

// Reading and writing the settings text. The stream forms are what the file
// functions use; tests feed them text directly.
void readSettings(std::istream& in);
void writeSettings(std::ostream& out);

// Makes the resolution list usable: rebuilds it from the display's 32-bit
// full-screen modes when it is empty, when the selected entry is larger than
// the desktop in both dimensions, or when the selection points outside the
// list. Returns true when it rebuilt the list (a first start).
bool repairResolutions(const std::vector<sf::VideoMode>& fullscreenModes, const sf::VideoMode& desktop);

// The file forms. loadSettings repairs the list and rewrites the file when it
// had to rebuild it (unless told not to). saveSettings writes a temporary file beside the old one
// and renames it over, so a crash mid-write never leaves a damaged file; it
// returns false (and keeps the old file) when the write failed.
void readSettingsFile(const std::string& path);
void loadSettings(const std::string& path = "Config.cfg", bool rewriteRepaired = true);
bool saveSettings(const std::string& path = "Config.cfg");

// The window's video mode from the settings (the desktop mode when the list is unusable).
sf::VideoMode selectedVideoMode();

// The one render window of the process. It is opened by createWindow, which
// (re)creates it from the settings. The caller then fetches the content
// registry (loading every asset on the first call, which needs the window)
// and applies the volumes: the settings know nothing of the registry.
sf::RenderWindow& gameWindow();
void createWindow();

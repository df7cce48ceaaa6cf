#include "core/Settings.h"

#include "core/AtomicFile.h"
#include "core/Bindings.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>

std::vector<std::pair<int, int>> resolutions;
int currentResolution = 0;
int soundVolume = 50;
int musicVolume = 50;
bool vsyncEnabled = false;
bool fullscreen = false;
int antialiasing = 0;
bool hardcoreMode = false;
std::string previousName;
bool showGameInfoOnce = false;
bool showUpgradeHelpOnce = false;
int shakePercent = 100;
int flashPercent = 100;
bool bloodEnabled = true;
bool pauseOnFocusLoss = false;
int levelFrameCap = 0;
bool showFrameCounter = false;
bool sprintToggles = false;
std::array<bool, 2> fireToggles = {false, false};
int aimHelp = 0;
bool tierMarks = false;
int tierPalette = 0;
int textSizePercent = 100;
bool letterbox = false;

const std::array<int, 3> textSizes = {100, 125, 150};

const std::array<int, 6> levelFrameCaps = {0, 30, 60, 120, 144, 240};

namespace {

bool startsWith(const std::string& line, const char* key) {
    return line.rfind(key, 0) == 0;
}

bool nextLine(std::istream& in, std::string& line) {
    return static_cast<bool>(std::getline(in, line));
}

bool selectionUsable() {
    if (currentResolution < 0 || currentResolution >= static_cast<int>(resolutions.size()))
        return false;
    const auto& r = resolutions[static_cast<std::size_t>(currentResolution)];
    return r.first > 0 && r.second > 0;
}

} // namespace

void resetSettings() {
    // The same values the definitions above start with.
    resolutions.clear();
    currentResolution = 0;
    soundVolume = musicVolume = 50;
    vsyncEnabled = fullscreen = hardcoreMode = false;
    antialiasing = 0;
    previousName.clear();
    showGameInfoOnce = showUpgradeHelpOnce = false;
    shakePercent = flashPercent = 100;
    bloodEnabled = true;
    pauseOnFocusLoss = false;
    levelFrameCap = 0;
    showFrameCounter = false;
    sprintToggles = false;
    fireToggles = {false, false};
    aimHelp = 0;
    tierMarks = false;
    tierPalette = 0;
    textSizePercent = 100;
    letterbox = false;
    bindings = Bindings::defaults();
}

int nearestPercentStep(int value) {
    return (std::clamp(value, 0, 100) + 5) / 10 * 10;
}

int nearestFrameCap(int value) {
    int best = levelFrameCaps[0];
    for (int cap : levelFrameCaps)
        if (std::abs(static_cast<long long>(value) - cap) < std::abs(static_cast<long long>(value) - best))
            best = cap;
    return best;
}

int nearestTextSize(int value) {
    int best = textSizes[0];
    for (int size : textSizes)
        if (std::abs(static_cast<long long>(value) - size) < std::abs(static_cast<long long>(value) - best))
            best = size;
    return best;
}

float textScale() {
    return static_cast<float>(textSizePercent) / 100.0f;
}

int parseSettingInt(const std::string& line) {
    long long value = 0;
    long long power = 1;
    // Digits past the eleventh cannot change a saturated result; stop growing
    // the power there so it never overflows.
    const long long cap = 100000000000LL;
    for (auto it = line.rbegin(); it != line.rend(); ++it) {
        char c = *it;
        if (c >= '0' && c <= '9') {
            value += (c - '0') * power;
            value = std::clamp(value, -cap, cap);
            power = std::min(power * 10, cap);
        } else if (c == '-') {
            value = -value;
        }
    }
    return static_cast<int>(
        std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

void readSettings(std::istream& in) {
    resolutions.clear();
    BindingReader bindingReader;
    std::string line, value;
    while (nextLine(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        bindingReader.read(line);
        if (line.size() <= 5)
            continue;
        if (startsWith(line, "CURRES"))
            currentResolution = parseSettingInt(line);
        if (startsWith(line, "RESOL")) {
            int width = nextLine(in, value) ? parseSettingInt(value) : 0;
            int height = nextLine(in, value) ? parseSettingInt(value) : 0;
            resolutions.emplace_back(width, height);
        }
        if (startsWith(line, "PREVN") && nextLine(in, value)) {
            if (!value.empty() && value.back() == '\r')
                value.pop_back();
            previousName = value;
        }
        if (startsWith(line, "VOLUM")) {
            // Volumes outside 0..100 would play louder than the options menu can show.
            if (nextLine(in, value))
                soundVolume = std::clamp(parseSettingInt(value), 0, 100);
            if (nextLine(in, value))
                musicVolume = std::clamp(parseSettingInt(value), 0, 100);
        }
        if (startsWith(line, "VSYNC"))
            vsyncEnabled = parseSettingInt(line) != 0;
        if (startsWith(line, "FULLS"))
            fullscreen = parseSettingInt(line) != 0;
        if (startsWith(line, "ANTIA"))
            antialiasing = parseSettingInt(line);
        if (startsWith(line, "HARDC"))
            hardcoreMode = parseSettingInt(line) != 0;
        if (startsWith(line, "SHAKE:"))
            shakePercent = nearestPercentStep(parseSettingInt(line));
        if (startsWith(line, "FLASH:"))
            flashPercent = nearestPercentStep(parseSettingInt(line));
        if (startsWith(line, "BLOOD:"))
            bloodEnabled = parseSettingInt(line) > 0;
        if (startsWith(line, "FOCUSPAUSE:"))
            pauseOnFocusLoss = parseSettingInt(line) > 0;
        if (startsWith(line, "FPSCAP:"))
            levelFrameCap = nearestFrameCap(parseSettingInt(line));
        if (startsWith(line, "SHOWFPS:"))
            showFrameCounter = parseSettingInt(line) > 0;
        if (startsWith(line, "SPRINTTOGGLE:"))
            sprintToggles = parseSettingInt(line) > 0;
        if (startsWith(line, "FIRETOGGLELEFT:"))
            fireToggles[0] = parseSettingInt(line) > 0;
        if (startsWith(line, "FIRETOGGLERIGHT:"))
            fireToggles[1] = parseSettingInt(line) > 0;
        if (startsWith(line, "AIMHELP:"))
            aimHelp = std::clamp(parseSettingInt(line), 0, 2);
        if (startsWith(line, "TIERMARKS:"))
            tierMarks = parseSettingInt(line) > 0;
        if (startsWith(line, "TIERCOLOURS:"))
            tierPalette = std::clamp(parseSettingInt(line), 0, 1);
        if (startsWith(line, "TEXTSIZE:"))
            textSizePercent = nearestTextSize(parseSettingInt(line));
        if (startsWith(line, "LETTERBOX:"))
            letterbox = parseSettingInt(line) > 0;
    }
    bindings = bindingReader.result;
}

void writeSettings(std::ostream& out) {
    for (const auto& r : resolutions)
        out << "RESOL:\n" << r.first << "\n" << r.second << "\n";
    out << "CURRES:" << currentResolution << "\n";
    out << "VOLUM:\n" << soundVolume << "\n" << musicVolume << "\n";
    out << "ANTIA: " << antialiasing << "\n";
    out << "FULLS: " << (fullscreen ? 1 : 0) << "\n";
    out << "VSYNC:" << (vsyncEnabled ? 1 : 0) << "\n";
    out << "HARDC:" << (hardcoreMode ? 1 : 0) << "\n";
    out << "PREVN:\n" << previousName << "\n";
    writeBindings(out, bindings);
    out << "SHAKE:" << shakePercent << "\n";
    out << "FLASH:" << flashPercent << "\n";
    out << "BLOOD:" << (bloodEnabled ? 1 : 0) << "\n";
    out << "FOCUSPAUSE:" << (pauseOnFocusLoss ? 1 : 0) << "\n";
    out << "FPSCAP:" << levelFrameCap << "\n";
    out << "SHOWFPS:" << (showFrameCounter ? 1 : 0) << "\n";
    out << "SPRINTTOGGLE:" << (sprintToggles ? 1 : 0) << "\n";
    out << "FIRETOGGLELEFT:" << (fireToggles[0] ? 1 : 0) << "\n";
    out << "FIRETOGGLERIGHT:" << (fireToggles[1] ? 1 : 0) << "\n";
    out << "AIMHELP:" << aimHelp << "\n";
    out << "TIERMARKS:" << (tierMarks ? 1 : 0) << "\n";
    out << "TIERCOLOURS:" << tierPalette << "\n";
    out << "TEXTSIZE:" << textSizePercent << "\n";
    out << "LETTERBOX:" << (letterbox ? 1 : 0) << "\n";
}

bool repairResolutions(const std::vector<sf::VideoMode>& fullscreenModes, const sf::VideoMode& desktop) {
    if (!resolutions.empty() && selectionUsable()) {
        const auto& r = resolutions[static_cast<std::size_t>(currentResolution)];
        if (r.first > static_cast<int>(desktop.width) && r.second > static_cast<int>(desktop.height))
            resolutions.clear();
    }
    if (!resolutions.empty() && selectionUsable())
        return false;

    resolutions.clear();
    showGameInfoOnce = true;
    showUpgradeHelpOnce = true;
    bool desktopFound = false;
    // The display lists its best mode first; walking it backwards offers the
    // modes from small to large.
    for (auto it = fullscreenModes.rbegin(); it != fullscreenModes.rend(); ++it) {
        if (it->bitsPerPixel != 32)
            continue;
        resolutions.emplace_back(static_cast<int>(it->width), static_cast<int>(it->height));
        // The desktop may report 24 bits while its full-screen modes report 32:
        // the size is what identifies it.
        if (it->width == desktop.width && it->height == desktop.height) {
            currentResolution = static_cast<int>(resolutions.size()) - 1;
            desktopFound = true;
        }
    }
    if (!desktopFound || !selectionUsable()) {
        resolutions.emplace_back(static_cast<int>(desktop.width), static_cast<int>(desktop.height));
        currentResolution = static_cast<int>(resolutions.size()) - 1;
    }
    return true;
}

void readSettingsFile(const std::string& path) {
    // Read-only: a settings file the user protected must still be read.
    std::ifstream in(path);
    readSettings(in);
}

void loadSettings(const std::string& path, bool rewriteRepaired) {
    readSettingsFile(path);
    if (repairResolutions(sf::VideoMode::getFullscreenModes(), sf::VideoMode::getDesktopMode()) &&
        rewriteRepaired)
        saveSettings(path);
}

bool saveSettings(const std::string& path) {
    return writeFileAtomically(path, writeSettings, false);
}

sf::VideoMode selectedVideoMode() {
    if (!selectionUsable())
        return sf::VideoMode::getDesktopMode();
    const auto& r = resolutions[static_cast<std::size_t>(currentResolution)];
    return sf::VideoMode(static_cast<unsigned>(r.first), static_cast<unsigned>(r.second), 32);
}

sf::RenderWindow& gameWindow() {
    static sf::RenderWindow window;
    return window;
}

void createWindow() {
    sf::ContextSettings context(0, 0, 0, 2, 0);
    sf::Uint32 style = fullscreen ? sf::Style::Fullscreen : sf::Style::Default;
    sf::RenderWindow& window = gameWindow();
    window.create(selectedVideoMode(), "Vantreth", style, context);
    window.setVerticalSyncEnabled(vsyncEnabled);
    window.setMouseCursorVisible(false);
    // The task bar and window switcher show the game's own icon; a missing
    // file only leaves the system's default.
    sf::Image icon;
    if (icon.loadFromFile("Graphics/icon.png"))
        window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
}

#pragma once
// The options menu, over the main menu or the pause menu: music and effects
// volume, resolution, vertical sync, full screen, and hardcore mode (only
// from the main menu). Volumes and hardcore mode take effect at once; the
// display settings are kept in working copies until "Apply", which re-creates
// the window and writes "Config.cfg". "Back" keeps unapplied edits for the
// next visit. "Controls" opens the controls screen, "Comfort" the comfort
// page, "Accessibility" the accessibility page.

#include "app/MenuState.h"
#include "core/Singleton.h"
#include "persistence/ReplayFile.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>

class OptionsState : public MenuState, public Singleton<OptionsState> {
    friend class Singleton<OptionsState>;

  public:
    void onEnter() override;
    void update(float dt) override;
    void draw() override;
    void handleInput() override;

    // Volume steps: by one up to 10, by five above, within 0..100. A volume
    // off that grid (typed into the settings file) steps onto it.
    static int volumeUp(int volume);
    static int volumeDown(int volume);

    // Whether any working copy differs from its setting ("Apply" is lit).
    bool hasChanges() const;
    // Copies the working display settings into the settings, re-creates the
    // window, writes the settings file, and takes the current volumes and
    // hardcore mode as the new baseline.
    void apply();

    // The working copies as a recording keeps them, and put back from one.
    MenuCopies copies() const;
    void setCopies(const MenuCopies& from);

    // Working copies. The display ones are taken from the settings once, when
    // the menu is first opened; the volume ones every time it opens.
    int editResolution = 0;
    int editAntialiasing = 0;
    int editMusicVolume = 0;
    int editSoundVolume = 0;
    bool editVsync = false;
    bool editFullscreen = false;
    bool editHardcore = false;

    // Left column labels and the value shown in each row.
    std::array<sf::Text, 6> labels;
    std::array<sf::Text, 6> values;
    sf::Text hardcoreNote; // why the hardcore toggle is grey during a run
    sf::Text saveFailed;   // shown while the last "Apply" could not write the settings file
    std::array<sf::RectangleShape, 6> separators;
    bool lastSaveFailed = false;

  private:
    OptionsState();
};

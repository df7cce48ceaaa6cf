#pragma once
// Entry points of the asset generator. Each writes its files into the run
// directory; all output is a pure function of the code (fixed seeds), so two
// builds produce the same bytes.

#include <string>

struct AssetContext {
    std::string runDir;       // files go to runDir + "/Graphics/...", "/Sounds/...", "/data/..."
    std::string displayFont;  // bold display face (titles, labels)
    std::string sansFont;     // clean sans for body text
    std::string sansBoldFont; // its bold cut
    std::string blackletterFont;

    std::string graphics(const std::string& file) const { return runDir + "/Graphics/" + file; }
    std::string sounds(const std::string& file) const { return runDir + "/Sounds/" + file; }
    std::string data(const std::string& file) const { return runDir + "/data/" + file; }
};

// Characters, weapons, projectiles, pickups, particles, explosion, badges, the brainwash machine.
void generateActorArt(const AssetContext& ctx);
// Tile sheet with furniture, menus, buttons, doors, heads-up display, overlays, cursor, shadows, light fin.
void generateWorldAndInterfaceArt(const AssetContext& ctx);
// Every sound effect.
void generateSoundEffects(const AssetContext& ctx);
// The three music loops.
void generateMusic(const AssetContext& ctx);

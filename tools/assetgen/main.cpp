// vantreth_assetgen RUN_DIR DISPLAY_FONT SANS_FONT SANS_BOLD_FONT BLACKLETTER_FONT [GROUP]
// Writes every generated image and sound into RUN_DIR. GROUP (actors, world,
// sfx or music) limits the run to one generator while iterating on its art.
#include "AssetGen.h"

#include <SFML/System/Clock.hpp>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 6 && argc != 7) {
        std::cerr << "usage: vantreth_assetgen RUN_DIR DISPLAY_FONT SANS_FONT SANS_BOLD_FONT "
                     "BLACKLETTER_FONT [GROUP]\n";
        return 2;
    }
    AssetContext ctx{argv[1], argv[2], argv[3], argv[4], argv[5]};
    try {
        for (const char* sub : {"/Graphics", "/Sounds", "/data"})
            std::filesystem::create_directories(ctx.runDir + sub);
        sf::Clock clock;
        std::string group = argc == 7 ? argv[6] : "";
        auto wanted = [&](const char* name) { return group.empty() || group == name; };
        if (wanted("actors"))
            generateActorArt(ctx);
        if (wanted("world"))
            generateWorldAndInterfaceArt(ctx);
        if (wanted("sfx"))
            generateSoundEffects(ctx);
        if (wanted("music"))
            generateMusic(ctx);
        std::printf("assets generated in %.1f s\n", clock.getElapsedTime().asSeconds());
    } catch (const std::exception& e) {
        std::cerr << "asset generation failed: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

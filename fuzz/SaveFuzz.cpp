// Any bytes as a save file: the tolerant reader must take what makes sense,
// and what it took must survive being saved and loaded again. The input is
// read and loaded into the player, written out, and that text read, loaded
// and written once more: the two texts must be the same.
#include "actors/Player.h"
#include "items/ItemDatabase.h"
#include "persistence/SaveFile.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// Loads a save's text into the player and writes what the player then holds.
std::string loadAndWrite(const std::string& text) {
    std::istringstream in(text);
    SaveData save = readSave(in);
    if (save.difficulty && (*save.difficulty < 1 || *save.difficulty > highestLevel))
        __builtin_trap();
    // As the game loads a save: onto a fresh player, so that what the last
    // input left in a slot never reaches this one's round trip.
    Player& player = *Player::getInstance();
    player.startRun();
    applySave(save, player);
    std::ostringstream out;
    writeSave(out, player);
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool built = (buildItemDatabase(), true);
    (void)built;
    const std::string written = loadAndWrite(std::string(reinterpret_cast<const char*>(data), size));
    if (loadAndWrite(written) != written)
        __builtin_trap();
    return 0;
}

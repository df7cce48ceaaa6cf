// Any bytes as a save file: the tolerant reader must take what makes sense
// and nothing it builds may break writing the save out again.
#include "items/ItemDatabase.h"
#include "persistence/SaveFile.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool built = (buildItemDatabase(), true);
    (void)built;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    SaveData save = readSave(in);
    if (save.difficulty && (*save.difficulty < 1 || *save.difficulty > highestLevel))
        __builtin_trap();
    std::ostringstream out;
    for (const auto& item : save.items)
        out << item->getName() << '\n';
    return 0;
}

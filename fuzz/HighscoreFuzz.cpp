// Any bytes as the highscore table: ranking a score against it and inserting
// an entry must stay within its lines and never let the table grow past
// sixty entries.
#include "persistence/HighscoreTable.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    std::vector<std::string> lines = HighscoreTable::readLines(in);
    const int score = size > 0 ? static_cast<int>(data[0]) * 1000 : 0;
    const bool ranked = HighscoreTable::qualifies(lines, score);
    const std::size_t before = lines.size();
    const int at =
        HighscoreTable::insertEntry(lines, HighscoreTable::cleanName(text.substr(0, 40)), 3, score);
    if (at >= 0 && static_cast<std::size_t>(at) >= lines.size())
        __builtin_trap();
    if (lines.size() > 180 && lines.size() > before)
        __builtin_trap();
    (void)ranked;
    std::ostringstream out;
    HighscoreTable::writeLines(out, lines);
    return 0;
}

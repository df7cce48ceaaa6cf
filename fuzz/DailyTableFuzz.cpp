// Any bytes as the daily table: what is read writes back and reads again the
// same, and noting and ending an attempt keeps one line per day, newest first.
#include "persistence/DailyTable.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {
bool wellOrdered(const DailyTable& table) {
    for (std::size_t i = 1; i < table.days.size(); ++i)
        if (!(table.days[i - 1].day > table.days[i].day))
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    DailyTable table = DailyTable::read(in);
    std::ostringstream out;
    out.imbue(std::locale::classic());
    table.write(out);
    std::istringstream back(out.str());
    if (!(DailyTable::read(back).days.size() == table.days.size()) || !wellOrdered(table))
        __builtin_trap();
    const std::string day = table.days.empty() ? "2026-12-07" : table.days.back().day;
    const bool counts = table.beginAttempt(day, std::string(reinterpret_cast<const char*>(data), size % 40));
    table.endAttempt(day, counts, {static_cast<int>(size) - 20, 2, 1.5f, "x.vrp"});
    if (!wellOrdered(table) || !table.find(day) || table.find(day)->best < 0)
        __builtin_trap();
    return 0;
}

// Any bytes as the run history: every record read must survive being written
// and read again, and a second round trip must change nothing.
#include "persistence/RunHistory.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<RunRecord> roundTrip(const std::vector<RunRecord>& runs) {
    std::string text = runHistory::headerLine() + '\n';
    for (const RunRecord& run : runs)
        text += runHistory::formatLine(run) + '\n';
    std::istringstream in(text);
    return runHistory::read(in);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<RunRecord> read = runHistory::read(in);
    const std::vector<RunRecord> once = roundTrip(read);
    if (once.size() != read.size() || roundTrip(once) != once)
        __builtin_trap();
    return 0;
}

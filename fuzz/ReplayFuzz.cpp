// Any bytes as a recording: the reader refuses what it cannot use with a
// reason, and what it accepts plays to its end and is written back the same.
#include "persistence/ReplayFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    std::optional<Recording> rec = decodeRecording(bytes, error);
    if (!rec) {
        if (error.empty())
            __builtin_trap();
        return 0;
    }
    ReplayDecoder frames(rec->frameBytes);
    ReplayFrame frame;
    std::uint32_t count = 0;
    while (frames.next(frame))
        ++count;
    if (frames.failed() || count != rec->frames)
        __builtin_trap();
    std::string again;
    if (!decodeRecording(encodeRecording(*rec), again))
        __builtin_trap();
    return 0;
}

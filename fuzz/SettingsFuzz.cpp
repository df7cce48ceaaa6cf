// Any bytes as "Config.cfg": reading them, repairing the resolution list
// against a small display and picking the video mode must stay in bounds.
#include "core/Settings.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    readSettings(in);
    const std::vector<sf::VideoMode> modes = {sf::VideoMode(1920, 1080, 32), sf::VideoMode(1280, 720, 32)};
    repairResolutions(modes, sf::VideoMode(1920, 1080, 32));
    if (currentResolution < 0 || currentResolution >= static_cast<int>(resolutions.size()))
        __builtin_trap();
    std::ostringstream out;
    writeSettings(out);
    return 0;
}

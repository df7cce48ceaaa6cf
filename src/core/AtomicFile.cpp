#include "core/AtomicFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <locale>
#include <system_error>

namespace {
bool held = false;
}

void holdWrites(bool hold) {
    held = hold;
}

bool writesHeld() {
    return held;
}

bool writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                         bool createFolder) {
    if (held)
        return true;
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (createFolder && !folder.empty())
        std::filesystem::create_directories(folder, ignored);

    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out)
            return false;
        // The formats' decimal point is '.', whatever locale the process runs in.
        out.imbue(std::locale::classic());
        write(out);
        // A full disk shows up here at the latest; the old file then stays.
        out.close();
        if (out.fail()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

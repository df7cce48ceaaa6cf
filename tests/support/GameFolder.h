#pragma once
// A throwaway folder laid out like the run directory, for starting the real
// game in a fresh process: the assets and the executable are linked from the
// run directory (the tests' working directory), while the settings, saves
// and recordings are the folder's own. So a test can hand the game other
// settings or saves without touching the player's.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Lays a run directory at `to` that links the assets and the executable of
// the one at `from` but holds folders of its own for what the game writes.
inline void layRunDir(const std::filesystem::path& from, const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    auto linkAllBut = [](const fs::path& source, const fs::path& target,
                         std::initializer_list<const char*> kept) {
        fs::create_directories(target);
        std::error_code missing;
        for (const fs::directory_entry& entry : fs::directory_iterator(source, missing))
            if (std::none_of(kept.begin(), kept.end(),
                             [&](const char* k) { return entry.path().filename() == k; }))
                fs::create_symlink(entry.path(), target / entry.path().filename());
    };
    linkAllBut(from, to, {"Config.cfg", "SaveData", "data"});
    linkAllBut(from / "data", to / "data", {"SaveData", "Replays"});
    fs::create_directories(to / "data" / "SaveData");
    fs::create_directories(to / "SaveData");
}

class GameFolder {
  public:
    // `game` is the executable to start; by default the run directory's.
    explicit GameFolder(const std::string& name, std::filesystem::path game = "vantreth")
        : root(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        namespace fs = std::filesystem;
        fs::remove_all(root);
        layRunDir(fs::current_path(), root);
        const fs::path executable = fs::absolute(game);
        fs::remove(root / "vantreth");
        fs::create_symlink(executable, root / "vantreth");
    }
    ~GameFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    void write(const std::string& relative, const std::string& content) const {
        std::ofstream out(root / relative, std::ios::binary | std::ios::trunc);
        out << content;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(root / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Starts the game in the folder with the given arguments (quoted by the
    // caller); returns its exit status, with everything it printed in `output`.
    int run(const std::string& arguments, std::string& output) const {
        const std::string log = (root / "run.log").string();
        int status = std::system(
            ("cd '" + root.string() + "' && ./vantreth " + arguments + " >'" + log + "' 2>&1").c_str());
        output = read("run.log");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::filesystem::path root;
};

#pragma once
// A throwaway folder laid out like the run directory, for starting the real
// game in a fresh process: the assets and the executable are linked from the
// run directory (the tests' working directory), while the settings, saves
// and recordings are the folder's own. So a test can hand the game other
// settings or saves without touching the player's.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

class GameFolder {
  public:
    // `game` is the executable to start; by default the run directory's.
    explicit GameFolder(const std::string& name, std::filesystem::path game = "vantreth")
        : root(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        namespace fs = std::filesystem;
        const fs::path runDir = fs::current_path();
        fs::remove_all(root);
        fs::create_directories(root / "data" / "SaveData");
        fs::create_directories(root / "SaveData");
        for (const char* shared : {"Graphics", "Sounds"})
            fs::create_directory_symlink(runDir / shared, root / shared);
        for (const auto& entry : fs::directory_iterator(runDir / "data"))
            if (entry.path().filename() != "SaveData" && entry.path().filename() != "Replays")
                fs::create_symlink(entry.path(), root / "data" / entry.path().filename());
        fs::create_symlink(fs::absolute(game), root / "vantreth");
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

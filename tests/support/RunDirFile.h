#pragma once
// Tests run in a run directory of their process's own (support/PrivateRunDir)
// and use the files the game uses there. A RunDirFile sets such a file aside
// for the length of a test and puts the earlier copy back afterwards (or
// removes what the test left), and so it does with the backup the game keeps
// beside the file and with the damaged copies it sets aside there, so that
// tests run one after another in one process start from the same files.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class RunDirFile {
  public:
    explicit RunDirFile(std::string filePath) : path(std::move(filePath)) {
        for (const std::string& file : companions())
            if (std::filesystem::exists(file))
                std::filesystem::rename(file, file + aside);
    }
    ~RunDirFile() {
        std::error_code ignored;
        for (const std::string& file : companions()) {
            std::filesystem::remove_all(file, ignored);
            std::filesystem::rename(file + aside, file, ignored);
        }
    }
    RunDirFile(const RunDirFile&) = delete;
    RunDirFile& operator=(const RunDirFile&) = delete;

    void write(const std::string& content) const {
        std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << content;
    }
    std::string read() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }
    bool exists() const { return std::filesystem::exists(path); }

  private:
    // The file, its scratch, its backup and the damaged copies a test may make.
    std::vector<std::string> companions() const {
        std::vector<std::string> files{path, path + ".tmp", path + ".bak", path + ".bak.tmp",
                                       path + ".damaged"};
        for (int n = 2; n <= 9; ++n)
            files.push_back(path + ".damaged." + std::to_string(n));
        return files;
    }
    static constexpr const char* aside = ".test-aside";

  public:
    const std::string path;
};

#pragma once
// Tests run in a run directory of their process's own (support/PrivateRunDir)
// and use the files the game uses there. A RunDirFile sets such a file aside
// for the length of a test and puts the earlier copy back afterwards (or
// removes what the test left), so that tests run one after another in one
// process start from the same files.

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

class RunDirFile {
  public:
    explicit RunDirFile(std::string filePath) : path(std::move(filePath)) {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::stringstream content;
            content << in.rdbuf();
            original = content.str();
        }
        std::filesystem::remove(path);
    }
    ~RunDirFile() {
        std::error_code ignored;
        std::filesystem::remove_all(path + ".tmp", ignored);
        std::filesystem::remove_all(path, ignored);
        if (original) {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << *original;
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

    const std::string path;

  private:
    std::optional<std::string> original;
};

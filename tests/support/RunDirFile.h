#pragma once
// Tests run in the game's run directory and use the files the game uses
// there. A RunDirFile sets a file aside for the length of a test and puts
// the user's copy back afterwards (or removes what the test left), and so
// it does with the backup the game keeps beside the file and with the
// damaged copies it sets aside there.
//
// ctest runs tests in parallel processes; two of them setting the same file
// aside at once would each take the other's test data for the user's copy.
// So every RunDirFile holds one lock shared by all test processes, taken by
// the first RunDirFile of a process and released by the last.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class RunDirLock {
  public:
    RunDirLock() {
        if (holders()++ == 0) {
            std::string lockPath =
                (std::filesystem::temp_directory_path() / "vantreth-run-files.lock").string();
            descriptor() = ::open(lockPath.c_str(), O_RDWR | O_CREAT, 0666);
            if (descriptor() >= 0)
                ::flock(descriptor(), LOCK_EX);
        }
    }
    ~RunDirLock() {
        if (--holders() == 0 && descriptor() >= 0) {
            ::flock(descriptor(), LOCK_UN);
            ::close(descriptor());
            descriptor() = -1;
        }
    }
    RunDirLock(const RunDirLock&) = delete;
    RunDirLock& operator=(const RunDirLock&) = delete;

  private:
    static int& holders() {
        static int count = 0;
        return count;
    }
    static int& descriptor() {
        static int fd = -1;
        return fd;
    }
};

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

    RunDirLock lock; // first, so it is released after the file is restored

  public:
    const std::string path;
};

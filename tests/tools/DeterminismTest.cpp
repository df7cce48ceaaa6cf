// The build regenerates the assets whenever the generator changes, and the
// sanitizer build copies another build's output instead of generating its
// own; both rely on the output being a pure function of the code. A stray
// unseeded random number, an uninitialised pixel or iteration over an
// unordered container would make two runs differ, so run twice and compare.
#include "GeneratedArt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

using namespace artcheck;

namespace {

// Every file below dir, by its path relative to dir, with its bytes.
std::map<std::string, std::string> contents(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[std::filesystem::relative(entry.path(), dir).string()] =
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    return files;
}

void expectSameOutputTwice(void (*generate)(const AssetContext&), const std::string& tag) {
    ScratchRun first(tag + "_1"), second(tag + "_2");
    generate(first.context());
    generate(second.context());
    auto a = contents(first.dir()), b = contents(second.dir());
    ASSERT_FALSE(a.empty());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name << " was written by the first run only";
        EXPECT_FALSE(bytes.empty()) << name << " is empty";
        EXPECT_TRUE(bytes == other->second) << name << " differs between two runs";
    }
}

TEST(Determinism, ActorArtComesOutByteIdenticalTwice) {
    expectSameOutputTwice(generateActorArt, "actors_twice");
}

TEST(Determinism, SoundEffectsComeOutByteIdenticalTwice) {
    expectSameOutputTwice(generateSoundEffects, "sfx_twice");
}

} // namespace

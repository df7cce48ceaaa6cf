#pragma once
// Shared by the tests that read back what the generator wrote: a scratch run
// directory, the fonts the build passes to the generator, PNG loading, and
// the per-cell predicates an atlas must meet before the game can address it.
#include "AssetGen.h"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

#include <exception>
#include <filesystem>
#include <memory>
#include <string>

namespace artcheck {

inline const std::string displayFont = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Bold.otf";
inline const std::string sansFont = "/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf";
inline const std::string sansBoldFont = "/usr/share/fonts/truetype/open-sans/OpenSans-Bold.ttf";
inline const std::string blackletterFont = "/usr/share/fonts/truetype/blankenburg/Blankenburg_UNZ1A.ttf";

// A run directory of its own under the system temp directory, laid out the
// way the generator's main() prepares it, and removed again with the object.
class ScratchRun {
  public:
    explicit ScratchRun(const std::string& tag)
        : root(std::filesystem::temp_directory_path() /
               ("vantreth_" + tag + "_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(root);
        for (const char* sub : {"Graphics", "Sounds", "data"})
            std::filesystem::create_directories(root / sub);
    }
    ~ScratchRun() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    ScratchRun(const ScratchRun&) = delete;
    ScratchRun& operator=(const ScratchRun&) = delete;

    AssetContext context() const {
        return {root.string(), displayFont, sansFont, sansBoldFont, blackletterFont};
    }
    std::filesystem::path dir() const { return root; }

  private:
    std::filesystem::path root;
};

// One generator run shared by all tests of a suite: made in SetUpTestSuite,
// removed in TearDownTestSuite. A generator that throws leaves its message
// in `error` for every test to report.
struct SharedRun {
    std::unique_ptr<ScratchRun> run;
    std::string error;

    void generate(const std::string& tag, void (*generator)(const AssetContext&)) {
        run = std::make_unique<ScratchRun>(tag);
        error.clear();
        try {
            generator(run->context());
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    std::filesystem::path file(const std::string& sub, const std::string& name) const {
        return run->dir() / sub / name;
    }
};

struct Cell {
    int x, y, w, h;
};

inline std::string describe(const std::string& file, Cell c) {
    return file + " cell at (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ") " +
           std::to_string(c.w) + "x" + std::to_string(c.h);
}

inline ::testing::AssertionResult inside(const sf::Image& image, const std::string& file, Cell c) {
    if (c.x < 0 || c.y < 0 || c.x + c.w > static_cast<int>(image.getSize().x) ||
        c.y + c.h > static_cast<int>(image.getSize().y))
        return ::testing::AssertionFailure() << describe(file, c) << " lies outside the " << image.getSize().x
                                             << "x" << image.getSize().y << " image";
    return ::testing::AssertionSuccess();
}

inline sf::Uint8 alphaAt(const sf::Image& image, int x, int y) {
    return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a;
}

// Fails when fewer than `minimum` of the cell's pixels are at least half
// opaque: a cell the game addresses that came out (nearly) empty draws
// nothing, and nobody notices until they meet that sprite in play.
inline ::testing::AssertionResult covered(const sf::Image& image, const std::string& file, Cell c,
                                          float minimum) {
    if (auto r = inside(image, file, c); !r)
        return r;
    int solid = 0;
    for (int y = c.y; y < c.y + c.h; ++y)
        for (int x = c.x; x < c.x + c.w; ++x)
            if (alphaAt(image, x, y) >= 128)
                ++solid;
    float share = static_cast<float>(solid) / static_cast<float>(c.w * c.h);
    if (share < minimum)
        return ::testing::AssertionFailure() << describe(file, c) << " is " << share * 100
                                             << " % opaque, needs at least " << minimum * 100 << " %";
    return ::testing::AssertionSuccess();
}

// Fails when any pixel on the cell's outermost ring is more than faintly
// opaque: a sprite that bleeds over its cell edge shows a sliver of its
// neighbour when the game draws it (and loses its own edge).
inline ::testing::AssertionResult clearBorder(const sf::Image& image, const std::string& file, Cell c) {
    if (auto r = inside(image, file, c); !r)
        return r;
    const sf::Uint8 faint = 5; // 2 % opacity
    auto check = [&](int x, int y) { return alphaAt(image, x, y) <= faint; };
    for (int i = 0; i < c.w; ++i)
        for (int y : {c.y, c.y + c.h - 1})
            if (!check(c.x + i, y))
                return ::testing::AssertionFailure()
                       << describe(file, c) << ": the sprite touches the cell edge at (" << c.x + i << ", "
                       << y << ")";
    for (int j = 0; j < c.h; ++j)
        for (int x : {c.x, c.x + c.w - 1})
            if (!check(x, c.y + j))
                return ::testing::AssertionFailure()
                       << describe(file, c) << ": the sprite touches the cell edge at (" << x << ", "
                       << c.y + j << ")";
    return ::testing::AssertionSuccess();
}

// Loads a written PNG; an empty image (and a test failure) when it is missing or unreadable.
inline sf::Image loadPng(const std::filesystem::path& path) {
    sf::Image image;
    if (!image.loadFromFile(path.string()))
        ADD_FAILURE() << "cannot read back " << path.string();
    return image;
}

} // namespace artcheck

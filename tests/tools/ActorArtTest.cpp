// The actor atlases as the game addresses them: every frame or cell it picks
// must hold a visible sprite that stays inside its cell. The painters run
// once for the whole suite and the tests read the PNGs back, so a fault in
// the painters, the sheet assembly or the PNG writer all show up here.
#include "GeneratedArt.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace artcheck;

namespace {

struct Sheet {
    const char* file;
    int cellW, cellH, columns, rows;
    float minCoverage;
    // Columns, from the left, that must be covered; the rest only need a clear
    // border (the explosion thins out to nothing in its last frames).
    int coveredColumns;
};

std::ostream& operator<<(std::ostream& out, const Sheet& s) {
    return out << s.file;
}

const Sheet sheets[] = {
    // The walking actors: four-frame strips.
    {"mainChar.png", 64, 96, 4, 1, 0.12f, 4},
    {"human1.png", 64, 96, 4, 1, 0.12f, 4},
    {"alienranged.png", 64, 96, 4, 1, 0.12f, 4},
    {"alienmelee.png", 96, 96, 4, 1, 0.12f, 4},
    // Weapons: one row per sprite row, right hand and its mirror for the left.
    {"GunSheet.png", 64, 64, 2, 13, 0.04f, 2},
    // Grenade, plasma bolt, bomb, nuke.
    {"paukku.png", 64, 64, 4, 1, 0.02f, 4},
    {"powerups.png", 48, 48, 2, 1, 0.2f, 2},
    {"rank.png", 32, 32, 3, 1, 0.3f, 3},
    // Four variants of sixteen particle kinds; sparks and dots are tiny.
    {"particles.png", 32, 32, 4, 16, 0.015f, 4},
    {"explosion.png", 128, 128, 16, 1, 0.05f, 8},
    {"flash.png", 128, 128, 1, 1, 0.05f, 1},
    {"brainwashmachine.png", 96, 96, 4, 1, 0.4f, 4},
    // The upgrade screen's armour icons, in the order of the armour templates.
    {"ArmourIcons.png", 64, 64, 5, 1, 0.2f, 5},
};

class ActorArt : public ::testing::TestWithParam<Sheet> {
  protected:
    static void SetUpTestSuite() { art.generate("actor_art", generateActorArt); }
    static void TearDownTestSuite() { art.run.reset(); }

    static SharedRun art;
};

SharedRun ActorArt::art;

TEST_P(ActorArt, EveryAddressedCellHoldsASpriteInsideItsBorder) {
    ASSERT_EQ(art.error, "");
    const Sheet& s = GetParam();
    sf::Image image = loadPng(art.file("Graphics", s.file));
    ASSERT_GE(image.getSize().x, static_cast<unsigned>(s.cellW * s.columns)) << s.file;
    ASSERT_GE(image.getSize().y, static_cast<unsigned>(s.cellH * s.rows)) << s.file;
    for (int row = 0; row < s.rows; ++row)
        for (int column = 0; column < s.columns; ++column) {
            Cell c{column * s.cellW, row * s.cellH, s.cellW, s.cellH};
            if (column < s.coveredColumns) {
                EXPECT_TRUE(covered(image, s.file, c, s.minCoverage));
            }
            EXPECT_TRUE(clearBorder(image, s.file, c));
        }
}

std::string sheetName(const ::testing::TestParamInfo<Sheet>& sheet) {
    std::string file = sheet.param.file;
    return file.substr(0, file.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Sheets, ActorArt, ::testing::ValuesIn(sheets), sheetName);

} // namespace

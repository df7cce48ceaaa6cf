#include "persistence/SaveFile.h"

#include "actors/Player.h"
#include "core/Globals.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "items/ItemDatabase.h"
#include "support/BaseTypes.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>

namespace {

// The documented layout, written out by hand: a level 3 run with a tuned
// pistol, a grenade and a plain vest. The keys with a trailing space are
// part of the format.
const char* const goldenSave = R"(Hardcoremode:
0
Difficulty:
3

Player:
Armor:
4
MaxHP:
135
HP:
100.5
MaxStamina:
110
Stamina:
55.25
Position(X,Y):
1000
2000.5
Hitradius:
24
Rotation:
90
Grapple: 
1
Health: 
1
Stamina: 
1
Weaponhandle: 
2
Level: 
5
XP: 
7000
XPneeded: 
7868
Statpoints: 
3
HS: 
12345
Score: 
678

Equipped:
Type:
weapon
MaxAmmo:
15
Ammo:
9
Shotcolor(r,g,b):
10
20
30
Recoil:
0
Range:
850
Accuracy:
0.85
RLDSpeed:
0.45
ShotCount:
2
Penetration:
0
Explosive:
0
Melee:
0
GFX:
1
Bulletshat:
0
Concussive:
1
Adrenalin:
0
Poison:
0
Explosionradius:
0
Name:
Double 9mm pistol
Basename:
9mm pistol
Power:
12.66
Stability:
1.1
Speed:
8
Semiauto:
1
Rarity
32

Type:
bombbb
ThrowingSpeed:
1000
Fuse:
3
Friction:
1.4
Accuracy:
-1
ShotCount:
1
RLDSpeed:
0.15
MaxAmmo:
3
ExplosionRadius:
300
GFX:
5
Name:
Grenade
Basename:
Grenade
Power:
150
Stability:
1.2
Speed:
0.6
Semiauto:
0
Rarity
0

Type:
Armorr:
bonusHP:
20
Name:
Kevlar vest
Basename:
Kevlar vest
Power:
4
Stability:
8
Speed:
0.8
Semiauto:
0
Rarity
0

)";

// The player singleton with the run state the golden file describes.
class SaveFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        player = Player::getInstance();
        savedHardcore = hardcoreMode;
        hardcoreMode = false;
        levelNumber = 3;
        totalScore = 12345;
        upgradePoints = 678;
        player->armour = 4;
        player->MaxHP = 135;
        player->HP = 100.5f;
        player->MaxStamina = 110;
        player->Stamina = 55.25f;
        player->position = {1000, 2000.5f};
        player->radius = 24;
        player->rotation = 90;
        player->Grapple = 1;
        player->Health = 1;
        player->StaminaStat = 1;
        player->Weaponhandle = 2;
        player->Level = 5;
        player->XP = 7000;
        player->XPneeded = 7868;
        player->Statpoints = 3;

        auto pistol = design::copyOf(weaponTemplates, "9mm pistol");
        pistol->setName("Double 9mm pistol");
        pistol->setPower(12.66f);
        pistol->setShotCount(2);
        pistol->setAmmo(9);
        pistol->setShotColor(sf::Color(10, 20, 30, 96));
        pistol->setConcussive(true);
        pistol->setRarity(32);
        auto grenade = design::copyOf(bombTemplates, "Grenade");
        grenade->setSemiAuto(false);
        player->inventory.clear();
        player->inventory.push_back(std::move(pistol));
        player->inventory.push_back(std::move(grenade));
        player->inventory.push_back(design::copyOf(armourTemplates, "Kevlar vest"));
    }
    void TearDown() override {
        hardcoreMode = savedHardcore;
        levelNumber = 1;
        totalScore = upgradePoints = 0;
        player->resetForLevel(true);
    }

    static SaveData read(const std::string& text) {
        std::istringstream in(text);
        return readSave(in);
    }
    static std::string written() {
        std::ostringstream out;
        writeSave(out, *Player::getInstance());
        return out.str();
    }

    Player* player = nullptr;
    bool savedHardcore = false;
};

TEST_F(SaveFileTest, TheWriterProducesTheDocumentedLayoutByteForByte) {
    EXPECT_EQ(written(), goldenSave);
}

TEST_F(SaveFileTest, ASeededRunsSaveCarriesItsSeedOnALineAfterTheKeys) {
    currentRun = RunIdentity{RunKind::seeded, 0x123456789Aull, {}, false};
    const std::string seeded = written();
    currentRun = RunIdentity{};
    EXPECT_EQ(seeded, std::string(goldenSave) + "Seed:\n" + formatSeed(0x123456789Aull) + "\n");
    EXPECT_EQ(read(seeded).seed, 0x123456789Aull);
    EXPECT_FALSE(read(goldenSave).seed);
    EXPECT_FALSE(read(std::string(goldenSave) + "Seed:\nK7QX-M2PU\n").seed) << "a damaged code is no seed";
}

TEST_F(SaveFileTest, TheReaderRestoresEveryValueOfTheGoldenFile) {
    SaveData save = read(goldenSave);
    EXPECT_TRUE(save.recognised);
    ASSERT_EQ(save.items.size(), 3u);
    EXPECT_EQ(save.items[0]->getType(), "weapon");
    EXPECT_EQ(save.items[1]->getType(), "bombbb");
    EXPECT_EQ(save.items[2]->getType(), "Armorr:");
    // The alpha is not saved: every shot colour comes back at 128.
    EXPECT_EQ(save.items[0]->getShotColor(), sf::Color(10, 20, 30, 128));

    // Read into a player started over, the save writes back to the same
    // bytes: every value the reader takes came back. Hit points and the
    // rotation are written but never read.
    player->inventory.clear();
    levelNumber = 1;
    totalScore = upgradePoints = 0;
    player->resetForLevel(true);
    applySave(save, *player);
    EXPECT_EQ(levelNumber, 3);
    player->MaxHP = 135;
    player->HP = 100.5f;
    player->rotation = 90;
    EXPECT_EQ(written(), goldenSave);
}

TEST_F(SaveFileTest, KeysAreFoundInAnyOrder) {
    // "Difficulty" after "Armor", the stamina stat before the current
    // stamina, "XPneeded" before "XP", an item's common keys before its own,
    // and Windows line ends on some lines.
    SaveData save =
        read("Player:\nArmor:\n7\nDifficulty:\n9\nStamina: \n4\nStamina:\n61.5\r\nXPneeded: \n2840\n"
             "XP: \n2000\r\nType:\nArmorr:\r\nName:\nPl\r\tate\r\r\nbonusHP:\n60\nHS: \n55\n");
    EXPECT_EQ(save.armour, 7.0f);
    EXPECT_EQ(save.difficulty, 9);
    EXPECT_EQ(save.staminaStat, 4);
    EXPECT_EQ(save.stamina, 61.5f);
    EXPECT_EQ(save.xpNeeded, 2840);
    EXPECT_EQ(save.xp, 2000);
    EXPECT_EQ(save.totalScore, 55);
    ASSERT_EQ(save.items.size(), 1u);
    // Stray carriage returns and tabs in a name are dropped, not only the
    // line end's: one left at the end would shorten the name at each load.
    EXPECT_EQ(save.items[0]->getName(), "Plate");
    EXPECT_FLOAT_EQ(save.items[0]->getBonusHP(), 60);
}

TEST_F(SaveFileTest, DamagedValuesReadSafely) {
    SaveData save =
        read("Difficulty:\n99999999999\nHealth: \n-5\nGrapple: \nseven\nHitradius:\nnan\nArmor:\ninf\n"
             "MaxStamina:\n1e300\nXP: \n-1e20\nType:\nweapon\nShotCount:\n1e9\nPower:\nnan\n"
             "Shotcolor(r,g,b):\n300\n-4\nnan\nGFX:\n1e12\nType:\nitem\nName:\nLost\nType:\nweapon\n"
             "Power:\n-3\nLevel: \n");
    // Counts stay inside what the game can take; unparsable numbers read as 0.
    EXPECT_EQ(save.difficulty, highestLevel);
    EXPECT_EQ(save.health, 0);
    EXPECT_EQ(save.grapple, 0);
    EXPECT_EQ(save.xp, 0);
    // Values that are not finite numbers, and a key at the end without its
    // value, count as not held.
    EXPECT_FALSE(save.hitRadius);
    EXPECT_FALSE(save.armour);
    EXPECT_FALSE(save.maxStamina);
    EXPECT_FALSE(save.level);
    // An unknown item type gives no item, and its lines go nowhere.
    ASSERT_EQ(save.items.size(), 2u);
    const Item& gun = *save.items[0];
    EXPECT_FLOAT_EQ(gun.getShotCount(), 1000);
    EXPECT_FLOAT_EQ(gun.getPower(), weaponTemplates.front().getPower());
    EXPECT_EQ(gun.getShotColor(), sf::Color(255, 0, weaponTemplates.front().getShotColor().b, 128));
    EXPECT_GE(gun.getGfx(), 0);
    EXPECT_NE(gun.getName(), "Lost");
    // Negative power would turn every shot's kick, and with it the aim, into NaN.
    EXPECT_FLOAT_EQ(save.items[1]->getPower(), 0);
}

TEST_F(SaveFileTest, ItemsGoToTheirSlotsAndEmptySlotsKeepTheirItems) {
    const Item* hands[2] = {player->inventory[0].get(), player->inventory[1].get()};

    // No item blocks at all: every slot keeps its item.
    SaveData stats = read("Health: \n2\n");
    applySave(stats, *player);
    ASSERT_EQ(player->inventory.size(), 3u);
    EXPECT_EQ(player->inventory[0].get(), hands[0]);
    EXPECT_EQ(player->inventory[1].get(), hands[1]);
    EXPECT_EQ(player->Health, 2);

    // An armour before the weapons, and more weapons than hands.
    SaveData mixed = read("Type:\nArmorr:\nName:\nA\n\nType:\nweapon\nName:\nL\n\nType:\nbombbb\nName:\nR\n\n"
                          "Type:\nweapon\nName:\nExtra\n\nType:\nArmorr:\nName:\nB\n");
    applySave(mixed, *player);
    ASSERT_EQ(player->inventory.size(), 3u);
    EXPECT_EQ(player->inventory[0]->getName(), "L");
    EXPECT_EQ(player->inventory[1]->getName(), "R");
    EXPECT_EQ(player->inventory[2]->getName(), "A");

    // One weapon only: the other hand keeps what it held.
    const Item* right = player->inventory[1].get();
    SaveData one = read("Type:\nweapon\nName:\nOnly\n");
    applySave(one, *player);
    EXPECT_EQ(player->inventory[0]->getName(), "Only");
    EXPECT_EQ(player->inventory[1].get(), right);
}

// Every slot holds an item of its kind, whatever the file held.
void expectFullInventory(const Player& player) {
    ASSERT_EQ(player.inventory.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        ASSERT_NE(player.inventory[i], nullptr);
    EXPECT_NE(dynamic_cast<const Weapon*>(player.inventory[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<const Weapon*>(player.inventory[1].get()), nullptr);
    EXPECT_NE(dynamic_cast<const Armor*>(player.inventory[2].get()), nullptr);
}

TEST_F(SaveFileTest, EveryTruncationOfASaveLoadsWhatItStillHolds) {
    const std::string golden = goldenSave;
    for (std::size_t length = 0; length <= golden.size(); ++length) {
        SaveData save = read(golden.substr(0, length));
        applySave(save, *player);
        expectFullInventory(*player);
        EXPECT_FALSE(std::isnan(player->radius));
        if (HasFailure()) {
            ADD_FAILURE() << "cut after " << length << " bytes";
            return;
        }
    }
    // Cut right after "Difficulty:": the value is not there, so nothing is read for it.
    const std::size_t cut = golden.find("Difficulty:\n") + 12;
    EXPECT_FALSE(read(golden.substr(0, cut)).difficulty);
    EXPECT_EQ(read(golden.substr(0, cut + 2)).difficulty, 3);
}

} // namespace

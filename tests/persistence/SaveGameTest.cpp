#include "persistence/SaveGame.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "app/MainMenuState.h"
#include "core/AtomicFile.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "items/ItemDatabase.h"
#include "items/ItemGeneration.h"
#include "persistence/HighscoreTable.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::unique_ptr<Item> copyOf(const Item& item) {
    if (const auto* bomb = dynamic_cast<const Bomb*>(&item))
        return std::make_unique<Bomb>(*bomb);
    if (const auto* weapon = dynamic_cast<const Weapon*>(&item))
        return std::make_unique<Weapon>(*weapon);
    return std::make_unique<Armor>(dynamic_cast<const Armor&>(item));
}

// Floats go through the file with six significant digits.
void expectSaved(float loaded, float saved, const char* what) {
    EXPECT_NEAR(loaded, saved, std::fabs(saved) * 1e-5f + 1e-6f) << what;
}

// Every item field the save file holds, compared after a load.
void expectSameItem(const Item& loaded, const Item& saved) {
    EXPECT_EQ(loaded.getType(), saved.getType());
    EXPECT_EQ(loaded.getName(), saved.getName());
    EXPECT_EQ(loaded.getBasename(), saved.getBasename());
    expectSaved(loaded.getPower(), saved.getPower(), "power");
    expectSaved(loaded.getStability(), saved.getStability(), "stability");
    expectSaved(loaded.getSpeed(), saved.getSpeed(), "speed");
    EXPECT_EQ(loaded.isSemiAuto(), saved.isSemiAuto());
    expectSaved(loaded.getRarity(), saved.getRarity(), "rarity");
    expectSaved(loaded.getBonusHP(), saved.getBonusHP(), "bonus HP");
    if (saved.getType() == "Armorr:")
        return;
    expectSaved(loaded.getMaxAmmo(), saved.getMaxAmmo(), "max ammo");
    expectSaved(loaded.getAccuracy(), saved.getAccuracy(), "accuracy");
    expectSaved(loaded.getReloadSpeed(), saved.getReloadSpeed(), "reload speed");
    expectSaved(loaded.getShotCount(), saved.getShotCount(), "shot count");
    expectSaved(loaded.getExplosionRadius(), saved.getExplosionRadius(), "explosion radius");
    EXPECT_EQ(loaded.getGfx(), saved.getGfx());
    if (saved.getType() == "bombbb") {
        expectSaved(loaded.getThrowingSpeed(), saved.getThrowingSpeed(), "throwing speed");
        expectSaved(loaded.getFuse(), saved.getFuse(), "fuse");
        expectSaved(loaded.getFriction(), saved.getFriction(), "friction");
        return;
    }
    sf::Color color = saved.getShotColor();
    color.a = 128;
    EXPECT_EQ(loaded.getShotColor(), color);
    expectSaved(loaded.getRecoil(), saved.getRecoil(), "recoil");
    expectSaved(loaded.getRange(), saved.getRange(), "range");
    EXPECT_EQ(loaded.isPenetrating(), saved.isPenetrating());
    EXPECT_EQ(loaded.isExplosive(), saved.isExplosive());
    EXPECT_EQ(loaded.isMelee(), saved.isMelee());
    EXPECT_EQ(loaded.isBulletShatter(), saved.isBulletShatter());
    EXPECT_EQ(loaded.isConcussive(), saved.isConcussive());
    EXPECT_EQ(loaded.isAdrenaline(), saved.isAdrenaline());
    EXPECT_EQ(loaded.isPoisoned(), saved.isPoisoned());
}

// A run in progress on the main menu's stack, and a scratch folder. Saves
// made through a save name land in the run directory's save folder under a
// name of this test's own, removed again afterwards.
class SaveGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        player = Player::getInstance();
        savedHardcore = hardcoreMode;
        hardcoreMode = false;
        scratch = fs::temp_directory_path() / ("vantreth_saves_" + testName());
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        handler = GameStateHandler::getInstance();
        handler->states.clear();
        handler->states.push_back(MainMenuState::getInstance());
        levelNumber = 1;
        player->resetForLevel(true);
        // After every singleton is up: the state handler seeds from the clock.
        std::srand(5);
    }
    void TearDown() override {
        diskCalls() = {::write, ::fsync};
        // The save, its scratch, its backup and whatever was set aside.
        std::error_code noFolder;
        for (const auto& entry : fs::directory_iterator(fs::path(savePath(name)).parent_path(), noFolder))
            if (entry.path().filename().string().rfind(name + ".txt", 0) == 0)
                fs::remove(entry.path());
        fs::remove_all(scratch);
        handler->states.clear();
        handler->delayActive = false;
        hardcoreMode = savedHardcore;
        levelNumber = 1;
        totalScore = upgradePoints = 0;
        player->resetForLevel(true);
        Maphandler::getInstance()->setCurrentMap(nullptr);
    }

    // A run a few levels in: levelled stats and freshly rolled loot.
    void playSomeLevels() {
        levelNumber = 6;
        totalScore = 48213;
        upgradePoints = 917;
        player->Grapple = 2;
        player->Health = 3;
        player->StaminaStat = 1;
        player->Weaponhandle = 4;
        player->Level = 7;
        player->XP = 12000;
        player->XPneeded = 12718;
        player->Statpoints = 2;
        player->radius = 26;
        player->armour = 8;
        // Rolled loot, a gun in the left hand (the roll may give a bomb).
        do
            player->inventory[0] = generateWeapon(6);
        while (player->inventory[0]->getType() != "weapon");
        auto grenade = std::make_unique<Bomb>(bombTemplates.front());
        grenade->setFuse(2.5f);
        grenade->setName("Short Fused Grenade");
        player->inventory[1] = std::move(grenade);
        player->inventory[2] = generateArmour(6);
        auto* gun = dynamic_cast<Weapon*>(player->inventory[0].get());
        ASSERT_NE(gun, nullptr);
        gun->setShotColor(sf::Color(200, 40, 7, 255));
        gun->setRecoil(0.25f);
        gun->setAdrenaline(true);
        gun->setPoisoned(true);
    }

    static std::string testName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

    const std::string name = "unit_test_" + testName();
    Player* player = nullptr;
    GameStateHandler* handler = nullptr;
    fs::path scratch;
    bool savedHardcore = false;
};

TEST_F(SaveGameTest, ASavedRunLoadsIntoTheNextLevelWithEveryStatAndItem) {
    playSomeLevels();
    ASSERT_TRUE(saveGame(name));

    // Copies of what was saved, to compare the loaded items with.
    std::vector<std::unique_ptr<Item>> saved;
    for (const auto& item : player->inventory)
        saved.push_back(copyOf(*item));

    // The game goes on elsewhere: a new run on level 1.
    levelNumber = 1;
    totalScore = upgradePoints = 0;
    player->resetForLevel(true);
    player->radius = 24;
    handler->delayActive = true;

    ASSERT_TRUE(continueFromSave(name));
    EXPECT_EQ(levelNumber, 7);
    EXPECT_EQ(totalScore, 48213);
    EXPECT_EQ(upgradePoints, 917);
    EXPECT_EQ(player->Grapple, 2);
    EXPECT_EQ(player->Health, 3);
    EXPECT_EQ(player->StaminaStat, 1);
    EXPECT_EQ(player->Weaponhandle, 4);
    EXPECT_EQ(player->Level, 7);
    EXPECT_EQ(player->XP, 12000);
    EXPECT_EQ(player->XPneeded, 12718);
    EXPECT_EQ(player->Statpoints, 2);
    EXPECT_FLOAT_EQ(player->radius, 26);
    ASSERT_EQ(player->inventory.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        expectSameItem(*player->inventory[i], *saved[i]);
    EXPECT_EQ(player->inventory[0]->getShotColor().a, 128);

    // The level starts the way a new run's does: on a fresh map, in the
    // level state, the player reset for it with full pools and magazines.
    EXPECT_EQ(handler->top(), Ingame::getInstance());
    EXPECT_FALSE(handler->delayActive);
    EXPECT_NE(Maphandler::getInstance()->currentMap(), nullptr);
    EXPECT_FLOAT_EQ(player->MaxHP, saved[2]->getBonusHP() + 35 * 3 + 100);
    EXPECT_FLOAT_EQ(player->HP, player->MaxHP);
    EXPECT_FLOAT_EQ(player->inventory[0]->getAmmo(), player->inventory[0]->getMaxAmmo());
    EXPECT_FALSE(player->dead);
}

TEST_F(SaveGameTest, LoadingFromAMenuOverTheLevelReturnsToTheLevel) {
    playSomeLevels();
    ASSERT_TRUE(saveGame(name));
    // Main menu, the level, and a menu paused over it.
    handler->states.insert(handler->states.begin(), Ingame::getInstance());
    handler->states.insert(handler->states.begin(), MainMenuState::getInstance());
    ASSERT_TRUE(continueFromSave(name));
    EXPECT_EQ(handler->top(), Ingame::getInstance());
    EXPECT_EQ(handler->states.size(), 2u);
}

TEST_F(SaveGameTest, AFileThatIsGoneOrHoldsNoSaveChangesNothing) {
    playSomeLevels();
    const Item* held[3] = {player->inventory[0].get(), player->inventory[1].get(),
                           player->inventory[2].get()};
    auto unchanged = [&] {
        EXPECT_EQ(levelNumber, 6);
        EXPECT_EQ(player->Health, 3);
        EXPECT_EQ(totalScore, 48213);
        ASSERT_EQ(player->inventory.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(player->inventory[i].get(), held[i]);
        EXPECT_EQ(handler->top(), MainMenuState::getInstance());
        EXPECT_EQ(handler->states.size(), 1u);
    };

    // Removed between the menu's check and the click.
    fs::remove(savePath(name));
    EXPECT_FALSE(continueFromSave(name));
    unchanged();

    // Not a save at all.
    writeText(savePath(name), "\x89PNG\r\n\x1a\nIHDR");
    EXPECT_FALSE(continueFromSave(name));
    unchanged();
}

// A loaded run starts from a fresh player: the items of the run played
// before never reach it, and slots the save leaves empty get the plain kit.
TEST_F(SaveGameTest, ASaveWithoutItemsStartsWithThePlainKitNotTheItemsHeld) {
    playSomeLevels();
    player->inventory[0] = generateWeapon(30);
    player->inventory[1] = generateWeapon(30);
    player->inventory[2] = generateArmour(30);
    writeText(savePath(name), "Hardcoremode:\n0\nDifficulty:\n4\n\nPlayer:\nHealth: \n5\n\nEquipped:\n");
    ASSERT_TRUE(continueFromSave(name));
    EXPECT_EQ(levelNumber, 5);
    EXPECT_EQ(player->Health, 5);
    ASSERT_EQ(player->inventory.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(player->inventory[i]);
        EXPECT_EQ(player->inventory[i]->getName(),
                  i < 2 ? defaultWeapon()->getName() : defaultArmour()->getName());
    }
}

TEST_F(SaveGameTest, AReadOnlySaveStillLoads) {
    playSomeLevels();
    const fs::path path = scratch / "save.txt";
    ASSERT_TRUE(writeSaveFile(path.string()));
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    levelNumber = 1;
    player->Health = 0;
    // Root may write anything, so the load runs in a child that gives up root first.
    pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        bool loaded = loadSaveFile(path.string());
        ::_exit(loaded && levelNumber == 6 && player->Health == 3 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(SaveGameTest, ADamagedSaveLoadsFromItsBackupAndIsKeptAside) {
    playSomeLevels();
    ASSERT_TRUE(saveGame(name));
    levelNumber = 7;
    ASSERT_TRUE(saveGame(name));
    const std::string damaged = "\x89PNG\r\n\x1a\nIHDR";
    writeText(savePath(name), damaged);

    // Saving over a damaged save sets it aside rather than making it the backup.
    levelNumber = 8;
    ASSERT_TRUE(saveGame(name));
    EXPECT_EQ(readSaveFile(backupPath(savePath(name)))->difficulty, 6);
    EXPECT_EQ(*readSaveText(savePath(name) + ".damaged"), damaged);

    // Loading a damaged save loads the backup, and the damaged file goes aside too.
    writeText(savePath(name), damaged);
    levelNumber = 1;
    ASSERT_TRUE(continueFromSave(name));
    EXPECT_EQ(levelNumber, 7);
    EXPECT_EQ(*readSaveText(savePath(name) + ".damaged.2"), damaged);
    EXPECT_FALSE(fs::exists(savePath(name)));

    // With neither loadable nothing changes.
    writeText(savePath(name), damaged);
    writeText(backupPath(savePath(name)), damaged);
    EXPECT_FALSE(continueFromSave(name));
    EXPECT_EQ(levelNumber, 7);
}

TEST_F(SaveGameTest, AFullDiskLeavesTheSaveTheSettingsAndTheTableAsTheyWere) {
    playSomeLevels();
    ASSERT_TRUE(saveGame(name));
    levelNumber = 7;
    ASSERT_TRUE(saveGame(name));
    const std::string save = *readSaveText(savePath(name)),
                      backup = *readSaveText(backupPath(savePath(name)));
    const fs::path settings = scratch / "Config.cfg", table = scratch / "Highscores.xd";
    writeText(settings, "settings\n");
    writeText(table, "Bo\n2\n900");
    HighscoreTable::getInstance()->load(table.string());

    diskCalls().write = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    levelNumber = 9;
    EXPECT_FALSE(saveGame(name));
    EXPECT_FALSE(saveSettings(settings.string()));
    EXPECT_FALSE(HighscoreTable::getInstance()->save(table.string()));
    EXPECT_EQ(*readSaveText(savePath(name)), save);
    EXPECT_EQ(*readSaveText(backupPath(savePath(name))), backup);
    EXPECT_EQ(*readSaveText(settings.string()), "settings\n");
    EXPECT_EQ(*readSaveText(table.string()), "Bo\n2\n900");
    HighscoreTable::destroyInstance();

    // The game goes on with what it had.
    ASSERT_TRUE(continueFromSave(name));
    EXPECT_EQ(levelNumber, 8);
}

} // namespace

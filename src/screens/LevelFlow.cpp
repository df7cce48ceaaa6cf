#include "screens/LevelFlow.h"

#include "actors/Player.h"
#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "app/Replay.h"
#include "app/RunLog.h"
#include "core/Globals.h"
#include "core/Random.h"
#include "core/RunKind.h"
#include "core/Settings.h"
#include "persistence/SaveFile.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/IntermissionState.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <optional>

namespace {

// The one sequence behind every way in. The map comes before the player's
// reset and the level's entry: the player is placed on it, and entering the
// level snaps the camera onto him where he stands.
void enterLevel(int level, bool freshRun) {
    GameStateHandler* handler = GameStateHandler::getInstance();
    // A game-over or score screen due in the level left behind must not open over this one.
    handler->cancelScheduled();
    levelNumber = level;
    if (currentRun.seeded()) {
        // The level is the seed's, whatever the run drew before it.
        SeparateStream stream(derivedSeed(currentRun.seed, level, SeedPurpose::level));
        Maphandler::getInstance()->newMap(level);
    } else {
        Maphandler::getInstance()->newMap(level);
    }
    Player::getInstance()->resetForLevel(freshRun);
    Ingame* ingame = Ingame::getInstance();
    if (!unwindTo(ingame))
        handler->pushState(ingame);
}

// A fresh run of the kind currentRun names, from level 1.
void startFreshRun() {
    replay::runStarts(Recording::Start::NewRun);
    Player::getInstance()->startRun();
    resetScores();
    enterLevel(1, true);
}

} // namespace

void startNewRun() {
    currentRun = RunIdentity{hardcoreMode ? RunKind::hardcore : RunKind::normal, 0, {}, false};
    startFreshRun();
}

void startSeededRun(Seed seed) {
    currentRun = RunIdentity{RunKind::seeded, seed & seedMask, {}, false};
    startFreshRun();
}

void startDailyRun(const std::string& day, bool counts) {
    currentRun = RunIdentity{RunKind::daily, dailySeed(day, replay::rulesRevision), day, counts};
    startFreshRun();
}

void restartLevel() {
    runlog::levelRestarted();
    enterLevel(levelNumber, false);
}

void enterNextLevel() {
    enterLevel(levelNumber + 1, false);
    GameStateHandler::getInstance()->pushState(IntermissionState::getInstance());
}

bool continueFromSave(const std::string& name) {
    std::optional<std::string> text = readLoadableSave(name);
    return text && continueFromSaveText(*text);
}

bool continueFromSaveText(const std::string& text) {
    // Read in full before anything is left behind: a save that cannot be
    // loaded must not cost the run being played.
    std::optional<SaveData> save = parseSaveText(text);
    if (!save)
        return false;
    if (GameStateHandler::getInstance()->holds(Ingame::getInstance()))
        leaveRun();
    // A seeded run's save keeps its levels coming from the seed.
    const bool hardcore = save->hardcore.value_or(hardcoreMode);
    currentRun = save->seed ? RunIdentity{RunKind::seeded, *save->seed, {}, false}
                            : RunIdentity{hardcore ? RunKind::hardcore : RunKind::normal, 0, {}, false};
    // The recording holds the save as it was, so that watching it needs no file.
    replay::runStarts(Recording::Start::Save, text);
    // The save lands on a fresh player: a hand the file leaves empty gets the
    // plain weapon, never the last run's item.
    Player::getInstance()->startRun();
    applySave(*save, *Player::getInstance());
    // The run's total came from the save; the level left behind keeps no carnage.
    resetKillTallies();
    enterLevel(levelNumber + 1, false);
    return true;
}

#include "app/RunLog.h"

#include "core/RunKind.h"
#include "core/Settings.h"
#include "world/LevelCensus.h"

#include <ctime>
#include <iostream>
#include <sstream>

std::string runlog::historyPath = runHistory::defaultPath;

namespace {

runlog::Tally tally;

std::string now() {
    std::time_t seconds = std::time(nullptr);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

const char* attackerName(HitSource::By by) {
    switch (by) {
    case HitSource::By::human:
        return "a brainwashed human";
    case HitSource::By::rangedAlien:
        return "a ranged alien";
    case HitSource::By::meleeAlien:
        return "a melee alien";
    default:
        return "something unseen";
    }
}

} // namespace

namespace runlog {

RunIdentity currentRunIdentity() {
    // The kind the level flow set as the run began, live or watched.
    switch (::currentRun.kind) {
    case RunKind::hardcore:
        return {"hardcore", ""};
    case RunKind::seeded:
        return {"seeded", ::currentRun.seedText()};
    case RunKind::daily:
        return {"daily", ::currentRun.seedText()};
    case RunKind::normal:
        break;
    }
    return {"normal", ""};
}

void runStarts() {
    tally = Tally{};
    tally.identity = currentRunIdentity();
}

void note(const std::vector<LevelEvent>& events, int level, float elapsed) {
    for (const LevelEvent& event : events)
        switch (event.kind) {
        case LevelEvent::Kind::playerHit:
            tally.recentHits.push_front({event.source, event.amount});
            if (tally.recentHits.size() > recentHitCount)
                tally.recentHits.pop_back();
            break;
        case LevelEvent::Kind::playerDied:
            ++tally.deaths;
            tally.killer = event.source;
            tally.deathLevel = level;
            tally.deathSeconds = elapsed;
            tally.dead = true;
            break;
        case LevelEvent::Kind::killNotice:
            if (event.actor >= 0 && event.actor < actorKind::count)
                ++tally.kills[static_cast<std::size_t>(event.actor)];
            if (event.actor != actorKind::human && event.source.by == HitSource::By::player &&
                !event.source.weapon.empty())
                ++tally.weaponKills[event.source.weapon];
            break;
        default:
            break;
        }
}

void levelCleared(int humansSaved) {
    ++tally.levelsCleared;
    tally.humansSaved += humansSaved;
}

void levelRestarted() {
    tally.dead = false;
    tally.recentHits.clear();
}

const Tally& current() {
    return tally;
}

RunRecord record(Ending ending, int levelReached, int score, float seconds, const std::string& recording) {
    RunRecord run;
    run.mode = tally.identity.mode;
    run.seed = tally.identity.seed;
    run.levelsCleared = tally.levelsCleared;
    run.levelReached = levelReached;
    run.score = score;
    run.seconds = seconds;
    run.deaths = tally.deaths;
    run.kills = tally.kills;
    run.humansSaved = tally.humansSaved;
    if (tally.dead) {
        run.ending = "died";
        run.killer = killerCode(tally.killer);
    } else {
        run.ending = ending == Ending::quit ? "quit" : ending == Ending::loaded ? "loaded" : "closed";
    }
    run.weaponKills.assign(tally.weaponKills.begin(), tally.weaponKills.end());
    run.recording = recording;
    return run;
}

void runEnds(Ending ending, int levelReached, int score, float seconds, const std::string& recording) {
    RunRecord run = record(ending, levelReached, score, seconds, recording);
    run.endedAt = now();
    if (!runHistory::append(run, historyPath))
        std::cout << "The run could not be added to " << historyPath << std::endl;
}

std::string describe(const HitSource& source) {
    using By = HitSource::By;
    using With = HitSource::With;
    if (source.by == By::player)
        switch (source.with) {
        case With::grenade:
            return "your own grenade";
        case With::explosiveRound:
            return "your own explosive round";
        case With::barrel:
            return "a barrel you set off";
        default:
            return "your own hand";
        }
    switch (source.with) {
    case With::plasmaBolt:
        return std::string(attackerName(source.by)) + "'s plasma bolt";
    case With::contact:
        return source.by == By::meleeAlien ? "a melee alien's claws"
                                           : std::string(attackerName(source.by)) + "'s blows";
    case With::barrel:
        return source.by == By::unknown ? "an exploding barrel"
                                        : "a barrel " + std::string(attackerName(source.by)) + " set off";
    case With::grenade:
    case With::explosiveRound:
        return "an explosion";
    default:
        return attackerName(source.by);
    }
}

std::string killerCode(const HitSource& source) {
    return std::string(byName(source.by)) + ' ' + withName(source.with);
}

HitSource killerFromCode(const std::string& code) {
    std::istringstream in(code);
    std::string by, with;
    in >> by >> with;
    return {byFromName(by), withFromName(with)};
}

} // namespace runlog

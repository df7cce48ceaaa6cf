#include "world/Score.h"

#include "core/Globals.h"

#include <algorithm>

int killCounts[actorKind::count] = {0, 0, 0};
int alienKillBonus = 0;
int carnageBonus = 0;
int humanScore = 0;
int timeBonus = 0;
int levelScore = 0;
int plainScore = 0;
int referenceScore = 0;
int totalScore = 0;
int upgradePoints = 0;

void updateLevelScore(const LevelCensus& census) {
    humanScore = 0;
    float saved = 0;
    int potential = 0;
    const float elapsed = census.elapsed;
    for (const LevelCensus::Actor& actor : census.actors) {
        const float w = actor.sizeFactor;
        switch (actor.kind) {
        case actorKind::human:
            humanScore = static_cast<int>(static_cast<float>(humanScore) + w * 100.0f);
            saved += w;
            break;
        case actorKind::rangedAlien:
            potential = static_cast<int>(static_cast<float>(potential) + w * 600.0f);
            break;
        case actorKind::meleeAlien:
            potential = static_cast<int>(static_cast<float>(potential) + w * 1000.0f);
            break;
        default:
            break;
        }
    }
    const int level = levelNumber;
    timeBonus = static_cast<int>(static_cast<float>(level) * 400000.0f / (elapsed * 2.0f + 300.0f));
    levelScore = carnageBonus + alienKillBonus + timeBonus + humanScore;
    const float k = std::clamp(1.0f - static_cast<float>(level) * 0.005f, 0.5f, 1.0f);
    // The level term is an integer division, done in 64 bits so that no level number can overflow it.
    const long long levelTerm = static_cast<long long>(level) * 400000 / 300;
    referenceScore =
        static_cast<int>(static_cast<float>(humanScore + potential + killCounts[actorKind::human] * 100 +
                                            levelTerm + carnageBonus + alienKillBonus) *
                         k);
    plainScore =
        static_cast<int>(saved * 100.0f + static_cast<float>(alienKillBonus + timeBonus + carnageBonus));
    referenceScore = std::max({referenceScore, levelScore, plainScore});
}

void resetScores() {
    alienKillBonus = 0;
    humanScore = 0;
    timeBonus = 0;
    levelScore = 0;
    plainScore = 0;
    referenceScore = 0;
    carnageBonus = 0;
    totalScore = 0;
    // Reroll points belong to the run that earned them.
    upgradePoints = 0;
}

void resetKillTallies() {
    killCounts[0] = killCounts[1] = killCounts[2] = 0;
    alienKillBonus = 0;
    // A cleared level's carnage is banked by the score screen; what a failed
    // attempt broke must not count towards the next one.
    carnageBonus = 0;
}

void tallyKill(int kind, float sizeFactor) {
    if (kind < actorKind::human || kind > actorKind::meleeAlien)
        return;
    ++killCounts[kind];
    if (kind == actorKind::rangedAlien)
        alienKillBonus = static_cast<int>(static_cast<float>(alienKillBonus) + sizeFactor * 600.0f);
    else if (kind == actorKind::meleeAlien)
        alienKillBonus = static_cast<int>(static_cast<float>(alienKillBonus) + sizeFactor * 1000.0f);
}

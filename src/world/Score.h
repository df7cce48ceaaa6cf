#pragma once
// The run's score counters. Kills, broken props and walls add to them while a
// level runs; the heads-up display recomputes the level score from the living
// actors every frame; the score screen banks it into the run's total.

#include "world/LevelCensus.h"

// Kills in the current level, by actorKind.
extern int killCounts[actorKind::count];
extern int alienKillBonus;
extern int carnageBonus;
extern int humanScore;
extern int timeBonus;
extern int levelScore;
extern int plainScore;
extern int referenceScore;
extern int totalScore;
extern int upgradePoints;

// Recomputes humanScore, timeBonus, levelScore and the reference scores
// from what the current level holds (an empty census without a map).
void updateLevelScore(const LevelCensus& census);
// A new run: every counter above back to zero.
void resetScores();
// A new level: the kill tallies and the carnage bonus start over. Called
// whenever the player is reset for a level.
void resetKillTallies();
// Adds a kill of the given kind with its size factor to the tallies.
void tallyKill(int kind, float sizeFactor);

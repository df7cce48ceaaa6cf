// Item costs the player can feel: rolling the loot of the upgrade screen
// (every visit and every reroll) and running both hands' weapons each frame.
// Run from the run directory.
#include "items/AffixTables.h"
#include "items/ItemDatabase.h"
#include "items/ItemGeneration.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void LootRoll(benchmark::State& state) {
    buildItemDatabase();
    buildAffixTables();
    std::srand(1);
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto first = generateWeapon(level);
        auto second = generateWeapon(level);
        auto armour = generateArmour(static_cast<float>(level));
        benchmark::DoNotOptimize(first.get());
        benchmark::DoNotOptimize(second.get());
        benchmark::DoNotOptimize(armour.get());
    }
}
BENCHMARK(LootRoll)->Arg(1)->Arg(20)->Unit(benchmark::kMicrosecond);

void HandsUpdate(benchmark::State& state) {
    buildItemDatabase();
    Weapon left = weaponTemplates[5], right = weaponTemplates[13];
    left.setHand(1);
    right.setHand(0);
    for (auto _ : state) {
        left.update(0.004f, 3);
        right.update(0.004f, 3);
        benchmark::DoNotOptimize(left.getAngle());
        benchmark::DoNotOptimize(right.getAngle());
    }
}
BENCHMARK(HandsUpdate)->Unit(benchmark::kNanosecond);

} // namespace

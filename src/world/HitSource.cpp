#include "world/HitSource.h"

#include "world/LevelCensus.h"

#include <array>
#include <cstddef>

namespace {

// Indexed by the enums' values; the names are what Runs.txt keeps, so they never change.
constexpr std::array<const char*, 5> byNames = {"unknown", "player", "human", "rangedAlien", "meleeAlien"};
constexpr std::array<const char*, 7> withNames = {"unknown",        "contact", "plasmaBolt", "weapon",
                                                  "explosiveRound", "grenade", "barrel"};

template <typename Enum, std::size_t N>
Enum fromName(const std::array<const char*, N>& names, const std::string& name) {
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i])
            return static_cast<Enum>(i);
    return Enum{};
}

} // namespace

HitSource HitSource::contactBy(int kind) {
    switch (kind) {
    case actorKind::human:
        return {By::human, With::contact};
    case actorKind::rangedAlien:
        return {By::rangedAlien, With::contact};
    case actorKind::meleeAlien:
        return {By::meleeAlien, With::contact};
    default:
        return {};
    }
}

const char* byName(HitSource::By by) {
    return byNames[static_cast<std::size_t>(by)];
}

const char* withName(HitSource::With with) {
    return withNames[static_cast<std::size_t>(with)];
}

HitSource::By byFromName(const std::string& name) {
    return fromName<HitSource::By>(byNames, name);
}

HitSource::With withFromName(const std::string& name) {
    return fromName<HitSource::With>(withNames, name);
}

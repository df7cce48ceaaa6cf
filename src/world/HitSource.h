#pragma once
// Who dealt a hit and with what: a plain value the rules pass along with
// damage, so that the world can report what killed an enemy or the player
// without anyone keeping a pointer to the attacker. A blast is owned by
// whoever set it off: a barrel the player's shot broke is his own, and so is
// every blast it sets off in turn.

#include <string>

struct HitSource {
    enum class By : unsigned char { unknown, player, human, rangedAlien, meleeAlien };
    enum class With : unsigned char { unknown, contact, plasmaBolt, weapon, explosiveRound, grenade, barrel };

    By by = By::unknown;
    With with = With::unknown;
    // The base name of the player's weapon or bomb ("Shotgun", "Grenade"), empty for anyone else's.
    std::string weapon{};

    // An actor of the given kind (see actorKind) hitting by touch.
    static HitSource contactBy(int actorKind);
    // What a blast from the same hand is: the blast's means, the same owner.
    HitSource blast(With means) const { return {by, means, weapon}; }
};

// The short names Runs.txt stores a source under ("rangedAlien", "plasmaBolt"),
// and back; an unknown name reads as unknown.
const char* byName(HitSource::By by);
const char* withName(HitSource::With with);
HitSource::By byFromName(const std::string& name);
HitSource::With withFromName(const std::string& name);

#include "core/SeedCode.h"

#include <cctype>

namespace {

// Digits and capitals without I, L, O and U: I, L and O are read as the
// digits they resemble, and U would be the only letter left alone.
constexpr char alphabet[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

int digitOf(char c) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c == 'O')
        c = '0';
    if (c == 'I' || c == 'L')
        c = '1';
    for (int i = 0; i < 32; ++i)
        if (alphabet[i] == c)
            return i;
    return -1;
}

// SplitMix64's finaliser: one changed input bit flips about half the output bits.
std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

std::string formatSeed(Seed seed) {
    std::string code;
    for (int i = seedCodeLength - 1; i >= 0; --i) {
        code += alphabet[(seed >> (5 * i)) & 31];
        if (i == seedCodeLength / 2)
            code += '-';
    }
    return code;
}

std::optional<Seed> parseSeed(const std::string& text, std::string& why) {
    Seed seed = 0;
    int digits = 0;
    for (char c : text) {
        if (c == ' ' || c == '-' || c == '\t')
            continue;
        int digit = digitOf(c);
        if (digit < 0) {
            const bool printable = std::isprint(static_cast<unsigned char>(c)) != 0;
            why = printable ? std::string("\"") + c + "\" is not allowed in a seed"
                            : "a seed holds only letters and digits";
            return std::nullopt;
        }
        seed = (seed << 5 | static_cast<Seed>(digit)) & seedMask;
        ++digits;
    }
    if (digits != seedCodeLength) {
        why = "a seed has " + std::to_string(seedCodeLength) + " characters, this one " +
              std::to_string(digits);
        return std::nullopt;
    }
    why.clear();
    return seed;
}

unsigned derivedSeed(Seed seed, int level, SeedPurpose purpose, int round) {
    std::uint64_t z = mix((seed & seedMask) + 0x9E3779B97F4A7C15ull);
    z = mix(z ^ static_cast<std::uint32_t>(level));
    z = mix(z ^ (static_cast<std::uint64_t>(purpose) << 32 | static_cast<std::uint32_t>(round)));
    return static_cast<unsigned>(z ^ (z >> 32));
}

std::string utcDay(std::time_t moment) {
    std::tm parts{};
    gmtime_r(&moment, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
    return text;
}

Seed dailySeed(const std::string& day, std::uint32_t rulesRevision) {
    std::uint64_t z = mix(rulesRevision);
    for (char c : day)
        z = mix(z ^ static_cast<unsigned char>(c));
    return z & seedMask;
}

#include "persistence/RunHistory.h"

#include "core/AtomicFile.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

namespace {

// The columns of this version, in the order it writes them.
enum Column {
    endedAt,
    mode,
    seed,
    levelsCleared,
    levelReached,
    score,
    seconds,
    deaths,
    humanKills,
    rangedKills,
    meleeKills,
    humansSaved,
    ending,
    killer,
    weaponKills,
    recording,
    columnCount
};
constexpr const char* columnNames[columnCount] = {
    "ended",   "mode",   "seed",         "levels_cleared", "level_reached", "score",
    "seconds", "deaths", "kills_human",  "kills_ranged",   "kills_melee",   "humans_saved",
    "end",     "killer", "weapon_kills", "recording"};
constexpr const char* mark = "#runs";

// Views into the text, which must outlive them: a long history is read
// without a copy of every field.
std::vector<std::string_view> split(std::string_view text, char by) {
    std::vector<std::string_view> parts;
    std::string_view::size_type from = 0;
    for (;;) {
        std::string_view::size_type at = text.find(by, from);
        parts.push_back(text.substr(from, at == std::string_view::npos ? at : at - from));
        if (at == std::string_view::npos)
            return parts;
        from = at + 1;
    }
}

// Text that may not break the columns: tabs and line ends (and in a weapon's
// name the list's own separators) become spaces.
std::string clean(std::string text, const char* breaking = "\t\r\n") {
    for (char& c : text)
        if (std::string_view(breaking).find(c) != std::string_view::npos)
            c = ' ';
    return text;
}

std::optional<int> wholeNumber(std::string_view text, bool negativeAllowed = false) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        (value < 0 && !negativeAllowed))
        return std::nullopt;
    return value;
}

std::optional<float> duration(std::string_view text) {
    float value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < 0)
        return std::nullopt;
    return value;
}

std::string formatWeaponKills(const std::vector<std::pair<std::string, int>>& kills) {
    std::string text;
    for (const auto& [weapon, count] : kills) {
        if (!text.empty())
            text += ',';
        text += clean(weapon, "\t\r\n,:") + ':' + std::to_string(count);
    }
    return text;
}

std::optional<std::vector<std::pair<std::string, int>>> parseWeaponKills(std::string_view text) {
    std::vector<std::pair<std::string, int>> kills;
    if (text.empty())
        return kills;
    for (std::string_view part : split(text, ',')) {
        std::string_view::size_type colon = part.rfind(':');
        if (colon == std::string_view::npos || colon == 0)
            return std::nullopt;
        std::optional<int> count = wholeNumber(part.substr(colon + 1));
        if (!count)
            return std::nullopt;
        kills.emplace_back(part.substr(0, colon), *count);
    }
    return kills;
}

// Where each of this version's columns is in a line, -1 for one the file lacks.
using Layout = std::array<int, columnCount>;

Layout ourLayout() {
    Layout layout{};
    for (int c = 0; c < columnCount; ++c)
        layout[static_cast<std::size_t>(c)] = c + 1;
    return layout;
}

std::optional<RunRecord> parseLine(const std::string& line, const Layout& layout, std::size_t fieldCount) {
    std::vector<std::string_view> fields = split(line, '\t');
    if (fields.size() != fieldCount)
        return std::nullopt;
    auto field = [&](Column c) -> std::optional<std::string_view> {
        int at = layout[static_cast<std::size_t>(c)];
        if (at < 0)
            return std::nullopt;
        return fields[static_cast<std::size_t>(at)];
    };
    // A run without its date, mode or level is no run we can show.
    std::optional<std::string_view> date = field(endedAt), runMode = field(mode),
                                    reached = field(levelReached);
    if (!date || date->empty() || !runMode || runMode->empty() || !reached)
        return std::nullopt;
    RunRecord run;
    run.endedAt = *date;
    run.mode = *runMode;
    run.seed = field(seed).value_or("");
    run.ending = field(ending).value_or("");
    run.killer = field(killer).value_or("");
    run.recording = field(recording).value_or("");
    const std::pair<Column, int*> numbers[] = {
        {levelsCleared, &run.levelsCleared}, {levelReached, &run.levelReached}, {deaths, &run.deaths},
        {humanKills, &run.kills[0]},         {rangedKills, &run.kills[1]},      {meleeKills, &run.kills[2]},
        {humansSaved, &run.humansSaved}};
    for (const auto& [column, value] : numbers)
        if (std::optional<std::string_view> text = field(column)) {
            std::optional<int> number = wholeNumber(*text);
            if (!number)
                return std::nullopt;
            *value = *number;
        }
    if (std::optional<std::string_view> text = field(score)) {
        std::optional<int> number = wholeNumber(*text, true);
        if (!number)
            return std::nullopt;
        run.score = *number;
    }
    if (std::optional<std::string_view> text = field(seconds)) {
        std::optional<float> number = duration(*text);
        if (!number)
            return std::nullopt;
        run.seconds = *number;
    }
    if (std::optional<std::string_view> text = field(weaponKills)) {
        auto kills = parseWeaponKills(*text);
        if (!kills)
            return std::nullopt;
        run.weaponKills = std::move(*kills);
    }
    return run;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

namespace runHistory {

std::string headerLine() {
    std::string line = std::string(mark) + ' ' + std::to_string(version);
    for (const char* name : columnNames)
        line += std::string("\t") + name;
    return line;
}

std::string formatLine(const RunRecord& run) {
    // The first column is the header's mark; a record leaves it empty.
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << '\t' << clean(run.endedAt) << '\t' << clean(run.mode) << '\t' << clean(run.seed) << '\t'
        << run.levelsCleared << '\t' << run.levelReached << '\t' << run.score << '\t' << std::fixed
        << std::setprecision(1) << (std::isfinite(run.seconds) && run.seconds >= 0 ? run.seconds : 0.0f)
        << '\t' << run.deaths << '\t' << run.kills[0] << '\t' << run.kills[1] << '\t' << run.kills[2] << '\t'
        << run.humansSaved << '\t' << clean(run.ending) << '\t' << clean(run.killer) << '\t'
        << formatWeaponKills(run.weaponKills) << '\t' << clean(run.recording);
    return out.str();
}

std::vector<RunRecord> read(std::istream& in) {
    std::vector<RunRecord> runs;
    Layout layout = ourLayout();
    std::size_t fieldCount = columnCount + 1;
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first && line.rfind(mark, 0) == 0) {
            // Columns by name: a later version may add or move some.
            std::vector<std::string_view> names = split(line, '\t');
            layout.fill(-1);
            for (std::size_t at = 1; at < names.size(); ++at)
                for (int c = 0; c < columnCount; ++c)
                    if (names[at] == columnNames[c] && layout[static_cast<std::size_t>(c)] < 0)
                        layout[static_cast<std::size_t>(c)] = static_cast<int>(at);
            fieldCount = names.size();
        } else if (std::optional<RunRecord> run = parseLine(line, layout, fieldCount)) {
            runs.push_back(std::move(*run));
        }
        first = false;
    }
    return runs;
}

std::vector<RunRecord> load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return read(in);
}

bool append(const RunRecord& run, const std::string& path) {
    std::string text = fileText(path);
    if (text.empty())
        text = headerLine() + '\n';
    else if (text.back() != '\n')
        text += '\n';
    text += formatLine(run) + '\n';
    return writeFileAtomically(
        path, [&text](std::ostream& out) { out << text; }, true);
}

bool reset(std::string& keptAs, const std::string& path) {
    keptAs.clear();
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        std::string old = path + ".old";
        for (int n = 2; std::filesystem::exists(old, error) && n < 1000; ++n)
            old = path + ".old." + std::to_string(n);
        // Copied, not moved: if the new history cannot be written, the old one still stands.
        const std::string text = fileText(path);
        if (!writeFileAtomically(
                old, [&text](std::ostream& out) { out << text; }, true))
            return false;
        keptAs = old;
    }
    return writeFileAtomically(
        path, [](std::ostream& out) { out << headerLine() << '\n'; }, true);
}

} // namespace runHistory

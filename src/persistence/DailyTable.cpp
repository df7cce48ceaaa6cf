#include "persistence/DailyTable.h"

#include "core/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>

namespace {

constexpr std::size_t fieldCount = 8;
constexpr std::size_t longestName = 15;

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == '\t')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

bool isDay(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

bool readCount(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end && value >= 0;
}

bool readSeconds(const std::string& text, float& value) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    return static_cast<bool>(in >> value) && in.peek() == EOF && std::isfinite(value) && value >= 0;
}

bool printable(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c <= 126; });
}

// A recording is named, never pointed at: a shared table cannot send the player's game elsewhere.
bool plainFileName(const std::string& name) {
    return printable(name) && name.find('/') == std::string::npos && name != "." && name != "..";
}

std::optional<DailyDay> parseLine(std::string line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    std::vector<std::string> f = fields(line);
    DailyDay d;
    if (f.size() != fieldCount || !isDay(f[0]) || !readCount(f[1], d.attempts) || !readCount(f[2], d.best) ||
        f[3].size() > longestName || !printable(f[3]) || !readCount(f[4], d.score) ||
        !readCount(f[5], d.level) || !readSeconds(f[6], d.seconds) || !plainFileName(f[7]))
        return std::nullopt;
    d.day = f[0];
    d.name = f[3];
    d.recording = f[7];
    return d;
}

} // namespace

DailyTable DailyTable::read(std::istream& in) {
    DailyTable table;
    std::string line;
    while (std::getline(in, line)) {
        // Every line is written with its end: one without was cut short.
        if (in.eof())
            break;
        std::optional<DailyDay> day = parseLine(line);
        if (day && !table.find(day->day))
            table.days.push_back(std::move(*day));
    }
    std::stable_sort(table.days.begin(), table.days.end(),
                     [](const DailyDay& a, const DailyDay& b) { return a.day > b.day; });
    return table;
}

void DailyTable::write(std::ostream& out) const {
    for (const DailyDay& d : days)
        out << d.day << '\t' << d.attempts << '\t' << d.best << '\t' << d.name << '\t' << d.score << '\t'
            << d.level << '\t' << d.seconds << '\t' << d.recording << '\n';
}

DailyTable DailyTable::load(const std::string& path) {
    std::ifstream in(path);
    return read(in);
}

bool DailyTable::save(const std::string& path) const {
    return writeFileAtomically(
        path, [this](std::ostream& out) { write(out); }, true);
}

const DailyDay* DailyTable::find(const std::string& day) const {
    auto it = std::find_if(days.begin(), days.end(), [&day](const DailyDay& d) { return d.day == day; });
    return it == days.end() ? nullptr : &*it;
}

bool DailyTable::beginAttempt(const std::string& day, const std::string& name) {
    auto it = std::find_if(days.begin(), days.end(), [&day](const DailyDay& d) { return d.day == day; });
    if (it != days.end()) {
        it->attempts = it->attempts == std::numeric_limits<int>::max() ? it->attempts : it->attempts + 1;
        return false;
    }
    DailyDay fresh;
    fresh.day = day;
    fresh.attempts = 1;
    for (char c : name)
        if (c >= 32 && c <= 126 && fresh.name.size() < longestName)
            fresh.name += c;
    it = std::find_if(days.begin(), days.end(), [&day](const DailyDay& d) { return d.day < day; });
    days.insert(it, fresh);
    return true;
}

void DailyTable::endAttempt(const std::string& day, bool counts, const DailyResult& result) {
    auto it = std::find_if(days.begin(), days.end(), [&day](const DailyDay& d) { return d.day == day; });
    if (it == days.end())
        return;
    it->best = std::max(it->best, std::max(result.score, 0));
    if (!counts)
        return;
    it->score = std::max(result.score, 0);
    it->level = std::max(result.level, 0);
    it->seconds = result.seconds;
    it->recording = plainFileName(result.recording) ? result.recording : "";
}

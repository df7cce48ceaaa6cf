#include "persistence/HighscoreTable.h"

#include "core/AtomicFile.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/TextEntry.h"
#include "world/Score.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>

HighscoreTable::HighscoreTable() {
    load();
}

std::vector<std::string> HighscoreTable::readLines(std::istream& in) {
    std::vector<std::string> result;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.push_back(line);
    }
    return result;
}

void HighscoreTable::writeLines(std::ostream& out, const std::vector<std::string>& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0)
            out << '\n';
        out << table[i];
    }
}

void HighscoreTable::load(const std::string& path) {
    std::ifstream in(path);
    lines = readLines(in);
}

bool HighscoreTable::save(const std::string& path) const {
    return writeFileAtomically(
        path, [this](std::ostream& out) { writeLines(out, lines); }, true);
}

bool HighscoreTable::qualifies(const std::vector<std::string>& table, int score) {
    if (table.size() < 3)
        return true;
    for (std::size_t i = 2; i < table.size(); i += 3)
        if (parseSettingInt(table[i]) < score)
            return true;
    return false;
}

int HighscoreTable::insertEntry(std::vector<std::string>& table, const std::string& name, int level,
                                int score) {
    std::size_t at = 0;
    bool found = table.size() < 3;
    for (std::size_t i = 2; !found && i < table.size(); i += 3)
        if (parseSettingInt(table[i]) < score) {
            at = i - 2;
            found = true;
        }
    if (!found)
        return -1;
    auto where = table.begin() + static_cast<std::ptrdiff_t>(at);
    table.insert(where, {name, std::to_string(level), std::to_string(score)});
    // Entries start every third line from the top, so this cut never splits one.
    if (table.size() > maxLines)
        table.resize(maxLines);
    // A damaged table longer than the limit can push the new entry past the cut.
    return at < table.size() ? static_cast<int>(at) : -1;
}

std::string HighscoreTable::cleanName(const std::string& name) {
    std::string clean;
    for (char c : name)
        typeCharacter(clean, static_cast<unsigned char>(c));
    return clean;
}

bool HighscoreTable::qualifies() const {
    return qualifies(lines, totalScore);
}

void HighscoreTable::insert(const std::string& name) {
    const std::string clean = cleanName(name);
    recentIndex = insertEntry(lines, clean, levelNumber, totalScore);
    if (recentIndex >= 0) {
        recentEntry = {clean, std::to_string(levelNumber), std::to_string(totalScore)};
        previousName = clean;
        saveSettings();
    }
    lastWriteFailed = !save();
}

std::size_t HighscoreTable::entryCount() const {
    return (lines.size() + 2) / 3;
}

unsigned HighscoreTable::pageCount() const {
    std::size_t pages = (entryCount() + entriesPerPage - 1) / entriesPerPage;
    return static_cast<unsigned>(pages > 0 ? pages : 1);
}

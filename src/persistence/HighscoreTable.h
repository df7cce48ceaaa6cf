#pragma once
// The table of the best hardcore runs, kept in "data/SaveData/Highscores.xd":
// three lines per entry (the name, the level the run died on, its total
// score), best first, at most 60 entries, lines joined by newlines with none
// after the last. Loaded on first use and rewritten whole after each entry.

#include "core/Singleton.h"

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

class HighscoreTable : public Singleton<HighscoreTable> {
    friend class Singleton<HighscoreTable>;

  public:
    static constexpr const char* defaultPath = "data/SaveData/Highscores.xd";
    static constexpr std::size_t maxLines = 180;
    static constexpr std::size_t entriesPerPage = 15;

    // The text form. readLines takes every line (a carriage return before the
    // newline is dropped); writeLines joins them with newlines.
    static std::vector<std::string> readLines(std::istream& in);
    static void writeLines(std::ostream& out, const std::vector<std::string>& lines);

    // The file form. load replaces the lines with the file's (none when it is
    // missing or unreadable). save writes a temporary file beside the table
    // and renames it over the old one; on failure it returns false and the
    // old file stays as it was.
    void load(const std::string& path = defaultPath);
    bool save(const std::string& path = defaultPath) const;

    // The ranking rules, on any table's lines. A table too short to hold an
    // entry admits anything; otherwise a score must beat a listed one. Score
    // lines are read with the settings' tolerant parser, so one without
    // digits counts as 0; a last entry cut short by the file's end is kept
    // but never ranked.
    static bool qualifies(const std::vector<std::string>& lines, int score);
    // Inserts (name, level, score) before the first entry scoring less, so
    // equal scores already listed stay ahead, then drops what lies past the
    // 60th entry. Returns the index of the entry's first line, or -1 when it
    // ranked below every entry and nothing was inserted.
    static int insertEntry(std::vector<std::string>& lines, const std::string& name, int level, int score);

    // A name as the table stores it: printable characters only, at most 15.
    static std::string cleanName(const std::string& name);

    // The current run (the level number and totalScore).
    bool qualifies() const;
    // Enters the run under the name, remembers the name for the next entry
    // (and writes it to the settings file) and rewrites the table.
    void insert(const std::string& name);

    // Entries, counting a last one cut short, and pages of the list (at least one).
    std::size_t entryCount() const;
    unsigned pageCount() const;

    std::vector<std::string> lines;
    unsigned page = 0; // the page the list shows
    // The entry added last, which the list highlights.
    std::array<std::string, 3> recentEntry{"Brassvek", "", ""};
    int recentIndex = -1;         // its first line, or -1
    bool lastWriteFailed = false; // the last insertion could not be written to the file

  private:
    HighscoreTable();
};

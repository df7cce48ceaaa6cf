#include "app/CommandLine.h"

#include "app/Replay.h"

std::string usageText() {
    return "usage: vantreth [--seed CODE | --daily | --replay FILE | --verify-replay FILE | --help | "
           "--version]\n";
}

std::string helpText() {
    return usageText() + R"(
Vantreth, a top-down action game: fight the aliens, save the humans and
wreck the brainwash machines of a city at night.

Options:
  --seed CODE            start a seeded run at once: the same levels and
                         upgrade offers for everyone with the same code
                         (eight letters and digits, such as K7QX-M2PA)
  --daily                start today's daily run at once (UTC day)
  --replay FILE          watch a recording
  --verify-replay FILE   play a recording unseen, as fast as possible, and
                         say whether it played as it was recorded
  --help                 print this help and exit
  --version              print the version and the rules revision of
                         recordings and exit

Files, in the folder the game runs in (the vantreth command runs it in
$XDG_DATA_HOME/vantreth, by default ~/.local/share/vantreth):
  Config.cfg                    settings
  data/SaveData/save.txt        the save
  data/SaveData/autosave.txt    the autosave
  data/SaveData/*.bak           the saves these replaced, loaded when a save is damaged
  data/SaveData/*.damaged       damaged saves, set aside
  data/SaveData/Highscores.xd   the highscore table
  data/SaveData/Runs.txt        the history of finished runs (Runs.txt.old after a reset)
  data/SaveData/Daily.xd        the daily runs: each day's counted attempt
  data/Replays/                 recordings of runs

Exit status: 0 success, 1 a verified recording diverged, 2 a wrong option, a
seed that is no code or an unusable recording, 3 no display available.
)";
}

std::string versionText() {
    return std::string("Vantreth ") + replay::gameVersion + "\nrecordings: rules revision " +
           std::to_string(replay::rulesRevision) + "\n";
}

#include "app/Replay.h"

#include "actors/Player.h"
#include "app/DailyRun.h"
#include "app/Game.h"
#include "app/GameOverState.h"
#include "app/GameState.h"
#include "app/GameStateHandler.h"
#include "app/MenuActions.h"
#include "app/OptionsState.h"
#include "app/RunLog.h"
#include "core/AtomicFile.h"
#include "core/Camera.h"
#include "core/Contenthandler.h"
#include "core/Globals.h"
#include "core/InputState.h"
#include "core/Random.h"
#include "core/RunKind.h"
#include "core/SeedCode.h"
#include "core/Settings.h"
#include "persistence/HighscoreTable.h"
#include "persistence/SaveGame.h"
#include "screens/Ingame.h"
#include "screens/LevelFlow.h"
#include "world/Map.h"
#include "world/Maphandler.h"
#include "world/Score.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

const char* const replay::gameVersion = "1.0";
std::string replay::folder = "data/Replays/";

bool replay::levelOnStack() {
    return GameStateHandler::getInstance()->holds(Ingame::getInstance());
}

namespace {

// The state at the end of the last whole frame. A run that ends in the
// middle of a frame (a save loaded from the pause menu) is written up to the
// frame before, so that playback ends where the recording does.
struct RunMark {
    std::int32_t level = 0, score = 0;
    void update() {
        if (replay::levelOnStack()) {
            level = levelNumber;
            score = totalScore;
        }
    }
};

struct FrameEnd {
    std::uint32_t frames = 0;
    std::int32_t level = 0, score = 0;
    std::uint32_t checksum = 0;
    float seconds = 0;
};

struct Recorder {
    bool active = false;
    Recording rec;
    ReplayEncoder encoder;
    std::optional<ReplayFrame> pending;
    FrameEnd end;
    // The run's level and score as last seen in it: quitting resets both
    // before the recording ends.
    RunMark mark;
    std::string lastPath;
};

Recorder recorder;
float lastStep = 0; // the step of the frame being played, recorded or not
const ReplayPlayer* playing = nullptr;

// A frame nobody will see needs no light map.
void stepWithoutLightMap(float dt) {
    Maphandler* maps = Maphandler::getInstance();
    const bool lend = replay::levelOnStack() && maps->lendLightSystem();
    stepFrame(dt, false);
    if (lend)
        maps->returnLightSystem();
}

FrameEnd frameEnd(std::uint32_t frames, float seconds) {
    return {frames, levelNumber, totalScore, replay::stateChecksum(), seconds};
}

std::string settingsText() {
    std::ostringstream out;
    writeSettings(out);
    return out.str();
}

std::string localTime(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

// A name of its own for each recording, in age order, marked when it is kept for good.
std::string recordingPath(const std::string& startedAt, const char* mark) {
    std::string stem = startedAt;
    std::replace(stem.begin(), stem.end(), ':', '-');
    stem += mark;
    std::string path = replay::folder + stem + ".vrp";
    std::error_code error;
    for (int n = 2; std::filesystem::exists(path, error); ++n)
        path = replay::folder + stem + " (" + std::to_string(n) + ").vrp";
    return path;
}

// The run ends with its recording: the recording is written first, so that
// the run's record can name it.
void finish(const FrameEnd& end, bool highscore, runlog::Ending ending) {
    if (!recorder.active)
        return;
    recorder.active = false;
    recorder.pending.reset();
    Recording& rec = recorder.rec;
    rec.levelReached = recorder.mark.level;
    rec.score = recorder.mark.score;
    rec.frames = end.frames;
    rec.seconds = end.seconds;
    rec.finalChecksum = end.checksum;
    rec.frameBytes = recorder.encoder.bytes();
    const bool countedDaily = rec.run.kind == RunKind::daily && rec.run.counts;
    std::string path;
    if (rec.frames > 0) {
        path = recordingPath(rec.startedAt, highscore      ? replay::highscoreMark
                                            : countedDaily ? replay::dailyMark
                                                           : "");
        // A full disk costs the recording, never the run or its saves.
        if (writeRecording(path, rec)) {
            recorder.lastPath = path;
            pruneRecordings(replay::folder, replay::keptRecordings,
                            {replay::highscoreMark, replay::dailyMark});
        } else {
            std::cout << "The recording could not be written to " << path << std::endl;
            path.clear();
        }
    }
    if (rec.run.kind == RunKind::daily)
        dailyAttemptEnded(rec, path);
    if (rec.frames == 0)
        return;
    runlog::runEnds(ending, rec.levelReached, rec.score, rec.seconds,
                    path.empty() ? std::string() : std::filesystem::path(path).filename().string());
}

} // namespace

namespace replay {

std::uint32_t contentDigest() {
    static const std::uint32_t digest = [] {
        std::uint32_t hash = 2166136261u;
        auto mix = [&hash](std::uint64_t word) {
            for (int i = 0; i < 8; ++i) {
                hash ^= (word >> (8 * i)) & 0xFF;
                hash *= 16777619u;
            }
        };
        const sf::SoundBuffer& count = Contenthandler::getInstance()->pointCountBuffer;
        mix(count.getSampleCount());
        mix(count.getSampleRate());
        mix(count.getChannelCount());
        std::ifstream shape(assetPath("data/testShape.txt"), std::ios::binary);
        for (char c; shape.get(c);)
            mix(static_cast<unsigned char>(c));
        return hash;
    }();
    return digest;
}

std::string unplayableReason(const Recording& rec, bool checkContent) {
    if (rec.rules != rulesRevision)
        return "recorded with rules " + std::to_string(rec.rules) + ", this game plays rules " +
               std::to_string(rulesRevision);
    if (checkContent && rec.contentDigest != contentDigest())
        return "recorded with other game data than this game's";
    return {};
}

bool watching() {
    return playing != nullptr;
}

std::string runLabel() {
    const std::string label = currentRun.label();
    return label.empty() ? label : label + "  (rules " + std::to_string(rulesRevision) + ")";
}

bool recording() {
    return recorder.active;
}

const std::string& lastRecordingPath() {
    return recorder.lastPath;
}

void runStarts(Recording::Start start, const std::string& saveText) {
    if (playing) {
        std::srand(playing->recording().seed);
        runlog::runStarts();
        return;
    }
    // A run still going is left for a loaded one.
    finish(recorder.end, false, runlog::Ending::loaded);
    runlog::runStarts();
    // The seed comes from the generator itself (seeded from the clock at
    // start-up), so a test that seeds it replays the whole run from there.
    // A seeded run's stream is the seed's own.
    unsigned seed = currentRun.seeded() ? derivedSeed(currentRun.seed, 0, SeedPurpose::run)
                                        : static_cast<unsigned>(std::rand());
    std::srand(seed);

    recorder = Recorder{true, {}, {}, {}, {}, {}, recorder.lastPath};
    Recording& rec = recorder.rec;
    rec.rules = rulesRevision;
    rec.contentDigest = contentDigest();
    rec.gameVersion = gameVersion;
    rec.startedAt = localTime("%Y-%m-%d %H:%M:%S");
    rec.seed = seed;
    rec.hardcore = hardcoreMode;
    rec.start = start;
    rec.settings = settingsText();
    rec.showGameInfo = showGameInfoOnce;
    rec.showUpgradeHelp = showUpgradeHelpOnce;
    rec.save = saveText;
    rec.highscores = HighscoreTable::getInstance()->lines;
    rec.menuCopies = OptionsState::getInstance()->copies();
    rec.run = currentRun;
    rec.shake = Camera::getInstance()->shake;
    rec.startStep = lastStep;
    rec.input = capture(*InputState::getInstance());
}

void recordFrame(float dt) {
    lastStep = dt;
    if (recorder.active)
        recorder.pending = ReplayFrame{dt, capture(*InputState::getInstance()), std::nullopt};
}

void afterFrame() {
    if (!recorder.active || !recorder.pending)
        return;
    ReplayFrame& frame = *recorder.pending;
    std::uint32_t frames = recorder.encoder.frames() + 1;
    FrameEnd end = frameEnd(frames, recorder.end.seconds + frame.dt);
    if (frames % checksumEvery == 0)
        frame.checksum = end.checksum;
    recorder.encoder.add(frame);
    recorder.pending.reset();
    recorder.end = end;
    recorder.mark.update();

    GameOverState* gameOver = GameOverState::getInstance();
    bool finalDeath = currentRun.oneLife(hardcoreMode) && GameStateHandler::getInstance()->top() == gameOver;
    if (finalDeath || !levelOnStack())
        finish(end, finalDeath && gameOver->highscoreOffered, runlog::Ending::quit);
}

void finishRecording() {
    finish(recorder.end, false, runlog::Ending::closed);
}

std::uint32_t stateChecksum() {
    Player* player = Player::getInstance();
    Map* map = Maphandler::getInstance()->currentMap();

    // FNV-1a over the words of the state.
    std::uint32_t hash = 2166136261u;
    auto mix = [&hash](std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (word >> (8 * i)) & 0xFF;
            hash *= 16777619u;
        }
    };
    mix(std::bit_cast<std::uint32_t>(player->position.x));
    mix(std::bit_cast<std::uint32_t>(player->position.y));
    mix(std::bit_cast<std::uint32_t>(player->HP));
    mix(static_cast<std::uint32_t>(totalScore));
    mix(static_cast<std::uint32_t>(levelNumber));
    mix(static_cast<std::uint32_t>(map ? map->enemies.size() : 0));
    mix(map ? map->fingerprint : 0);
    mix(static_cast<std::uint32_t>(peekRand()));
    return hash;
}

InputSnapshot capture(const InputState& input) {
    InputSnapshot s;
    for (int k = 0; k < InputSnapshot::keyCount && k < InputState::keyCount; ++k)
        s.keys[static_cast<std::size_t>(k)] = input.keys[k];
    for (int b = 0; b < InputState::buttonCount; ++b)
        if (input.buttons[b])
            s.buttons = static_cast<std::uint8_t>(s.buttons | (1 << b));
    s.windowMouseX = input.windowMouse.x;
    s.windowMouseY = input.windowMouse.y;
    s.mouseX = input.mouse.x;
    s.mouseY = input.mouse.y;
    s.padConnected = input.pad.connected;
    for (std::size_t b = 0; b < input.pad.buttons.size() && b < InputSnapshot::maxPadButtons; ++b)
        if (input.pad.buttons[b])
            s.padButtons |= 1u << b;
    s.leftX = input.pad.leftStick.x;
    s.leftY = input.pad.leftStick.y;
    s.rightX = input.pad.rightStick.x;
    s.rightY = input.pad.rightStick.y;
    s.padActive = input.padActive;
    s.hasFocus = input.hasFocus;
    s.focusLost = input.focusLost;
    s.saveOnDisk = input.saveOnDisk;
    s.autosaveOnDisk = input.autosaveOnDisk;
    s.aimX = input.padAim.x;
    s.aimY = input.padAim.y;
    return s;
}

void restore(InputState& input, const InputSnapshot& s) {
    input.carryOver();
    input.previousWindowMouse = input.windowMouse;
    for (int k = 0; k < InputSnapshot::keyCount && k < InputState::keyCount; ++k)
        input.keys[k] = s.keys[static_cast<std::size_t>(k)];
    for (int b = 0; b < InputState::buttonCount; ++b)
        input.buttons[b] = (s.buttons >> b) & 1;
    input.windowMouse = {s.windowMouseX, s.windowMouseY};
    input.mouse = {s.mouseX, s.mouseY};
    input.pad.connected = s.padConnected;
    for (std::size_t b = 0; b < input.pad.buttons.size() && b < InputSnapshot::maxPadButtons; ++b)
        input.pad.buttons[b] = (s.padButtons >> b) & 1;
    input.pad.leftStick = {s.leftX, s.leftY};
    input.pad.rightStick = {s.rightX, s.rightY};
    input.padActive = s.padActive;
    input.hasFocus = s.hasFocus;
    // Sampling out of focus forgets the frame before too.
    input.applyFocusRule();
    input.focusLost = s.focusLost;
    input.saveOnDisk = s.saveOnDisk;
    input.autosaveOnDisk = s.autosaveOnDisk;
    input.padAim = {s.aimX, s.aimY};
}

} // namespace replay

bool ReplayPlayer::load(const std::string& path, std::string& error) {
    std::optional<Recording> read = readRecording(path, error);
    if (!read)
        return false;
    error = replay::unplayableReason(*read);
    if (!error.empty())
        return false;
    if (read->start == Recording::Start::Save && !parseSaveText(read->save)) {
        error = "the save the recording starts from is damaged";
        return false;
    }
    rec = std::move(*read);
    return true;
}

void ReplayPlayer::begin() {
    replay::finishRecording();
    viewerSettings = settingsText();
    viewerInfoOnce = showGameInfoOnce;
    viewerUpgradeHelpOnce = showUpgradeHelpOnce;
    OptionsState* options = OptionsState::getInstance();
    viewerCopies = options->copies();
    HighscoreTable* table = HighscoreTable::getInstance();
    viewerTable = {table->lines, table->recentEntry, table->recentIndex, table->page};
    holdWrites(true);
    playing = this;

    // Every setting is the recording's, and one it lacks is what a first
    // start has, never the watcher's. The watcher keeps the window (it is
    // never rebuilt while watching), the speakers' volumes, the frame counter
    // and the accessibility choices that only change the picture.
    Contenthandler* content = Contenthandler::getInstance();
    content->pinnedSoundVolume = soundVolume;
    content->pinnedMusicVolume = musicVolume;
    // What only changes the picture stays the watcher's too.
    const bool viewerFps = showFrameCounter, viewerMarks = tierMarks, viewerLetterbox = letterbox;
    const int viewerPalette = tierPalette, viewerTextSize = textSizePercent;
    resetSettings();
    std::istringstream settings(rec.settings);
    readSettings(settings);
    showFrameCounter = viewerFps;
    tierMarks = viewerMarks;
    tierPalette = viewerPalette;
    textSizePercent = viewerTextSize;
    letterbox = viewerLetterbox;
    hardcoreMode = rec.hardcore;
    showGameInfoOnce = rec.showGameInfo;
    showUpgradeHelpOnce = rec.showUpgradeHelp;
    options->setCopies(rec.menuCopies);
    table->lines = rec.highscores;

    // The run began over the main menu.
    returnToMainMenu();
    Camera::getInstance()->shake = rec.shake;
    // Twice: the starting frame's input is also the frame before it, so nothing counts as newly pressed.
    InputState* input = InputState::getInstance();
    replay::restore(*input, rec.input);
    replay::restore(*input, rec.input);

    decoder = std::make_unique<ReplayDecoder>(rec.frameBytes);
    hasUpcoming = decoder->next(upcoming);
    played = 0;
    elapsed = 0;
    runLevel = levelNumber;
    runScore = totalScore;
    state = Status::Playing;
    if (rec.start == Recording::Start::Save)
        continueFromSaveText(rec.save);
    else if (rec.run.kind == RunKind::seeded)
        startSeededRun(rec.run.seed);
    else if (rec.run.kind == RunKind::daily)
        startDailyRun(rec.run.day, rec.run.counts);
    else
        startNewRun();
    // A run starts from a button, inside a frame's update: the rest of that
    // frame still runs the schedule and the new top's input.
    GameStateHandler* handler = GameStateHandler::getInstance();
    handler->advanceSchedule(rec.startStep);
    if (GameState* top = handler->top())
        top->handleInput();
}

float ReplayPlayer::nextStep() const {
    return hasUpcoming && state == Status::Playing ? upcoming.dt : 0;
}

ReplayPlayer::Status ReplayPlayer::advance() {
    if (state != Status::Playing)
        return state;
    if (!hasUpcoming) {
        state = replay::stateChecksum() == rec.finalChecksum && runScore == rec.score &&
                        runLevel == rec.levelReached
                    ? Status::Finished
                    : Status::Diverged;
        return state;
    }
    ReplayFrame frame = upcoming;
    replay::restore(*InputState::getInstance(), frame.input);
    if (unseen)
        stepWithoutLightMap(frame.dt);
    else
        stepFrame(frame.dt, false);
    if (replay::levelOnStack()) {
        runLevel = levelNumber;
        runScore = totalScore;
    }
    ++played;
    elapsed += frame.dt;

    if (frame.checksum && *frame.checksum != replay::stateChecksum()) {
        state = Status::Diverged;
        return state;
    }
    hasUpcoming = decoder->next(upcoming);
    if (!hasUpcoming)
        return advance();
    return state;
}

void ReplayPlayer::end() {
    if (playing != this)
        return;
    playing = nullptr;
    resetSettings();
    std::istringstream settings(viewerSettings);
    readSettings(settings);
    showGameInfoOnce = viewerInfoOnce;
    showUpgradeHelpOnce = viewerUpgradeHelpOnce;
    OptionsState::getInstance()->setCopies(viewerCopies);
    HighscoreTable* table = HighscoreTable::getInstance();
    table->lines = viewerTable.lines;
    table->recentEntry = viewerTable.recentEntry;
    table->recentIndex = viewerTable.recentIndex;
    table->page = viewerTable.page;
    Contenthandler* content = Contenthandler::getInstance();
    content->pinnedSoundVolume = content->pinnedMusicVolume = -1;
    content->applyVolumes();
    returnToMainMenu();
    holdWrites(false);
    InputState::getInstance()->padActive = false;
}

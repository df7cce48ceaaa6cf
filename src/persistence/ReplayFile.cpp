#include "persistence/ReplayFile.h"

#include "core/AtomicFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <system_error>

namespace {

constexpr char magic[8] = {'V', 'T', 'R', 'E', 'P', 'L', 'A', 'Y'};

// What follows a frame's first byte.
enum FrameBits : std::uint8_t {
    stepChanged = 1,
    keysChanged = 2,
    buttonsChanged = 4,
    windowMouseMoved = 8,
    mouseMoved = 16,
    padChanged = 32,
    flagsChanged = 64,
    checksumFollows = 128,
};
// A step stored as whole microseconds, the game clock's own unit; anything
// else (a scripted step) is stored as the float itself after this marker.
constexpr std::uint16_t exactStepMarker = 0xFFFF;

void putU8(std::string& out, std::uint8_t v) {
    out.push_back(static_cast<char>(v));
}
void putU16(std::string& out, std::uint16_t v) {
    putU8(out, static_cast<std::uint8_t>(v & 0xFF));
    putU8(out, static_cast<std::uint8_t>(v >> 8));
}
void putU32(std::string& out, std::uint32_t v) {
    putU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    putU16(out, static_cast<std::uint16_t>(v >> 16));
}
void putI16(std::string& out, int v) {
    putU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767))));
}
void putF32(std::string& out, float v) {
    putU32(out, std::bit_cast<std::uint32_t>(v));
}
void putText(std::string& out, const std::string& text) {
    putU32(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

// Reads little-endian values; once a read runs past the end every later one
// fails too, so a caller may check once after a group of reads.
class Reader {
  public:
    Reader(const std::string& bytes, std::size_t& position) : in(bytes), at(position) {}
    bool ok() const { return good; }
    std::uint8_t u8() {
        if (!take(1))
            return 0;
        return static_cast<std::uint8_t>(in[at - 1]);
    }
    std::uint16_t u16() {
        std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32() {
        std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    int i16() { return static_cast<std::int16_t>(u16()); }
    float f32() { return std::bit_cast<float>(u32()); }
    std::string text() {
        std::uint32_t size = u32();
        if (!good || size > in.size() - at) {
            good = false;
            return {};
        }
        std::string result = in.substr(at, size);
        at += size;
        return result;
    }

  private:
    bool take(std::size_t n) {
        if (!good || in.size() - at < n)
            good = false;
        else
            at += n;
        return good;
    }
    const std::string& in;
    std::size_t& at;
    bool good = true;
};

void putStep(std::string& out, float dt) {
    float micros = std::round(dt * 1e6f);
    if (micros >= 0 && micros < exactStepMarker &&
        static_cast<float>(static_cast<std::int64_t>(micros)) / 1000000.f == dt)
        putU16(out, static_cast<std::uint16_t>(micros));
    else {
        putU16(out, exactStepMarker);
        putF32(out, dt);
    }
}

float readStep(Reader& r) {
    std::uint16_t micros = r.u16();
    if (micros == exactStepMarker)
        return r.f32();
    return static_cast<float>(static_cast<std::int64_t>(micros)) / 1000000.f;
}

std::uint8_t flagBits(const InputSnapshot& s) {
    return static_cast<std::uint8_t>((s.padActive ? 1 : 0) | (s.hasFocus ? 2 : 0) | (s.focusLost ? 4 : 0) |
                                     (s.saveOnDisk ? 8 : 0) | (s.autosaveOnDisk ? 16 : 0));
}

// A shared recording is untrusted: a stick or an aim that is no finite
// number, or lies beyond the unit the devices give, is taken as the nearest
// value a device could give.
float deviceAxis(float v) {
    return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
}

// The frame's input against the one before; `bits` gathers what changed.
void putInput(std::string& out, std::uint8_t& bits, const InputSnapshot& now, const InputSnapshot& before) {
    std::string body;
    std::bitset<InputSnapshot::keyCount> toggled = now.keys ^ before.keys;
    if (toggled.any()) {
        bits |= keysChanged;
        putU8(body, static_cast<std::uint8_t>(std::min<std::size_t>(toggled.count(), 255)));
        for (int k = 0; k < InputSnapshot::keyCount; ++k)
            if (toggled[static_cast<std::size_t>(k)])
                putU8(body, static_cast<std::uint8_t>(k));
    }
    if (now.buttons != before.buttons) {
        bits |= buttonsChanged;
        putU8(body, now.buttons);
    }
    if (now.windowMouseX != before.windowMouseX || now.windowMouseY != before.windowMouseY) {
        bits |= windowMouseMoved;
        putI16(body, now.windowMouseX);
        putI16(body, now.windowMouseY);
    }
    if (now.mouseX != before.mouseX || now.mouseY != before.mouseY) {
        bits |= mouseMoved;
        putI16(body, now.mouseX);
        putI16(body, now.mouseY);
    }
    if (now.padConnected != before.padConnected || now.padButtons != before.padButtons ||
        now.leftX != before.leftX || now.leftY != before.leftY || now.rightX != before.rightX ||
        now.rightY != before.rightY) {
        bits |= padChanged;
        putU8(body, now.padConnected ? 1 : 0);
        putU32(body, now.padButtons);
        for (float v : {now.leftX, now.leftY, now.rightX, now.rightY})
            putF32(body, v);
    }
    if (flagBits(now) != flagBits(before) || now.aimX != before.aimX || now.aimY != before.aimY) {
        bits |= flagsChanged;
        putU8(body, flagBits(now));
        putF32(body, now.aimX);
        putF32(body, now.aimY);
    }
    out += body;
}

bool readInput(Reader& r, std::uint8_t bits, InputSnapshot& s) {
    if (bits & keysChanged) {
        int count = r.u8();
        for (int i = 0; i < count; ++i) {
            int k = r.u8();
            if (k >= InputSnapshot::keyCount)
                return false;
            s.keys.flip(static_cast<std::size_t>(k));
        }
    }
    if (bits & buttonsChanged)
        s.buttons = r.u8();
    if (bits & windowMouseMoved) {
        s.windowMouseX = r.i16();
        s.windowMouseY = r.i16();
    }
    if (bits & mouseMoved) {
        s.mouseX = r.i16();
        s.mouseY = r.i16();
    }
    if (bits & padChanged) {
        s.padConnected = r.u8() != 0;
        s.padButtons = r.u32();
        for (float* v : {&s.leftX, &s.leftY, &s.rightX, &s.rightY})
            *v = r.f32();
    }
    if (bits & flagsChanged) {
        std::uint8_t flags = r.u8();
        s.padActive = (flags & 1) != 0;
        s.hasFocus = (flags & 2) != 0;
        s.focusLost = (flags & 4) != 0;
        s.saveOnDisk = (flags & 8) != 0;
        s.autosaveOnDisk = (flags & 16) != 0;
        s.aimX = r.f32();
        s.aimY = r.f32();
    }
    for (float* v : {&s.leftX, &s.leftY, &s.rightX, &s.rightY, &s.aimX, &s.aimY})
        *v = deviceAxis(*v);
    return r.ok();
}

// The start input goes through the same encoder, against an empty frame.
std::string inputBytes(const InputSnapshot& input) {
    std::string body;
    std::uint8_t bits = 0;
    putInput(body, bits, input, InputSnapshot{});
    return static_cast<char>(bits) + body;
}

bool finite(float v) {
    return std::isfinite(v);
}

} // namespace

void ReplayEncoder::add(const ReplayFrame& frame) {
    std::uint8_t bits = 0;
    std::string body;
    if (frame.dt != lastDt || count == 0) {
        bits |= stepChanged;
        putStep(body, frame.dt);
    }
    putInput(body, bits, frame.input, last);
    if (frame.checksum) {
        bits |= checksumFollows;
        putU32(body, *frame.checksum);
    }
    putU8(out, bits);
    out += body;
    last = frame.input;
    lastDt = frame.dt;
    ++count;
}

bool ReplayDecoder::next(ReplayFrame& frame) {
    if (broken || at >= in.size())
        return false;
    Reader r(in, at);
    std::uint8_t bits = r.u8();
    if (bits & stepChanged)
        lastDt = readStep(r);
    if (!readInput(r, bits, last) || !finite(lastDt) || lastDt < 0 || lastDt > 1) {
        broken = true;
        return false;
    }
    frame.dt = lastDt;
    frame.input = last;
    frame.checksum.reset();
    if (bits & checksumFollows)
        frame.checksum = r.u32();
    if (!r.ok()) {
        broken = true;
        return false;
    }
    return true;
}

std::string encodeRecording(const Recording& rec) {
    std::string out(magic, sizeof magic);
    putU16(out, Recording::formatVersion);
    putU32(out, rec.rules);
    putU32(out, rec.contentDigest);
    putText(out, rec.gameVersion);
    putText(out, rec.startedAt);
    putU32(out, rec.seed);
    putU8(out, rec.hardcore ? 1 : 0);
    putU8(out, static_cast<std::uint8_t>(rec.start));
    putText(out, rec.settings);
    putU8(out, static_cast<std::uint8_t>((rec.showGameInfo ? 1 : 0) | (rec.showUpgradeHelp ? 2 : 0)));
    putText(out, rec.save);
    putU32(out, static_cast<std::uint32_t>(rec.highscores.size()));
    for (const std::string& line : rec.highscores)
        putText(out, line);
    const MenuCopies& copies = rec.menuCopies;
    putU8(out, static_cast<std::uint8_t>((copies.known ? 1 : 0) | (copies.vsync ? 2 : 0) |
                                         (copies.fullscreen ? 4 : 0) | (copies.hardcore ? 8 : 0)));
    for (std::int32_t v : {copies.resolution, copies.antialiasing, copies.musicVolume, copies.soundVolume})
        putU32(out, static_cast<std::uint32_t>(v));
    putU8(out, static_cast<std::uint8_t>(rec.run.kind));
    putU32(out, static_cast<std::uint32_t>(rec.run.seed & 0xFFFFFFFF));
    putU8(out, static_cast<std::uint8_t>(rec.run.seed >> 32));
    putText(out, rec.run.day);
    putU8(out, rec.run.counts ? 1 : 0);
    putF32(out, rec.shake);
    putF32(out, rec.startStep);
    putText(out, inputBytes(rec.input));
    putU32(out, static_cast<std::uint32_t>(rec.levelReached));
    putU32(out, static_cast<std::uint32_t>(rec.score));
    putU32(out, rec.frames);
    putF32(out, rec.seconds);
    putU32(out, rec.finalChecksum);
    putText(out, rec.frameBytes);
    return out;
}

namespace {

std::optional<Recording> decodeHeader(const std::string& bytes, std::string& error) {
    if (bytes.size() < sizeof magic || std::memcmp(bytes.data(), magic, sizeof magic) != 0) {
        error = bytes.empty() ? "the file is empty" : "the file is not a recording";
        return std::nullopt;
    }
    std::size_t at = sizeof magic;
    Reader r(bytes, at);
    Recording rec;
    std::uint16_t version = r.u16();
    if (r.ok() && (version < 1 || version > Recording::formatVersion)) {
        error = "the recording's format (" + std::to_string(version) + ") is not one this game reads";
        return std::nullopt;
    }
    rec.format = version;
    if (version >= 2) {
        rec.rules = r.u32();
        rec.contentDigest = r.u32();
    }
    rec.gameVersion = r.text();
    rec.startedAt = r.text();
    rec.seed = r.u32();
    rec.hardcore = r.u8() != 0;
    std::uint8_t start = r.u8();
    rec.settings = r.text();
    std::uint8_t flags = r.u8();
    rec.showGameInfo = (flags & 1) != 0;
    rec.showUpgradeHelp = (flags & 2) != 0;
    rec.save = r.text();
    bool linesFit = true;
    if (version >= 2) {
        std::uint32_t lines = r.u32();
        // Each line takes at least its length's four bytes: a count beyond that is damage.
        linesFit = lines <= (bytes.size() - at) / 4;
        for (std::uint32_t i = 0; i < lines && linesFit && r.ok(); ++i)
            rec.highscores.push_back(r.text());
        std::uint8_t copyFlags = r.u8();
        MenuCopies& copies = rec.menuCopies;
        copies.known = (copyFlags & 1) != 0;
        copies.vsync = (copyFlags & 2) != 0;
        copies.fullscreen = (copyFlags & 4) != 0;
        copies.hardcore = (copyFlags & 8) != 0;
        for (std::int32_t* v :
             {&copies.resolution, &copies.antialiasing, &copies.musicVolume, &copies.soundVolume})
            *v = static_cast<std::int32_t>(r.u32());
    }
    std::uint8_t kind = 0;
    if (version >= 3) {
        kind = r.u8();
        rec.run.seed = r.u32();
        rec.run.seed |= static_cast<Seed>(r.u8()) << 32;
        rec.run.day = r.text();
        rec.run.counts = r.u8() != 0;
    }
    rec.shake = r.f32();
    rec.startStep = r.f32();
    std::string input = r.text();
    rec.levelReached = static_cast<std::int32_t>(r.u32());
    rec.score = static_cast<std::int32_t>(r.u32());
    rec.frames = r.u32();
    rec.seconds = r.f32();
    rec.finalChecksum = r.u32();
    rec.frameBytes = r.text();
    if (!r.ok()) {
        error = "the recording is cut short";
        return std::nullopt;
    }
    std::size_t inputAt = 0;
    Reader inputReader(input, inputAt);
    if (!linesFit || start > 1 || kind > static_cast<std::uint8_t>(RunKind::daily) || !finite(rec.shake) ||
        !finite(rec.startStep) || !finite(rec.seconds) ||
        !readInput(inputReader, inputReader.u8(), rec.input) || inputAt != input.size()) {
        error = "the recording's header is damaged";
        return std::nullopt;
    }
    rec.start = static_cast<Recording::Start>(start);
    rec.run.kind = static_cast<RunKind>(kind);
    return rec;
}

} // namespace

std::optional<Recording> decodeRecording(const std::string& bytes, std::string& error) {
    std::optional<Recording> rec = decodeHeader(bytes, error);
    if (!rec)
        return std::nullopt;
    ReplayDecoder frames(rec->frameBytes);
    ReplayFrame frame;
    std::uint32_t count = 0;
    while (frames.next(frame))
        ++count;
    if (frames.failed() || count != rec->frames) {
        error = "the recording's frames are damaged";
        return std::nullopt;
    }
    return rec;
}

bool writeRecording(const std::string& path, const Recording& recording) {
    return writeFileAtomically(
        path, [&recording](std::ostream& out) { out << encodeRecording(recording); }, true);
}

namespace {
std::optional<std::string> fileBytes(const std::string& path) {
    // A folder under the name opens, then fails (throws) on reading.
    std::error_code error;
    std::ifstream in(path, std::ios::binary);
    if (!in || !std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> recordingFiles(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".vrp" && it->is_regular_file(error))
            files.push_back(it->path());
    // Names begin with the date and time, so the name order is the age order.
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return a.filename().string() > b.filename().string(); });
    return files;
}
} // namespace

std::optional<Recording> readRecording(const std::string& path, std::string& error) {
    std::optional<std::string> bytes = fileBytes(path);
    if (!bytes) {
        error = "the file cannot be read";
        return std::nullopt;
    }
    return decodeRecording(*bytes, error);
}

std::vector<RecordingEntry> listRecordings(const std::string& folder) {
    std::vector<RecordingEntry> entries;
    for (const auto& file : recordingFiles(folder)) {
        std::optional<std::string> bytes = fileBytes(file.string());
        std::string error;
        std::optional<Recording> rec = bytes ? decodeHeader(*bytes, error) : std::nullopt;
        if (!rec)
            continue;
        entries.push_back({file.string(), rec->startedAt, rec->levelReached, rec->score, rec->seconds,
                           rec->hardcore, rec->rules, rec->contentDigest, rec->run});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const RecordingEntry& a, const RecordingEntry& b) {
        return a.startedAt > b.startedAt;
    });
    return entries;
}

void pruneRecordings(const std::string& folder, std::size_t keep, const std::vector<std::string>& keptMarks) {
    std::size_t seen = 0;
    for (const auto& file : recordingFiles(folder)) {
        const std::string name = file.filename().string();
        if (std::any_of(keptMarks.begin(), keptMarks.end(),
                        [&name](const std::string& mark) { return name.find(mark) != std::string::npos; }))
            continue;
        if (++seen > keep) {
            std::error_code ignored;
            std::filesystem::remove(file, ignored);
        }
    }
}

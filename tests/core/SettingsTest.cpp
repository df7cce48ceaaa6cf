#include "core/Settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetSettings();
        dir = fs::temp_directory_path() / ("vantreth-settings-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void read(const std::string& text) {
        std::istringstream in(text);
        readSettings(in);
    }
    std::string written() {
        std::ostringstream out;
        writeSettings(out);
        return out.str();
    }
    static std::string slurp(const fs::path& p) {
        std::ifstream in(p);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir;
    const sf::VideoMode desktop{1920, 1080, 24};
    const std::vector<sf::VideoMode> modes{
        {1920, 1080, 32}, {1920, 1080, 16}, {1280, 720, 32}, {800, 600, 32}};
};

TEST_F(SettingsTest, WritesTheFixedLayoutAndReadsItBack) {
    resolutions = {{800, 600}, {1920, 1080}};
    currentResolution = 1;
    soundVolume = 70;
    musicVolume = 20;
    antialiasing = 2;
    fullscreen = true;
    hardcoreMode = true;
    previousName = "Zed";
    const std::string golden =
        "RESOL:\n800\n600\nRESOL:\n1920\n1080\nCURRES:1\nVOLUM:\n70\n20\nANTIA: 2\nFULLS: 1\n"
        "VSYNC:0\nHARDC:1\nPREVN:\nZed\n";
    // The bindings follow, in a layout of their own.
    EXPECT_EQ(written().substr(0, golden.size()), golden);

    SetUp();
    read(golden);
    EXPECT_EQ(written().substr(0, golden.size()), golden);
}

TEST_F(SettingsTest, ComfortAndAccessibilityOptionsRoundTripAndSnapToTheNearestAllowedValue) {
    // Each line: what the file says, and the line written back after reading it.
    const std::pair<const char*, const char*> cases[] = {
        {"SHAKE:0", "SHAKE:0"},
        {"SHAKE:55", "SHAKE:60"},
        {"SHAKE:-40", "SHAKE:0"},
        {"FLASH:999", "FLASH:100"},
        {"FLASH:34", "FLASH:30"},
        {"BLOOD:0", "BLOOD:0"},
        {"BLOOD:7", "BLOOD:1"},
        {"FOCUSPAUSE:1", "FOCUSPAUSE:1"},
        {"FPSCAP:144", "FPSCAP:144"},
        {"FPSCAP:45", "FPSCAP:30"},
        {"FPSCAP:131", "FPSCAP:120"},
        {"FPSCAP:99999", "FPSCAP:240"},
        {"FPSCAP:-60", "FPSCAP:0"},
        {"SHOWFPS:1", "SHOWFPS:1"},
        {"SPRINTTOGGLE:1", "SPRINTTOGGLE:1"},
        {"FIRETOGGLELEFT:3", "FIRETOGGLELEFT:1"},
        {"FIRETOGGLERIGHT:1", "FIRETOGGLERIGHT:1"},
        {"AIMHELP:7", "AIMHELP:2"},
        {"AIMHELP:-1", "AIMHELP:0"},
        {"TIERMARKS:1", "TIERMARKS:1"},
        {"TIERCOLOURS:9", "TIERCOLOURS:1"},
        {"TEXTSIZE:140", "TEXTSIZE:150"},
        {"TEXTSIZE:112", "TEXTSIZE:100"},
        {"TEXTSIZE:-5", "TEXTSIZE:100"},
        {"TEXTSIZE:99999", "TEXTSIZE:150"},
        {"LETTERBOX:1", "LETTERBOX:1"},
    };
    for (const auto& [line, back] : cases) {
        SetUp();
        read(std::string("VOLUM:\n70\n20\n") + line + "\r\n");
        EXPECT_NE(written().find(std::string("\n") + back + "\n"), std::string::npos) << line;
        EXPECT_EQ(soundVolume, 70) << line;
    }
    // A file from before these options, or one whose lines are cut short, keeps today's game.
    SetUp();
    read("HARDC:1\nSHAKE\nBLOOD\nAIMHELP\n");
    EXPECT_EQ(written().substr(written().find("SHAKE")),
              "SHAKE:100\nFLASH:100\nBLOOD:1\nFOCUSPAUSE:0\nFPSCAP:0\nSHOWFPS:0\nSPRINTTOGGLE:0\n"
              "FIRETOGGLELEFT:0\nFIRETOGGLERIGHT:0\nAIMHELP:0\nTIERMARKS:0\nTIERCOLOURS:0\nTEXTSIZE:100\n"
              "LETTERBOX:0\n");
}

TEST_F(SettingsTest, ToleratesDamagedText) {
    // Short lines and unknown keys are skipped, Windows line ends are accepted,
    // out-of-range volumes are clamped, and a block cut off by the end of the file is harmless.
    read("abc\nGARBAGE:7\r\nHARDC:1\r\nVOLUM:\n500\n-3\nPREVN:\nBob\r\nRESOL:\n1280");
    EXPECT_TRUE(hardcoreMode);
    EXPECT_EQ(soundVolume, 100);
    EXPECT_EQ(musicVolume, 0);
    EXPECT_EQ(previousName, "Bob");
    ASSERT_EQ(resolutions.size(), 1u);
    EXPECT_EQ(resolutions[0], std::make_pair(1280, 0));
}

TEST_F(SettingsTest, RebuildsOnlyWhenTheSavedModeIsTooLargeBothWays) {
    resolutions = {{3840, 1080}};
    EXPECT_FALSE(repairResolutions(modes, desktop));
    EXPECT_EQ(resolutions.size(), 1u);

    resolutions = {{3840, 2160}};
    EXPECT_TRUE(repairResolutions(modes, desktop));
    EXPECT_EQ(resolutions.size(), 3u);
    EXPECT_EQ(resolutions[static_cast<std::size_t>(currentResolution)], std::make_pair(1920, 1080));
}

TEST_F(SettingsTest, NeverSelectsOutsideTheList) {
    for (int bad : {-1, 1, 57}) {
        resolutions = {{1280, 720}};
        currentResolution = bad;
        EXPECT_TRUE(repairResolutions(modes, desktop));
        ASSERT_GE(currentResolution, 0);
        ASSERT_LT(currentResolution, static_cast<int>(resolutions.size()));
    }
    // A display that reports no 32-bit full-screen mode still gets its desktop size.
    resolutions.clear();
    EXPECT_TRUE(repairResolutions({{1024, 768, 16}}, desktop));
    ASSERT_EQ(resolutions.size(), 1u);
    EXPECT_EQ(resolutions[0], std::make_pair(1920, 1080));
    EXPECT_EQ(currentResolution, 0);
    EXPECT_EQ(selectedVideoMode().width, 1920u);
}

TEST_F(SettingsTest, ReadsAFileItMayNotWrite) {
    fs::path path = dir / "Config.cfg";
    std::ofstream(path) << "VOLUM:\n70\n20\nHARDC:1\n";
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir, fs::perms::all);
    // Root may write anything, so the read runs in a child that gives up root first.
    pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        readSettingsFile(path.string());
        ::_exit(soundVolume == 70 && musicVolume == 20 && hardcoreMode ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(SettingsTest, LoadingAFileWithOnlyHardcoreRewritesEveryKey) {
    fs::path path = dir / "Config.cfg";
    std::ofstream(path) << "HARDC:1\n";
    loadSettings(path.string());
    std::string text = slurp(path);
    for (const char* key :
         {"RESOL:", "CURRES:", "VOLUM:", "ANTIA: ", "FULLS: ", "VSYNC:", "HARDC:1", "PREVN:", "SHAKE:100",
          "FLASH:100", "BLOOD:1", "FOCUSPAUSE:0", "FPSCAP:0", "SHOWFPS:0"})
        EXPECT_NE(text.find(key), std::string::npos) << key;
    sf::VideoMode desktopMode = sf::VideoMode::getDesktopMode();
    EXPECT_EQ(resolutions.at(static_cast<std::size_t>(currentResolution)),
              std::make_pair(static_cast<int>(desktopMode.width), static_cast<int>(desktopMode.height)));
}

} // namespace

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "settings/Settings.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

SubtitleFormatFlags Formats(std::initializer_list<SubtitleFormat> enabled) {
    SubtitleFormatFlags flags{};
    for (SubtitleFormat format : enabled) flags[static_cast<size_t>(format)] = true;
    return flags;
}

TEST(LoadSettings, NoFileGivesTheDefaults) {
    TempDir dir;
    IniFile ini(dir / "Config.ini");
    Settings settings = LoadSettings(ini);
    EXPECT_EQ(settings.NbrChar, 0);
    EXPECT_EQ(settings.Delay, 0);
    EXPECT_FALSE(settings.CurrentDir);
    EXPECT_FALSE(settings.AutoSelect);
    EXPECT_EQ(settings.SubDir, "");
    EXPECT_FALSE(settings.SubDirEnabled);
    EXPECT_EQ(settings.SubFilePath, "");
    EXPECT_FALSE(settings.SubFilePathEnabled);
    EXPECT_EQ(settings.SubtitleFormat, SubtitleFormatFlags{});

    FontSettings font = ReadFontSettings(ini);
    EXPECT_EQ(font.Name, "");
    EXPECT_EQ(font.Color, 0x01000000);
    EXPECT_EQ(font.Size, 10);
    EXPECT_EQ(font.Height, -13);
    EXPECT_EQ(font.Pitch, 0);
    EXPECT_FALSE(font.Italic || font.Underline || font.StrikeOut || font.Bold);

    BarSettings bars = ReadBarSettings(ini);
    EXPECT_FALSE(bars.StateBarre);
    EXPECT_FALSE(bars.ToolBarre);
    EXPECT_FALSE(std::filesystem::exists(ini.Path()));
}

TEST(LoadSettings, ReadsAHandEditedFile) {
    TempDir dir;
    IniFile ini(dir.Write("Config.ini",
                          "[SubtitleFormat]\r\n"
                          "SUB = 2\r\n"
                          "srt=true\r\n"
                          "rt=1\r\n"
                          "[General]\r\n"
                          "NbrChar=0x5\r\n"
                          "Delay=$10\r\n"
                          "[Font]\r\n"
                          "Size=12abc\r\n"
                          "Height=-4294967296\r\n"
                          "[General]\r\n"
                          "CurrentDir=1\r\n"
                          "AutoSelect=yes\r\n"
                          "SubDir=  subs  \r\n"
                          "SubFilePath=\r\n"));
    Settings settings = LoadSettings(ini);
    EXPECT_EQ(settings.NbrChar, 5);
    EXPECT_EQ(settings.Delay, 16);
    EXPECT_TRUE(settings.CurrentDir);
    EXPECT_FALSE(settings.AutoSelect);
    EXPECT_EQ(settings.SubDir, "subs");
    EXPECT_TRUE(settings.SubDirEnabled);
    EXPECT_FALSE(settings.SubFilePathEnabled);
    EXPECT_EQ(settings.SubtitleFormat, Formats({SubtitleFormat::Sub, SubtitleFormat::Rt}));
    EXPECT_EQ(ReadFontSettings(ini).Size, 10);
    EXPECT_EQ(ReadFontSettings(ini).Height, -13);
}

TEST(ReadFontSettings, BringsSizesIntoWhatAScreenHolds) {
    struct Case {
        std::string size, height;
        int32_t expectedSize, expectedHeight;
    };
    for (const Case& c :
         {Case{"2147483647", "2147483647", 144, 192}, Case{"-2147483648", "-2147483648", 0, -192},
          Case{"1", "-1", 6, -8}, Case{"0", "1", 0, 8}, Case{"12", "0", 12, 0}}) {
        TempDir dir;
        IniFile ini(dir.Write("Config.ini", "[Font]\nSize=" + c.size + "\nHeight=" + c.height));
        EXPECT_EQ(ReadFontSettings(ini).Size, c.expectedSize) << c.size;
        EXPECT_EQ(ReadFontSettings(ini).Height, c.expectedHeight) << c.height;
    }
}

Settings SampleSettings() {
    Settings settings;
    settings.NbrChar = 3;
    settings.Delay = -1500;
    settings.CurrentDir = true;
    settings.AutoSelect = true;
    settings.SubDir = "Sous titres";
    settings.SubDirEnabled = true;
    settings.SubFilePath = "/mnt/films/subs é";
    settings.SubFilePathEnabled = true;
    settings.ScaleWithPicture = true;
    settings.SubtitleFormat = Formats(
        {SubtitleFormat::Sub, SubtitleFormat::Srt, SubtitleFormat::Mpl, SubtitleFormat::Vtt});
    return settings;
}

FontSettings SampleFont() {
    FontSettings font;
    font.Name = "DejaVu Sans";
    font.Color = 0x00FF8800;
    font.Size = 14;
    font.Height = -19;
    font.Pitch = 2;
    font.Italic = true;
    font.StrikeOut = true;
    font.Bold = true;
    return font;
}

TEST(SaveSettings, WritesEveryKeyInItsOrder) {
    TempDir dir;
    IniFile ini(dir / "Config.ini");
    WriteOutcome outcome = SaveSettings(ini, SampleSettings(), SampleFont());
    EXPECT_TRUE(outcome.Ok);
    EXPECT_EQ(outcome.Message, "");
    EXPECT_EQ(ReadFile(ini.Path()),
              "[General]\nNbrChar=3\nDelay=-1500\nCurrentDir=1\nAutoSelect=1\n"
              "SubDir=Sous titres\nSubFilePath=/mnt/films/subs é\nScaleWithPicture=1\nAnnounce=0\n"
              "\n[SubtitleFormat]\nsub=1\nsrt=1\ndks=0\njss=0\nmpl=1\njps=0\npsb=0\nrt=0\n"
              "smi=0\nssa=0\ntts=0\nvsf=0\nzeg=0\nscr=0\ntxt=0\nass=0\nvtt=1\n"
              "\n[Font]\nName=DejaVu Sans\nColor=16746496\nSize=14\nHeight=-19\nPitch=2\n"
              "Italic=1\nUnderline=0\nStrikeOut=1\nBold=1\n");
}

TEST(SaveSettings, RoundTrips) {
    TempDir dir;
    IniFile ini(dir / "Config.ini");
    Settings saved = SampleSettings();
    ASSERT_TRUE(SaveSettings(ini, saved, SampleFont()).Ok);
    Settings loaded = LoadSettings(ini);
    EXPECT_EQ(loaded.NbrChar, saved.NbrChar);
    EXPECT_EQ(loaded.Delay, saved.Delay);
    EXPECT_EQ(loaded.CurrentDir, saved.CurrentDir);
    EXPECT_EQ(loaded.AutoSelect, saved.AutoSelect);
    EXPECT_EQ(loaded.SubDir, saved.SubDir);
    EXPECT_EQ(loaded.SubDirEnabled, saved.SubDirEnabled);
    EXPECT_EQ(loaded.SubFilePath, saved.SubFilePath);
    EXPECT_EQ(loaded.SubFilePathEnabled, saved.SubFilePathEnabled);
    EXPECT_EQ(loaded.SubtitleFormat, saved.SubtitleFormat);
    EXPECT_EQ(loaded.ScaleWithPicture, saved.ScaleWithPicture);
    EXPECT_EQ(loaded.Announce, saved.Announce);

    FontSettings font = ReadFontSettings(ini);
    FontSettings expected = SampleFont();
    EXPECT_EQ(font.Name, expected.Name);
    EXPECT_EQ(font.Color, expected.Color);
    EXPECT_EQ(font.Size, expected.Size);
    EXPECT_EQ(font.Height, expected.Height);
    EXPECT_EQ(font.Pitch, expected.Pitch);
    EXPECT_EQ(font.Italic, expected.Italic);
    EXPECT_EQ(font.Underline, expected.Underline);
    EXPECT_EQ(font.StrikeOut, expected.StrikeOut);
    EXPECT_EQ(font.Bold, expected.Bold);
}

TEST(SaveSettings, DirectoryTextsAreWrittenEvenWhenTheirSearchIsOff) {
    TempDir dir;
    IniFile ini(dir / "Config.ini");
    Settings settings;
    settings.SubDir = "subs";
    settings.SubDirEnabled = false;
    ASSERT_TRUE(SaveSettings(ini, settings, FontSettings{}).Ok);
    EXPECT_TRUE(LoadSettings(ini).SubDirEnabled);
}

TEST(SaveSettings, RewritesAllFormatsAndKeepsUnknownKeys) {
    TempDir dir;
    IniFile ini(dir.Write("Config.ini", "[SubtitleFormat]\nxyz=1\n; mine\n[Extra]\nKey=v\n"));
    Settings settings;
    settings.SubtitleFormat.fill(true);
    ASSERT_TRUE(SaveSettings(ini, settings, FontSettings{}).Ok);
    EXPECT_EQ(LoadSettings(ini).SubtitleFormat, settings.SubtitleFormat);
    settings.SubtitleFormat.fill(false);
    ASSERT_TRUE(SaveSettings(ini, settings, FontSettings{}).Ok);
    EXPECT_EQ(LoadSettings(ini).SubtitleFormat, SubtitleFormatFlags{});
    for (SubtitleFormat format : SearchOrder()) {
        EXPECT_EQ(ini.ReadString("SubtitleFormat", std::string(FormatExtension(format)), "?"), "0");
    }
    std::string text = ReadFile(ini.Path());
    EXPECT_NE(text.find("xyz=1\n"), std::string::npos);
    EXPECT_NE(text.find("; mine\n[Extra]\nKey=v\n"), std::string::npos);
}

TEST(SaveSettings, CreatesMissingDirectories) {
    TempDir dir;
    IniFile ini(dir / "config/orvalen/Config.ini");
    EXPECT_TRUE(SaveSettings(ini, SampleSettings(), SampleFont()).Ok);
    EXPECT_EQ(LoadSettings(ini).SubDir, "Sous titres");
    IniFile bars(dir / "other/Config.ini");
    EXPECT_TRUE(WriteBarSettings(bars, BarSettings{true, false}).Ok);
}

TEST(SaveSettings, RefusedFileStopsAtTheFirstKeyWithTheMessage) {
    TempDir dir;
    std::string plainFile = dir.Write("plain", "x");
    IniFile ini(plainFile + "/Config.ini");
    WriteOutcome outcome = SaveSettings(ini, SampleSettings(), SampleFont());
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Message, "Impossible d'écrire dans " + plainFile + "/Config.ini");
    outcome = WriteBarSettings(ini, BarSettings{true, true});
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Message, "Impossible d'écrire dans " + plainFile + "/Config.ini");
    EXPECT_EQ(ReadFile(plainFile), "x");
}

TEST(SaveSettings, ReadOnlyFileIsRefusedEvenForRoot) {
    TempDir dir;
    IniFile ini(dir.Write("Config.ini", "[General]\nStateBarre=0\n"));
    ASSERT_EQ(::chmod(ini.Path().c_str(), 0444), 0);
    WriteOutcome outcome = WriteBarSettings(ini, BarSettings{true, true});
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Message, "Impossible d'écrire dans " + ini.Path());
    EXPECT_EQ(ReadFile(ini.Path()), "[General]\nStateBarre=0\n");
}

TEST(SaveSettings, MessageNamesTheFullPath) {
    TempDir dir;
    std::string previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    dir.Write("plain", "x");
    IniFile ini("plain/Config.ini");
    WriteOutcome outcome = WriteBarSettings(ini, BarSettings{});
    std::filesystem::current_path(previous);
    EXPECT_EQ(outcome.Message, "Impossible d'écrire dans " + dir.Path() + "/plain/Config.ini");
}

// Limits the size of files this process may write, so that a write fails part-way even for
// root, for whom permissions refuse nothing.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(SaveSettings, WriteRefusedPartWayLeavesTheFileAsItWas) {
    TempDir dir;
    const std::string before = "; " + std::string(100, '-') + "\n[General]\nDelay=5\n";
    IniFile ini(dir.Write("Config.ini", before));
    WriteOutcome outcome;
    {
        // Room for a few keys, not for all of them.
        FileSizeLimit limit(before.size() + 15);
        outcome = SaveSettings(ini, SampleSettings(), SampleFont());
    }
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Message, "Impossible d'écrire dans " + ini.Path());
    EXPECT_EQ(ReadFile(ini.Path()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(BarSettings, RoundTrip) {
    TempDir dir;
    IniFile ini(dir.Write("Config.ini", "[General]\nNbrChar=4\n"));
    ASSERT_TRUE(WriteBarSettings(ini, BarSettings{true, false}).Ok);
    BarSettings bars = ReadBarSettings(ini);
    EXPECT_TRUE(bars.StateBarre);
    EXPECT_FALSE(bars.ToolBarre);
    EXPECT_EQ(ReadFile(ini.Path()), "[General]\nNbrChar=4\nStateBarre=1\nToolBarre=0\n");
}

TEST(LoadSettings, BinaryFilesGiveTheDefaults) {
    std::string noise;
    uint32_t state = 12345;
    for (int i = 0; i < 65536; ++i) {
        state = state * 1103515245u + 12345u;
        noise += static_cast<char>(state >> 24);
    }
    const std::string contents[] = {noise, std::string(4096, '\0'), std::string(4096, '['),
                                    std::string(4096, '=')};
    for (const std::string& content : contents) {
        TempDir dir;
        IniFile ini(dir.Write("Config.ini", content));
        Settings settings = LoadSettings(ini);
        EXPECT_EQ(settings.NbrChar, 0);
        EXPECT_EQ(settings.SubtitleFormat, SubtitleFormatFlags{});
        EXPECT_EQ(ReadFontSettings(ini).Height, -13);
    }
}

}  // namespace
}  // namespace orvalen

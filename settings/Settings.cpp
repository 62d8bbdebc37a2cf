#include "settings/Settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

namespace orvalen {

namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kFont = "Font";
constexpr const char* kFormats = "SubtitleFormat";

std::string FormatKey(SubtitleFormat format) {
    return std::string(FormatExtension(format));
}

std::string FullPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

// Creates the missing directories above the file, as the per-user location may not exist yet.
void CreateParentDirectories(const std::string& path) {
    std::string directory = FullPath(path);
    directory.resize(directory.rfind('/') + 1);
    for (size_t slash = directory.find('/', 1); slash != std::string::npos;
         slash = directory.find('/', slash + 1)) {
        std::string prefix = directory.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return;
    }
}

// The keys of one save, written in one replacement of the file, so that a save is never
// left half done and costs one sync to disk.
class KeyWrites {
  public:
    void Integer(const char* section, const std::string& key, int32_t value) {
        values_.push_back({section, key, std::to_string(value)});
    }
    void Bool(const char* section, const std::string& key, bool value) {
        values_.push_back({section, key, value ? "1" : "0"});
    }
    void String(const char* section, const std::string& key, const std::string& value) {
        values_.push_back({section, key, value});
    }

    WriteOutcome WriteTo(IniFile& ini) const {
        CreateParentDirectories(ini.Path());
        if (ini.WriteValues(values_)) return {};
        return {false, "Impossible d'écrire dans " + FullPath(ini.Path())};
    }

  private:
    std::vector<IniValue> values_;
};

// Font sizes beyond these squeeze the window around a subtitle line taller than the screen;
// 0 (not set) stays, any other value is brought into range.
constexpr int32_t kFontPointsMin = 6;
constexpr int32_t kFontPointsMax = 144;
constexpr int32_t kFontPixelsMin = 8;
constexpr int32_t kFontPixelsMax = 192;

int32_t SaneFontSize(int32_t points) {
    return points <= 0 ? 0 : std::clamp(points, kFontPointsMin, kFontPointsMax);
}

// Negative: the character height in pixels; positive: the cell height.
int32_t SaneFontHeight(int32_t height) {
    if (height < 0) return std::clamp(height, -kFontPixelsMax, -kFontPixelsMin);
    return height == 0 ? 0 : std::clamp(height, kFontPixelsMin, kFontPixelsMax);
}

}  // namespace

Settings LoadSettings(const IniFile& ini) {
    Settings settings;
    settings.NbrChar = ini.ReadInteger(kGeneral, "NbrChar", 0);
    settings.CurrentDir = ini.ReadBool(kGeneral, "CurrentDir");
    settings.AutoSelect = ini.ReadBool(kGeneral, "AutoSelect");
    settings.SubDir = ini.ReadString(kGeneral, "SubDir", "");
    settings.SubDirEnabled = !settings.SubDir.empty();
    settings.SubFilePath = ini.ReadString(kGeneral, "SubFilePath", "");
    settings.SubFilePathEnabled = !settings.SubFilePath.empty();
    settings.Delay = ini.ReadInteger(kGeneral, "Delay", 0);
    settings.ScaleWithPicture = ini.ReadBool(kGeneral, "ScaleWithPicture");
    settings.Announce = ini.ReadBool(kGeneral, "Announce");
    for (SubtitleFormat format : ConfigKeyOrder()) {
        settings.SubtitleFormat[static_cast<size_t>(format)] =
            ini.ReadBool(kFormats, FormatKey(format));
    }
    return settings;
}

FontSettings ReadFontSettings(const IniFile& ini) {
    FontSettings defaults;
    FontSettings font;
    font.Name = ini.ReadString(kFont, "Name", defaults.Name);
    font.Color = ini.ReadInteger(kFont, "Color", defaults.Color);
    font.Size = SaneFontSize(ini.ReadInteger(kFont, "Size", defaults.Size));
    font.Height = SaneFontHeight(ini.ReadInteger(kFont, "Height", defaults.Height));
    font.Pitch = ini.ReadInteger(kFont, "Pitch", defaults.Pitch);
    font.Italic = ini.ReadBool(kFont, "Italic");
    font.Underline = ini.ReadBool(kFont, "Underline");
    font.StrikeOut = ini.ReadBool(kFont, "StrikeOut");
    font.Bold = ini.ReadBool(kFont, "Bold");
    font.SecondColor = ini.ReadInteger(kFont, "SecondColor", defaults.SecondColor);
    return font;
}

BarSettings ReadBarSettings(const IniFile& ini) {
    BarSettings bars;
    bars.StateBarre = ini.ReadBool(kGeneral, "StateBarre");
    bars.ToolBarre = ini.ReadBool(kGeneral, "ToolBarre");
    return bars;
}

SubtitleListSettings ReadSubtitleListSettings(const IniFile& ini) {
    SubtitleListSettings list;
    list.Shown = ini.ReadBool(kGeneral, "SubtitleList");
    list.Left = ini.ReadInteger(kGeneral, "SubtitleListLeft", 0);
    list.Top = ini.ReadInteger(kGeneral, "SubtitleListTop", 0);
    list.Width = ini.ReadInteger(kGeneral, "SubtitleListWidth", 0);
    list.Height = ini.ReadInteger(kGeneral, "SubtitleListHeight", 0);
    return list;
}

WriteOutcome SaveSettings(IniFile& ini, const Settings& settings, const FontSettings& font) {
    KeyWrites writes;
    writes.Integer(kGeneral, "NbrChar", settings.NbrChar);
    writes.Integer(kGeneral, "Delay", settings.Delay);
    writes.Bool(kGeneral, "CurrentDir", settings.CurrentDir);
    writes.Bool(kGeneral, "AutoSelect", settings.AutoSelect);
    writes.String(kGeneral, "SubDir", settings.SubDir);
    writes.String(kGeneral, "SubFilePath", settings.SubFilePath);
    writes.Bool(kGeneral, "ScaleWithPicture", settings.ScaleWithPicture);
    writes.Bool(kGeneral, "Announce", settings.Announce);
    for (SubtitleFormat format : ConfigKeyOrder()) {
        writes.Bool(kFormats, FormatKey(format),
                    settings.SubtitleFormat[static_cast<size_t>(format)]);
    }
    writes.String(kFont, "Name", font.Name);
    writes.Integer(kFont, "Color", font.Color);
    writes.Integer(kFont, "Size", font.Size);
    writes.Integer(kFont, "Height", font.Height);
    writes.Integer(kFont, "Pitch", font.Pitch);
    writes.Bool(kFont, "Italic", font.Italic);
    writes.Bool(kFont, "Underline", font.Underline);
    writes.Bool(kFont, "StrikeOut", font.StrikeOut);
    writes.Bool(kFont, "Bold", font.Bold);
    return writes.WriteTo(ini);
}

WriteOutcome WriteBarSettings(IniFile& ini, const BarSettings& bars) {
    // An exit that changed nothing leaves the file alone, so a read-only one says nothing.
    const auto holds = [&ini](const char* key, bool value) {
        return !ini.ReadString(kGeneral, key, "").empty() && ini.ReadBool(kGeneral, key) == value;
    };
    if (holds("StateBarre", bars.StateBarre) && holds("ToolBarre", bars.ToolBarre)) return {};
    KeyWrites writes;
    writes.Bool(kGeneral, "StateBarre", bars.StateBarre);
    writes.Bool(kGeneral, "ToolBarre", bars.ToolBarre);
    return writes.WriteTo(ini);
}

WriteOutcome WriteSubtitleListSettings(IniFile& ini, const SubtitleListSettings& list) {
    KeyWrites writes;
    writes.Bool(kGeneral, "SubtitleList", list.Shown);
    writes.Integer(kGeneral, "SubtitleListLeft", list.Left);
    writes.Integer(kGeneral, "SubtitleListTop", list.Top);
    writes.Integer(kGeneral, "SubtitleListWidth", list.Width);
    writes.Integer(kGeneral, "SubtitleListHeight", list.Height);
    return writes.WriteTo(ini);
}

}  // namespace orvalen

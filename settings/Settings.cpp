#include "settings/Settings.h"

#include <sys/stat.h>

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
    font.Size = ini.ReadInteger(kFont, "Size", defaults.Size);
    font.Height = ini.ReadInteger(kFont, "Height", defaults.Height);
    font.Pitch = ini.ReadInteger(kFont, "Pitch", defaults.Pitch);
    font.Italic = ini.ReadBool(kFont, "Italic");
    font.Underline = ini.ReadBool(kFont, "Underline");
    font.StrikeOut = ini.ReadBool(kFont, "StrikeOut");
    font.Bold = ini.ReadBool(kFont, "Bold");
    return font;
}

BarSettings ReadBarSettings(const IniFile& ini) {
    BarSettings bars;
    bars.StateBarre = ini.ReadBool(kGeneral, "StateBarre");
    bars.ToolBarre = ini.ReadBool(kGeneral, "ToolBarre");
    return bars;
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
    KeyWrites writes;
    writes.Bool(kGeneral, "StateBarre", bars.StateBarre);
    writes.Bool(kGeneral, "ToolBarre", bars.ToolBarre);
    return writes.WriteTo(ini);
}

}  // namespace orvalen

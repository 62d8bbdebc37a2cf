#pragma once

#include <cstdint>
#include <string>

#include "settings/IniFile.h"
#include "subtitles/SubtitleFormats.h"

namespace orvalen {

// The search and display settings shared by the search, the file filters and the clock.
struct Settings {
    int32_t NbrChar = 0;
    int32_t Delay = 0;
    bool CurrentDir = false;
    bool AutoSelect = false;
    std::string SubDir;
    bool SubDirEnabled = false;
    std::string SubFilePath;
    bool SubFilePathEnabled = false;
    SubtitleFormatFlags SubtitleFormat{};
    // The subtitle font's size is for a 720-pixel picture and follows the picture shown.
    bool ScaleWithPicture = false;
    // Each new subtitle is announced to screen readers.
    bool Announce = false;
};

// The subtitle font keys of section "Font".
struct FontSettings {
    std::string Name;
    int32_t Color = 0x01000000;
    int32_t Size = 10;
    int32_t Height = -13;
    int32_t Pitch = 0;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool Bold = false;
    // The second subtitles' colour, 0x00BBGGRR as Color: light yellow unless set. Read only:
    // no dialog sets it.
    int32_t SecondColor = 0x0080FFFF;
};

// The two view keys of section "General".
struct BarSettings {
    bool StateBarre = false;
    bool ToolBarre = false;
};

// The subtitle list window's keys of section "General": whether it is shown and where (a
// width or height of 0 or less: no place stored yet).
struct SubtitleListSettings {
    bool Shown = false;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

// The outcome of a save: when the file refuses it, nothing is written and Message holds
// "Impossible d'écrire dans <full path>".
struct WriteOutcome {
    bool Ok = true;
    std::string Message;
};

// The user's own Config.ini, the one written: $ORVALEN_CONFIG when set; else
// $XDG_CONFIG_HOME/orvalen/Config.ini (~/.config/orvalen/Config.ini). While it does not exist
// the settings come from a shipped default (settings/DefaultConfig.h).
std::string ConfigFilePath();

Settings LoadSettings(const IniFile& ini);
FontSettings ReadFontSettings(const IniFile& ini);
BarSettings ReadBarSettings(const IniFile& ini);
SubtitleListSettings ReadSubtitleListSettings(const IniFile& ini);

// The writers create the missing directories above the file first, then write all their keys
// in one replacement of the file. Writes the settings, then the font, in the stored order.
WriteOutcome SaveSettings(IniFile& ini, const Settings& settings, const FontSettings& font);
// The bar keys are written only when the file does not hold them as they are.
WriteOutcome WriteBarSettings(IniFile& ini, const BarSettings& bars);
WriteOutcome WriteSubtitleListSettings(IniFile& ini, const SubtitleListSettings& list);

}  // namespace orvalen

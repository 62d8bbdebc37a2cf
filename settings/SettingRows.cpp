#include "settings/SettingRows.h"

#include <algorithm>

#include "settings/ConfigDialogRules.h"

namespace orvalen {

namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kFont = "Font";

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

const SettingRow<Settings> SearchRows[] = {
    {.Section = kGeneral,
     .Key = "NbrChar",
     .Target = &Settings::NbrChar,
     .FromText = IgnoredCharsFromText},
    {.Section = kGeneral, .Key = "Delay", .Target = &Settings::Delay, .FromText = DelayFromText},
    {.Section = kGeneral, .Key = "CurrentDir", .Target = &Settings::CurrentDir},
    {.Section = kGeneral, .Key = "AutoSelect", .Target = &Settings::AutoSelect},
    {.Section = kGeneral, .Key = "SubDir", .Target = &Settings::SubDir},
    {.Section = kGeneral, .Key = "SubFilePath", .Target = &Settings::SubFilePath},
    {.Section = kGeneral, .Key = "ScaleWithPicture", .Target = &Settings::ScaleWithPicture},
    {.Section = kGeneral, .Key = "Announce", .Target = &Settings::Announce},
    {.Section = "SubtitleFormat", .Key = nullptr, .Target = &Settings::SubtitleFormat},
};

const SettingRow<FontSettings> FontRows[] = {
    {.Section = kFont, .Key = "Name", .Target = &FontSettings::Name},
    {.Section = kFont, .Key = "Color", .Target = &FontSettings::Color},
    {.Section = kFont, .Key = "Size", .Target = &FontSettings::Size, .FromStored = SaneFontSize},
    {.Section = kFont,
     .Key = "Height",
     .Target = &FontSettings::Height,
     .FromStored = SaneFontHeight},
    {.Section = kFont, .Key = "Pitch", .Target = &FontSettings::Pitch},
    {.Section = kFont, .Key = "Italic", .Target = &FontSettings::Italic},
    {.Section = kFont, .Key = "Underline", .Target = &FontSettings::Underline},
    {.Section = kFont, .Key = "StrikeOut", .Target = &FontSettings::StrikeOut},
    {.Section = kFont, .Key = "Bold", .Target = &FontSettings::Bold},
    {.Section = kFont,
     .Key = "SecondColor",
     .Target = &FontSettings::SecondColor,
     .ReadOnly = true},
};

const SettingRow<BarSettings> BarRows[] = {
    {.Section = kGeneral, .Key = "StateBarre", .Target = &BarSettings::StateBarre},
    {.Section = kGeneral, .Key = "ToolBarre", .Target = &BarSettings::ToolBarre},
};

const SettingRow<SubtitleListSettings> SubtitleListRows[] = {
    {.Section = kGeneral, .Key = "SubtitleList", .Target = &SubtitleListSettings::Shown},
    {.Section = kGeneral, .Key = "SubtitleListLeft", .Target = &SubtitleListSettings::Left},
    {.Section = kGeneral, .Key = "SubtitleListTop", .Target = &SubtitleListSettings::Top},
    {.Section = kGeneral, .Key = "SubtitleListWidth", .Target = &SubtitleListSettings::Width},
    {.Section = kGeneral, .Key = "SubtitleListHeight", .Target = &SubtitleListSettings::Height},
};

}  // namespace

std::span<const SettingRow<Settings>> SearchSettingRows() {
    return SearchRows;
}

std::span<const SettingRow<FontSettings>> FontSettingRows() {
    return FontRows;
}

std::span<const SettingRow<BarSettings>> BarSettingRows() {
    return BarRows;
}

std::span<const SettingRow<SubtitleListSettings>> SubtitleListSettingRows() {
    return SubtitleListRows;
}

}  // namespace orvalen

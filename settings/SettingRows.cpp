#include "settings/SettingRows.h"

#include "settings/ConfigDialogRules.h"

namespace orvalen {

namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kFont = "Font";

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
    {.Section = "SubtitleFormat", .Key = nullptr, .Target = &Settings::SubtitleFormat},
};

const SettingRow<FontSettings> FontRows[] = {
    {.Section = kFont, .Key = "Name", .Target = &FontSettings::Name},
    {.Section = kFont, .Key = "Color", .Target = &FontSettings::Color},
    {.Section = kFont, .Key = "Size", .Target = &FontSettings::Size},
    {.Section = kFont, .Key = "Height", .Target = &FontSettings::Height},
    {.Section = kFont, .Key = "Pitch", .Target = &FontSettings::Pitch},
    {.Section = kFont, .Key = "Italic", .Target = &FontSettings::Italic},
    {.Section = kFont, .Key = "Underline", .Target = &FontSettings::Underline},
    {.Section = kFont, .Key = "StrikeOut", .Target = &FontSettings::StrikeOut},
    {.Section = kFont, .Key = "Bold", .Target = &FontSettings::Bold},
};

const SettingRow<BarSettings> BarRows[] = {
    {.Section = kGeneral, .Key = "StateBarre", .Target = &BarSettings::StateBarre},
    {.Section = kGeneral, .Key = "ToolBarre", .Target = &BarSettings::ToolBarre},
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

}  // namespace orvalen

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/Settings.h"

namespace orvalen {

// One key of Config.ini and the field of Record that holds it. A missing key reads as the
// field's value in a default-made Record. Loading, saving (in table order, which is the
// stored order) and the configuration dialog all walk the rows.
template <typename Record>
struct SettingRow {
    using Field = std::variant<int32_t Record::*, bool Record::*, std::string Record::*,
                               SubtitleFormatFlags Record::*>;

    const char* Section;
    // Null for the format flags, which take one key per format in the stored order.
    const char* Key;
    Field Target;
    // What the configuration dialog makes of the text typed for a number; null when the
    // setting has no box of text.
    int32_t (*FromText)(std::string_view text) = nullptr;
    // What a stored number is brought into when read; null when any number stands.
    int32_t (*FromStored)(int32_t stored) = nullptr;
    // Read but never written: no dialog sets it.
    bool ReadOnly = false;
};

// The search and display settings, written by the configuration dialog's OK.
std::span<const SettingRow<Settings>> SearchSettingRows();
// The subtitle font, written after the search settings.
std::span<const SettingRow<FontSettings>> FontSettingRows();
// Whether the status bar and the tool bar show.
std::span<const SettingRow<BarSettings>> BarSettingRows();
// The subtitle list window's keys, written once the list was used.
std::span<const SettingRow<SubtitleListSettings>> SubtitleListSettingRows();

}  // namespace orvalen

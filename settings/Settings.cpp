#include "settings/Settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <type_traits>
#include <vector>

#include "settings/SettingRows.h"

namespace orvalen {

namespace {

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

// A bool reads as an integer, non-zero being true. Kept out of line, with the defaults passed
// in, because GCC otherwise flags the variant's unused alternatives against the small records.
template <typename Record>
[[gnu::noinline]] void ReadRow(const IniFile& ini, const SettingRow<Record>& row,
                               const Record& defaults, Record& record) {
    std::visit(
        [&](auto field) {
            using Value = std::remove_cvref_t<decltype(record.*field)>;
            if constexpr (std::is_same_v<Value, int32_t>) {
                const int32_t stored = ini.ReadInteger(row.Section, row.Key, defaults.*field);
                record.*field = row.FromStored ? row.FromStored(stored) : stored;
            } else if constexpr (std::is_same_v<Value, bool>) {
                record.*field = ini.ReadInteger(row.Section, row.Key, defaults.*field) != 0;
            } else if constexpr (std::is_same_v<Value, std::string>) {
                record.*field = ini.ReadString(row.Section, row.Key, defaults.*field);
            } else {
                for (SubtitleFormat format : ConfigKeyOrder()) {
                    const size_t index = static_cast<size_t>(format);
                    (record.*field)[index] =
                        ini.ReadInteger(row.Section, std::string(FormatExtension(format)),
                                        (defaults.*field)[index]) != 0;
                }
            }
        },
        row.Target);
}

template <typename Record>
Record ReadRecord(const IniFile& ini, std::span<const SettingRow<Record>> rows) {
    const Record defaults{};
    Record record;
    for (const SettingRow<Record>& row : rows) ReadRow(ini, row, defaults, record);
    return record;
}

// The keys of one save, written in one replacement of the file, so that a save is never
// left half done and costs one sync to disk.
class KeyWrites {
  public:
    template <typename Record>
    void Add(std::span<const SettingRow<Record>> rows, const Record& record) {
        for (const SettingRow<Record>& row : rows) {
            if (row.ReadOnly) continue;
            std::visit([&](auto field) { Add(row.Section, row.Key, record.*field); }, row.Target);
        }
    }

    WriteOutcome WriteTo(IniFile& ini) const {
        CreateParentDirectories(ini.Path());
        if (ini.WriteValues(values_)) return {};
        return {false, "Impossible d'écrire dans " + FullPath(ini.Path())};
    }

  private:
    void Add(const char* section, std::string_view key, int32_t value) {
        values_.push_back({section, std::string(key), std::to_string(value)});
    }
    void Add(const char* section, std::string_view key, bool value) {
        values_.push_back({section, std::string(key), value ? "1" : "0"});
    }
    void Add(const char* section, std::string_view key, const std::string& value) {
        values_.push_back({section, std::string(key), value});
    }
    void Add(const char* section, const char*, const SubtitleFormatFlags& flags) {
        for (SubtitleFormat format : ConfigKeyOrder()) {
            Add(section, FormatExtension(format), flags[static_cast<size_t>(format)]);
        }
    }

    std::vector<IniValue> values_;
};

}  // namespace

Settings LoadSettings(const IniFile& ini) {
    Settings settings = ReadRecord(ini, SearchSettingRows());
    settings.SubDirEnabled = !settings.SubDir.empty();
    settings.SubFilePathEnabled = !settings.SubFilePath.empty();
    return settings;
}

FontSettings ReadFontSettings(const IniFile& ini) {
    return ReadRecord(ini, FontSettingRows());
}

BarSettings ReadBarSettings(const IniFile& ini) {
    return ReadRecord(ini, BarSettingRows());
}

SubtitleListSettings ReadSubtitleListSettings(const IniFile& ini) {
    return ReadRecord(ini, SubtitleListSettingRows());
}

WriteOutcome SaveSettings(IniFile& ini, const Settings& settings, const FontSettings& font) {
    KeyWrites writes;
    writes.Add(SearchSettingRows(), settings);
    writes.Add(FontSettingRows(), font);
    return writes.WriteTo(ini);
}

WriteOutcome WriteBarSettings(IniFile& ini, const BarSettings& bars) {
    // An exit that changed nothing leaves the file alone, so a read-only one says nothing.
    const auto holds = [&ini, &bars](const SettingRow<BarSettings>& row) {
        return !ini.ReadString(row.Section, row.Key, "").empty() &&
               ini.ReadBool(row.Section, row.Key) ==
                   bars.*std::get<bool BarSettings::*>(row.Target);
    };
    if (std::ranges::all_of(BarSettingRows(), holds)) return {};
    KeyWrites writes;
    writes.Add(BarSettingRows(), bars);
    return writes.WriteTo(ini);
}

WriteOutcome WriteSubtitleListSettings(IniFile& ini, const SubtitleListSettings& list) {
    KeyWrites writes;
    writes.Add(SubtitleListSettingRows(), list);
    return writes.WriteTo(ini);
}

}  // namespace orvalen

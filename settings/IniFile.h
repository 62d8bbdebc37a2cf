#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/IniText.h"

namespace orvalen {

// One key to set.
struct IniValue {
    std::string Section;
    std::string Key;
    std::string Value;
};

// Reads and writes keys of one INI file by its path. Section and key names match without
// regard to ASCII case; blanks around values are stripped. The file is read and parsed once,
// at the first read, and again after a write; every write reads the file afresh and reaches
// it at once, keeping all other lines.
class IniFile {
  public:
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }

    // At most 2047 characters; the default when the file, section or key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal, "0x"/"0X" hexadecimal (more than 2 characters) or "$" hexadecimal; any other
    // text gives the default.
    int32_t ReadInteger(const std::string& section, const std::string& key,
                        int32_t defaultValue) const;
    // An integer with default 0; non-zero is true.
    bool ReadBool(const std::string& section, const std::string& key) const;

    // Replace the value in place, or add the key at the end of its section (creating the
    // section and the file when needed). False when the file cannot be written.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInteger(const std::string& section, const std::string& key, int32_t value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);
    // Sets the keys in order, as WriteString would one after the other, in one replacement of
    // the file: all are written or none.
    bool WriteValues(const std::vector<IniValue>& values);

  private:
    // The file as last read; no index when it is missing or cannot be read.
    struct Contents {
        std::string text;
        std::optional<IniIndex> index;
    };

    std::optional<std::string_view> Find(const std::string& section, const std::string& key) const;

    std::string path_;
    mutable std::unique_ptr<Contents> contents_;
};

}  // namespace orvalen

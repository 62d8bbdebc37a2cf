#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvalen {

// One key to set.
struct IniValue {
    std::string Section;
    std::string Key;
    std::string Value;
};

// Reads and writes keys of one INI file by its path. Section and key names match without
// regard to ASCII case; blanks around values are stripped. Nothing is cached: every read
// opens the file afresh and every write reaches the file at once, keeping all other lines.
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
    std::string path_;
};

}  // namespace orvalen

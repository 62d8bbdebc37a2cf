#include "settings/IniFile.h"

#include <string_view>
#include <utility>

#include "settings/FileReplace.h"
#include "settings/IniText.h"

namespace orvalen {

namespace {
constexpr size_t kMaxStringLength = 2047;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    std::string contents;
    if (ReadWholeFile(path_, contents) != FileReadResult::Read) return defaultValue;
    std::optional<std::string_view> value = FindIniValue(contents, section, key);
    if (!value) return defaultValue;
    // The value ends at a NUL byte, as it would for any reader taking C strings.
    std::string_view text = value->substr(0, value->find('\0'));
    return std::string(text.substr(0, kMaxStringLength));
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                             int32_t defaultValue) const {
    std::string contents;
    if (ReadWholeFile(path_, contents) != FileReadResult::Read) return defaultValue;
    std::optional<std::string_view> value = FindIniValue(contents, section, key);
    if (!value) return defaultValue;
    return DecodeIniInteger(*value).value_or(defaultValue);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key) const {
    return ReadInteger(section, key, 0) != 0;
}

bool IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    std::string contents;
    // A file that exists but cannot be read is never replaced: its other keys would be lost.
    if (ReadWholeFile(path_, contents) == FileReadResult::Failed) return false;
    return ReplaceFileContents(path_, SetIniValue(contents, section, key, value));
}

bool IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

}  // namespace orvalen

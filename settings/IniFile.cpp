#include "settings/IniFile.h"

#include <string_view>
#include <utility>

#include "files/FileIo.h"
#include "settings/IniText.h"

namespace orvalen {

namespace {

constexpr size_t kMaxStringLength = 2047;

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::optional<std::string_view> IniFile::Find(const std::string& section,
                                              const std::string& key) const {
    if (!contents_) {
        contents_ = std::make_unique<Contents>();
        std::string error;
        if (ReadWholeFile(path_, contents_->text, error) == ReadStatus::Read)
            contents_->index.emplace(contents_->text);
    }
    if (!contents_->index) return std::nullopt;
    return contents_->index->Find(section, key);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    std::optional<std::string_view> value = Find(section, key);
    if (!value) return defaultValue;
    // The value ends at a NUL byte, as it would for any reader taking C strings.
    std::string_view text = value->substr(0, value->find('\0'));
    return std::string(text.substr(0, kMaxStringLength));
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                             int32_t defaultValue) const {
    std::optional<std::string_view> value = Find(section, key);
    if (!value) return defaultValue;
    return DecodeIniInteger(*value).value_or(defaultValue);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key) const {
    return ReadInteger(section, key, 0) != 0;
}

bool IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    return WriteValues({IniValue{section, key, value}});
}

bool IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::WriteValues(const std::vector<IniValue>& values) {
    std::string contents;
    std::string error;
    // A file that exists but cannot be read is never replaced: its other keys would be lost.
    if (ReadWholeFile(path_, contents, error) == ReadStatus::Failed) return false;
    for (const IniValue& value : values) {
        contents = SetIniValue(contents, value.Section, value.Key, value.Value);
    }
    contents_.reset();
    return WriteFileAtomically(path_, contents, error);
}

}  // namespace orvalen

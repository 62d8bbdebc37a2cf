#pragma once

#include <span>
#include <string>

namespace orvalen {

// An encoding the user may choose for a track's texts.
struct EncodingChoice {
    const char* Caption;    // as the menu shows it: "Windows-1250"
    const char* IconvName;  // as iconv knows it: "WINDOWS-1250"
};

// The common legacy code pages, then UTF-8.
std::span<const EncodingChoice> EncodingChoices();

// The caption of the item that follows detection: "Automatic (Windows-1252)", naming the
// detected encoding by its caption when it is one of the choices and as detected otherwise;
// "Automatic" when nothing was detected.
std::string AutomaticEncodingCaption(const std::string& detected);

}  // namespace orvalen

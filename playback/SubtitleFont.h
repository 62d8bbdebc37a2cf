#pragma once

#include <cstdint>
#include <string>

namespace orvalen {

// The subtitle font the window keeps: what the full-screen band draws with and what the label
// takes its style from. Heights are in pixels, negative for a character height, positive for a
// cell height (character plus internal leading). Converted to a drawable font in one place,
// app/window/FontMapping.
struct SubtitleFont {
    static constexpr int FaceSize = 32;  // the face name with its terminator

    int32_t Height = 0;
    int32_t Weight = 0;  // 400 normal, 700 bold, 800 extra bold
    uint8_t Italic = 0;
    uint8_t Underline = 0;
    uint8_t StrikeOut = 0;
    uint8_t PitchAndFamily = 0;  // low bits: 0 default, 1 variable, 2 fixed
    char FaceName[FaceSize] = {};
};

// Copies name into FaceName, cut to 31 bytes without splitting a UTF-8 character.
void SetFaceName(SubtitleFont& font, const std::string& name);
std::string FaceNameOf(const SubtitleFont& font);

}  // namespace orvalen

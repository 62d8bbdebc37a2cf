#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <string>

#include "settings/Settings.h"

namespace orvalen {

// A logical-font record: what the full-screen band draws with. Heights are in pixels, negative
// for a character height, positive for a cell height (character plus internal leading).
struct LogFont {
    static constexpr int FaceSize = 32;  // the face name with its terminator

    int32_t Height = 0;
    int32_t Width = 0;
    int32_t Escapement = 0;
    int32_t Orientation = 0;
    int32_t Weight = 0;  // 400 normal, 700 bold, 800 extra bold
    uint8_t Italic = 0;
    uint8_t Underline = 0;
    uint8_t StrikeOut = 0;
    uint8_t CharSet = 0;
    uint8_t OutPrecision = 0;
    uint8_t ClipPrecision = 0;
    uint8_t Quality = 0;
    uint8_t PitchAndFamily = 0;  // low bits: 0 default, 1 variable, 2 fixed
    char FaceName[FaceSize] = {};
};

// Copies name into FaceName, cut to 31 bytes without splitting a UTF-8 character.
void SetFaceName(LogFont& font, const std::string& name);
std::string FaceNameOf(const LogFont& font);

// The face used when a stored name is empty or not installed.
QString DefaultSansFamily();

// 0x00BBGGRR to a colour; a palette index (0x01......) reads as black, the first entry of the
// default palette.
QColor ColorFromSetting(int32_t color);
int32_t ColorToSetting(const QColor& color);

// Subtitles are drawn on black: a black text colour (the stored default) is shown in white.
QColor VisibleOnBlack(const QColor& color);

// Point size as the settings store it (at 96 pixels per inch, rounded), and the negative pixel
// height of the logical-font convention.
int32_t FontPointSize(const QFont& font);
int32_t FontHeight(const QFont& font);
void SetFontPointSize(QFont& font, int32_t points);
// Negative: character height in pixels; positive: cell height; 0 leaves the size alone.
void SetFontHeight(QFont& font, int32_t height);
// 0 default, 1 variable, 2 fixed.
void SetFontPitch(QFont& font, int32_t pitch);
int32_t FontPitch(const QFont& font);

// The subtitle label's font and colour from the "Font" section: name, colour, size, height,
// pitch in that order, then the style rebuilt from the four flags.
void ApplyFontSettings(const FontSettings& settings, QFont& font, QColor& color);

// The full-screen record built from the settings and the label font they produced.
LogFont BuildFullScreenFont(const FontSettings& settings, const QFont& labelFont);

// The "Font" section as the configuration dialog stores it: name, colour, size, height and
// pitch from the subtitle label's font, the three flags from the full-screen record, and bold
// when its weight is above 600. A label font whose only face is the default stores no name.
FontSettings FontSettingsOf(const QFont& labelFont, const QColor& color, const LogFont& fullScreen);

// A drawable font from the record.
QFont FontFromLogFont(const LogFont& record);

}  // namespace orvalen

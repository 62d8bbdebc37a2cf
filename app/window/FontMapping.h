#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <string>

#include "playback/SubtitleFont.h"
#include "settings/Settings.h"

namespace orvalen {

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

// The window's font built from the settings and the label font they produced.
SubtitleFont BuildFullScreenFont(const FontSettings& settings, const QFont& labelFont);

// The window's font from a font chosen in the font dialog, with the height it was chosen at.
SubtitleFont SubtitleFontOf(const QFont& chosen, int32_t height);

// The "Font" section as the configuration dialog stores it: name, colour, size, height and
// pitch from the subtitle label's font, the three flags from the window's font, and bold
// when its weight is above 600. A label font whose only face is the default stores no name.
FontSettings FontSettingsOf(const QFont& labelFont, const QColor& color,
                            const SubtitleFont& fullScreen);

// The full-screen band's drawable font.
QFont BandFont(const SubtitleFont& font);

// Gives the label's font the face, height, pitch and style of the window's font; its size in
// points stays the caller's.
void StyleLabelFont(const SubtitleFont& font, QFont& label);

}  // namespace orvalen

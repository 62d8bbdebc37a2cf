#pragma once

#include <QIcon>
#include <QImage>
#include <optional>

class QAction;

namespace orvalen {

// The main window's drawn images, 16 by 16. Blank draws nothing.
enum class Glyph {
    Forward,
    Pause,
    Play,
    Backward,
    Stop,
    Open,
    FullScreen,
    Exit,
    Configuration,
    Fonts,
    Blank,
    Save,
    Merge,
    OpenSubtitleFile,
    Resynchronisation,
    SoundOn,
    SoundOff,
};
constexpr int GlyphCount = static_cast<int>(Glyph::SoundOff) + 1;

// The image drawn for a screen of ratio device pixels per pixel (16 * ratio pixels a side).
QImage GlyphImage(Glyph glyph, qreal ratio = 1.0);
QIcon GlyphIcon(Glyph glyph);

// Gives an action the glyph's image and remembers the glyph.
void SetGlyph(QAction* action, Glyph glyph);
// Nothing when the action has no image.
std::optional<Glyph> GlyphOf(const QAction* action);

}  // namespace orvalen

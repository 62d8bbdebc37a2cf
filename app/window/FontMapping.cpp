#include "app/window/FontMapping.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace orvalen {

namespace {

// The stored sizes were made at 96 pixels per inch; fonts are sized in pixels so that they
// look the same whatever the screen reports.
constexpr int kStoredDpi = 96;

int32_t MulDivRounded(int64_t value, int64_t mul, int64_t div) {
    const int64_t product = value * mul;
    const int64_t half = div / 2;
    return static_cast<int32_t>(product >= 0 ? (product + half) / div : (product - half) / div);
}

}  // namespace

QString DefaultSansFamily() {
    static const QString family = [] {
        for (const char* candidate : {"DejaVu Sans", "Liberation Sans", "Noto Sans"}) {
            if (QFontDatabase::hasFamily(candidate)) return QString(candidate);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QColor ColorFromSetting(int32_t color) {
    const auto value = static_cast<uint32_t>(color);
    if ((value >> 24) == 0x01) return QColor(Qt::black);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int32_t ColorToSetting(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                                (static_cast<uint32_t>(rgb.green()) << 8) |
                                (static_cast<uint32_t>(rgb.blue()) << 16));
}

QColor VisibleOnBlack(const QColor& color) {
    const QColor rgb = color.toRgb();
    if (rgb.red() == 0 && rgb.green() == 0 && rgb.blue() == 0) return QColor(Qt::white);
    return color;
}

int32_t FontPointSize(const QFont& font) {
    if (font.pixelSize() > 0) return MulDivRounded(font.pixelSize(), 72, kStoredDpi);
    return static_cast<int32_t>(std::lround(font.pointSizeF()));
}

int32_t FontHeight(const QFont& font) {
    if (font.pixelSize() > 0) return -font.pixelSize();
    return -MulDivRounded(static_cast<int64_t>(std::lround(font.pointSizeF())), kStoredDpi, 72);
}

void SetFontPointSize(QFont& font, int32_t points) {
    if (points <= 0) return;
    const int32_t pixels = MulDivRounded(std::min(points, 1000), kStoredDpi, 72);
    font.setPixelSize(std::max(pixels, 1));
}

void SetFontHeight(QFont& font, int32_t height) {
    if (height == 0) return;
    if (height < 0) {
        font.setPixelSize(static_cast<int>(std::min<int64_t>(-static_cast<int64_t>(height), 1000)));
        return;
    }
    // A cell height includes the internal leading: scale the character height down by the
    // face's own ratio of em size to line height.
    const int cell = std::min(height, 1000);
    font.setPixelSize(cell);
    const int lineHeight = QFontMetrics(font).height();
    if (lineHeight > cell) font.setPixelSize(std::max(1, cell * cell / lineHeight));
}

void SetFontPitch(QFont& font, int32_t pitch) {
    switch (pitch & 0x3) {
        case 1:
            font.setFixedPitch(false);
            break;
        case 2:
            font.setFixedPitch(true);
            font.setStyleHint(QFont::Monospace);
            break;
        default:
            break;
    }
}

int32_t FontPitch(const QFont& font) {
    if (!(font.resolveMask() & QFont::FixedPitchResolved)) return 0;
    return font.fixedPitch() ? 2 : 1;
}

void ApplyFontSettings(const FontSettings& settings, QFont& font, QColor& color) {
    if (settings.Name.empty()) {
        font.setFamilies({DefaultSansFamily()});
    } else {
        font.setFamilies({QString::fromStdString(settings.Name), DefaultSansFamily()});
    }
    color = ColorFromSetting(settings.Color);
    SetFontPointSize(font, settings.Size);
    SetFontHeight(font, settings.Height);
    SetFontPitch(font, settings.Pitch);
    font.setItalic(settings.Italic);
    font.setUnderline(settings.Underline);
    font.setStrikeOut(settings.StrikeOut);
    font.setBold(settings.Bold);
}

SubtitleFont BuildFullScreenFont(const FontSettings& settings, const QFont& labelFont) {
    SubtitleFont record;
    record.Weight = settings.Bold ? 800 : 400;
    record.Height = FontHeight(labelFont);
    record.PitchAndFamily = static_cast<uint8_t>(settings.Pitch);
    SetFaceName(record, labelFont.families().isEmpty()
                            ? labelFont.family().toStdString()
                            : labelFont.families().front().toStdString());
    record.Italic = settings.Italic ? 1 : 0;
    record.Underline = settings.Underline ? 1 : 0;
    record.StrikeOut = settings.StrikeOut ? 1 : 0;
    return record;
}

FontSettings FontSettingsOf(const QFont& labelFont, const QColor& color,
                            const SubtitleFont& fullScreen) {
    FontSettings settings;
    const QStringList families = labelFont.families();
    if (families.size() > 1) settings.Name = families.front().toStdString();
    settings.Color = ColorToSetting(color);
    settings.Size = FontPointSize(labelFont);
    settings.Height = FontHeight(labelFont);
    settings.Pitch = FontPitch(labelFont);
    settings.Italic = fullScreen.Italic != 0;
    settings.Underline = fullScreen.Underline != 0;
    settings.StrikeOut = fullScreen.StrikeOut != 0;
    settings.Bold = fullScreen.Weight > 600;
    return settings;
}

QFont BandFont(const SubtitleFont& record) {
    QFont font;
    const std::string face = FaceNameOf(record);
    if (face.empty()) {
        font.setFamilies({DefaultSansFamily()});
    } else {
        font.setFamilies({QString::fromStdString(face), DefaultSansFamily()});
    }
    if (record.Height != 0) {
        SetFontHeight(font, record.Height);
    } else {
        SetFontPointSize(font, 10);
    }
    SetFontPitch(font, record.PitchAndFamily);
    font.setWeight(record.Weight == 0
                       ? QFont::Normal
                       : static_cast<QFont::Weight>(std::clamp<int32_t>(record.Weight, 1, 1000)));
    font.setItalic(record.Italic != 0);
    font.setUnderline(record.Underline != 0);
    font.setStrikeOut(record.StrikeOut != 0);
    return font;
}

SubtitleFont SubtitleFontOf(const QFont& chosen, int32_t height) {
    SubtitleFont font;
    SetFaceName(font, chosen.family().toStdString());
    font.Height = height;
    font.Weight = chosen.weight();
    font.Italic = chosen.italic() ? 1 : 0;
    font.Underline = chosen.underline() ? 1 : 0;
    font.StrikeOut = chosen.strikeOut() ? 1 : 0;
    font.PitchAndFamily = static_cast<uint8_t>(FontPitch(chosen));
    return font;
}

void StyleLabelFont(const SubtitleFont& font, QFont& label) {
    label.setFamilies({QString::fromStdString(FaceNameOf(font)), DefaultSansFamily()});
    SetFontHeight(label, font.Height);
    SetFontPitch(label, font.PitchAndFamily);
    label.setItalic(font.Italic != 0);
    label.setUnderline(font.Underline != 0);
    label.setStrikeOut(font.StrikeOut != 0);
    label.setBold(font.Weight > 600);
}

}  // namespace orvalen

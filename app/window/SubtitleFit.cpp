#include "app/window/SubtitleFit.h"

#include <QFontInfo>
#include <QLabel>
#include <algorithm>

namespace orvalen {

int FittingPixelSize(int nominal, int room, const std::function<int(int)>& heightAt) {
    if (nominal <= kSmallestSubtitlePixels) return nominal;
    // A size taller than the room cannot fit: the search starts no higher.
    int size = std::clamp(room, kSmallestSubtitlePixels, nominal);
    while (size > kSmallestSubtitlePixels && heightAt(size) > room) --size;
    return size;
}

QFont AtPixelSize(QFont font, int pixelSize) {
    font.setPixelSize(std::max(pixelSize, 1));
    return font;
}

void FitLabelText(QLabel& label, const QString& html, int room) {
    const int width = label.width();
    const int nominal = QFontInfo(label.font()).pixelSize();
    const auto heightAt = [&](int size) {
        label.setText(
            size == nominal || html.isEmpty()
                ? html
                : QStringLiteral("<div style=\"font-size:%1px\">%2</div>").arg(size).arg(html));
        return label.heightForWidth(width);
    };
    const int size = FittingPixelSize(nominal, room, heightAt);
    heightAt(size);
    label.resize(width, std::max(label.heightForWidth(width), label.fontMetrics().height()));
}

}  // namespace orvalen

#pragma once

#include <QFont>
#include <QString>
#include <functional>

class QLabel;

namespace orvalen {

// Subtitles too tall for their room shrink one pixel at a time, never below this size.
constexpr int kSmallestSubtitlePixels = 10;

// The largest size from nominal down to kSmallestSubtitlePixels at which heightAt(size) is at
// most room; the smallest when none is. A nominal size already below it is kept.
int FittingPixelSize(int nominal, int room, const std::function<int(int)>& heightAt);

// font drawn pixelSize pixels high, its face and style kept.
QFont AtPixelSize(QFont font, int pixelSize);

// Shows html in label, wrapped at its width, in the label's font or as much smaller as it takes
// to be at most room high; the label's height follows the text and its font stays as it is.
void FitLabelText(QLabel& label, const QString& html, int room);

}  // namespace orvalen

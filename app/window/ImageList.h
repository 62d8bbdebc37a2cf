#pragma once

#include <QIcon>
#include <QImage>

class QAction;

namespace orvalen {

// The main window's images, 16 by 16, by index: 0 forward, 1 pause, 2 play, 3 backward,
// 4 stop, 5 open, 6 full screen, 7 exit, 8 configuration, 9 fonts, 10 none, 11 save,
// 12 merge, 13 open subtitle file, 14 resynchronisation, 15 sound on, 16 sound off.
constexpr int ImageCount = 17;

// The image drawn for a screen of ratio device pixels per pixel (16 * ratio pixels a side).
QImage ImageListImage(int index, qreal ratio = 1.0);
QIcon ImageListIcon(int index);

// Gives an action the image of that index and remembers the index.
void SetImageIndex(QAction* action, int index);
// -1 when the action has no image.
int ImageIndex(const QAction* action);

}  // namespace orvalen

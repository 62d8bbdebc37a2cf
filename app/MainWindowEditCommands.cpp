#include "app/MainWindow.h"

namespace orvalen {

// Resynchronisation, merge and save are not built yet; their menu items are disabled.

void MainWindow::StartResynchronisation() {}

void MainWindow::StartMerge() {}

void MainWindow::SaveSubtitles() {}

void MainWindow::PreviewKey(char&) {}

}  // namespace orvalen

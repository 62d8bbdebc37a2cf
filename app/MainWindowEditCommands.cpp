#include "app/MainWindow.h"

namespace orvalen {

// Resynchronisation, merge and save are not built yet; their menu items are disabled.

void MainWindow::StartResynchronisation() {}

void MainWindow::StartMerge() {}

void MainWindow::SaveSubtitles() {}

bool MainWindow::OnSpaceBar() {
    return false;
}

void MainWindow::PreviewKey(char& key) {
    if (key == ' ' && OnSpaceBar()) key = 0;
}

}  // namespace orvalen

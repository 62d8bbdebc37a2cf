#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "app/window/MainWindow.h"
#include "app/window/SubtitleListWindow.h"

namespace orvalen {

namespace {

constexpr int kBesideGap = 8;

}  // namespace

void MainWindow::TrackChanged() {
    view_.ShownLine = -1;
    ui_.SubtitleList->Reload();
}

void MainWindow::CreateSubtitleList() {
    ui_.SubtitleList = new SubtitleListWindow(subtitles_, this);
    connect(ui_.SubtitleList, &SubtitleListWindow::LineChosen, this,
            [this](int row) { GoToSubtitle(row); });
    connect(ui_.SubtitleList, &SubtitleListWindow::Closed, this,
            [this] { ui_.Action(WindowAction::SubtitleList)->setChecked(false); });
    ui_.TimingMessageTimer = new QTimer(this);
    ui_.TimingMessageTimer->setSingleShot(true);
    connect(ui_.TimingMessageTimer, &QTimer::timeout, this, &MainWindow::HideTimingMessage);
}

void MainWindow::ToggleSubtitleList() {
    const bool show = ui_.SubtitleList->isHidden();
    view_.SubtitleListUsed = true;
    ui_.Action(WindowAction::SubtitleList)->setChecked(show);
    ui_.SubtitleList->setVisible(show);
    if (show) ui_.SubtitleList->raise();
}

SubtitleListSettings MainWindow::SubtitleListPlace() const {
    const QRect place = ui_.SubtitleList->geometry();
    return {ui_.Action(WindowAction::SubtitleList)->isChecked(), place.x(), place.y(),
            place.width(), place.height()};
}

void MainWindow::PlaceSubtitleList(const SubtitleListSettings& list) {
    ui_.Action(WindowAction::SubtitleList)->setChecked(list.Shown);
    const QSize size(std::clamp(list.Width, 0, 8192), std::clamp(list.Height, 0, 8192));
    const QRect kept(QPoint(list.Left, list.Top), size);
    // A place on no screen (one since unplugged) is not kept.
    if (!size.isEmpty() && QGuiApplication::screenAt(kept.center())) {
        ui_.SubtitleList->setGeometry(kept);
        return;
    }
    ui_.SubtitleList->move(x() + WindowWidth() + kBesideGap, y());
}

}  // namespace orvalen

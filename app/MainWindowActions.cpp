#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QToolBar>
#include <array>

#include "app/ImageList.h"
#include "app/MainWindow.h"
#include "app/VideoPanel.h"
#include "app/WindowActions.h"

namespace orvalen {

namespace {

using A = WindowAction;
using P = ActionPlace;
using W = MainWindow;

// Resynchronisation, merge and save are not built yet: their items exist but cannot be chosen.
const ActionRow kRows[] = {
    {P::FileMenu, A::OpenFilm, "Open", "Open a movie", Qt::CTRL | Qt::Key_O, 5, &W::OpenFilm},
    {P::FileMenu, A::CloseFilm, "Close", "Close the opened movie", {}, -1, &W::CloseFilm},
    {P::FileMenu, A::Quit, "Exit", "Exit Orvalen", Qt::CTRL | Qt::Key_Q, 7, &W::Quit},
    {P::ViewMenu, A::FullScreen, "Full Screen", "Play the movie in fullscreen",
     Qt::ALT | Qt::Key_Return, 6, &W::ToggleFullScreen},
    {P::ViewMenu, A::Separator},
    {P::ViewMenu,
     A::ToolBar,
     "ToolBar",
     "Show/Hide the Toolbar",
     {},
     -1,
     &W::ToggleToolBar,
     A::Separator,
     true,
     true},
    {P::ViewMenu,
     A::StatusBar,
     "Status Bar",
     "Show/Hide the Status Bar",
     {},
     -1,
     &W::ToggleStatusBar,
     A::Separator,
     true,
     true},
    {P::ViewMenu, A::Separator},
    {P::ViewMenu, A::Configuration, "Configuration", "Display the configuration window for Orvalen",
     Qt::ALT | Qt::Key_O, 8, &W::ShowConfiguration},
    {P::CommandMenu, A::Play, "Play", "Play the movie", {}, 2, &W::Play},
    {P::CommandMenu, A::Stop, "Stop", "Stop playing", {}, 4, &W::Stop},
    {P::CommandMenu, A::Pause, "Pause", "Pause", {}, 1, &W::Pause},
    {P::CommandMenu, A::FastForward, "Forward", "Play 2x", {}, 0, &W::FastForward},
    {P::CommandMenu, A::BackOneMinute, "Backward", "Back 1 minute", {}, 3, &W::BackOneMinute},
    {P::SubtitlesMenu,
     A::OpenSubtitleFile,
     "Open another file",
     "Open another subtitle file",
     {},
     13,
     &W::OpenSubtitleFile},
    {P::SubtitlesMenu, A::Resynchronisation, "Resynchronisation", "Resynchronize a subtitle",
     Qt::CTRL | Qt::Key_R, 14, &W::StartResynchronisation, A::Separator, false},
    {P::SubtitlesMenu, A::Merge, "Merge a file", "Merge a subtitle file", Qt::CTRL | Qt::Key_M, 12,
     &W::StartMerge, A::Separator, false},
    {P::SubtitlesMenu, A::Save, "Save", "Save the subtitle in SubRip (.srt) format",
     Qt::CTRL | Qt::Key_S, 11, &W::SaveSubtitles, A::Separator, false},
    {P::SubtitlesMenu,
     A::Fonts,
     "Fonts",
     "Configure the font of the subtitles",
     {},
     9,
     &W::ChooseSubtitleFont},
    // The found subtitle files are added after this separator.
    {P::SubtitlesMenu, A::Separator},
    {P::MenuBar, A::About, "&About ...", nullptr, {}, -1, &W::ShowAbout},
    {P::Popup, A::PopupPlayPause, "Play", "Play/Pause the movie", {}, 2, &W::TogglePlayPause},
    {P::Popup, A::PopupStop, "Stop", "Stop playing", {}, 4, &W::Stop},
    {P::Popup, A::Separator},
    {P::Popup,
     A::PopupFullScreen,
     "Full Screen",
     "Play the movie in fullscreen",
     {},
     6,
     &W::ToggleFullScreen},
    // The found subtitle files are added after this separator.
    {P::Popup, A::Separator},
    {P::ToolBar,
     A::OpenFilmButton,
     "Ouvrir un fichier Vidéo",
     "Ouvrir un fichier Vidéo",
     {},
     5,
     nullptr,
     A::OpenFilm},
    {P::ToolBar, A::QuitButton, "Quitter Orvalen", "Quitter Orvalen", {}, 7, nullptr, A::Quit},
    {P::ToolBar, A::Separator},
    {P::ToolBar,
     A::ConfigurationButton,
     "Affiche la fenêtre de configuration de Orvalen",
     "Affiche la fenêtre de configuration de Orvalen",
     {},
     8,
     nullptr,
     A::Configuration},
    {P::ToolBar, A::Separator},
    {P::ToolBar,
     A::BackOneMinuteButton,
     "Retour Rapide",
     "Retour Rapide",
     {},
     3,
     nullptr,
     A::BackOneMinute},
    {P::ToolBar,
     A::PlayButton,
     "Lecture du fichier Vidéo",
     "Lecture du fichier Vidéo",
     {},
     2,
     nullptr,
     A::Play},
    {P::ToolBar, A::PauseButton, "Pause", "Pause", {}, 1, nullptr, A::Pause},
    {P::ToolBar,
     A::StopButton,
     "Arrêt de la lecture",
     "Arrêt de la lecture",
     {},
     4,
     nullptr,
     A::Stop},
    {P::ToolBar,
     A::FastForwardButton,
     "Avance Rapide",
     "Avance Rapide",
     {},
     0,
     nullptr,
     A::FastForward},
    {P::ToolBar, A::PositionSlider},
    {P::ToolBar, A::Separator},
    {P::ToolBar, A::MuteButton, "Sound On/Off", "Sound On/Off", {}, 15, &W::ToggleMute},
};

}  // namespace

const char* MenuTitle(ActionPlace menu) {
    switch (menu) {
        case P::FileMenu:
            return "&File";
        case P::ViewMenu:
            return "&View";
        case P::CommandMenu:
            return "&Command";
        case P::SubtitlesMenu:
            return "&Subtitles";
        default:
            return "";
    }
}

std::span<const ActionRow> WindowActionTable() {
    return kRows;
}

QAction* MainWindow::Widgets::Action(WindowAction id) const {
    const auto index = static_cast<size_t>(id);
    return index < Actions.size() ? Actions[index] : nullptr;
}

void MainWindow::CreateActions() {
    ui_.PopupMenu = new QMenu(this);
    std::array<QMenu*, 4> menus{};
    const auto container = [&](ActionPlace place) -> QWidget* {
        switch (place) {
            case P::MenuBar:
                return menuBar();
            case P::Popup:
                return ui_.PopupMenu;
            case P::ToolBar:
                return ui_.ToolBar;
            default:
                QMenu*& menu = menus[static_cast<size_t>(place)];
                if (!menu) menu = menuBar()->addMenu(MenuTitle(place));
                return menu;
        }
    };

    for (const ActionRow& row : kRows) {
        QWidget* owner = container(row.Place);
        if (row.Id == A::PositionSlider) {
            ui_.ToolBar->addWidget(ui_.PositionSlider);
            continue;
        }
        auto* action = new QAction(QString::fromUtf8(row.Caption ? row.Caption : ""), owner);
        action->setSeparator(row.Id == A::Separator);
        owner->addAction(action);
        if (row.Id == A::Separator) continue;
        if (row.Hint) {
            action->setStatusTip(QString::fromUtf8(row.Hint));
            action->setToolTip(QString::fromUtf8(row.Hint));
        }
        if (row.Image >= 0) SetImageIndex(action, row.Image);
        if (row.Shortcut.key() != Qt::Key_unknown && row.Shortcut.toCombined() != 0) {
            action->setShortcut(QKeySequence(row.Shortcut));
        }
        action->setCheckable(row.Checkable);
        action->setEnabled(row.Enabled);
        ui_.Actions[static_cast<size_t>(row.Id)] = action;
        if (row.Handler) {
            const auto handler = row.Handler;
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
    }
    // A button without a handler runs its menu item; every menu item exists by now.
    for (const ActionRow& row : kRows) {
        if (row.Handler || row.Forward == A::Separator) continue;
        connect(ui_.Action(row.Id), &QAction::triggered, ui_.Action(row.Forward),
                &QAction::trigger);
    }
    ui_.FileMenu = menus[static_cast<size_t>(P::FileMenu)];
    ui_.ViewMenu = menus[static_cast<size_t>(P::ViewMenu)];
    ui_.CommandMenu = menus[static_cast<size_t>(P::CommandMenu)];
    ui_.SubtitlesMenu = menus[static_cast<size_t>(P::SubtitlesMenu)];

    for (QWidget* owner : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui_.VideoArea),
                           static_cast<QWidget*>(ui_.SubtitleLabel)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { ui_.PopupMenu->popup(owner->mapToGlobal(at)); });
    }
    connect(ui_.PopupMenu, &QMenu::aboutToShow, this, [this] { UpdatePopupMenu(); });
    connect(ui_.PositionSlider, &QSlider::valueChanged, this, [this] { OnPositionSliderMoved(); });
}

}  // namespace orvalen

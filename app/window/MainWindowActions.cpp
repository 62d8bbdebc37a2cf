#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QToolBar>
#include <array>

#include "app/window/ImageList.h"
#include "app/window/MainWindow.h"
#include "app/window/VideoPanel.h"
#include "app/window/WindowActions.h"

namespace orvalen {

namespace {

using A = WindowAction;
using P = ActionPlace;
using W = MainWindow;
using G = Glyph;
using Handler = void (MainWindow::*)();

constexpr QKeyCombination kNone{};
constexpr std::optional<Glyph> kNoGlyph;

ActionRow Item(P place, A id, const char* caption, const char* hint, QKeyCombination shortcut,
               std::optional<Glyph> image, Handler handler) {
    return {place, id, caption, hint, shortcut, image, handler};
}

ActionRow CheckItem(P place, A id, const char* caption, const char* hint, Handler handler) {
    ActionRow row = Item(place, id, caption, hint, kNone, kNoGlyph, handler);
    row.Checkable = true;
    return row;
}

ActionRow Submenu(P place, A id, const char* caption, const char* hint) {
    ActionRow row = Item(place, id, caption, hint, kNone, kNoGlyph, nullptr);
    row.Submenu = true;
    return row;
}

// A tool bar button shows its hint as its text.
ActionRow Button(A id, const char* hint, Glyph image, A forward) {
    ActionRow row = Item(P::ToolBar, id, hint, hint, kNone, image, nullptr);
    row.Forward = forward;
    return row;
}

ActionRow Separator(P place) {
    return {place, A::Separator};
}

const ActionRow kRows[] = {
    Item(P::FileMenu, A::OpenFilm, "Open", "Open a movie", Qt::CTRL | Qt::Key_O, G::Open,
         &W::OpenFilm),
    Item(P::FileMenu, A::CloseFilm, "Close", "Close the opened movie", kNone, kNoGlyph,
         &W::CloseFilm),
    Item(P::FileMenu, A::Quit, "Exit", "Exit Orvalen", Qt::CTRL | Qt::Key_Q, G::Exit, &W::Quit),

    Item(P::ViewMenu, A::FullScreen, "Full Screen", "Play the movie in fullscreen",
         Qt::ALT | Qt::Key_Return, G::FullScreen, &W::ToggleFullScreen),
    Separator(P::ViewMenu),
    CheckItem(P::ViewMenu, A::ToolBar, "ToolBar", "Show/Hide the Toolbar", &W::ToggleToolBar),
    CheckItem(P::ViewMenu, A::StatusBar, "Status Bar", "Show/Hide the Status Bar",
              &W::ToggleStatusBar),
    Separator(P::ViewMenu),
    Item(P::ViewMenu, A::Configuration, "Configuration",
         "Display the configuration window for Orvalen", Qt::ALT | Qt::Key_O, G::Configuration,
         &W::ShowConfiguration),

    Item(P::CommandMenu, A::Play, "Play", "Play the movie", kNone, G::Play, &W::Play),
    Item(P::CommandMenu, A::Stop, "Stop", "Stop playing", kNone, G::Stop, &W::Stop),
    Item(P::CommandMenu, A::Pause, "Pause", "Pause", kNone, G::Pause, &W::Pause),
    Item(P::CommandMenu, A::FastForward, "Forward", "Play 2x", kNone, G::Forward, &W::FastForward),
    Item(P::CommandMenu, A::BackOneMinute, "Backward", "Back 1 minute", kNone, G::Backward,
         &W::BackOneMinute),

    Item(P::SubtitlesMenu, A::OpenSubtitleFile, "Open another file", "Open another subtitle file",
         kNone, G::OpenSubtitleFile, &W::OpenSubtitleFile),
    Item(P::SubtitlesMenu, A::Resynchronisation, "Resynchronisation", "Resynchronize a subtitle",
         Qt::CTRL | Qt::Key_R, G::Resynchronisation, &W::StartResynchronisation),
    Item(P::SubtitlesMenu, A::Merge, "Merge a file", "Merge a subtitle file", Qt::CTRL | Qt::Key_M,
         G::Merge, &W::StartMerge),
    Item(P::SubtitlesMenu, A::Save, "Save", "Save the subtitle in SubRip (.srt) format",
         Qt::CTRL | Qt::Key_S, G::Save, &W::SaveSubtitles),
    Item(P::SubtitlesMenu, A::Fonts, "Fonts", "Configure the font of the subtitles", kNone,
         G::Fonts, &W::ChooseSubtitleFont),
    Submenu(P::SubtitlesMenu, A::Encoding, "Encoding", "Choose the encoding of the subtitle texts"),
    // The found subtitle files are added after this separator.
    Separator(P::SubtitlesMenu),

    Item(P::MenuBar, A::About, "&About ...", nullptr, kNone, kNoGlyph, &W::ShowAbout),

    Item(P::Popup, A::PopupPlayPause, "Play", "Play/Pause the movie", kNone, G::Play,
         &W::TogglePlayPause),
    Item(P::Popup, A::PopupStop, "Stop", "Stop playing", kNone, G::Stop, &W::Stop),
    Separator(P::Popup),
    Item(P::Popup, A::PopupFullScreen, "Full Screen", "Play the movie in fullscreen", kNone,
         G::FullScreen, &W::ToggleFullScreen),
    // The found subtitle files are added after this separator.
    Separator(P::Popup),

    Button(A::OpenFilmButton, "Ouvrir un fichier Vidéo", G::Open, A::OpenFilm),
    Button(A::QuitButton, "Quitter Orvalen", G::Exit, A::Quit),
    Separator(P::ToolBar),
    Button(A::ConfigurationButton, "Affiche la fenêtre de configuration de Orvalen",
           G::Configuration, A::Configuration),
    Separator(P::ToolBar),
    Button(A::BackOneMinuteButton, "Retour Rapide", G::Backward, A::BackOneMinute),
    Button(A::PlayButton, "Lecture du fichier Vidéo", G::Play, A::Play),
    Button(A::PauseButton, "Pause", G::Pause, A::Pause),
    Button(A::StopButton, "Arrêt de la lecture", G::Stop, A::Stop),
    Button(A::FastForwardButton, "Avance Rapide", G::Forward, A::FastForward),
    {P::ToolBar, A::PositionSlider},
    Separator(P::ToolBar),
    Item(P::ToolBar, A::MuteButton, "Sound On/Off", "Sound On/Off", kNone, G::SoundOn,
         &W::ToggleMute),
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
        const QString caption = QString::fromUtf8(row.Caption ? row.Caption : "");
        QAction* action =
            row.Submenu ? (new QMenu(caption, owner))->menuAction() : new QAction(caption, owner);
        action->setSeparator(row.Id == A::Separator);
        owner->addAction(action);
        if (row.Id == A::Separator) continue;
        if (row.Hint) {
            action->setStatusTip(QString::fromUtf8(row.Hint));
            action->setToolTip(QString::fromUtf8(row.Hint));
        }
        if (row.Image) SetGlyph(action, *row.Image);
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
    CreateEncodingMenu(ui_.Action(A::Encoding)->menu());

    for (QWidget* owner : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui_.VideoArea),
                           static_cast<QWidget*>(ui_.SubtitleLabel)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { ui_.PopupMenu->popup(owner->mapToGlobal(at)); });
    }
    connect(ui_.PopupMenu, &QMenu::aboutToShow, this, [this] { UpdatePopupMenu(); });
    connect(ui_.PositionSlider, &QSlider::actionTriggered, this,
            [this] { OnPositionSliderMoved(); });
}

}  // namespace orvalen

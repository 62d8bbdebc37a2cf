#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QToolBar>
#include <array>

#include "app/window/FullScreenView.h"
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

// The submenu of the item shown, once more, in place.
ActionRow SameSubmenu(P place, A id, A shown) {
    ActionRow row = Submenu(place, id, nullptr, nullptr);
    row.Forward = shown;
    return row;
}

ActionRow FilmItem(P place, A id, const char* caption, const char* hint, QKeyCombination shortcut,
                   Handler handler) {
    ActionRow row = Item(place, id, caption, hint, shortcut, kNoGlyph, handler);
    row.NeedsFilm = true;
    row.Enabled = false;
    return row;
}

ActionRow ShortcutCheckItem(P place, A id, const char* caption, const char* hint,
                            QKeyCombination shortcut, Handler handler) {
    ActionRow row = CheckItem(place, id, caption, hint, handler);
    row.Shortcut = shortcut;
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
    ShortcutCheckItem(P::ViewMenu, A::SubtitleList, "Subtitle List",
                      "Show/Hide the list of every subtitle", Qt::Key_F9, &W::ToggleSubtitleList),
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
    Separator(P::CommandMenu),
    FilmItem(P::CommandMenu, A::PreviousSubtitle, "Previous subtitle",
             "Go to the start of the previous subtitle", Qt::CTRL | Qt::Key_Left,
             &W::GoToPreviousSubtitle),
    FilmItem(P::CommandMenu, A::NextSubtitle, "Next subtitle",
             "Go to the start of the next subtitle", Qt::CTRL | Qt::Key_Right,
             &W::GoToNextSubtitle),
    FilmItem(P::CommandMenu, A::RepeatSubtitle, "Repeat this subtitle",
             "Go back to the start of this subtitle", Qt::CTRL | Qt::Key_Down, &W::RepeatSubtitle),
    FilmItem(P::CommandMenu, A::CopySubtitle, "Copy this subtitle",
             "Copy the text of this subtitle", Qt::CTRL | Qt::Key_C, &W::CopySubtitle),

    Item(P::SubtitlesMenu, A::OpenSubtitleFile, "Open another file", "Open another subtitle file",
         kNone, G::OpenSubtitleFile, &W::OpenSubtitleFile),
    Item(P::SubtitlesMenu, A::OpenSecondSubtitles, "Second subtitles...",
         "Show a second subtitle file above the first", kNone, kNoGlyph, &W::OpenSecondSubtitles),
    Submenu(P::SubtitlesMenu, A::SecondSubtitles, "Second subtitles",
            "Show another subtitle file of the film above the first"),
    Item(P::SubtitlesMenu, A::NoSecondSubtitles, "No second subtitles",
         "Remove the second subtitles", kNone, kNoGlyph, &W::RemoveSecondSubtitles),
    Item(P::SubtitlesMenu, A::SecondEarlier, "Second subtitles earlier",
         "Show the second subtitles 100 ms earlier", Qt::ALT | Qt::Key_G, kNoGlyph,
         &W::SecondSubtitlesEarlier),
    Item(P::SubtitlesMenu, A::SecondLater, "Second subtitles later",
         "Show the second subtitles 100 ms later", Qt::ALT | Qt::Key_H, kNoGlyph,
         &W::SecondSubtitlesLater),
    Item(P::SubtitlesMenu, A::Resynchronisation, "Resynchronisation", "Resynchronize a subtitle",
         Qt::CTRL | Qt::Key_R, G::Resynchronisation, &W::StartResynchronisation),
    Item(P::SubtitlesMenu, A::SoundSync, "Synchronise with the sound",
         "Synchronise the subtitles with the speech of the film", Qt::CTRL | Qt::SHIFT | Qt::Key_R,
         kNoGlyph, &W::SynchroniseWithSound),
    Item(P::SubtitlesMenu, A::UndoSync, "Undo synchronisation",
         "Put the subtitles back as they were before the last synchronisation",
         Qt::CTRL | Qt::Key_Z, kNoGlyph, &W::UndoSynchronisation),
    Item(P::SubtitlesMenu, A::Merge, "Merge a file", "Merge a subtitle file", Qt::CTRL | Qt::Key_M,
         G::Merge, &W::StartMerge),
    Item(P::SubtitlesMenu, A::Save, "Save", "Save the subtitle in SubRip (.srt) format",
         Qt::CTRL | Qt::Key_S, G::Save, &W::SaveSubtitles),
    Item(P::SubtitlesMenu, A::SaveAs, "Save As...",
         "Save the subtitles as SubRip, WebVTT, SubStation Alpha or MicroDVD",
         Qt::CTRL | Qt::SHIFT | Qt::Key_S, G::Save, &W::SaveSubtitlesAs),
    Item(P::SubtitlesMenu, A::Fonts, "Fonts", "Configure the font of the subtitles", kNone,
         G::Fonts, &W::ChooseSubtitleFont),
    Submenu(P::SubtitlesMenu, A::Encoding, "Encoding", "Choose the encoding of the subtitle texts"),
    Submenu(P::SubtitlesMenu, A::Timing, "Timing", "Move the subtitles in time"),
    FilmItem(P::TimingMenu, A::Earlier, "Earlier", "Show every subtitle 100 ms earlier", Qt::Key_G,
             &W::ShowSubtitlesEarlier),
    FilmItem(P::TimingMenu, A::Later, "Later", "Show every subtitle 100 ms later", Qt::Key_H,
             &W::ShowSubtitlesLater),
    FilmItem(P::TimingMenu, A::MuchEarlier, "Earlier by 1 s", "Show every subtitle 1 s earlier",
             Qt::SHIFT | Qt::Key_G, &W::ShowSubtitlesMuchEarlier),
    FilmItem(P::TimingMenu, A::MuchLater, "Later by 1 s", "Show every subtitle 1 s later",
             Qt::SHIFT | Qt::Key_H, &W::ShowSubtitlesMuchLater),
    FilmItem(P::TimingMenu, A::NextStartsNow, "The next subtitle starts now",
             "Move the subtitles so that the next one starts now",
             Qt::CTRL | Qt::SHIFT | Qt::Key_Right, &W::StartNextSubtitleNow),
    FilmItem(P::TimingMenu, A::PreviousStartsNow, "The previous subtitle starts now",
             "Move the subtitles so that the previous one starts now",
             Qt::CTRL | Qt::SHIFT | Qt::Key_Left, &W::StartPreviousSubtitleNow),
    Separator(P::TimingMenu),
    FilmItem(P::TimingMenu, A::ResetTiming, "Reset timing", "Show the subtitles at their own times",
             kNone, &W::ResetTiming),
    // The found subtitle files are added after this separator.
    Separator(P::SubtitlesMenu),

    Item(P::MenuBar, A::About, "&About ...", nullptr, kNone, kNoGlyph, &W::ShowAbout),

    Item(P::Popup, A::PopupPlayPause, "Play", "Play/Pause the movie", kNone, G::Play,
         &W::TogglePlayPause),
    Item(P::Popup, A::PopupStop, "Stop", "Stop playing", kNone, G::Stop, &W::Stop),
    Separator(P::Popup),
    Item(P::Popup, A::PopupFullScreen, "Full Screen", "Play the movie in fullscreen", kNone,
         G::FullScreen, &W::ToggleFullScreen),
    SameSubmenu(P::Popup, A::PopupTiming, A::Timing),
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

void MainWindow::EnableFilmItems() {
    view_.FilmItemsEnabled = film_.Open;
    for (const ActionRow& row : kRows) {
        if (row.NeedsFilm) ui_.Action(row.Id)->setEnabled(film_.Open);
    }
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
            case P::TimingMenu:
                return ui_.Action(A::Timing)->menu();
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
        QAction* action = nullptr;
        if (row.Submenu && row.Forward != A::Separator) {
            action = ui_.Action(row.Forward);
        } else if (row.Submenu) {
            action = (new QMenu(caption, owner))->menuAction();
        } else {
            action = new QAction(caption, owner);
        }
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
        if (row.NeedsFilm) ui_.FullScreenWindow->addAction(action);
        ui_.Actions[static_cast<size_t>(row.Id)] = action;
        if (row.Handler) {
            const auto handler = row.Handler;
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
    }
    // A button without a handler runs its menu item; every menu item exists by now.
    for (const ActionRow& row : kRows) {
        if (row.Handler || row.Submenu || row.Forward == A::Separator) continue;
        connect(ui_.Action(row.Id), &QAction::triggered, ui_.Action(row.Forward),
                &QAction::trigger);
    }
    ui_.FileMenu = menus[static_cast<size_t>(P::FileMenu)];
    ui_.ViewMenu = menus[static_cast<size_t>(P::ViewMenu)];
    ui_.CommandMenu = menus[static_cast<size_t>(P::CommandMenu)];
    ui_.SubtitlesMenu = menus[static_cast<size_t>(P::SubtitlesMenu)];
    CreateEncodingMenu(ui_.Action(A::Encoding)->menu());
    QMenu* second = ui_.Action(A::SecondSubtitles)->menu();
    connect(second, &QMenu::aboutToShow, this, [this, second] { FillSecondSubtitlesMenu(second); });

    for (QWidget* owner : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui_.VideoArea),
                           static_cast<QWidget*>(ui_.SubtitleLabel),
                           static_cast<QWidget*>(ui_.SecondSubtitleLabel)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { ui_.PopupMenu->popup(owner->mapToGlobal(at)); });
    }
    connect(ui_.PopupMenu, &QMenu::aboutToShow, this, [this] { UpdatePopupMenu(); });
    connect(ui_.PositionSlider, &QSlider::actionTriggered, this,
            [this] { OnPositionSliderMoved(); });
}

}  // namespace orvalen

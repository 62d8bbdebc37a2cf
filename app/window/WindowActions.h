#pragma once

#include <QKeyCombination>
#include <cstddef>
#include <optional>
#include <span>

#include "app/window/ImageList.h"

namespace orvalen {

class MainWindow;

// Every command item of the main window's menus, popup menu and tool bar.
enum class WindowAction {
    OpenFilm,
    CloseFilm,
    Quit,
    FullScreen,
    ToolBar,
    StatusBar,
    Configuration,
    Play,
    Stop,
    Pause,
    FastForward,
    BackOneMinute,
    OpenSubtitleFile,
    Resynchronisation,
    Merge,
    Save,
    Fonts,
    Encoding,
    About,
    PopupPlayPause,
    PopupStop,
    PopupFullScreen,
    OpenFilmButton,
    QuitButton,
    ConfigurationButton,
    BackOneMinuteButton,
    PlayButton,
    PauseButton,
    StopButton,
    FastForwardButton,
    MuteButton,
    // Not items: a separator, and the place of the position slider in the tool bar.
    Separator,
    PositionSlider,
};
constexpr size_t WindowActionCount = static_cast<size_t>(WindowAction::Separator);

// Where an item goes. The menus appear in the menu bar in this order, the About item after
// them.
enum class ActionPlace { FileMenu, ViewMenu, CommandMenu, SubtitlesMenu, MenuBar, Popup, ToolBar };

// One item: where it goes (in table order), what it shows and what it runs. A tool bar button
// without a handler runs the menu item Forward, as a click on that item would.
struct ActionRow {
    ActionPlace Place;
    WindowAction Id;
    const char* Caption = nullptr;
    const char* Hint = nullptr;  // status bar and tool tip; none when null
    QKeyCombination Shortcut{};
    std::optional<Glyph> Image = std::nullopt;
    void (MainWindow::*Handler)() = nullptr;
    WindowAction Forward = WindowAction::Separator;
    bool Enabled = true;
    bool Checkable = false;
    bool Submenu = false;  // the item opens a menu of its own, filled by the window
};

// The menu titles, indexed by the menus' ActionPlace.
const char* MenuTitle(ActionPlace menu);

// The main window's items in the order they are shown.
std::span<const ActionRow> WindowActionTable();

}  // namespace orvalen

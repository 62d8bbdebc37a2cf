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
    SubtitleList,
    Configuration,
    Play,
    Stop,
    Pause,
    FastForward,
    BackOneMinute,
    OpenSubtitleFile,
    Resynchronisation,
    SoundSync,
    UndoSync,
    Merge,
    Save,
    SaveAs,
    Fonts,
    Encoding,
    Timing,
    Earlier,
    Later,
    MuchEarlier,
    MuchLater,
    NextStartsNow,
    PreviousStartsNow,
    ResetTiming,
    PreviousSubtitle,
    NextSubtitle,
    RepeatSubtitle,
    CopySubtitle,
    OpenSecondSubtitles,
    SecondSubtitles,
    NoSecondSubtitles,
    SecondEarlier,
    SecondLater,
    About,
    PopupPlayPause,
    PopupStop,
    PopupFullScreen,
    PopupTiming,
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
// them; the Timing submenu's items are in the Subtitles menu and in the popup menu.
enum class ActionPlace {
    FileMenu,
    ViewMenu,
    CommandMenu,
    SubtitlesMenu,
    MenuBar,
    Popup,
    ToolBar,
    TimingMenu
};

// One item: where it goes (in table order), what it shows and what it runs. A tool bar button
// without a handler runs the menu item Forward, as a click on that item would; a submenu with
// a Forward is that item's submenu shown once more. An item that needs a film is disabled
// without one, and its shortcut also works in full screen.
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
    bool NeedsFilm = false;
};

// The menu titles, indexed by the menus' ActionPlace.
const char* MenuTitle(ActionPlace menu);

// The main window's items in the order they are shown.
std::span<const ActionRow> WindowActionTable();

}  // namespace orvalen

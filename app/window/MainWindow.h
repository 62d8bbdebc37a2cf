#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/window/FontMapping.h"
#include "app/window/PlayerControl.h"
#include "app/window/SubtitleLabel.h"
#include "app/window/WindowActions.h"
#include "discovery/SubtitleSearch.h"
#include "media/MediaControl.h"
#include "media/MediaDevice.h"
#include "media/RenderPath.h"
#include "playback/FilmState.h"
#include "playback/FullScreenBand.h"
#include "playback/SubtitleFont.h"
#include "playback/SubtitleState.h"
#include "resync/ResyncUndo.h"
#include "settings/Settings.h"
#include "subtitles/Parser.h"
#include "subtitles/SubtitleTrack.h"

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QSlider;
class QTimer;
class QToolBar;
class QUrl;

namespace orvalen {

namespace testing {
class MainWindowProbe;
}

class AboutDialog;
class ConfigDialog;
class DesktopSession;
class FullScreenView;
class GpuPicture;
class ReferenceDialog;
class SoundSyncRunner;
class StatusBar;
class SubtitleChoiceDialog;
class SubtitleListWindow;
class VideoPanel;

// The dialogs the main window opens; they are its children.
struct MainWindowDialogs {
    ConfigDialog* Configuration = nullptr;
    SubtitleChoiceDialog* SubtitleChoice = nullptr;
    ReferenceDialog* Reference = nullptr;
    AboutDialog* About = nullptr;
};

// Answers the loader's frame-rate question from the media layer.
class MediaFrameRates : public FrameRateProvider {
  public:
    explicit MediaFrameRates(MediaControl& media) : media_(media) {}
    int32_t GetFrameRate(const std::string& moviePath) override {
        return media_.GetFrameRate(moviePath);
    }

  private:
    MediaControl& media_;
};

// The main window: the film, its subtitles, the menus, the tool bar and the status bar. It
// shows and forwards; the film and subtitle state live in Qt-free objects it owns. The
// desktop's media controls reach it as a PlayerControl.
class MainWindow : public QMainWindow, public PlayerControl {
    Q_OBJECT
  public:
    // The window drives device; commandLine holds the program's parameters (the first names
    // a film to open when the window is first shown).
    explicit MainWindow(std::unique_ptr<MediaDevice> device, QStringList commandLine = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Hands the window the dialogs its commands open. A dialog it lacks is not shown (the
    // subtitle choice dialog is then made on first use) and the settings are the defaults.
    // The configuration dialog's font button runs ChooseSubtitleFont, its sample shows the
    // subtitle font, and its OK stores SubtitleFontSettings().
    void UseDialogs(const MainWindowDialogs& dialogs);

    // Draws the film on path, before the first film opens. A GPU path that cannot start, or
    // that fails later, gives way to the software path with one line on standard error.
    void UseRenderPath(RenderPath path);
    RenderPath RenderPathInUse() const;
    // "render path: gpu, frames dropped: 3": how the open film has been drawn.
    std::string RenderingReport() const;

    const FilmState& Film() const { return film_; }
    const SubtitleState& Subtitles() const { return subtitles_; }
    // The search and display settings of the configuration dialog, read at each use.
    const Settings& CurrentSettings() const;

    // Opens the command line's film the first time the window is shown.
    void OpenCommandLineFilm();
    // Opens a film, reads its length, finds its subtitles, fits the window and plays; a film
    // that will not open changes nothing. Shared by the command-line film and Open.
    void OpenAndPlay(const std::string& path);
    // The window's paint after full screen has ended resumes windowed playback.
    void ResumeAfterFullScreen();
    // Key preview: sees every key typed in the window before the focused control. Setting
    // key to 0 swallows it.
    void PreviewKey(char& key);
    // Files dropped on the window: one film opens as Open would, one subtitle file (of a
    // searched extension) loads as Open another file would; anything else is refused with a
    // message. With asSecond (Shift held) a subtitle file loads as the second subtitles.
    void DropFiles(const QList<QUrl>& files, bool asSecond = false);

    // Answers the desktop's media controls (MPRIS) and keeps the screen on while a film
    // plays. The program calls it once; without a session bus the player stays silent.
    void JoinDesktop();
    // What the desktop's media controls ask and read besides the commands below.
    void PlayPause() override;
    void SeekTo(int32_t ms) override;
    int32_t PositionMs() override;
    int32_t LengthMs() override;
    std::string Path() override;
    std::string Title() override;
    PlaybackState State() override;
    double Rate() override;
    void SetRate(double rate) override;
    double Volume() override;
    void SetVolume(double volume) override;
    void Raise() override;

    // The playback clock.
    void OnClockTick();
    void ResyncIndex();

    // Commands (menus, tool bar, popup menu).
    void OpenFilm();
    void CloseFilm();
    void Quit() override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void FastForward();
    void BackOneMinute();
    void ToggleFullScreen();
    void OnPositionSliderMoved();
    void UpdatePopupMenu();
    void TogglePlayPause();
    void ToggleToolBar();
    void ToggleStatusBar();
    void ToggleMute();
    void ChooseSubtitleFont();
    void ShowAbout();
    void ShowConfiguration();
    void FitToVideo();
    void OpenSubtitleFile();
    void LoadFoundSubtitleFile(QAction* item);
    void StartResynchronisation();
    void StartMerge();
    void SaveSubtitles();
    // A file dialog of the save formats; the extension typed, else the type chosen, decides.
    void SaveSubtitlesAs();
    // The second subtitles, shown above the first: chosen in a file dialog or among the found
    // files, or dropped with Shift; removed; moved 100 ms earlier or later.
    void OpenSecondSubtitles();
    void LoadSecondSubtitleFile(const std::string& path);
    void RemoveSecondSubtitles();
    void SecondSubtitlesEarlier();
    void SecondSubtitlesLater();
    // Aligns the track on the film's speech behind a progress dialog; applies the result only
    // when the confidence is high enough, else offers the four-point resynchronisation.
    void SynchroniseWithSound();
    // Puts the track back as before the last resynchronisation, automatic or four-point.
    void UndoSynchronisation();
    // The Encoding submenu: shows the track's texts in encoding at once, until the next load
    // into the track; empty goes back to the detected one.
    void ChooseEncoding(const std::string& encoding);
    // A space-bar press: a mark of a waiting resynchronisation, else the anchor of a waiting
    // merge, else nothing. The key is not consumed.
    void OnSpaceBar();

    // The Timing submenu: each moves every subtitle of the track, shows the new offset over
    // the picture and in the status bar for a while, and has it remembered for the file.
    void ShowSubtitlesEarlier();
    void ShowSubtitlesLater();
    void ShowSubtitlesMuchEarlier();
    void ShowSubtitlesMuchLater();
    void StartNextSubtitleNow();
    void StartPreviousSubtitleNow();
    void ResetTiming();
    // Line by line: play from the start of the previous, the next or the current subtitle.
    void GoToPreviousSubtitle();
    void GoToNextSubtitle();
    void RepeatSubtitle();
    // The subtitle on screen, without markup, to the clipboard.
    void CopySubtitle();
    void ToggleSubtitleList();
    // Plays from the start of the track's subtitle index.
    void GoToSubtitle(int32_t index);
    // Everything that shows the track follows a change of it: whole, or only its times.
    void TrackChanged();

    // Finds the film's subtitle files, offers them in the menus, lets the user choose and
    // loads the chosen one into the track.
    void SubtitleSearch(const std::string& moviePath);
    // Loads path into track (the track or the merge track) and updates the window: status
    // panel 4 and the index of the track.
    LoadReport LoadSubtitleFile(const std::string& path, SubtitleTrack& track);

    // Full screen: the film fills the screen and the clock draws subtitles in the band.
    // Leaving it (Escape, double click, Alt+Enter) repaints this window, whose paint then
    // resumes windowed playback.
    void ShowFullScreen();
    void LeaveFullScreen();

    // The subtitle font as the "Font" section stores it.
    FontSettings SubtitleFontSettings() const;

    // The subtitle label's font colour.
    QColor SubtitleLabelColor() const;
    void SetSubtitleLabelColor(const QColor& color);

    // The window's outer size as the sizing rules count it; the client area is this size
    // less the frame allowance below.
    static constexpr int FrameAllowanceWidth = 4;
    static constexpr int FrameAllowanceHeight = 30;
    int WindowWidth() const;
    int WindowHeight() const;
    void SetWindowWidth(int width);
    void SetWindowHeight(int height);

    // The window's own controls. The menus, the popup menu and the tool bar are built from
    // WindowActionTable(); Action finds an item by its id.
    struct Widgets {
        QWidget* ClientArea = nullptr;  // below the menu bar
        QToolBar* ToolBar = nullptr;
        QSlider* PositionSlider = nullptr;
        VideoPanel* VideoArea = nullptr;
        QWidget* SubtitlePanel = nullptr;
        orvalen::SubtitleLabel* SubtitleLabel = nullptr;
        QLabel* SecondSubtitleLabel = nullptr;  // above SubtitleLabel, shown with a second file
        StatusBar* StatusArea = nullptr;
        FullScreenView* FullScreenWindow = nullptr;  // the full-screen picture and band
        QFileDialog* OpenFileDialog = nullptr;
        QFileDialog* SaveFileDialog = nullptr;
        QFileDialog* SaveAsFileDialog = nullptr;
        QTimer* ClockTimer = nullptr;
        QMenu* FileMenu = nullptr;
        QMenu* ViewMenu = nullptr;
        QMenu* CommandMenu = nullptr;
        QMenu* SubtitlesMenu = nullptr;
        QMenu* PopupMenu = nullptr;
        QMenu* EncodingMenu = nullptr;  // "Automatic (...)", a separator, EncodingChoices()
        SubtitleListWindow* SubtitleList = nullptr;
        QTimer* TimingMessageTimer = nullptr;  // hides the offset's message
        std::array<QAction*, WindowActionCount> Actions{};

        QAction* Action(WindowAction id) const;
    };

    // What the window remembers between commands besides the film and its subtitles.
    struct ViewState {
        bool FullScreenPlaying = false;
        bool SliderMovedByUser = false;
        int32_t LastSliderPosition = 0;
        bool FirstShow = true;
        bool Muted = false;
        // The sound level the desktop set, 0 to 1; Muted silences it without changing it.
        double Volume = 1.0;
        // The popup's first item pauses (it offered Pause when the menu opened) or plays.
        bool PopupOffersPause = false;
        // The media mode last read as a playback state; a seek under way keeps it.
        PlaybackState Playback = PlaybackState::Stopped;
        SubtitleFont FullScreenFont{};
        ScreenRect FullScreenRect;
        // The track's subtitle on screen, -1 for none.
        int32_t ShownLine = -1;
        bool FilmItemsEnabled = false;
        // The track's offset changed since it was last written to the state file.
        bool OffsetUnsaved = false;
        // The subtitle list was shown this session: its keys are written at exit.
        bool SubtitleListUsed = false;
        // What the status bar's message panel showed before the offset's message.
        QString MessageBeforeTiming;
        // The subtitle font as chosen; the label shows it scaled when the size follows the
        // picture.
        QFont ChosenLabelFont;
    };

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    friend class testing::MainWindowProbe;

    void CreateControls();
    // Builds the menus, the popup menu and the tool bar from WindowActionTable().
    void CreateActions();
    void CreateEncodingMenu(QMenu* menu);
    // The Automatic item names the detected encoding; the item in use is checked.
    void UpdateEncodingMenu();
    // Open's steps once a film is chosen.
    void OpenChosenFilm(const QString& path);
    // The start-up steps after the controls exist: state, bars and font from Config.ini, the
    // clock started.
    void LoadStartState();
    // The steps before the window goes: the film closed, the bars stored in Config.ini.
    void CloseFilmAndSaveBars();
    void LayOutClient();
    // The label's and the band's fonts (and the band's height) from the chosen fonts, scaled
    // to the picture shown when the setting asks for it.
    void ApplySubtitleScale();
    void SetChosenLabelFont(const QFont& font);
    // The subtitle panel five times the label font's point size high (above 8 points).
    void FitSubtitlePanel();
    // The window's frame (0 until a window manager has framed it) and menu bar around the
    // client area.
    QSize OutsideClientArea() const;
    // The largest picture the screen's available area leaves room for.
    QSize PictureRoom() const;
    // Moves the window back inside the screen's available area where it sticks out.
    void KeepOnScreen();
    void OnFrameReady();
    // The frame-ready call of either path, on the window's thread.
    void ForwardFrameReady();
    void FallBackToSoftware(const char* why);
    void ShowSubtitleText(std::string_view text);
    // Shows the label's text in the room the subtitle panel leaves it.
    void FitSubtitleLabel();
    // Blanks the label and the full-screen band.
    void ClearSubtitleText();
    // Status panel 4 and the message box of a resynchronisation or merge step.
    void ShowEditStep(const EditStep& step);
    // Shows the label's text again after the way it is decoded has changed.
    void RefreshSubtitleText();
    // The items that need a film follow whether one is open.
    void EnableFilmItems();
    void CreateSubtitleList();
    // Moves the track so that its offset changes by change (0: it did not), and says so.
    void ShowTimingChange(int32_t change);
    void HideTimingMessage();
    // Writes the track's offset to the state file if it has changed.
    void RememberTrackOffset();
    // After a load into the track: its file's remembered offset applied.
    void RestoreTrackOffset();
    // The list window's visibility and place, as Config.ini keeps them; with no place kept it
    // goes beside this window.
    SubtitleListSettings SubtitleListPlace() const;
    void PlaceSubtitleList(const SubtitleListSettings& list);
    int32_t CurrentDelay() const;
    void FillSecondSubtitlesMenu(QMenu* menu);
    void ShowSecondText(std::string_view text);
    // The subtitle panel's extra line for the second subtitles: 0 without them.
    int SecondLineHeight() const;
    // Grows or shrinks the panel and the window by that line; the picture keeps its size.
    void SetSecondLine(bool shown);
    void StepSecondOffset(int32_t step);

    QStringList commandLine_;
    FilmState film_;
    SubtitleState subtitles_;
    ViewState view_;
    std::unique_ptr<MediaDevice> device_;
    MediaControl media_;
    MediaFrameRates frameRates_;
    Widgets ui_;
    MainWindowDialogs dialogs_;
    // What the subtitle label shows, to skip decoding and relayout when nothing has changed.
    struct ShownSubtitle {
        std::string Text;
        std::string Encoding;
        std::string ChosenEncoding;
        MarkupFamily Markup = MarkupFamily::Plain;
        // True when text, read as subtitles reads it now, is what was last shown; compared in
        // place, as the clock asks at every tick.
        bool Shows(std::string_view text, const SubtitleState& subtitles) const {
            return Text == text && Encoding == subtitles.Track.Encoding &&
                   ChosenEncoding == subtitles.ChosenEncoding && Markup == subtitles.Markup;
        }
        static ShownSubtitle Of(std::string_view text, const SubtitleState& subtitles) {
            return {std::string(text), subtitles.Track.Encoding, subtitles.ChosenEncoding,
                    subtitles.Markup};
        }
    };
    // What the label and the full-screen band last showed, so that a tick showing the same
    // text neither decodes nor lays it out again.
    ShownSubtitle shown_;
    ShownSubtitle bandShown_;
    std::string secondShown_;
    std::string bandSecondShown_;
    // The label's text at the label's own font size.
    QString labelHtml_;
    std::atomic<bool> frameUpdatePending_{false};
    std::unique_ptr<DesktopSession> desktop_;
    std::unique_ptr<GpuPicture> gpuPicture_;  // while the GPU path draws
    ResyncUndo undo_;
    SoundSyncRunner* soundSync_ = nullptr;
};

}  // namespace orvalen

#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/FontMapping.h"
#include "discovery/SubtitleSearch.h"
#include "media/MediaControl.h"
#include "media/MediaDevice.h"
#include "playback/FullScreenBand.h"
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

class ConfigDialog;
class FullScreenView;
class StatusBar;
class VideoPanel;

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

// The main window: the film, its subtitles, the menus, the tool bar and the status bar, and
// every piece of state that outlives one command. Commands and other windows reach the
// fields and controls directly.
class TFiche : public QMainWindow {
    Q_OBJECT
  public:
    // The window drives device; commandLine holds the program's parameters (the first names
    // a film to open when the window is first shown).
    explicit TFiche(std::unique_ptr<MediaDevice> device, QStringList commandLine = {},
                    QWidget* parent = nullptr);
    ~TFiche() override;

    // Events.
    void FormCreate();
    void FormShow();
    // Opens a film, reads its length, finds its subtitles, fits the window and plays; a film
    // that will not open changes nothing. Shared by the command-line film and Open.
    void OpenAndPlay(const std::string& path);
    void FormPaint();
    void FormDestroy();
    // Key preview: sees every key typed in the window before the focused control. Setting
    // key to 0 swallows it.
    void FormKeyPress(char& key);
    // Files dropped on the window.
    void DropFiles(const QList<QUrl>& files);

    // The playback clock.
    void Timer1Timer();
    void ResyncIndex();

    // Commands (menus, tool bar, popup menu).
    void OuvrirClick();
    void FermerClick();
    void QuitterClick();
    void LectureClick();
    void PauseClick();
    void StopClick();
    void AvanceRapideClick();
    void RetourClick();
    void FullscreenClick();
    void SliderChange();
    void PopupMenuPopup();
    void PopupLecPauseClick();
    void PopupStopClick();
    void PopupFullscreenClick();
    void BarreOutilClick();
    void StateBarreClick();
    void SndButtonClick();
    void Polices1Click();
    void Apropos1Click();
    void ConfigurationClick();
    void FitToVideo();
    void OpenSubFileClick();
    void SubtitlesItemsClick(QAction* item);
    void AutoResyncClick();
    void MergeFileClick();
    void SauvegarderClick();

    // Finds the film's subtitle files, offers them in the menus, lets the user choose and
    // loads the chosen one into Track.
    void SubtitleSearch(const std::string& moviePath);
    // Loads path into track and updates the window: status panel 4 and the index of Track.
    LoadReport LoadSubtitleFile(const std::string& path, SubtitleTrack& track);

    // Full screen: the film fills the screen and the clock draws subtitles in FullScreenRect.
    // Leaving it (Escape, double click, Alt+Enter) repaints this window, whose paint then
    // resumes windowed playback.
    void ShowFullScreen();
    void LeaveFullScreen();

    // The search and display settings of the configuration dialog, read at each use.
    const Settings& CurrentSettings() const;

    // The subtitle label's font colour.
    QColor SousTitreColor() const;
    void SetSousTitreColor(const QColor& color);

    // The window's outer size as the sizing rules count it; the client area is this size
    // less the frame allowance below.
    static constexpr int FrameAllowanceWidth = 4;
    static constexpr int FrameAllowanceHeight = 30;
    int WindowWidth() const;
    int WindowHeight() const;
    void SetWindowWidth(int width);
    void SetWindowHeight(int height);

    // The parameters of the command line (without the program's name).
    QStringList CommandLine;

    // State.
    bool MovieOpen = false;
    bool FullScreenPlaying = false;
    LoaderState Loader;  // FrameRate, SubtitleFormatUnknown and MoviePath, shared with loads
    bool& SubtitleFormatUnknown;
    bool SliderMovedByUser = false;
    int32_t LastSliderPosition = 0;
    bool ResyncActive = false;
    bool MergeActive = false;
    bool FirstShow = true;
    int32_t& FrameRate;
    int32_t ResyncCount = 0;
    std::array<int32_t, 4> ResyncMarks{};
    std::array<std::string, MaxFoundSubtitleFiles> FoundSubtitleFiles;
    std::string& MoviePath;
    int32_t FoundSubtitleCount = 0;
    LogFont FullScreenFont{};
    FullScreenView* ScreenDC = nullptr;  // the full-screen picture and subtitle band
    ScreenRect FullScreenRect;
    SubtitleTrack Track;
    SubtitleTrack MergeTrack;

    // The media layer.
    std::unique_ptr<MediaDevice> Device;
    MediaControl Media;
    MediaFrameRates FrameRates;

    // Controls.
    QWidget* Client = nullptr;  // the client area below the menu bar
    QToolBar* ToolBar = nullptr;
    QAction* ButtonOpen = nullptr;
    QAction* ToolButton1 = nullptr;
    QAction* ToolButton8 = nullptr;
    QAction* ButtonPref = nullptr;
    QAction* ToolButton5 = nullptr;
    QAction* ButtonBackward = nullptr;
    QAction* ButtonPlay = nullptr;
    QAction* ButtonPause = nullptr;
    QAction* ButtonStop = nullptr;
    QAction* ButtonForward = nullptr;
    QSlider* Slider = nullptr;
    QAction* ToolButton3 = nullptr;
    QAction* SndButton = nullptr;
    VideoPanel* Displayer = nullptr;
    QWidget* LowPanel = nullptr;
    QLabel* SousTitre = nullptr;
    StatusBar* Status = nullptr;
    QFileDialog* OpenDialog = nullptr;
    QFileDialog* SaveDialog = nullptr;
    QTimer* Timer1 = nullptr;

    QMenu* MenuFichier = nullptr;
    QAction* Ouvrir = nullptr;
    QAction* Fermer = nullptr;
    QAction* Quitter = nullptr;
    QMenu* MenuAffichage = nullptr;
    QAction* Fullscreen = nullptr;
    QAction* N4 = nullptr;
    QAction* BarreOutil = nullptr;
    QAction* StateBarre = nullptr;
    QAction* N5 = nullptr;
    QAction* Configuration = nullptr;
    QMenu* MenuCommandes = nullptr;
    QAction* Lecture = nullptr;
    QAction* Stop = nullptr;
    QAction* Pause = nullptr;
    QAction* AvanceRapide = nullptr;
    QAction* Retour = nullptr;
    QMenu* MenuSousTitre = nullptr;
    QAction* OpenSubFile = nullptr;
    QAction* AutoResync = nullptr;
    QAction* MergeFile = nullptr;
    QAction* Sauvegarder = nullptr;
    QAction* Polices1 = nullptr;
    QAction* N2 = nullptr;
    QAction* Apropos1 = nullptr;

    QMenu* PopupMenu = nullptr;
    QAction* PopupLecPause = nullptr;
    QAction* PopupStop = nullptr;
    QAction* N1 = nullptr;
    QAction* PopupFullscreen = nullptr;
    QAction* N3 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateControls();
    void CreateMenus();
    void CreateToolBar();
    void LayOutClient();
    void OnFrameReady();
    void ShowSubtitleText(std::string_view text);
    int32_t CurrentDelay() const;

    // The text last put in SousTitre, to skip decoding and relayout when it has not changed.
    std::string shownText_;
    std::string shownEncoding_;
    std::atomic<bool> frameUpdatePending_{false};
};

// The one main window.
extern TFiche* Fiche;
// The configuration dialog whose controls hold the live settings.
extern ConfigDialog* ConfigBox;

}  // namespace orvalen

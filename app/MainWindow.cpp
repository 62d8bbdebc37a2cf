#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolBar>

#include "app/ConfigDialog.h"
#include "app/FullScreenView.h"
#include "app/ImageList.h"
#include "app/MessageBox.h"
#include "app/StatusBar.h"
#include "app/VideoPanel.h"
#include "settings/IniFile.h"

namespace orvalen {

namespace {

constexpr int kClientWidth = 678;
constexpr int kClientHeight = 440;
constexpr int kLowPanelHeight = 58;
constexpr int kStatusHeight = 16;

QAction* MenuItem(QMenu* menu, const QString& caption, const QString& hint, int image = -1,
                  const QKeySequence& shortcut = {}) {
    QAction* item = menu->addAction(caption);
    item->setStatusTip(hint);
    item->setToolTip(hint);
    if (image >= 0) SetImageIndex(item, image);
    if (!shortcut.isEmpty()) item->setShortcut(shortcut);
    return item;
}

// The form's default font, "MS Sans Serif" at 11 pixels, has no Linux counterpart.
QFont FormFont() {
    QFont font(DefaultSansFamily());
    font.setPixelSize(11);
    return font;
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<MediaDevice> device, QStringList commandLine,
                       QWidget* parent)
    : QMainWindow(parent),
      CommandLine(std::move(commandLine)),
      SubtitleFormatUnknown(Loader.SubtitleFormatUnknown),
      FrameRate(Loader.FrameRate),
      MoviePath(Loader.MoviePath),
      Device(std::move(device)),
      Media(*Device),
      FrameRates(Media) {
    setWindowTitle("Orvalen");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFont(FormFont());
    CreateControls();
    CreateMenus();
    CreateToolBar();
    move(204, 192);
    LoadStartState();
}

MainWindow::~MainWindow() {
    CloseFilmAndSaveBars();
    // The device's picture must not outlive the widgets that show it, and its callback must
    // not reach a window being destroyed.
    Device->SetFrameReadyCallback({});
    Device->Shutdown();
    VideoArea->SetDevice(nullptr);
    FullScreenWindow->SetDevice(nullptr);
    Device.reset();
    qApp->removeEventFilter(this);
}

void MainWindow::UseDialogs(const MainWindowDialogs& dialogs) {
    dialogs_ = dialogs;
}

void MainWindow::CreateControls() {
    ClientArea = new QWidget(this);
    ClientArea->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(ClientArea);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    ToolBar = new QToolBar(ClientArea);
    ToolBar->setGeometry(0, 0, kClientWidth, 24);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);

    VideoArea = new VideoPanel(ClientArea);
    VideoArea->setGeometry(8, 32, 657, 337);
    VideoArea->SetDevice(Device.get());

    SubtitlePanel = new QWidget(ClientArea);
    SubtitlePanel->setAutoFillBackground(true);
    QPalette black = SubtitlePanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    SubtitlePanel->setPalette(black);
    SubtitlePanel->setGeometry(0, kClientHeight - kLowPanelHeight, kClientWidth, kLowPanelHeight);

    SubtitleLabel = new QLabel(SubtitlePanel);
    SubtitleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SubtitleLabel->setWordWrap(true);
    SubtitleLabel->setTextFormat(Qt::PlainText);
    SubtitleLabel->setAutoFillBackground(true);
    QFont labelFont(DefaultSansFamily());
    labelFont.setFamilies({"Arial", DefaultSansFamily()});
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    SubtitleLabel->setFont(labelFont);
    SetSubtitleLabelColor(Qt::white);

    StatusArea = new StatusBar(SubtitlePanel);

    OpenFileDialog = new QFileDialog(this);
    OpenFileDialog->setFileMode(QFileDialog::ExistingFile);
    OpenFileDialog->setNameFilter("Fichiers Vidéo (*.avi *.mpg *.divx)");
    SaveFileDialog = new QFileDialog(this);
    SaveFileDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveFileDialog->setNameFilter("Fichier SubRip (*.srt)");

    ClockTimer = new QTimer(this);
    ClockTimer->setInterval(50);
    connect(ClockTimer, &QTimer::timeout, this, &MainWindow::OnClockTick);

    FullScreenWindow = new FullScreenView(this);
    FullScreenWindow->SetDevice(Device.get());
    connect(FullScreenWindow, &FullScreenView::Left, this, [this] {
        activateWindow();
        update();
    });

    ClientArea->installEventFilter(this);
    SubtitlePanel->installEventFilter(this);
    LayOutClient();

    Device->SetFrameReadyCallback([this] {
        if (frameUpdatePending_.exchange(true)) return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                frameUpdatePending_ = false;
                OnFrameReady();
            },
            Qt::QueuedConnection);
    });
}

void MainWindow::CreateMenus() {
    FileMenu = menuBar()->addMenu("&File");
    OpenFilmItem =
        MenuItem(FileMenu, "Open", "Open a movie", 5, QKeySequence(Qt::CTRL | Qt::Key_O));
    CloseFilmItem = MenuItem(FileMenu, "Close", "Close the opened movie");
    QuitItem = MenuItem(FileMenu, "Exit", "Exit Orvalen", 7, QKeySequence(Qt::CTRL | Qt::Key_Q));

    ViewMenu = menuBar()->addMenu("&View");
    FullScreenItem = MenuItem(ViewMenu, "Full Screen", "Play the movie in fullscreen", 6,
                              QKeySequence(Qt::ALT | Qt::Key_Return));
    ViewBarsSeparator = ViewMenu->addSeparator();
    ToolBarItem = MenuItem(ViewMenu, "ToolBar", "Show/Hide the Toolbar");
    ToolBarItem->setCheckable(true);
    StatusBarItem = MenuItem(ViewMenu, "Status Bar", "Show/Hide the Status Bar");
    StatusBarItem->setCheckable(true);
    ViewConfigurationSeparator = ViewMenu->addSeparator();
    ConfigurationItem =
        MenuItem(ViewMenu, "Configuration", "Display the configuration window for Orvalen", 8,
                 QKeySequence(Qt::ALT | Qt::Key_O));

    CommandMenu = menuBar()->addMenu("&Command");
    PlayItem = MenuItem(CommandMenu, "Play", "Play the movie", 2);
    StopItem = MenuItem(CommandMenu, "Stop", "Stop playing", 4);
    PauseItem = MenuItem(CommandMenu, "Pause", "Pause", 1);
    FastForwardItem = MenuItem(CommandMenu, "Forward", "Play 2x", 0);
    BackOneMinuteItem = MenuItem(CommandMenu, "Backward", "Back 1 minute", 3);

    SubtitlesMenu = menuBar()->addMenu("&Subtitles");
    OpenSubtitleFileItem =
        MenuItem(SubtitlesMenu, "Open another file", "Open another subtitle file", 13);
    ResynchronisationItem = MenuItem(SubtitlesMenu, "Resynchronisation", "Resynchronize a subtitle",
                                     14, QKeySequence(Qt::CTRL | Qt::Key_R));
    MergeItem = MenuItem(SubtitlesMenu, "Merge a file", "Merge a subtitle file", 12,
                         QKeySequence(Qt::CTRL | Qt::Key_M));
    SaveItem = MenuItem(SubtitlesMenu, "Save", "Save the subtitle in SubRip (.srt) format", 11,
                        QKeySequence(Qt::CTRL | Qt::Key_S));
    FontsItem = MenuItem(SubtitlesMenu, "Fonts", "Configure the font of the subtitles", 9);
    SubtitleFilesSeparator = SubtitlesMenu->addSeparator();
    // Not built yet: the items exist but cannot be chosen.
    ResynchronisationItem->setEnabled(false);
    MergeItem->setEnabled(false);
    SaveItem->setEnabled(false);

    AboutItem = menuBar()->addAction("&About ...");

    PopupMenu = new QMenu(this);
    PopupPlayPauseItem = MenuItem(PopupMenu, "Play", "Play/Pause the movie", 2);
    PopupStopItem = MenuItem(PopupMenu, "Stop", "Stop playing", 4);
    PopupFullScreenSeparator = PopupMenu->addSeparator();
    PopupFullScreenItem = MenuItem(PopupMenu, "Full Screen", "Play the movie in fullscreen", 6);
    PopupFilesSeparator = PopupMenu->addSeparator();
    for (QWidget* owner : {static_cast<QWidget*>(this), static_cast<QWidget*>(VideoArea),
                           static_cast<QWidget*>(SubtitleLabel)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { PopupMenu->popup(owner->mapToGlobal(at)); });
    }

    connect(OpenFilmItem, &QAction::triggered, this, [this] { OpenFilm(); });
    connect(CloseFilmItem, &QAction::triggered, this, [this] { CloseFilm(); });
    connect(QuitItem, &QAction::triggered, this, [this] { Quit(); });
    connect(FullScreenItem, &QAction::triggered, this, [this] { ToggleFullScreen(); });
    connect(ToolBarItem, &QAction::triggered, this, [this] { ToggleToolBar(); });
    connect(StatusBarItem, &QAction::triggered, this, [this] { ToggleStatusBar(); });
    connect(ConfigurationItem, &QAction::triggered, this, [this] { ShowConfiguration(); });
    connect(PlayItem, &QAction::triggered, this, [this] { Play(); });
    connect(StopItem, &QAction::triggered, this, [this] { Stop(); });
    connect(PauseItem, &QAction::triggered, this, [this] { Pause(); });
    connect(FastForwardItem, &QAction::triggered, this, [this] { FastForward(); });
    connect(BackOneMinuteItem, &QAction::triggered, this, [this] { BackOneMinute(); });
    connect(OpenSubtitleFileItem, &QAction::triggered, this, [this] { OpenSubtitleFile(); });
    connect(ResynchronisationItem, &QAction::triggered, this, [this] { StartResynchronisation(); });
    connect(MergeItem, &QAction::triggered, this, [this] { StartMerge(); });
    connect(SaveItem, &QAction::triggered, this, [this] { SaveSubtitles(); });
    connect(FontsItem, &QAction::triggered, this, [this] { ChooseSubtitleFont(); });
    connect(AboutItem, &QAction::triggered, this, [this] { ShowAbout(); });
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] { UpdatePopupMenu(); });
    connect(PopupPlayPauseItem, &QAction::triggered, this, [this] { TogglePlayPause(); });
    connect(PopupStopItem, &QAction::triggered, this, [this] { StopFromPopup(); });
    connect(PopupFullScreenItem, &QAction::triggered, this,
            [this] { ToggleFullScreenFromPopup(); });
}

void MainWindow::CreateToolBar() {
    // Each button carries a menu item: a click runs that item's command.
    const auto button = [this](const QString& hint, int image, QAction* item) {
        QAction* action = ToolBar->addAction(hint);
        action->setToolTip(hint);
        action->setStatusTip(hint);
        SetImageIndex(action, image);
        connect(action, &QAction::triggered, item, &QAction::trigger);
        return action;
    };
    OpenFilmButton = button("Ouvrir un fichier Vidéo", 5, OpenFilmItem);
    QuitButton = button("Quitter Orvalen", 7, QuitItem);
    FileButtonsSeparator = ToolBar->addSeparator();
    ConfigurationButton =
        button("Affiche la fenêtre de configuration de Orvalen", 8, ConfigurationItem);
    TransportSeparator = ToolBar->addSeparator();
    BackOneMinuteButton = button("Retour Rapide", 3, BackOneMinuteItem);
    PlayButton = button("Lecture du fichier Vidéo", 2, PlayItem);
    PauseButton = button("Pause", 1, PauseItem);
    StopButton = button("Arrêt de la lecture", 4, StopItem);
    FastForwardButton = button("Avance Rapide", 0, FastForwardItem);

    PositionSlider = new QSlider(Qt::Horizontal);
    PositionSlider->setFixedSize(241, 22);
    PositionSlider->setRange(0, 1000);
    PositionSlider->setValue(0);
    PositionSlider->setTickPosition(QSlider::NoTicks);
    PositionSlider->setFocusPolicy(Qt::NoFocus);
    ToolBar->addWidget(PositionSlider);
    connect(PositionSlider, &QSlider::valueChanged, this, [this] { OnPositionSliderMoved(); });

    SoundSeparator = ToolBar->addSeparator();
    MuteButton = ToolBar->addAction("Sound On/Off");
    MuteButton->setToolTip("Sound On/Off");
    MuteButton->setStatusTip("Sound On/Off");
    SetImageIndex(MuteButton, 15);
    connect(MuteButton, &QAction::triggered, this, [this] { ToggleMute(); });
}

void MainWindow::LayOutClient() {
    const int width = ClientArea->width();
    const int lowHeight = SubtitlePanel->height();
    SubtitlePanel->setGeometry(0, ClientArea->height() - lowHeight, width, lowHeight);
    ToolBar->setGeometry(0, 0, width, 24);
    const int labelHeight =
        std::max(SubtitleLabel->heightForWidth(width), SubtitleLabel->fontMetrics().height());
    SubtitleLabel->setGeometry(0, 0, width, labelHeight);
    StatusArea->setGeometry(0, lowHeight - kStatusHeight, width, kStatusHeight);
    StatusArea->raise();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == ClientArea || watched == SubtitlePanel)) {
        LayOutClient();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        // Key preview: the first delivery goes to the focused control; the later deliveries of
        // the same key to its parents are not seen again.
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        if (watched == target && target && target->window() == this) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (text.size() == 1 && text[0].unicode() < 0x80) {
                char key = static_cast<char>(text[0].unicode());
                PreviewKey(key);
                if (key == 0) return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::LoadStartState() {
    IniFile ini(ConfigFilePath());
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->geometry().size() : QSize();
    FullScreenRect = FullScreenBand(desktop.width(), desktop.height());
    ResetTrack(Track);
    ResetTrack(MergeTrack);
    MovieOpen = false;
    FullScreenPlaying = false;
    SubtitleFormatUnknown = false;
    SliderMovedByUser = false;
    FirstShow = true;
    FrameRate = 0;
    MoviePath.clear();

    const BarSettings bars = ReadBarSettings(ini);
    StatusBarItem->setChecked(bars.StateBarre);
    StatusArea->setVisible(bars.StateBarre);
    ToolBarItem->setChecked(bars.ToolBarre);
    ToolBar->setVisible(bars.ToolBarre);

    const FontSettings fontSettings = ReadFontSettings(ini);
    QFont labelFont = SubtitleLabel->font();
    QColor labelColor;
    ApplyFontSettings(fontSettings, labelFont, labelColor);
    SubtitleLabel->setFont(labelFont);
    SetSubtitleLabelColor(labelColor);
    FullScreenFont = BuildFullScreenFont(fontSettings, labelFont);

    FullScreenWindow->SetBand(FullScreenRect);
    FullScreenWindow->SetBandFont(FontFromLogFont(FullScreenFont));
    FullScreenWindow->SetTextColor(labelColor);
    LayOutClient();

    setAcceptDrops(true);
    qApp->installEventFilter(this);
    ClockTimer->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // After the window is on screen, so that a dialog of the search opens over it.
    QMetaObject::invokeMethod(this, &MainWindow::OpenCommandLineFilm, Qt::QueuedConnection);
}

void MainWindow::OpenCommandLineFilm() {
    if (CommandLine.isEmpty() || !FirstShow) return;
    FirstShow = false;
    const std::string path = QFile::encodeName(CommandLine.front()).toStdString();
    OpenAndPlay(path);
}

void MainWindow::OpenAndPlay(const std::string& path) {
    if (!Media.OpenMovie(path)) return;
    MoviePath = path;
    const int32_t length = Media.GetLength();
    PositionSlider->setMaximum(length / 1000);
    PositionSlider->setValue(0);
    StatusArea->SetPanelText(2, QString::fromStdString(TimeText(length)));
    SubtitleSearch(path);
    FitToVideo();
    MovieOpen = true;
    Play();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    ResumeAfterFullScreen();
}

void MainWindow::ResumeAfterFullScreen() {
    // The window repaints while the full-screen view still covers the screen too (its own
    // controls change); only a paint after the view has gone means full screen has ended.
    if (!FullScreenPlaying || FullScreenWindow->isVisible()) return;
    Media.PlayMovie();
    FullScreenPlaying = false;
}

void MainWindow::CloseFilmAndSaveBars() {
    IniFile ini(ConfigFilePath());
    if (MovieOpen) Media.CloseAllDevices();
    const WriteOutcome outcome =
        WriteBarSettings(ini, BarSettings{StatusBarItem->isChecked(), ToolBarItem->isChecked()});
    if (!outcome.Ok) ShowMessage(this, QString::fromStdString(outcome.Message));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    DropFiles(event->mimeData()->urls());
}

void MainWindow::DropFiles(const QList<QUrl>&) {
    ShowMessage(this, "Sorry ! This function is not implemented yet.");
}

void MainWindow::ShowFullScreen() {
    FullScreenWindow->SetBand(FullScreenRect);
    FullScreenWindow->DrawBandText(QString());
    FullScreenWindow->Enter(QGuiApplication::primaryScreen());
}

void MainWindow::LeaveFullScreen() {
    FullScreenWindow->Leave();
}

void MainWindow::OnFrameReady() {
    if (FullScreenWindow->isVisible()) {
        FullScreenWindow->FrameReady();
    } else {
        VideoArea->FrameReady();
    }
}

const Settings& MainWindow::CurrentSettings() const {
    static const Settings defaults;
    return dialogs_.Configuration ? dialogs_.Configuration->CurrentSettings() : defaults;
}

QColor MainWindow::SubtitleLabelColor() const {
    return SubtitleLabel->property("orvalenFontColor").value<QColor>();
}

void MainWindow::SetSubtitleLabelColor(const QColor& color) {
    SubtitleLabel->setProperty("orvalenFontColor", color);
    QPalette palette = SubtitleLabel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, VisibleOnBlack(color));
    SubtitleLabel->setPalette(palette);
}

int MainWindow::WindowWidth() const {
    return ClientArea->width() + FrameAllowanceWidth;
}
int MainWindow::WindowHeight() const {
    return ClientArea->height() + FrameAllowanceHeight;
}

void MainWindow::SetWindowWidth(int width) {
    ClientArea->setFixedWidth(std::max(width - FrameAllowanceWidth, 100));
}

void MainWindow::SetWindowHeight(int height) {
    ClientArea->setFixedHeight(std::max(height - FrameAllowanceHeight, 100));
}

}  // namespace orvalen

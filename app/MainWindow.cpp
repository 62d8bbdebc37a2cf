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
      commandLine_(std::move(commandLine)),
      device_(std::move(device)),
      media_(*device_),
      frameRates_(media_) {
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
    device_->SetFrameReadyCallback({});
    device_->Shutdown();
    ui_.VideoArea->SetDevice(nullptr);
    ui_.FullScreenWindow->SetDevice(nullptr);
    device_.reset();
    qApp->removeEventFilter(this);
}

void MainWindow::UseDialogs(const MainWindowDialogs& dialogs) {
    dialogs_ = dialogs;
}

void MainWindow::CreateControls() {
    ui_.ClientArea = new QWidget(this);
    ui_.ClientArea->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(ui_.ClientArea);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    ui_.ToolBar = new QToolBar(ui_.ClientArea);
    ui_.ToolBar->setGeometry(0, 0, kClientWidth, 24);
    ui_.ToolBar->setIconSize(QSize(16, 16));
    ui_.ToolBar->setMovable(false);
    ui_.ToolBar->setFloatable(false);

    ui_.VideoArea = new VideoPanel(ui_.ClientArea);
    ui_.VideoArea->setGeometry(8, 32, 657, 337);
    ui_.VideoArea->SetDevice(device_.get());

    ui_.SubtitlePanel = new QWidget(ui_.ClientArea);
    ui_.SubtitlePanel->setAutoFillBackground(true);
    QPalette black = ui_.SubtitlePanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    ui_.SubtitlePanel->setPalette(black);
    ui_.SubtitlePanel->setGeometry(0, kClientHeight - kLowPanelHeight, kClientWidth,
                                   kLowPanelHeight);

    ui_.SubtitleLabel = new QLabel(ui_.SubtitlePanel);
    ui_.SubtitleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ui_.SubtitleLabel->setWordWrap(true);
    ui_.SubtitleLabel->setTextFormat(Qt::PlainText);
    ui_.SubtitleLabel->setAutoFillBackground(true);
    QFont labelFont(DefaultSansFamily());
    labelFont.setFamilies({"Arial", DefaultSansFamily()});
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    ui_.SubtitleLabel->setFont(labelFont);
    SetSubtitleLabelColor(Qt::white);

    ui_.StatusArea = new StatusBar(ui_.SubtitlePanel);

    ui_.OpenFileDialog = new QFileDialog(this);
    ui_.OpenFileDialog->setFileMode(QFileDialog::ExistingFile);
    ui_.OpenFileDialog->setNameFilter("Fichiers Vidéo (*.avi *.mpg *.divx)");
    ui_.SaveFileDialog = new QFileDialog(this);
    ui_.SaveFileDialog->setAcceptMode(QFileDialog::AcceptSave);
    ui_.SaveFileDialog->setNameFilter("Fichier SubRip (*.srt)");

    ui_.ClockTimer = new QTimer(this);
    ui_.ClockTimer->setInterval(50);
    connect(ui_.ClockTimer, &QTimer::timeout, this, &MainWindow::OnClockTick);

    ui_.FullScreenWindow = new FullScreenView(this);
    ui_.FullScreenWindow->SetDevice(device_.get());
    connect(ui_.FullScreenWindow, &FullScreenView::Left, this, [this] {
        activateWindow();
        update();
    });

    ui_.ClientArea->installEventFilter(this);
    ui_.SubtitlePanel->installEventFilter(this);
    LayOutClient();

    device_->SetFrameReadyCallback([this] {
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
    ui_.FileMenu = menuBar()->addMenu("&File");
    ui_.OpenFilmItem =
        MenuItem(ui_.FileMenu, "Open", "Open a movie", 5, QKeySequence(Qt::CTRL | Qt::Key_O));
    ui_.CloseFilmItem = MenuItem(ui_.FileMenu, "Close", "Close the opened movie");
    ui_.QuitItem =
        MenuItem(ui_.FileMenu, "Exit", "Exit Orvalen", 7, QKeySequence(Qt::CTRL | Qt::Key_Q));

    ui_.ViewMenu = menuBar()->addMenu("&View");
    ui_.FullScreenItem = MenuItem(ui_.ViewMenu, "Full Screen", "Play the movie in fullscreen", 6,
                                  QKeySequence(Qt::ALT | Qt::Key_Return));
    ui_.ViewBarsSeparator = ui_.ViewMenu->addSeparator();
    ui_.ToolBarItem = MenuItem(ui_.ViewMenu, "ToolBar", "Show/Hide the Toolbar");
    ui_.ToolBarItem->setCheckable(true);
    ui_.StatusBarItem = MenuItem(ui_.ViewMenu, "Status Bar", "Show/Hide the Status Bar");
    ui_.StatusBarItem->setCheckable(true);
    ui_.ViewConfigurationSeparator = ui_.ViewMenu->addSeparator();
    ui_.ConfigurationItem =
        MenuItem(ui_.ViewMenu, "Configuration", "Display the configuration window for Orvalen", 8,
                 QKeySequence(Qt::ALT | Qt::Key_O));

    ui_.CommandMenu = menuBar()->addMenu("&Command");
    ui_.PlayItem = MenuItem(ui_.CommandMenu, "Play", "Play the movie", 2);
    ui_.StopItem = MenuItem(ui_.CommandMenu, "Stop", "Stop playing", 4);
    ui_.PauseItem = MenuItem(ui_.CommandMenu, "Pause", "Pause", 1);
    ui_.FastForwardItem = MenuItem(ui_.CommandMenu, "Forward", "Play 2x", 0);
    ui_.BackOneMinuteItem = MenuItem(ui_.CommandMenu, "Backward", "Back 1 minute", 3);

    ui_.SubtitlesMenu = menuBar()->addMenu("&Subtitles");
    ui_.OpenSubtitleFileItem =
        MenuItem(ui_.SubtitlesMenu, "Open another file", "Open another subtitle file", 13);
    ui_.ResynchronisationItem =
        MenuItem(ui_.SubtitlesMenu, "Resynchronisation", "Resynchronize a subtitle", 14,
                 QKeySequence(Qt::CTRL | Qt::Key_R));
    ui_.MergeItem = MenuItem(ui_.SubtitlesMenu, "Merge a file", "Merge a subtitle file", 12,
                             QKeySequence(Qt::CTRL | Qt::Key_M));
    ui_.SaveItem = MenuItem(ui_.SubtitlesMenu, "Save", "Save the subtitle in SubRip (.srt) format",
                            11, QKeySequence(Qt::CTRL | Qt::Key_S));
    ui_.FontsItem = MenuItem(ui_.SubtitlesMenu, "Fonts", "Configure the font of the subtitles", 9);
    ui_.SubtitleFilesSeparator = ui_.SubtitlesMenu->addSeparator();
    // Not built yet: the items exist but cannot be chosen.
    ui_.ResynchronisationItem->setEnabled(false);
    ui_.MergeItem->setEnabled(false);
    ui_.SaveItem->setEnabled(false);

    ui_.AboutItem = menuBar()->addAction("&About ...");

    ui_.PopupMenu = new QMenu(this);
    ui_.PopupPlayPauseItem = MenuItem(ui_.PopupMenu, "Play", "Play/Pause the movie", 2);
    ui_.PopupStopItem = MenuItem(ui_.PopupMenu, "Stop", "Stop playing", 4);
    ui_.PopupFullScreenSeparator = ui_.PopupMenu->addSeparator();
    ui_.PopupFullScreenItem =
        MenuItem(ui_.PopupMenu, "Full Screen", "Play the movie in fullscreen", 6);
    ui_.PopupFilesSeparator = ui_.PopupMenu->addSeparator();
    for (QWidget* owner : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui_.VideoArea),
                           static_cast<QWidget*>(ui_.SubtitleLabel)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { ui_.PopupMenu->popup(owner->mapToGlobal(at)); });
    }

    connect(ui_.OpenFilmItem, &QAction::triggered, this, [this] { OpenFilm(); });
    connect(ui_.CloseFilmItem, &QAction::triggered, this, [this] { CloseFilm(); });
    connect(ui_.QuitItem, &QAction::triggered, this, [this] { Quit(); });
    connect(ui_.FullScreenItem, &QAction::triggered, this, [this] { ToggleFullScreen(); });
    connect(ui_.ToolBarItem, &QAction::triggered, this, [this] { ToggleToolBar(); });
    connect(ui_.StatusBarItem, &QAction::triggered, this, [this] { ToggleStatusBar(); });
    connect(ui_.ConfigurationItem, &QAction::triggered, this, [this] { ShowConfiguration(); });
    connect(ui_.PlayItem, &QAction::triggered, this, [this] { Play(); });
    connect(ui_.StopItem, &QAction::triggered, this, [this] { Stop(); });
    connect(ui_.PauseItem, &QAction::triggered, this, [this] { Pause(); });
    connect(ui_.FastForwardItem, &QAction::triggered, this, [this] { FastForward(); });
    connect(ui_.BackOneMinuteItem, &QAction::triggered, this, [this] { BackOneMinute(); });
    connect(ui_.OpenSubtitleFileItem, &QAction::triggered, this, [this] { OpenSubtitleFile(); });
    connect(ui_.ResynchronisationItem, &QAction::triggered, this,
            [this] { StartResynchronisation(); });
    connect(ui_.MergeItem, &QAction::triggered, this, [this] { StartMerge(); });
    connect(ui_.SaveItem, &QAction::triggered, this, [this] { SaveSubtitles(); });
    connect(ui_.FontsItem, &QAction::triggered, this, [this] { ChooseSubtitleFont(); });
    connect(ui_.AboutItem, &QAction::triggered, this, [this] { ShowAbout(); });
    connect(ui_.PopupMenu, &QMenu::aboutToShow, this, [this] { UpdatePopupMenu(); });
    connect(ui_.PopupPlayPauseItem, &QAction::triggered, this, [this] { TogglePlayPause(); });
    connect(ui_.PopupStopItem, &QAction::triggered, this, [this] { StopFromPopup(); });
    connect(ui_.PopupFullScreenItem, &QAction::triggered, this,
            [this] { ToggleFullScreenFromPopup(); });
}

void MainWindow::CreateToolBar() {
    // Each button carries a menu item: a click runs that item's command.
    const auto button = [this](const QString& hint, int image, QAction* item) {
        QAction* action = ui_.ToolBar->addAction(hint);
        action->setToolTip(hint);
        action->setStatusTip(hint);
        SetImageIndex(action, image);
        connect(action, &QAction::triggered, item, &QAction::trigger);
        return action;
    };
    ui_.OpenFilmButton = button("Ouvrir un fichier Vidéo", 5, ui_.OpenFilmItem);
    ui_.QuitButton = button("Quitter Orvalen", 7, ui_.QuitItem);
    ui_.FileButtonsSeparator = ui_.ToolBar->addSeparator();
    ui_.ConfigurationButton =
        button("Affiche la fenêtre de configuration de Orvalen", 8, ui_.ConfigurationItem);
    ui_.TransportSeparator = ui_.ToolBar->addSeparator();
    ui_.BackOneMinuteButton = button("Retour Rapide", 3, ui_.BackOneMinuteItem);
    ui_.PlayButton = button("Lecture du fichier Vidéo", 2, ui_.PlayItem);
    ui_.PauseButton = button("Pause", 1, ui_.PauseItem);
    ui_.StopButton = button("Arrêt de la lecture", 4, ui_.StopItem);
    ui_.FastForwardButton = button("Avance Rapide", 0, ui_.FastForwardItem);

    ui_.PositionSlider = new QSlider(Qt::Horizontal);
    ui_.PositionSlider->setFixedSize(241, 22);
    ui_.PositionSlider->setRange(0, 1000);
    ui_.PositionSlider->setValue(0);
    ui_.PositionSlider->setTickPosition(QSlider::NoTicks);
    ui_.PositionSlider->setFocusPolicy(Qt::NoFocus);
    ui_.ToolBar->addWidget(ui_.PositionSlider);
    connect(ui_.PositionSlider, &QSlider::valueChanged, this, [this] { OnPositionSliderMoved(); });

    ui_.SoundSeparator = ui_.ToolBar->addSeparator();
    ui_.MuteButton = ui_.ToolBar->addAction("Sound On/Off");
    ui_.MuteButton->setToolTip("Sound On/Off");
    ui_.MuteButton->setStatusTip("Sound On/Off");
    SetImageIndex(ui_.MuteButton, 15);
    connect(ui_.MuteButton, &QAction::triggered, this, [this] { ToggleMute(); });
}

void MainWindow::LayOutClient() {
    const int width = ui_.ClientArea->width();
    const int lowHeight = ui_.SubtitlePanel->height();
    ui_.SubtitlePanel->setGeometry(0, ui_.ClientArea->height() - lowHeight, width, lowHeight);
    ui_.ToolBar->setGeometry(0, 0, width, 24);
    const int labelHeight = std::max(ui_.SubtitleLabel->heightForWidth(width),
                                     ui_.SubtitleLabel->fontMetrics().height());
    ui_.SubtitleLabel->setGeometry(0, 0, width, labelHeight);
    ui_.StatusArea->setGeometry(0, lowHeight - kStatusHeight, width, kStatusHeight);
    ui_.StatusArea->raise();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize &&
        (watched == ui_.ClientArea || watched == ui_.SubtitlePanel)) {
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
    view_.FullScreenRect = FullScreenBand(desktop.width(), desktop.height());
    subtitles_.Reset();
    film_.Close();
    view_.FullScreenPlaying = false;
    view_.SliderMovedByUser = false;
    view_.FirstShow = true;

    const BarSettings bars = ReadBarSettings(ini);
    ui_.StatusBarItem->setChecked(bars.StateBarre);
    ui_.StatusArea->setVisible(bars.StateBarre);
    ui_.ToolBarItem->setChecked(bars.ToolBarre);
    ui_.ToolBar->setVisible(bars.ToolBarre);

    const FontSettings fontSettings = ReadFontSettings(ini);
    QFont labelFont = ui_.SubtitleLabel->font();
    QColor labelColor;
    ApplyFontSettings(fontSettings, labelFont, labelColor);
    ui_.SubtitleLabel->setFont(labelFont);
    SetSubtitleLabelColor(labelColor);
    view_.FullScreenFont = BuildFullScreenFont(fontSettings, labelFont);

    ui_.FullScreenWindow->SetBand(view_.FullScreenRect);
    ui_.FullScreenWindow->SetBandFont(FontFromLogFont(view_.FullScreenFont));
    ui_.FullScreenWindow->SetTextColor(labelColor);
    LayOutClient();

    setAcceptDrops(true);
    qApp->installEventFilter(this);
    ui_.ClockTimer->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // After the window is on screen, so that a dialog of the search opens over it.
    QMetaObject::invokeMethod(this, &MainWindow::OpenCommandLineFilm, Qt::QueuedConnection);
}

void MainWindow::OpenCommandLineFilm() {
    if (commandLine_.isEmpty() || !view_.FirstShow) return;
    view_.FirstShow = false;
    const std::string path = QFile::encodeName(commandLine_.front()).toStdString();
    OpenAndPlay(path);
}

void MainWindow::OpenAndPlay(const std::string& path) {
    if (!media_.OpenMovie(path)) return;
    film_.Path = path;
    const int32_t length = media_.GetLength();
    ui_.PositionSlider->setMaximum(length / 1000);
    ui_.PositionSlider->setValue(0);
    ui_.StatusArea->SetPanelText(2, QString::fromStdString(TimeText(length)));
    SubtitleSearch(path);
    FitToVideo();
    film_.Open = true;
    Play();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    ResumeAfterFullScreen();
}

void MainWindow::ResumeAfterFullScreen() {
    // The window repaints while the full-screen view still covers the screen too (its own
    // controls change); only a paint after the view has gone means full screen has ended.
    if (!view_.FullScreenPlaying || ui_.FullScreenWindow->isVisible()) return;
    media_.PlayMovie();
    view_.FullScreenPlaying = false;
}

void MainWindow::CloseFilmAndSaveBars() {
    IniFile ini(ConfigFilePath());
    if (film_.Open) media_.CloseAllDevices();
    const WriteOutcome outcome = WriteBarSettings(
        ini, BarSettings{ui_.StatusBarItem->isChecked(), ui_.ToolBarItem->isChecked()});
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
    ui_.FullScreenWindow->SetBand(view_.FullScreenRect);
    ui_.FullScreenWindow->DrawBandText(QString());
    ui_.FullScreenWindow->Enter(QGuiApplication::primaryScreen());
}

void MainWindow::LeaveFullScreen() {
    ui_.FullScreenWindow->Leave();
}

void MainWindow::OnFrameReady() {
    if (ui_.FullScreenWindow->isVisible()) {
        ui_.FullScreenWindow->FrameReady();
    } else {
        ui_.VideoArea->FrameReady();
    }
}

const Settings& MainWindow::CurrentSettings() const {
    static const Settings defaults;
    return dialogs_.Configuration ? dialogs_.Configuration->CurrentSettings() : defaults;
}

QColor MainWindow::SubtitleLabelColor() const {
    return ui_.SubtitleLabel->property("orvalenFontColor").value<QColor>();
}

void MainWindow::SetSubtitleLabelColor(const QColor& color) {
    ui_.SubtitleLabel->setProperty("orvalenFontColor", color);
    QPalette palette = ui_.SubtitleLabel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, VisibleOnBlack(color));
    ui_.SubtitleLabel->setPalette(palette);
}

int MainWindow::WindowWidth() const {
    return ui_.ClientArea->width() + FrameAllowanceWidth;
}
int MainWindow::WindowHeight() const {
    return ui_.ClientArea->height() + FrameAllowanceHeight;
}

void MainWindow::SetWindowWidth(int width) {
    ui_.ClientArea->setFixedWidth(std::max(width - FrameAllowanceWidth, 100));
}

void MainWindow::SetWindowHeight(int height) {
    ui_.ClientArea->setFixedHeight(std::max(height - FrameAllowanceHeight, 100));
}

}  // namespace orvalen

#include "app/Fiche.h"

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

#include "app/ConfigBox.h"
#include "app/FullScreenView.h"
#include "app/ImageList.h"
#include "app/MessageBox.h"
#include "app/StatusBar.h"
#include "app/VideoPanel.h"
#include "settings/DefaultConfig.h"
#include "settings/IniFile.h"

namespace orvalen {

TFiche* Fiche = nullptr;

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

TFiche::TFiche(std::unique_ptr<MediaDevice> device, QStringList commandLine, QWidget* parent)
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
    FormCreate();
}

TFiche::~TFiche() {
    FormDestroy();
    // The device's picture must not outlive the widgets that show it, and its callback must
    // not reach a window being destroyed.
    Device->SetFrameReadyCallback({});
    Device->Shutdown();
    Displayer->SetDevice(nullptr);
    ScreenDC->SetDevice(nullptr);
    Device.reset();
    qApp->removeEventFilter(this);
    if (Fiche == this) Fiche = nullptr;
}

void TFiche::CreateControls() {
    Client = new QWidget(this);
    Client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(Client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    ToolBar = new QToolBar(Client);
    ToolBar->setGeometry(0, 0, kClientWidth, 24);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);

    Displayer = new VideoPanel(Client);
    Displayer->setGeometry(8, 32, 657, 337);
    Displayer->SetDevice(Device.get());

    LowPanel = new QWidget(Client);
    LowPanel->setAutoFillBackground(true);
    QPalette black = LowPanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    LowPanel->setPalette(black);
    LowPanel->setGeometry(0, kClientHeight - kLowPanelHeight, kClientWidth, kLowPanelHeight);

    SousTitre = new QLabel(LowPanel);
    SousTitre->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SousTitre->setWordWrap(true);
    SousTitre->setTextFormat(Qt::PlainText);
    SousTitre->setAutoFillBackground(true);
    QFont labelFont(DefaultSansFamily());
    labelFont.setFamilies({"Arial", DefaultSansFamily()});
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    SousTitre->setFont(labelFont);
    SetSousTitreColor(Qt::white);

    Status = new StatusBar(LowPanel);

    OpenDialog = new QFileDialog(this);
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    OpenDialog->setNameFilter("Fichiers Vidéo (*.avi *.mpg *.divx)");
    SaveDialog = new QFileDialog(this);
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setNameFilter("Fichier SubRip (*.srt)");

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &TFiche::Timer1Timer);

    ScreenDC = new FullScreenView(this);
    ScreenDC->SetDevice(Device.get());
    connect(ScreenDC, &FullScreenView::Left, this, [this] {
        activateWindow();
        update();
    });

    Client->installEventFilter(this);
    LowPanel->installEventFilter(this);
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

void TFiche::CreateMenus() {
    MenuFichier = menuBar()->addMenu("&File");
    Ouvrir = MenuItem(MenuFichier, "Open", "Open a movie", 5, QKeySequence(Qt::CTRL | Qt::Key_O));
    Fermer = MenuItem(MenuFichier, "Close", "Close the opened movie");
    Quitter = MenuItem(MenuFichier, "Exit", "Exit Orvalen", 7, QKeySequence(Qt::CTRL | Qt::Key_Q));

    MenuAffichage = menuBar()->addMenu("&View");
    Fullscreen = MenuItem(MenuAffichage, "Full Screen", "Play the movie in fullscreen", 6,
                          QKeySequence(Qt::ALT | Qt::Key_Return));
    N4 = MenuAffichage->addSeparator();
    BarreOutil = MenuItem(MenuAffichage, "ToolBar", "Show/Hide the Toolbar");
    BarreOutil->setCheckable(true);
    StateBarre = MenuItem(MenuAffichage, "Status Bar", "Show/Hide the Status Bar");
    StateBarre->setCheckable(true);
    N5 = MenuAffichage->addSeparator();
    Configuration =
        MenuItem(MenuAffichage, "Configuration", "Display the configuration window for Orvalen", 8,
                 QKeySequence(Qt::ALT | Qt::Key_O));

    MenuCommandes = menuBar()->addMenu("&Command");
    Lecture = MenuItem(MenuCommandes, "Play", "Play the movie", 2);
    Stop = MenuItem(MenuCommandes, "Stop", "Stop playing", 4);
    Pause = MenuItem(MenuCommandes, "Pause", "Pause", 1);
    AvanceRapide = MenuItem(MenuCommandes, "Forward", "Play 2x", 0);
    Retour = MenuItem(MenuCommandes, "Backward", "Back 1 minute", 3);

    MenuSousTitre = menuBar()->addMenu("&Subtitles");
    OpenSubFile = MenuItem(MenuSousTitre, "Open another file", "Open another subtitle file", 13);
    AutoResync = MenuItem(MenuSousTitre, "Resynchronisation", "Resynchronize a subtitle", 14,
                          QKeySequence(Qt::CTRL | Qt::Key_R));
    MergeFile = MenuItem(MenuSousTitre, "Merge a file", "Merge a subtitle file", 12,
                         QKeySequence(Qt::CTRL | Qt::Key_M));
    Sauvegarder = MenuItem(MenuSousTitre, "Save", "Save the subtitle in SubRip (.srt) format", 11,
                           QKeySequence(Qt::CTRL | Qt::Key_S));
    Polices1 = MenuItem(MenuSousTitre, "Fonts", "Configure the font of the subtitles", 9);
    N2 = MenuSousTitre->addSeparator();
    // Not built yet: the items exist but cannot be chosen.
    AutoResync->setEnabled(false);
    MergeFile->setEnabled(false);
    Sauvegarder->setEnabled(false);

    Apropos1 = menuBar()->addAction("&About ...");

    PopupMenu = new QMenu(this);
    PopupLecPause = MenuItem(PopupMenu, "Play", "Play/Pause the movie", 2);
    PopupStop = MenuItem(PopupMenu, "Stop", "Stop playing", 4);
    N1 = PopupMenu->addSeparator();
    PopupFullscreen = MenuItem(PopupMenu, "Full Screen", "Play the movie in fullscreen", 6);
    N3 = PopupMenu->addSeparator();
    for (QWidget* owner : {static_cast<QWidget*>(this), static_cast<QWidget*>(Displayer),
                           static_cast<QWidget*>(SousTitre)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint& at) { PopupMenu->popup(owner->mapToGlobal(at)); });
    }

    connect(Ouvrir, &QAction::triggered, this, [this] { OuvrirClick(); });
    connect(Fermer, &QAction::triggered, this, [this] { FermerClick(); });
    connect(Quitter, &QAction::triggered, this, [this] { QuitterClick(); });
    connect(Fullscreen, &QAction::triggered, this, [this] { FullscreenClick(); });
    connect(BarreOutil, &QAction::triggered, this, [this] { BarreOutilClick(); });
    connect(StateBarre, &QAction::triggered, this, [this] { StateBarreClick(); });
    connect(Configuration, &QAction::triggered, this, [this] { ConfigurationClick(); });
    connect(Lecture, &QAction::triggered, this, [this] { LectureClick(); });
    connect(Stop, &QAction::triggered, this, [this] { StopClick(); });
    connect(Pause, &QAction::triggered, this, [this] { PauseClick(); });
    connect(AvanceRapide, &QAction::triggered, this, [this] { AvanceRapideClick(); });
    connect(Retour, &QAction::triggered, this, [this] { RetourClick(); });
    connect(OpenSubFile, &QAction::triggered, this, [this] { OpenSubFileClick(); });
    connect(AutoResync, &QAction::triggered, this, [this] { AutoResyncClick(); });
    connect(MergeFile, &QAction::triggered, this, [this] { MergeFileClick(); });
    connect(Sauvegarder, &QAction::triggered, this, [this] { SauvegarderClick(); });
    connect(Polices1, &QAction::triggered, this, [this] { Polices1Click(); });
    connect(Apropos1, &QAction::triggered, this, [this] { Apropos1Click(); });
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] { PopupMenuPopup(); });
    connect(PopupLecPause, &QAction::triggered, this, [this] { PopupLecPauseClick(); });
    connect(PopupStop, &QAction::triggered, this, [this] { PopupStopClick(); });
    connect(PopupFullscreen, &QAction::triggered, this, [this] { PopupFullscreenClick(); });
}

void TFiche::CreateToolBar() {
    // Each button carries a menu item: a click runs that item's command.
    const auto button = [this](const QString& hint, int image, QAction* item) {
        QAction* action = ToolBar->addAction(hint);
        action->setToolTip(hint);
        action->setStatusTip(hint);
        SetImageIndex(action, image);
        connect(action, &QAction::triggered, item, &QAction::trigger);
        return action;
    };
    ButtonOpen = button("Ouvrir un fichier Vidéo", 5, Ouvrir);
    ToolButton1 = button("Quitter Orvalen", 7, Quitter);
    ToolButton8 = ToolBar->addSeparator();
    ButtonPref = button("Affiche la fenêtre de configuration de Orvalen", 8, Configuration);
    ToolButton5 = ToolBar->addSeparator();
    ButtonBackward = button("Retour Rapide", 3, Retour);
    ButtonPlay = button("Lecture du fichier Vidéo", 2, Lecture);
    ButtonPause = button("Pause", 1, Pause);
    ButtonStop = button("Arrêt de la lecture", 4, Stop);
    ButtonForward = button("Avance Rapide", 0, AvanceRapide);

    Slider = new QSlider(Qt::Horizontal);
    Slider->setFixedSize(241, 22);
    Slider->setRange(0, 1000);
    Slider->setValue(0);
    Slider->setTickPosition(QSlider::NoTicks);
    Slider->setFocusPolicy(Qt::NoFocus);
    ToolBar->addWidget(Slider);
    connect(Slider, &QSlider::valueChanged, this, [this] { SliderChange(); });

    ToolButton3 = ToolBar->addSeparator();
    SndButton = ToolBar->addAction("Sound On/Off");
    SndButton->setToolTip("Sound On/Off");
    SndButton->setStatusTip("Sound On/Off");
    SetImageIndex(SndButton, 15);
    connect(SndButton, &QAction::triggered, this, [this] { SndButtonClick(); });
}

void TFiche::LayOutClient() {
    const int width = Client->width();
    const int lowHeight = LowPanel->height();
    LowPanel->setGeometry(0, Client->height() - lowHeight, width, lowHeight);
    ToolBar->setGeometry(0, 0, width, 24);
    const int labelHeight =
        std::max(SousTitre->heightForWidth(width), SousTitre->fontMetrics().height());
    SousTitre->setGeometry(0, 0, width, labelHeight);
    Status->setGeometry(0, lowHeight - kStatusHeight, width, kStatusHeight);
    Status->raise();
}

bool TFiche::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == Client || watched == LowPanel)) {
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
                FormKeyPress(key);
                if (key == 0) return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFiche::FormCreate() {
    IniFile ini(ConfigFileToRead());
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
    StateBarre->setChecked(bars.StateBarre);
    Status->setVisible(bars.StateBarre);
    BarreOutil->setChecked(bars.ToolBarre);
    ToolBar->setVisible(bars.ToolBarre);

    const FontSettings fontSettings = ReadFontSettings(ini);
    QFont labelFont = SousTitre->font();
    QColor labelColor;
    ApplyFontSettings(fontSettings, labelFont, labelColor);
    SousTitre->setFont(labelFont);
    SetSousTitreColor(labelColor);
    FullScreenFont = BuildFullScreenFont(fontSettings, labelFont);

    ScreenDC->SetBand(FullScreenRect);
    ScreenDC->SetBandFont(FontFromLogFont(FullScreenFont));
    ScreenDC->SetTextColor(labelColor);
    LayOutClient();

    setAcceptDrops(true);
    qApp->installEventFilter(this);
    Timer1->start();
}

void TFiche::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // After the window is on screen, so that a dialog of the search opens over it.
    QMetaObject::invokeMethod(this, &TFiche::FormShow, Qt::QueuedConnection);
}

void TFiche::FormShow() {
    if (CommandLine.isEmpty() || !FirstShow) return;
    FirstShow = false;
    const std::string path = QFile::encodeName(CommandLine.front()).toStdString();
    OpenAndPlay(path);
}

void TFiche::OpenAndPlay(const std::string& path) {
    if (!Media.OpenMovie(path)) return;
    MoviePath = path;
    const int32_t length = Media.GetLength();
    Slider->setMaximum(length / 1000);
    Slider->setValue(0);
    Status->SetPanelText(2, QString::fromStdString(TimeText(length)));
    SubtitleSearch(path);
    FitToVideo();
    MovieOpen = true;
    LectureClick();
}

void TFiche::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    FormPaint();
}

void TFiche::FormPaint() {
    // The window repaints while the full-screen view still covers the screen too (its own
    // controls change); only a paint after the view has gone means full screen has ended.
    if (!FullScreenPlaying || ScreenDC->isVisible()) return;
    Media.PlayMovie();
    FullScreenPlaying = false;
}

void TFiche::FormDestroy() {
    IniFile ini(ConfigFileToWrite());
    if (MovieOpen) Media.CloseAllDevices();
    const WriteOutcome outcome =
        WriteBarSettings(ini, BarSettings{StateBarre->isChecked(), BarreOutil->isChecked()});
    if (!outcome.Ok) ShowMessage(this, QString::fromStdString(outcome.Message));
}

void TFiche::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFiche::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    DropFiles(event->mimeData()->urls());
}

void TFiche::DropFiles(const QList<QUrl>&) {
    ShowMessage(this, "Sorry ! This function is not implemented yet.");
}

void TFiche::ShowFullScreen() {
    ScreenDC->SetBand(FullScreenRect);
    ScreenDC->DrawBandText(QString());
    ScreenDC->Enter(QGuiApplication::primaryScreen());
}

void TFiche::LeaveFullScreen() {
    ScreenDC->Leave();
}

void TFiche::OnFrameReady() {
    if (ScreenDC->isVisible()) {
        ScreenDC->FrameReady();
    } else {
        Displayer->FrameReady();
    }
}

const Settings& TFiche::CurrentSettings() const {
    static const Settings defaults;
    return ConfigBox ? ConfigBox->Values : defaults;
}

QColor TFiche::SousTitreColor() const {
    return SousTitre->property("orvalenFontColor").value<QColor>();
}

void TFiche::SetSousTitreColor(const QColor& color) {
    SousTitre->setProperty("orvalenFontColor", color);
    QPalette palette = SousTitre->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, VisibleOnBlack(color));
    SousTitre->setPalette(palette);
}

int TFiche::WindowWidth() const {
    return Client->width() + FrameAllowanceWidth;
}
int TFiche::WindowHeight() const {
    return Client->height() + FrameAllowanceHeight;
}

void TFiche::SetWindowWidth(int width) {
    Client->setFixedWidth(std::max(width - FrameAllowanceWidth, 100));
}

void TFiche::SetWindowHeight(int height) {
    Client->setFixedHeight(std::max(height - FrameAllowanceHeight, 100));
}

}  // namespace orvalen

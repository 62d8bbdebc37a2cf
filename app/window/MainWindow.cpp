#include "app/window/MainWindow.h"

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
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolBar>

#include "app/desktop/DesktopSession.h"
#include "app/dialogs/ConfigDialog.h"
#include "app/dialogs/FileOpenDialog.h"
#include "app/dialogs/MessageBox.h"
#include "app/window/FullScreenView.h"
#include "app/window/GpuPicture.h"
#include "app/window/ImageList.h"
#include "app/window/PositionSlider.h"
#include "app/window/StatusBar.h"
#include "app/window/SubtitleFit.h"
#include "app/window/SubtitleLabel.h"
#include "app/window/SubtitleListWindow.h"
#include "app/window/VideoPanel.h"
#include "settings/DefaultConfig.h"
#include "settings/IniFile.h"
#include "subtitles/SubtitleWriters.h"

namespace orvalen {

namespace {

constexpr int kClientWidth = 678;
constexpr int kClientHeight = 440;
constexpr int kLowPanelHeight = 58;
constexpr int kStatusHeight = 16;

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
    CreateActions();
    move(204, 192);
    LoadStartState();
}

MainWindow::~MainWindow() {
    // The screen may blank again, and the desktop's controls no longer reach this window.
    desktop_.reset();
    CloseFilmAndSaveBars();
    // The device's picture must not outlive the widgets that show it, and its callback must
    // not reach a window being destroyed.
    device_->SetFrameReadyCallback({});
    if (gpuPicture_) {
        gpuPicture_->SetFrameReadyCallback({});
        gpuPicture_->Stop(*device_);
    }
    device_->Shutdown();
    ui_.VideoArea->SetDevice(nullptr);
    ui_.FullScreenWindow->SetDevice(nullptr);
    device_.reset();
    qApp->removeEventFilter(this);
}

void MainWindow::UseDialogs(const MainWindowDialogs& dialogs) {
    dialogs_ = dialogs;
    if (ConfigDialog* config = dialogs_.Configuration) {
        config->SetFontCommand([this] { ChooseSubtitleFont(); });
        config->SetFontSource([this] { return SubtitleFontSettings(); });
        config->ShowFontSample(view_.ChosenLabelFont, SubtitleLabelColor());
        connect(config, &ConfigDialog::SubtitleSizeRuleChanged, this, [this] {
            if (film_.Open) FitToVideo();
        });
    }
}

FontSettings MainWindow::SubtitleFontSettings() const {
    return FontSettingsOf(view_.ChosenLabelFont, SubtitleLabelColor(), view_.FullScreenFont);
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

    ui_.PositionSlider = new PositionSlider;
    ui_.PositionSlider->setFixedSize(241, 22);
    ui_.PositionSlider->setRange(0, 1000);
    ui_.PositionSlider->setValue(0);
    ui_.PositionSlider->setTickPosition(QSlider::NoTicks);

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

    ui_.SubtitleLabel = new SubtitleLabel(ui_.SubtitlePanel);
    ui_.SubtitleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ui_.SubtitleLabel->setWordWrap(true);
    ui_.SubtitleLabel->setTextFormat(Qt::RichText);
    ui_.SubtitleLabel->setAutoFillBackground(true);
    QFont labelFont(DefaultSansFamily());
    labelFont.setFamilies({"Arial", DefaultSansFamily()});
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    view_.ChosenLabelFont = labelFont;
    ui_.SubtitleLabel->setFont(labelFont);
    SetSubtitleLabelColor(Qt::white);

    ui_.SecondSubtitleLabel = new QLabel(ui_.SubtitlePanel);
    ui_.SecondSubtitleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ui_.SecondSubtitleLabel->setWordWrap(true);
    ui_.SecondSubtitleLabel->setTextFormat(Qt::RichText);
    ui_.SecondSubtitleLabel->setAutoFillBackground(true);
    ui_.SecondSubtitleLabel->setPalette(black);
    ui_.SecondSubtitleLabel->hide();

    ui_.StatusArea = new StatusBar(ui_.SubtitlePanel);

    ui_.OpenFileDialog = new QFileDialog(this);
    ui_.OpenFileDialog->setFileMode(QFileDialog::ExistingFile);
    ui_.OpenFileDialog->setNameFilters(
        QtNameFilters({{"Fichiers Vidéo", {"*.avi", "*.mpg", "*.divx"}}}));
    ui_.SaveFileDialog = new QFileDialog(this);
    ui_.SaveFileDialog->setAcceptMode(QFileDialog::AcceptSave);
    ui_.SaveFileDialog->setNameFilters(QtNameFilters({{"Fichier SubRip", {"*.srt"}}}));
    ui_.SaveAsFileDialog = new QFileDialog(this);
    ui_.SaveAsFileDialog->setAcceptMode(QFileDialog::AcceptSave);
    ui_.SaveAsFileDialog->setNameFilters(QtNameFilters(SaveFormatFilters()));

    ui_.ClockTimer = new QTimer(this);
    ui_.ClockTimer->setInterval(50);
    connect(ui_.ClockTimer, &QTimer::timeout, this, &MainWindow::OnClockTick);

    ui_.FullScreenWindow = new FullScreenView(this);
    ui_.FullScreenWindow->SetDevice(device_.get());
    connect(ui_.FullScreenWindow, &FullScreenView::Left, this, [this] {
        activateWindow();
        update();
    });

    CreateSubtitleList();
    ui_.ToolBar->setAccessibleName("Tool bar");
    ui_.PositionSlider->setAccessibleName("Position in the film");
    ui_.VideoArea->setAccessibleName("Film");
    ui_.StatusArea->setAccessibleName("Status bar");
    ui_.FullScreenWindow->setAccessibleName("Film in full screen");

    ui_.ClientArea->installEventFilter(this);
    ui_.SubtitlePanel->installEventFilter(this);
    LayOutClient();

    device_->SetFrameReadyCallback([this] { ForwardFrameReady(); });
}

void MainWindow::LayOutClient() {
    const int width = ui_.ClientArea->width();
    const int lowHeight = ui_.SubtitlePanel->height();
    ui_.SubtitlePanel->setGeometry(0, ui_.ClientArea->height() - lowHeight, width, lowHeight);
    ui_.ToolBar->setGeometry(0, 0, width, 24);
    const int secondHeight = SecondLineHeight();
    if (secondHeight > 0) {
        ui_.SecondSubtitleLabel->setGeometry(
            0, 0, width, std::max(ui_.SecondSubtitleLabel->heightForWidth(width), secondHeight));
    }
    ui_.SubtitleLabel->setGeometry(0, secondHeight > 0 ? ui_.SecondSubtitleLabel->height() : 0,
                                   width, ui_.SubtitleLabel->height());
    ui_.StatusArea->setGeometry(0, lowHeight - kStatusHeight, width, kStatusHeight);
    ui_.StatusArea->raise();
    FitSubtitleLabel();
}

// The status bar lies over the foot of the subtitle panel: the text must fit above it.
void MainWindow::FitSubtitleLabel() {
    const int statusHeight = ui_.StatusArea->isHidden() ? 0 : kStatusHeight;
    FitLabelText(*ui_.SubtitleLabel, labelHtml_,
                 ui_.SubtitlePanel->height() - statusHeight - ui_.SubtitleLabel->y());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize &&
        (watched == ui_.ClientArea || watched == ui_.SubtitlePanel)) {
        LayOutClient();
        return false;
    }
    // A double click on the picture enters full screen, as one on the full-screen view leaves.
    if (event->type() == QEvent::MouseButtonDblClick && watched == ui_.VideoArea &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ToggleFullScreen();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // Key preview: the first delivery goes to the focused control; the later deliveries of
        // the same key to its parents are not seen again.
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        // A held key's repeats are not new presses: one press marks one moment.
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        // The subtitle list's rows pass the space bar on too; its search box types it.
        const bool ours =
            target && (target->window() == this ||
                       (target->window() == ui_.SubtitleList &&
                        target != static_cast<QWidget*>(ui_.SubtitleList->SearchBox())));
        if (watched == target && ours && !keyEvent->isAutoRepeat()) {
            const QString text = keyEvent->text();
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
    IniFile ini(ConfigFileToRead());
    const QRect desktop = screen()->geometry();
    view_.FullScreenRect =
        FullScreenBand(desktop.x(), desktop.y(), desktop.width(), desktop.height());
    subtitles_.Reset();
    film_.Close();
    view_.FullScreenPlaying = false;
    view_.SliderMovedByUser = false;
    view_.FirstShow = true;

    const BarSettings bars = ReadBarSettings(ini);
    ui_.Action(WindowAction::StatusBar)->setChecked(bars.StateBarre);
    ui_.StatusArea->setVisible(bars.StateBarre);
    ui_.Action(WindowAction::ToolBar)->setChecked(bars.ToolBarre);
    ui_.ToolBar->setVisible(bars.ToolBarre);
    PlaceSubtitleList(ReadSubtitleListSettings(ini));

    const FontSettings fontSettings = ReadFontSettings(ini);
    QFont labelFont = view_.ChosenLabelFont;
    QColor labelColor;
    ApplyFontSettings(fontSettings, labelFont, labelColor);
    SetSubtitleLabelColor(labelColor);
    QPalette secondPalette = ui_.SecondSubtitleLabel->palette();
    secondPalette.setColor(QPalette::WindowText,
                           VisibleOnBlack(ColorFromSetting(fontSettings.SecondColor)));
    ui_.SecondSubtitleLabel->setPalette(secondPalette);
    ui_.FullScreenWindow->SetSecondTextColor(ColorFromSetting(fontSettings.SecondColor));
    view_.FullScreenFont = BuildFullScreenFont(fontSettings, labelFont);
    ui_.FullScreenWindow->SetTextColor(labelColor);
    SetChosenLabelFont(labelFont);
    LayOutClient();

    setAcceptDrops(true);
    qApp->installEventFilter(this);
    ui_.ClockTimer->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (ui_.Action(WindowAction::SubtitleList)->isChecked()) {
        view_.SubtitleListUsed = true;
        ui_.SubtitleList->show();
    }
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
    // The previous film's subtitle must not stay under the new one, whatever happens next.
    ClearSubtitleText();
    if (!media_.OpenMovie(path)) {
        ShowError(this, QStringLiteral("Cannot open the film \"%1\":\n%2.")
                            .arg(QFile::decodeName(path.c_str()),
                                 QString::fromStdString(media_.OpenError())));
        return;
    }
    film_.Path = path;
    const int32_t length = media_.GetLength();
    ui_.PositionSlider->setMaximum(length / 1000);
    ui_.PositionSlider->setValue(0);
    ui_.StatusArea->SetPanelText(StatusPanel::Length, QString::fromStdString(TimeText(length)));
    SubtitleSearch(path);
    FitToVideo();
    film_.Open = true;
    EnableFilmItems();
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
    IniFile ini(ConfigFileToWrite());
    if (film_.Open) media_.CloseAllDevices();
    RememberTrackOffset();
    WriteOutcome outcome =
        WriteBarSettings(ini, BarSettings{ui_.Action(WindowAction::StatusBar)->isChecked(),
                                          ui_.Action(WindowAction::ToolBar)->isChecked()});
    // Config.ini gains the list's keys only once the list has been used.
    if (outcome.Ok && view_.SubtitleListUsed) {
        outcome = WriteSubtitleListSettings(ini, SubtitleListPlace());
    }
    if (!outcome.Ok) ShowMessage(this, QString::fromStdString(outcome.Message));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    DropFiles(event->mimeData()->urls(), event->modifiers() & Qt::ShiftModifier);
}

// On the screen the window is on, which need not start at (0, 0): the band is placed within
// that screen's geometry.
void MainWindow::ShowFullScreen() {
    QScreen* screen = this->screen();
    const QRect geometry = screen->geometry();
    view_.FullScreenRect =
        FullScreenBand(geometry.x(), geometry.y(), geometry.width(), geometry.height());
    ApplySubtitleScale();
    ui_.FullScreenWindow->DrawBandText(QString());
    bandShown_ = {};
    ui_.FullScreenWindow->Enter(screen);
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

#include "app/dialogs/ConfigDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <filesystem>

#include "app/dialogs/MessageBox.h"
#include "app/dialogs/TypedLengthLimit.h"
#include "app/window/FontMapping.h"
#include "app/window/SubtitleFit.h"
#include "settings/ConfigDialogRules.h"
#include "settings/DefaultConfig.h"
#include "settings/IniFile.h"

namespace orvalen {

namespace {

constexpr int kStripHeight = 29;

const QString kChooserPrompt =
    "Sélectionner un répertoire dans lequel vous stocker des fichiers de sous-titre :";

bool IsDirectory(const QString& path) {
    std::error_code error;
    return !path.isEmpty() && std::filesystem::is_directory(path.toStdString(), error);
}

}  // namespace

std::optional<std::string> AskDirectory(QWidget* parent, const QString& prompt) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, prompt, "/");
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

ConfigDialog::ConfigDialog(QWidget* parent) : ConfigDialog(AskDirectory, parent) {}

ConfigDialog::ConfigDialog(DirectoryChooser chooseDirectory, QWidget* parent)
    : QDialog(parent), chooseDirectory_(std::move(chooseDirectory)) {
    setWindowTitle("Configuration");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    QFont dialogFont(DefaultSansFamily());
    dialogFont.setPixelSize(11);
    setFont(dialogFont);

    pages_ = new QTabWidget(this);
    pages_->setObjectName("pages");
    pages_->addTab(CreateGeneralPage(), "General");
    pages_->addTab(CreateFormatsPage(), "Formats of the subtitles files");
    const int pagesHeight = ClientHeight - kStripHeight + extraHeight_;
    pages_->setGeometry(0, 0, ClientWidth, pagesHeight);
    // The first showing opens on the formats; later ones on the page last shown.
    pages_->setCurrentIndex(1);
    CreateButtonStrip(pagesHeight);
    setFixedSize(ClientWidth, pagesHeight + kStripHeight);

    Connect();
    ShowSettings(LoadSettings(IniFile(ConfigFileToRead())));
}

void ConfigDialog::Connect() {
    connect(currentDirBox_, &QCheckBox::toggled, this,
            [this](bool on) { settings_.CurrentDir = on; });
    connect(autoSelectBox_, &QCheckBox::toggled, this,
            [this](bool on) { settings_.AutoSelect = on; });
    connect(scaleWithPictureBox_, &QCheckBox::toggled, this, [this](bool on) {
        settings_.ScaleWithPicture = on;
        emit SubtitleSizeRuleChanged();
    });
    connect(announceBox_, &QCheckBox::toggled, this, [this](bool on) { settings_.Announce = on; });
    connect(subDirBox_, &QCheckBox::toggled, this, &ConfigDialog::SubDirToggled);
    connect(subDirEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { settings_.SubDir = text.toStdString(); });
    connect(subFilePathBox_, &QCheckBox::toggled, this, &ConfigDialog::SubFilePathToggled);
    connect(subFilePathEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { settings_.SubFilePath = text.toStdString(); });
    connect(chooseDirButton_, &QPushButton::clicked, this, &ConfigDialog::ChooseSubFilePath);
    connect(ignoredCharsEdit_, &QLineEdit::textChanged, this, &ConfigDialog::IgnoredCharsChanged);
    connect(delayEdit_, &QLineEdit::textChanged, this, &ConfigDialog::DelayChanged);
    for (const auto& [format, box] : formatBoxes_) {
        connect(box, &QCheckBox::toggled, this,
                [this, index = static_cast<size_t>(format)](bool on) {
                    settings_.SubtitleFormat[index] = on;
                });
    }
    connect(selectAllButton_, &QPushButton::clicked, this, [this] { SetAllFormats(true); });
    connect(unselectAllButton_, &QPushButton::clicked, this, [this] { SetAllFormats(false); });
    connect(fontButton_, &QPushButton::clicked, this, &ConfigDialog::RunFontCommand);
    connect(okButton_, &QPushButton::clicked, this, &ConfigDialog::Ok);
    connect(cancelButton_, &QPushButton::clicked, this, &ConfigDialog::reject);
}

void ConfigDialog::ShowSettings(const Settings& settings) {
    // Stored numbers wider than what may be typed show whole until the user edits them.
    showing_ = true;
    const QString ignoredChars = QString::number(settings.NbrChar);
    ignoredCharsLimit_->Allow(ignoredChars.size());
    ignoredCharsEdit_->setText(ignoredChars);
    currentDirBox_->setChecked(settings.CurrentDir);
    autoSelectBox_->setChecked(settings.AutoSelect);
    scaleWithPictureBox_->setChecked(settings.ScaleWithPicture);
    announceBox_->setChecked(settings.Announce);
    subDirEdit_->setText(QString::fromStdString(settings.SubDir));
    subDirBox_->setChecked(!settings.SubDir.empty());
    subFilePathEdit_->setText(QString::fromStdString(settings.SubFilePath));
    subFilePathBox_->setChecked(!settings.SubFilePath.empty());
    const QString delay = QString::number(std::min(settings.Delay, MaxDelay));
    delayLimit_->Allow(delay.size());
    delayEdit_->setText(QString::number(settings.Delay));
    showing_ = false;
    for (const auto& [format, box] : formatBoxes_) {
        box->setChecked(settings.SubtitleFormat[static_cast<size_t>(format)]);
    }
}

void ConfigDialog::SetFontCommand(std::function<void()> command) {
    fontCommand_ = std::move(command);
}

void ConfigDialog::SetFontSource(std::function<FontSettings()> source) {
    fontSource_ = std::move(source);
}

void ConfigDialog::ShowFontSample(const QFont& font, const QColor& color) {
    fontSample_->setFont(font);
    // The sample sits on black, as the subtitles do, so that it shows what the film will.
    QPalette palette = fontSample_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, VisibleOnBlack(color));
    fontSample_->setPalette(palette);
    // A large font is drawn smaller, wrapped if need be, so that the whole caption fits its box.
    FitLabelText(*fontSample_, kFontSampleText, fontSample_->height());
}

void ConfigDialog::IgnoredCharsChanged(const QString& text) {
    if (rewriting_) return;
    if (!showing_) ignoredCharsLimit_->Allow(0);
    settings_.NbrChar = IgnoredCharsFromText(text.toStdString());
    const QString shown = QString::number(settings_.NbrChar);
    if (shown != text) {
        rewriting_ = true;
        ignoredCharsEdit_->setText(shown);
        rewriting_ = false;
    }
    // The next key typed replaces the digit.
    ignoredCharsEdit_->selectAll();
}

void ConfigDialog::DelayChanged(const QString& text) {
    if (rewriting_) return;
    if (!showing_) delayLimit_->Allow(0);
    settings_.Delay = DelayFromText(text.toStdString());
    // A lone minus sign is the start of a negative delay being typed: it stays.
    const QString shown = text == u'-' ? text : QString::number(settings_.Delay);
    if (shown == text) return;
    const int cursor = delayEdit_->cursorPosition();
    rewriting_ = true;
    delayEdit_->setText(shown);
    rewriting_ = false;
    delayEdit_->setCursorPosition(std::min<int>(cursor, static_cast<int>(shown.size())));
}

void ConfigDialog::SubDirToggled(bool on) {
    settings_.SubDirEnabled = on;
    if (!on) subDirEdit_->clear();
}

void ConfigDialog::SubFilePathToggled(bool on) {
    settings_.SubFilePathEnabled = on;
    if (!on) {
        subFilePathEdit_->clear();
    } else if (!choosing_ && !IsDirectory(subFilePathEdit_->text())) {
        ChooseSubFilePath();
    }
}

void ConfigDialog::ChooseSubFilePath() {
    choosing_ = true;
    const std::optional<std::string> chosen =
        chooseDirectory_ ? chooseDirectory_(isVisible() ? this : parentWidget(), kChooserPrompt)
                         : std::nullopt;
    if (chosen) {
        subFilePathEdit_->setText(QString::fromStdString(*chosen));
        subFilePathBox_->setChecked(true);
    } else {
        subFilePathBox_->setChecked(false);
    }
    choosing_ = false;
}

void ConfigDialog::SetAllFormats(bool on) {
    for (const auto& [format, box] : formatBoxes_) box->setChecked(on);
}

void ConfigDialog::RunFontCommand() {
    if (fontCommand_) fontCommand_();
    raise();
    activateWindow();
}

void ConfigDialog::Save() {
    IniFile ini(ConfigFileToWrite());
    const FontSettings font = fontSource_ ? fontSource_() : ReadFontSettings(ini);
    const WriteOutcome outcome = SaveSettings(ini, settings_, font);
    if (!outcome.Ok) ShowError(this, QString::fromStdString(outcome.Message));
}

void ConfigDialog::Ok() {
    Save();
    accept();
}

void ConfigDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

bool ConfigDialog::eventFilter(QObject* watched, QEvent* event) {
    // Entering or clicking the ignored-characters box selects its digit, so that the key
    // typed next replaces it. Queued, as the edit places its cursor after these events.
    if (watched == ignoredCharsEdit_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease)) {
        QMetaObject::invokeMethod(ignoredCharsEdit_, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvalen

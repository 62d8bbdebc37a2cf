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
#include <type_traits>
#include <variant>

#include "app/dialogs/MessageBox.h"
#include "app/dialogs/TypedLengthLimit.h"
#include "app/window/FontMapping.h"
#include "app/window/SubtitleFit.h"
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

void ConfigDialog::Bind(std::string_view key, QWidget* control, TypedLengthLimit* limit) {
    for (const SettingRow<Settings>& row : SearchSettingRows()) {
        if (row.Key && row.Key == key) bindings_.push_back({&row, control, limit});
    }
}

void ConfigDialog::Connect() {
    for (const Binding& binding : bindings_) ConnectBinding(binding);
    connect(scaleWithPictureBox_, &QCheckBox::toggled, this,
            &ConfigDialog::SubtitleSizeRuleChanged);
    connect(subDirBox_, &QCheckBox::toggled, this, &ConfigDialog::SubDirToggled);
    connect(subFilePathBox_, &QCheckBox::toggled, this, &ConfigDialog::SubFilePathToggled);
    connect(chooseDirButton_, &QPushButton::clicked, this, &ConfigDialog::ChooseSubFilePath);
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

void ConfigDialog::ConnectBinding(const Binding& binding) {
    std::visit(
        [&](auto field) {
            using Value = std::remove_cvref_t<decltype(settings_.*field)>;
            if constexpr (std::is_same_v<Value, bool>) {
                connect(static_cast<QCheckBox*>(binding.Control), &QCheckBox::toggled, this,
                        [this, field](bool on) { settings_.*field = on; });
            } else if constexpr (std::is_same_v<Value, std::string>) {
                connect(
                    static_cast<QLineEdit*>(binding.Control), &QLineEdit::textChanged, this,
                    [this, field](const QString& text) { settings_.*field = text.toStdString(); });
            } else if constexpr (std::is_same_v<Value, int32_t>) {
                connect(static_cast<QLineEdit*>(binding.Control), &QLineEdit::textChanged, this,
                        [this, binding](const QString& text) { NumberTyped(binding, text); });
            }
        },
        binding.Row->Target);
}

void ConfigDialog::ShowBinding(const Binding& binding, const Settings& settings) {
    std::visit(
        [&](auto field) {
            using Value = std::remove_cvref_t<decltype(settings.*field)>;
            if constexpr (std::is_same_v<Value, bool>) {
                static_cast<QCheckBox*>(binding.Control)->setChecked(settings.*field);
            } else if constexpr (std::is_same_v<Value, std::string>) {
                static_cast<QLineEdit*>(binding.Control)
                    ->setText(QString::fromStdString(settings.*field));
            } else if constexpr (std::is_same_v<Value, int32_t>) {
                // A stored number wider than what may be typed shows whole (after its rule)
                // until the user edits it.
                const QString text = QString::number(settings.*field);
                const int32_t shown = binding.Row->FromText(text.toStdString());
                binding.Limit->Allow(QString::number(shown).size());
                static_cast<QLineEdit*>(binding.Control)->setText(text);
            }
        },
        binding.Row->Target);
}

void ConfigDialog::ShowSettings(const Settings& settings) {
    showing_ = true;
    for (const SettingRow<Settings>& row : SearchSettingRows()) {
        for (const Binding& binding : bindings_) {
            if (binding.Row == &row) ShowBinding(binding, settings);
        }
    }
    subDirBox_->setChecked(!settings.SubDir.empty());
    subFilePathBox_->setChecked(!settings.SubFilePath.empty());
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

void ConfigDialog::NumberTyped(const Binding& binding, const QString& text) {
    if (rewriting_) return;
    if (!showing_) binding.Limit->Allow(0);
    auto* edit = static_cast<QLineEdit*>(binding.Control);
    const int32_t value = binding.Row->FromText(text.toStdString());
    settings_.*std::get<int32_t Settings::*>(binding.Row->Target) = value;
    // A lone minus sign is the start of a negative delay being typed: it stays.
    const bool negativeStarted = edit == delayEdit_ && text == u'-';
    const QString shown = negativeStarted ? text : QString::number(value);
    if (shown != text) {
        const int cursor = edit->cursorPosition();
        rewriting_ = true;
        edit->setText(shown);
        rewriting_ = false;
        edit->setCursorPosition(std::min<int>(cursor, static_cast<int>(shown.size())));
    }
    // The next key typed replaces the single digit.
    if (edit == ignoredCharsEdit_) edit->selectAll();
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

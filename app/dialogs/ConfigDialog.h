#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/SettingRows.h"
#include "settings/Settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace orvalen {

class TypedLengthLimit;

// The caption of the font sample.
inline constexpr char kFontSampleText[] = "Subtitle example";

// Asks the user for a directory, showing prompt; nothing when cancelled.
using DirectoryChooser =
    std::function<std::optional<std::string>(QWidget* parent, const QString& prompt)>;

// The platform's directory chooser, starting at the root of the file system.
std::optional<std::string> AskDirectory(QWidget* parent, const QString& prompt);

// The configuration dialog: how subtitle files are searched, which formats take part, how much
// longer subtitles stay, and the subtitle font. Its controls are the live settings: every
// change applies at once for the rest of the run, whether the dialog then closes with OK or
// Cancel; OK also writes them, with the font, to Config.ini.
class ConfigDialog : public QDialog {
    Q_OBJECT
  public:
    // Reads the settings from Config.ini into the controls. When the stored fixed directory no
    // longer exists, the directory chooser opens at once.
    explicit ConfigDialog(QWidget* parent = nullptr);
    ConfigDialog(DirectoryChooser chooseDirectory, QWidget* parent = nullptr);

    // The settings the controls show, kept up to date at each change.
    const Settings& CurrentSettings() const { return settings_; }

    // Puts settings into the controls through their change rules, as at creation: the two
    // directory boxes are ticked when their text is not empty and the delay is kept at or
    // below 2000.
    void ShowSettings(const Settings& settings);

    // The font button runs command (the main window's Fonts command).
    void SetFontCommand(std::function<void()> command);
    // What OK writes in the Font section. Without a source, the stored font is written back.
    void SetFontSource(std::function<FontSettings()> source);
    // The sample caption beside the font button, drawn as the subtitles are.
    void ShowFontSample(const QFont& font, const QColor& color);

    // Writes the settings and the font to Config.ini; a refused write is reported in a
    // message box naming the file.
    void Save();

  signals:
    // "Subtitle size follows the picture" has been switched.
    void SubtitleSizeRuleChanged();

  public:
    static constexpr int ClientWidth = 432;
    static constexpr int ClientHeight = 331;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* CreateGeneralPage();
    QWidget* CreateFormatsPage();
    void CreateButtonStrip(int top);
    // A bare check box named name and its caption label (named name + "Caption"), which
    // toggles the box when clicked.
    QCheckBox* AddCheckRow(QWidget* parent, const QString& name, int left, int top,
                           int captionWidth, const QString& caption, const QString& hint = {});
    void Connect();

    // A control that shows one of the search settings: a check box for a bool, an edit for a
    // text or a number (with the limit of what may be typed).
    struct Binding {
        const SettingRow<Settings>* Row;
        QWidget* Control;
        TypedLengthLimit* Limit = nullptr;
    };
    void Bind(std::string_view key, QWidget* control, TypedLengthLimit* limit = nullptr);
    void ConnectBinding(const Binding& binding);
    void ShowBinding(const Binding& binding, const Settings& settings);
    void NumberTyped(const Binding& binding, const QString& text);
    void SubDirToggled(bool on);
    void SubFilePathToggled(bool on);
    void ChooseSubFilePath();
    void SetAllFormats(bool on);
    void RunFontCommand();
    void Ok();

    Settings settings_;
    DirectoryChooser chooseDirectory_;
    std::function<void()> fontCommand_;
    std::function<FontSettings()> fontSource_;
    bool choosing_ = false;
    bool rewriting_ = false;
    bool showing_ = false;
    int extraHeight_ = 0;

    QTabWidget* pages_ = nullptr;
    QCheckBox* currentDirBox_ = nullptr;
    QCheckBox* subDirBox_ = nullptr;
    QLineEdit* subDirEdit_ = nullptr;
    QCheckBox* subFilePathBox_ = nullptr;
    QLineEdit* subFilePathEdit_ = nullptr;
    QPushButton* chooseDirButton_ = nullptr;
    QLineEdit* ignoredCharsEdit_ = nullptr;
    TypedLengthLimit* ignoredCharsLimit_ = nullptr;
    QCheckBox* autoSelectBox_ = nullptr;
    QLineEdit* delayEdit_ = nullptr;
    TypedLengthLimit* delayLimit_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QLabel* fontSample_ = nullptr;
    QCheckBox* scaleWithPictureBox_ = nullptr;
    QCheckBox* announceBox_ = nullptr;
    std::vector<std::pair<SubtitleFormat, QCheckBox*>> formatBoxes_;
    std::vector<Binding> bindings_;
    QPushButton* selectAllButton_ = nullptr;
    QPushButton* unselectAllButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace orvalen

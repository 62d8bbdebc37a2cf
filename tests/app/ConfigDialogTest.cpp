#include "app/dialogs/ConfigDialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "app/dialogs/MessageBox.h"
#include "app/dialogs/SubtitleFontDialog.h"
#include "app/window/FontMapping.h"
#include "app/window/MainWindow.h"
#include "settings/IniFile.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"
#include "tests/app/WindowFixture.h"

namespace orvalen {
namespace {

using testing::WriteFile;

// A configuration dialog over a Config.ini in a temporary directory, with a directory chooser
// that answers from a queue (an empty answer cancels) and message boxes recorded.
class ConfigDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("ORVALEN_CONFIG", ConfigPath().toLocal8Bit());
        SetMessageHandler([this](const QString& text) { messages_.push_back(text); });
    }
    void TearDown() override {
        dialog_.reset();
        SetMessageHandler({});
        qunsetenv("ORVALEN_CONFIG");
    }

    QString Path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QString ConfigPath() const { return Path("Config.ini"); }
    std::string ReadConfig() const {
        QFile file(ConfigPath());
        if (!file.open(QIODevice::ReadOnly)) return "(missing)";
        return file.readAll().toStdString();
    }

    ConfigDialog& Make() {
        dialog_ = std::make_unique<ConfigDialog>([this](QWidget*, const QString& prompt) {
            prompts_.push_back(prompt);
            std::optional<std::string> answer;
            if (!answers_.empty()) {
                if (!answers_.front().empty()) answer = answers_.front();
                answers_.pop_front();
            }
            return answer;
        });
        dialog_->show();
        return *dialog_;
    }

    template <class T = QWidget>
    T* Child(const QString& name) const {
        T* child = dialog_->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    QCheckBox* Box(const QString& name) const { return Child<QCheckBox>(name); }
    QLineEdit* Edit(const QString& name) const { return Child<QLineEdit>(name); }
    void Click(const QString& name) const {
        QTest::mouseClick(Child(name), Qt::LeftButton, {}, QPoint(4, 4));
    }
    const Settings& Live() const { return dialog_->CurrentSettings(); }

    QTemporaryDir dir_;
    std::unique_ptr<ConfigDialog> dialog_;
    std::deque<std::string> answers_;
    std::vector<QString> prompts_;
    std::vector<QString> messages_;
};

const QString kPrompt =
    "Sélectionner un répertoire dans lequel vous stocker des fichiers de sous-titre :";

TEST_F(ConfigDialogTest, LayoutFollowsTheFormDescription) {
    ConfigDialog& dialog = Make();
    // The formats added after the first fifteen make the formats page taller by one row step
    // for each pair.
    const auto& formats = ConfigKeyOrder();
    const int extra = 24 * static_cast<int>((formats.size() - 15 + 1) / 2);
    EXPECT_EQ(dialog.windowTitle(), "Configuration");
    EXPECT_EQ(dialog.size(), QSize(432, 331 + extra));
    EXPECT_EQ(Child<QTabWidget>("pages")->currentIndex(), 1);
    auto* ok = Child<QPushButton>("okButton");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->mapTo(&dialog, QPoint(0, 0)), QPoint(176, 302 + extra));
    EXPECT_EQ(Child("unselectAllButton")->geometry(), QRect(232, 231 + extra, 145, 25));

    // One row per format in the stored key order: the first eight on the left, the next seven
    // on the right, each caption a separate label; no row covers another or leaves the group.
    auto* group = Box("formatBox.sub")->parentWidget();
    EXPECT_EQ(group->size(), QSize(401, 217 + extra));
    std::vector<QRect> taken;
    for (size_t i = 0; i < formats.size(); ++i) {
        const QString name = "formatBox." + QString::fromLatin1(FormatExtension(formats[i]));
        QCheckBox* box = Box(name);
        EXPECT_TRUE(box->text().isEmpty());
        if (i < 15) {
            const int row = static_cast<int>(i < 8 ? i : i - 8);
            EXPECT_EQ(box->pos(), QPoint(i < 8 ? 16 : 208, 24 + 24 * row)) << name.toStdString();
        }
        for (QWidget* part : {static_cast<QWidget*>(box), Child(name + "Caption")}) {
            EXPECT_TRUE(group->rect().adjusted(4, 4, -4, -4).contains(part->geometry()))
                << name.toStdString();
            for (const QRect& other : taken) {
                EXPECT_FALSE(other.intersects(part->geometry())) << name.toStdString();
            }
            taken.push_back(part->geometry());
        }
    }
    EXPECT_GT(Child("formatBox.txtCaption")->height(), Child("formatBox.srtCaption")->height());
}

TEST_F(ConfigDialogTest, CreationShowsTheStoredSettingsThroughTheRules) {
    const QString subs = Path("subs");
    ASSERT_TRUE(QDir().mkpath(subs));
    WriteFile(ConfigPath(),
              "[General]\nNbrChar=25\nDelay=5000\nCurrentDir=1\nSubDir=own\n"
              "SubFilePath=" +
                  subs.toStdString() + "\n[SubtitleFormat]\nsrt=1\nsub=2\ntxt=true\n");
    Make();
    EXPECT_EQ(Edit("ignoredCharsEdit")->text(), "25");
    EXPECT_EQ(Edit("delayEdit")->text(), "2000");
    EXPECT_TRUE(Box("currentDirBox")->isChecked());
    EXPECT_TRUE(Box("subDirBox")->isChecked());
    EXPECT_TRUE(Box("subFilePathBox")->isChecked());
    EXPECT_TRUE(prompts_.empty());
    EXPECT_TRUE(Box("formatBox.srt")->isChecked());
    EXPECT_TRUE(Box("formatBox.sub")->isChecked());
    EXPECT_FALSE(Box("formatBox.txt")->isChecked());
    EXPECT_EQ(Live().NbrChar, 25);
    EXPECT_EQ(Live().Delay, 2000);
    EXPECT_TRUE(Live().SubDirEnabled);
    EXPECT_EQ(Live().SubFilePath, subs.toStdString());
    EXPECT_TRUE(Live().SubFilePathEnabled);
}

TEST_F(ConfigDialogTest, AVanishedDirectoryOpensTheChooserAtCreation) {
    const std::string gone = Path("gone").toStdString();
    const std::string other = Path("other").toStdString();
    struct Case {
        std::string answer;
        std::string path;
    };
    for (const Case& c : {Case{"", ""}, Case{other, other}}) {
        WriteFile(ConfigPath(), "[General]\nSubFilePath=" + gone + "\n");
        prompts_.clear();
        answers_ = {c.answer};
        Make();
        ASSERT_EQ(prompts_.size(), 1u);
        EXPECT_EQ(prompts_[0], kPrompt);
        EXPECT_EQ(Edit("subFilePathEdit")->text().toStdString(), c.path);
        EXPECT_EQ(Box("subFilePathBox")->isChecked(), !c.path.empty());
        EXPECT_EQ(Live().SubFilePath, c.path);
        EXPECT_EQ(ReadConfig(), "[General]\nSubFilePath=" + gone + "\n");
    }
}

TEST_F(ConfigDialogTest, TypingKeepsTheNumberRules) {
    struct Case {
        const char* edit;
        const char* start;
        const char* keys;
        const char* shown;
    };
    const Case cases[] = {
        {"delayEdit", "", "2500", "2000"},   {"delayEdit", "", "12a", "12"},
        {"delayEdit", "", "a", "0"},         {"delayEdit", "", "-300", "-300"},
        {"delayEdit", "", "12345", "1234"},  {"ignoredCharsEdit", "", "7", "7"},
        {"ignoredCharsEdit", "", "78", "8"}, {"ignoredCharsEdit", "", "x", "0"},
        {"ignoredCharsEdit", "", "-", "0"},
    };
    Make();
    for (const Case& c : cases) {
        QLineEdit* edit = Edit(c.edit);
        edit->selectAll();
        QTest::keyClicks(edit, c.keys);
        EXPECT_EQ(edit->text(), c.shown) << c.edit << " " << c.keys;
    }
    EXPECT_EQ(Live().Delay, 1234);
    EXPECT_EQ(Live().NbrChar, 0);
    EXPECT_EQ(Edit("ignoredCharsEdit")->selectedText(), "0");

    // A minus sign typed before digits makes the delay negative.
    QLineEdit* delay = Edit("delayEdit");
    delay->selectAll();
    QTest::keyClicks(delay, "350");
    QTest::keyClick(delay, Qt::Key_Home);
    QTest::keyClick(delay, Qt::Key_Minus);
    EXPECT_EQ(delay->text(), "-350");
    EXPECT_EQ(Live().Delay, -350);
}

TEST_F(ConfigDialogTest, AStoredWideNumberShowsUntilEdited) {
    WriteFile(ConfigPath(), "[General]\nNbrChar=25\n");
    Make();
    QLineEdit* edit = Edit("ignoredCharsEdit");
    EXPECT_EQ(edit->text(), "25");
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "3");
    EXPECT_EQ(edit->text(), "25");
    QTest::mouseClick(edit, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(edit->selectedText(), "25");
    QTest::keyClicks(edit, "3");
    EXPECT_EQ(edit->text(), "3");
    EXPECT_EQ(Live().NbrChar, 3);
}

TEST_F(ConfigDialogTest, DirectoryRowsFollowTheirBoxes) {
    Make();
    // Ticking the fixed-directory box with no directory asks for one; cancelling unticks it.
    answers_ = {""};
    Click("subFilePathBoxCaption");
    EXPECT_EQ(prompts_.size(), 1u);
    EXPECT_FALSE(Box("subFilePathBox")->isChecked());
    EXPECT_TRUE(Edit("subFilePathEdit")->text().isEmpty());

    answers_ = {dir_.path().toStdString()};
    Click("chooseDirButton");
    EXPECT_TRUE(Box("subFilePathBox")->isChecked());
    EXPECT_EQ(Live().SubFilePath, dir_.path().toStdString());
    EXPECT_TRUE(Live().SubFilePathEnabled);
    Click("subFilePathBox");
    EXPECT_TRUE(Live().SubFilePath.empty());
    EXPECT_EQ(prompts_.size(), 2u);

    QTest::keyClicks(Edit("subDirEdit"), "subs");
    EXPECT_EQ(Live().SubDir, "subs");
    Click("subDirBoxCaption");
    EXPECT_TRUE(Box("subDirBox")->isChecked());
    Click("subDirBoxCaption");
    EXPECT_TRUE(Edit("subDirEdit")->text().isEmpty());
    Click("subDirBoxCaption");
    EXPECT_TRUE(Box("subDirBox")->isChecked());
    EXPECT_TRUE(Edit("subDirEdit")->text().isEmpty());
    EXPECT_TRUE(Live().SubDir.empty());

    for (const char* row : {"currentDirBox", "autoSelectBox", "formatBox.rt", "formatBox.txt"}) {
        Click(QString(row) + "Caption");
        EXPECT_TRUE(Box(row)->isChecked()) << row;
    }
    EXPECT_TRUE(Live().CurrentDir);
    EXPECT_TRUE(Live().AutoSelect);
    EXPECT_TRUE(Live().SubtitleFormat[static_cast<size_t>(SubtitleFormat::Rt)]);
}

TEST_F(ConfigDialogTest, OkWritesEveryKeyInTheStoredOrder) {
    Make();
    dialog_->SetFontSource([] {
        FontSettings font;
        font.Name = "DejaVu Sans";
        font.Color = 65535;
        font.Size = 14;
        font.Height = -19;
        font.Bold = true;
        return font;
    });
    Click("selectAllButton");
    Click("formatBox.smiCaption");
    QTest::keyClicks(Edit("ignoredCharsEdit"), "3");
    QTest::keyClicks(Edit("delayEdit"), "250");
    Click("currentDirBoxCaption");
    QTest::keyClicks(Edit("subDirEdit"), "st");
    Click("announceBoxCaption");
    Click("okButton");
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(ReadConfig(),
              "[General]\nNbrChar=3\nDelay=250\nCurrentDir=1\nAutoSelect=0\nSubDir=st\n"
              "SubFilePath=\nScaleWithPicture=0\nAnnounce=1\n\n"
              "[SubtitleFormat]\nsub=1\nsrt=1\ndks=1\njss=1\nmpl=1\njps=1\npsb=1\nrt=1\n"
              "smi=0\nssa=1\ntts=1\nvsf=1\nzeg=1\nscr=1\ntxt=1\nass=1\nvtt=1\n\n"
              "[Font]\nName=DejaVu Sans\nColor=65535\nSize=14\nHeight=-19\nPitch=0\n"
              "Italic=0\nUnderline=0\nStrikeOut=0\nBold=1\n");

    Click("unselectAllButton");
    Click("okButton");
    const IniFile ini(ConfigPath().toStdString());
    for (SubtitleFormat format : ConfigKeyOrder()) {
        EXPECT_EQ(ini.ReadString("SubtitleFormat", std::string(FormatExtension(format)), "?"), "0");
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ConfigDialogTest, CancelKeepsTheChangesForThisRunOnly) {
    const std::string stored = "[SubtitleFormat]\nsrt=1\n";
    WriteFile(ConfigPath(), stored);
    Make();
    Click("formatBox.srtCaption");
    Click("formatBox.subCaption");
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_FALSE(Live().SubtitleFormat[static_cast<size_t>(SubtitleFormat::Srt)]);
    EXPECT_TRUE(Live().SubtitleFormat[static_cast<size_t>(SubtitleFormat::Sub)]);
    EXPECT_EQ(ReadConfig(), stored);

    // The next start reads the stored formats again; the unchanged font is written back.
    Make();
    EXPECT_TRUE(Live().SubtitleFormat[static_cast<size_t>(SubtitleFormat::Srt)]);
    EXPECT_FALSE(Live().SubtitleFormat[static_cast<size_t>(SubtitleFormat::Sub)]);
}

TEST_F(ConfigDialogTest, ARefusedWriteIsReportedAndLosesNothing) {
    const std::string stored = "[General]\nDelay=40\n[Font]\nName=Kept\n";
    WriteFile(ConfigPath(), stored);
    ASSERT_EQ(::chmod(ConfigPath().toLocal8Bit().constData(), 0444), 0);
    Make();
    QTest::keyClicks(Edit("delayEdit"), "9");
    Click("okButton");
    EXPECT_EQ(messages_, std::vector<QString>{"Impossible d'écrire dans " + ConfigPath()});
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(ReadConfig(), stored);
    EXPECT_EQ(Live().Delay, 409);
}

TEST_F(ConfigDialogTest, FontButtonRunsTheFontCommandAndTheSampleFollows) {
    Make();
    int runs = 0;
    QFont chosen("DejaVu Serif");
    chosen.setPointSize(20);
    dialog_->SetFontCommand([&] {
        ++runs;
        dialog_->ShowFontSample(chosen, Qt::yellow);
    });
    Click("fontButton");
    EXPECT_EQ(runs, 1);
    auto* sample = Child<QLabel>("fontSample");
    EXPECT_EQ(sample->font().pointSize(), 20);
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(Qt::yellow));
}

// The program's dialog: its font button runs the window's Fonts command, its sample follows
// the font chosen, and OK stores that font.
class ConfigFromWindow : public testing::WindowTest {};

TEST_F(ConfigFromWindow, FontButtonChoosesTheSubtitleFontAndOkStoresIt) {
    MakeWindow();
    auto* dialog = window_->findChild<ConfigDialog*>();
    ASSERT_NE(dialog, nullptr);
    dialog->show();
    QFont wanted("DejaVu Serif");
    wanted.setPointSize(20);
    wanted.setBold(true);
    auto chosen = test::WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* fonts) {
        fonts->FontPanel()->setCurrentFont(wanted);
        static_cast<QDialog*>(fonts)->accept();
    });
    QTest::mouseClick(dialog->findChild<QPushButton*>("fontButton"), Qt::LeftButton);
    ASSERT_TRUE(*chosen);
    const QFont sample = dialog->findChild<QLabel*>("fontSample")->font();
    EXPECT_EQ(sample.families().front(), "DejaVu Serif");
    EXPECT_TRUE(sample.bold());
    EXPECT_EQ(FontPointSize(sample), 20);

    QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    const FontSettings stored = ReadFontSettings(IniFile(ConfigPath().toStdString()));
    EXPECT_EQ(stored.Name, "DejaVu Serif");
    EXPECT_EQ(stored.Size, 20);
    EXPECT_TRUE(stored.Bold);
    test::DisarmModalDrivers();
}

}  // namespace
}  // namespace orvalen

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <limits>

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"
#include "app/dialogs/SubtitleFontDialog.h"
#include "app/window/FullScreenView.h"
#include "app/window/ImageList.h"
#include "app/window/StatusBar.h"
#include "app/window/VideoPanel.h"
#include "tests/app/CommandsFixture.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

using test::Cancel;
using test::ChooseFile;
using test::WhenModal;

// Chooses font and colour in the font dialog, as a user would.
std::shared_ptr<bool> ChooseFont(const QFont& font, const QColor& color) {
    return WhenModal<SubtitleFontDialog>([font, color](SubtitleFontDialog* dialog) {
        dialog->SetChoice({font, color});
        dialog->accept();
    });
}

QFont PointFont(int points) {
    QFont font(DefaultSansFamily());
    font.setPointSize(points);
    return font;
}

TEST_F(Commands, TwelvePointFontMakesTheSubtitleArea60High) {
    QFont font = PointFont(12);
    font.setItalic(true);
    font.setUnderline(true);
    font.setWeight(QFont::Bold);
    const QColor yellow(255, 255, 0);
    ChooseFont(font, yellow);
    W().ChooseSubtitleFont();

    EXPECT_EQ(Ui().SubtitlePanel->height(), 60);
    EXPECT_EQ(W().WindowHeight(),
              Ui().VideoArea->height() + Ui().VideoArea->y() + Ui().SubtitlePanel->height() + 30);
    const QFont label = Ui().SubtitleLabel->font();
    EXPECT_EQ(FontPointSize(label), 12);
    EXPECT_TRUE(label.italic());
    EXPECT_TRUE(label.underline());
    EXPECT_FALSE(label.strikeOut());
    EXPECT_TRUE(label.bold());
    EXPECT_EQ(label.families().front(), DefaultSansFamily());
    EXPECT_EQ(W().SubtitleLabelColor(), yellow);

    EXPECT_EQ(FaceNameOf(View().FullScreenFont), DefaultSansFamily().toStdString());
    EXPECT_EQ(View().FullScreenFont.Height, -16);
    EXPECT_EQ(View().FullScreenFont.Weight, 700);
    EXPECT_EQ(View().FullScreenFont.Italic, 1);
    EXPECT_EQ(View().FullScreenFont.Underline, 1);
    EXPECT_EQ(View().FullScreenFont.StrikeOut, 0);
    EXPECT_EQ(Ui().FullScreenWindow->TextColor(), yellow);
    EXPECT_EQ(Ui().FullScreenWindow->BandFont().pixelSize(), 16);
}

TEST_F(Commands, EightPointFontLeavesTheSubtitleAreaAsItWas) {
    const int before = Ui().SubtitlePanel->height();
    ChooseFont(PointFont(8), Qt::white);
    W().ChooseSubtitleFont();
    EXPECT_EQ(Ui().SubtitlePanel->height(), before);
    EXPECT_EQ(FontPointSize(Ui().SubtitleLabel->font()), 8);
    EXPECT_FALSE(Ui().SubtitleLabel->font().bold());
}

TEST_F(Commands, FontDialogStartsFromTheSubtitleFontAndCancelChangesNothing) {
    ChooseFont(PointFont(20), Qt::green);
    W().ChooseSubtitleFont();
    const SubtitleFont record = View().FullScreenFont;
    const QFont label = Ui().SubtitleLabel->font();
    const int lowHeight = Ui().SubtitlePanel->height();

    FontChoice seen;
    WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
        seen = dialog->Choice();
        dialog->FontPanel()->setCurrentFont(PointFont(30));
        dialog->reject();
    });
    W().ChooseSubtitleFont();
    EXPECT_EQ(seen.Font.pointSize(), 20);
    EXPECT_EQ(seen.Color, QColor(Qt::green));
    EXPECT_EQ(std::memcmp(&record, &View().FullScreenFont, sizeof record), 0);
    EXPECT_EQ(Ui().SubtitleLabel->font(), label);
    EXPECT_EQ(Ui().SubtitlePanel->height(), lowHeight);
    EXPECT_EQ(W().SubtitleLabelColor(), QColor(Qt::green));
}

TEST_F(Commands, FitToVideoWithoutAPictureKeepsThePictureArea) {
    device_.hasVideo = false;
    OpenThroughDialog(FilmWithSubtitle("sound only"));
    EXPECT_TRUE(Film().Open);
    EXPECT_EQ(Ui().VideoArea->size(), QSize(657, 337));
    EXPECT_EQ(Panel(StatusPanel::PictureSize), "");
    EXPECT_EQ(W().WindowWidth(), 677);
}

TEST_F(Commands, FitToVideoBoundsAnAbsurdVideoSizeToTheScreen) {
    device_.videoWidth = std::numeric_limits<int32_t>::max();
    device_.videoHeight = std::numeric_limits<int32_t>::max();
    OpenThroughDialog(FilmWithSubtitle("huge"));
    EXPECT_EQ(Panel(StatusPanel::PictureSize), "2147483647 * 2147483647");
    const QSize picture = Ui().VideoArea->size() - QSize(0, 15);
    EXPECT_EQ(picture.width(), picture.height()) << "square as the film";
    EXPECT_GT(picture.width(), 100);
    EXPECT_LT(picture.height(), W().screen()->availableGeometry().height());
}

class SubtitleFiles : public Commands {
  protected:
    QString FilmPath() { return Path("Movie.avi"); }

    void WriteCandidates(std::initializer_list<const char*> names) {
        WriteFile(FilmPath(), "film");
        for (const char* name : names) WriteFile(Path(name), SrtWith(name));
    }

    void ExpectChecked(int index) {
        for (int i = 0; i < FoundCount(); ++i) {
            EXPECT_EQ(MenuItems()[8 + i]->isChecked(), i == index) << i;
            EXPECT_EQ(PopupItems()[6 + i]->isChecked(), i == index) << i;
        }
    }
};

TEST_F(SubtitleFiles, TwoCandidatesAskAndTheChoiceIsLoadedAndChecked) {
    WriteCandidates({"Movie.en.srt", "Movie.fr.srt"});
    QStringList listed;
    QString preselected;
    WhenModal<SubtitleChoiceDialog>([&](SubtitleChoiceDialog* dialog) {
        for (int i = 0; i < dialog->Count(); ++i) listed << dialog->ChoiceList()->itemText(i);
        preselected = dialog->ChoiceList()->currentText();
        dialog->ChoiceList()->setCurrentIndex(1);
        dialog->OkButton()->click();
    });
    W().SubtitleSearch(FilmPath().toStdString());

    EXPECT_EQ(listed, (QStringList{Path("Movie.en.srt"), Path("Movie.fr.srt")}));
    EXPECT_EQ(preselected, Path("Movie.en.srt"));
    EXPECT_EQ(TrackText(), "Movie.fr.srt");
    EXPECT_EQ(FoundCount(), 2);
    EXPECT_EQ(Subs().FoundFiles[1], Path("Movie.fr.srt").toStdString());
    ASSERT_EQ(MenuItems().size(), 10);
    ASSERT_EQ(PopupItems().size(), 8);
    EXPECT_EQ(MenuItems()[8]->text(), Path("Movie.en.srt"));
    EXPECT_EQ(PopupItems()[7]->text(), Path("Movie.fr.srt"));
    EXPECT_TRUE(MenuItems()[9]->actionGroup()->isExclusive());
    ExpectChecked(1);
}

TEST_F(SubtitleFiles, AutoSelectLoadsTheFirstWithoutAsking) {
    ChangeSettings([](Settings& settings) { settings.AutoSelect = true; });
    WriteCandidates({"Movie.en.srt", "Movie.fr.srt"});
    auto asked = WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    W().SubtitleSearch(FilmPath().toStdString());
    EXPECT_FALSE(*asked);
    EXPECT_EQ(TrackText(), "Movie.en.srt");
    ASSERT_EQ(MenuItems().size(), 10);
    ExpectChecked(0);
}

TEST_F(SubtitleFiles, OneCandidateLoadsAtOnceAndRemovesEarlierItems) {
    WriteCandidates({"Movie.en.srt", "Movie.fr.srt", "Movie.sub"});
    WhenModal<SubtitleChoiceDialog>(
        [](SubtitleChoiceDialog* dialog) { dialog->OkButton()->click(); });
    W().SubtitleSearch(FilmPath().toStdString());
    ASSERT_EQ(MenuItems().size(), 11);

    WriteFile(Path("Other.avi"), "film");
    WriteFile(Path("Other.srt"), SrtWith("only one"));
    auto asked = WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    W().SubtitleSearch(Path("Other.avi").toStdString());
    EXPECT_FALSE(*asked);
    EXPECT_EQ(TrackText(), "only one");
    EXPECT_EQ(FoundCount(), 1);
    EXPECT_EQ(MenuItems().size(), 8);
    EXPECT_EQ(PopupItems().size(), 6);
    EXPECT_EQ(MenuItems()[4], Item(WindowAction::Fonts));
    EXPECT_TRUE(PopupItems()[5]->isSeparator());
}

TEST_F(SubtitleFiles, NextSearchReplacesTheItems) {
    WriteCandidates({"Movie.a.srt", "Movie.b.srt", "Movie.c.srt"});
    WhenModal<SubtitleChoiceDialog>(
        [](SubtitleChoiceDialog* dialog) { dialog->OkButton()->click(); });
    W().SubtitleSearch(FilmPath().toStdString());
    ASSERT_EQ(MenuItems().size(), 11);

    WriteFile(Path("Next.avi"), "film");
    WriteFile(Path("Next.1.srt"), SrtWith("1"));
    WriteFile(Path("Next.2.srt"), SrtWith("2"));
    WhenModal<SubtitleChoiceDialog>(
        [](SubtitleChoiceDialog* dialog) { dialog->OkButton()->click(); });
    W().SubtitleSearch(Path("Next.avi").toStdString());
    ASSERT_EQ(MenuItems().size(), 10);
    ASSERT_EQ(PopupItems().size(), 8);
    EXPECT_EQ(MenuItems()[8]->text(), Path("Next.1.srt"));
    EXPECT_EQ(MenuItems()[9]->text(), Path("Next.2.srt"));
    EXPECT_EQ(PopupItems()[6]->text(), Path("Next.1.srt"));
    ExpectChecked(0);
}

TEST_F(SubtitleFiles, NothingFoundOffersTheFileDialogAndCancelLoadsNothing) {
    WriteFile(FilmPath(), "film");
    WriteFile(Path("elsewhere.srt"), SrtWith("kept"));
    W().LoadSubtitleFile(Path("elsewhere.srt").toStdString(), Subs().Track);
    ChangeSettings([](Settings& settings) {
        settings.SubtitleFormat[static_cast<size_t>(SubtitleFormat::Sub)] = false;
    });

    QStringList filters;
    QString directory;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath();
        Cancel(dialog);
    });
    W().SubtitleSearch(FilmPath().toStdString());
    EXPECT_EQ(filters, QStringList{"Subtitles Files (*.srt)"});
    EXPECT_EQ(directory, QDir(dir_.path()).absolutePath());
    EXPECT_TRUE(Subs().FormatUnknown);
    EXPECT_EQ(TrackText(), "kept");
    EXPECT_EQ(FoundCount(), 0);
    EXPECT_EQ(MenuItems().size(), 8);
}

TEST_F(SubtitleFiles, NothingFoundAndAFileChosenInTheDialogLoadsIt) {
    WriteFile(FilmPath(), "film");
    WriteFile(Path("unrelated.srt"), SrtWith("picked"));
    WhenModal<QFileDialog>(
        [this](QFileDialog* dialog) { ChooseFile(dialog, Path("unrelated.srt")); });
    W().SubtitleSearch(FilmPath().toStdString());
    EXPECT_EQ(TrackText(), "picked");
    EXPECT_FALSE(Subs().FormatUnknown);
}

TEST_F(SubtitleFiles, PathsWithAmpersandsShowExactlyAndLoadWhenClicked) {
    WriteCandidates({"Movie & Co.srt", "Movie && more.srt"});
    WhenModal<SubtitleChoiceDialog>(
        [](SubtitleChoiceDialog* dialog) { dialog->OkButton()->click(); });
    W().SubtitleSearch(FilmPath().toStdString());
    ASSERT_EQ(MenuItems().size(), 10);
    EXPECT_EQ(MenuItems()[8]->text(), Path("Movie && Co.srt"));
    EXPECT_EQ(MenuItems()[9]->text(), Path("Movie &&&& more.srt"));
    EXPECT_EQ(MenuItems()[9]->iconText(), Path("Movie && more.srt"));
    EXPECT_EQ(MenuItems()[9]->data().toByteArray(), Path("Movie && more.srt").toUtf8());

    PopupItems()[7]->trigger();
    EXPECT_EQ(TrackText(), "Movie && more.srt");
    ExpectChecked(1);

    MenuItems()[8]->trigger();
    EXPECT_EQ(TrackText(), "Movie & Co.srt");
    ExpectChecked(0);
    MenuItems()[8]->trigger();
    ExpectChecked(0);
}

TEST_F(SubtitleFiles, OpenAnotherFileUsesTheSubtitleFilterAndLoadsTheChoice) {
    device_.frameRate = 0;
    WriteFile(Path("any name.sub"), "{10}{20}Frames\r\n");
    QStringList filters;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        ChooseFile(dialog, Path("any name.sub"));
    });
    Item(WindowAction::OpenSubtitleFile)->trigger();
    EXPECT_EQ(filters, QStringList{"Subtitles Files (*.sub *.srt)"});
    EXPECT_EQ(TrackText(), "Frames");
    EXPECT_EQ(Panel(StatusPanel::Status), "FrameRate = 23976");

    WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().OpenSubtitleFile();
    EXPECT_EQ(TrackText(), "Frames");
}

}  // namespace
}  // namespace orvalen::testing

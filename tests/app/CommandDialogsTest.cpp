#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/DialogSubtitleChooser.h"
#include "app/dialogs/FileOpenDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"
#include "app/dialogs/SubtitleFontDialog.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"
#include "tests/app/WindowFixture.h"

namespace orvalen {
namespace {

using test::ChooseFile;
using test::WhenModal;

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

struct FilterCase {
    FileFilters filters;
    QStringList expected;
};

class NameFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilters, TranslatesDescriptionAndPatterns) {
    EXPECT_EQ(QtNameFilters(GetParam().filters), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, NameFilters,
    ::testing::Values(
        FilterCase{{{"Video Files (*.avi,*.mpg,*.divx)", {"*.avi", "*.mpg", "*.divx"}}},
                   {"Video Files (*.avi,*.mpg,*.divx) (*.avi *.mpg *.divx)"}},
        FilterCase{{{"Subtitles Files", {"*.sub", "*.srt"}}}, {"Subtitles Files (*.sub *.srt)"}},
        FilterCase{{{"Subtitles Files", {}}}, {"Subtitles Files (*)"}},
        FilterCase{{{"Fichier SubRip (*.srt)", {"*.srt"}}}, {"Fichier SubRip (*.srt) (*.srt)"}},
        FilterCase{{{"Fichiers Vidéo", {"*.avi", "*.mpg", "*.divx"}}},
                   {"Fichiers Vidéo (*.avi *.mpg *.divx)"}},
        FilterCase{{{"A", {"*.a"}}, {"B", {"*.b", "*.c"}}}, {"A (*.a)", "B (*.b *.c)"}},
        FilterCase{{}, {"(*)"}}));

// The names the dialog lists in its current directory, once its model has read them.
QStringList ListedNames(QFileDialog* dialog, int expectedCount) {
    auto* view = dialog->findChild<QListView*>("listView");
    QStringList names;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            names << view->model()->index(row, 0, root).data().toString();
        }
        if (names.size() >= expectedCount) break;
    }
    names.sort();
    return names;
}

TEST(FileOpenDialog, VideoFilterListsTheThreeExtensionsInAnyCase) {
    QTemporaryDir dir;
    for (const char* name : {"a.avi", "B.MPG", "c.divx", "d.srt", "e.txt"}) {
        Touch(dir.filePath(name));
    }
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    open.SetFilter(FileFilters{{"Video Files (*.avi,*.mpg,*.divx)", {"*.avi", "*.mpg", "*.divx"}}});
    open.SetInitialDir(dir.path());
    QStringList listed;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        listed = ListedNames(dialog, 3);
        dialog->reject();
    });
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(listed, (QStringList{"B.MPG", "a.avi", "c.divx"}));
}

TEST(FileOpenDialog, FilterWithoutMasksStillListsFiles) {
    QTemporaryDir dir;
    Touch(dir.filePath("film.srt"));
    Touch(dir.filePath("film.xyz"));
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    open.SetFilter(FileFilters{{"Subtitles Files", {}}});
    open.SetInitialDir(dir.path());
    QStringList listed;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        listed = ListedNames(dialog, 2);
        dialog->reject();
    });
    open.Execute();
    EXPECT_EQ(listed, (QStringList{"film.srt", "film.xyz"}));
}

TEST(FileOpenDialog, ChoiceGivesFullPathAndCancelKeepsIt) {
    QTemporaryDir dir;
    const QString film = dir.filePath("one film.avi");
    Touch(film);
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    open.SetFilter(FileFilters{{"Video Files (*.avi,*.mpg,*.divx)", {"*.avi", "*.mpg", "*.divx"}}});
    open.SetInitialDir(dir.path());
    WhenModal<QFileDialog>([&](QFileDialog* dialog) { ChooseFile(dialog, film); });
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName(), film);

    WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName(), film);
}

TEST(FileOpenDialog, NextUseStartsWhereTheLastOneLeft) {
    QTemporaryDir first;
    QTemporaryDir elsewhere;
    const QString film = first.filePath("x.avi");
    Touch(film);
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    open.SetInitialDir(elsewhere.path());
    WhenModal<QFileDialog>([&](QFileDialog* dialog) { ChooseFile(dialog, film); });
    ASSERT_TRUE(open.Execute());

    QString startedIn;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        startedIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    open.Execute();
    EXPECT_EQ(startedIn, QDir(first.path()).absolutePath());
}

TEST(DialogSubtitleChooser, ReturnsTheChosenCandidate) {
    SubtitleChoiceDialog select;
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    DialogSubtitleChooser chooser(select, &fileDialog);
    QStringList shown;
    WhenModal<SubtitleChoiceDialog>([&](SubtitleChoiceDialog* dialog) {
        for (int i = 0; i < dialog->ChoiceList()->count(); ++i) {
            shown << dialog->ChoiceList()->itemText(i);
        }
        dialog->ChoiceList()->setCurrentIndex(2);
        dialog->OkButton()->click();
    });
    EXPECT_EQ(chooser.ChooseSubtitleFile({"/d/a.srt", "/d/b & c.srt", "/d/c.sub"}), 2);
    EXPECT_EQ(shown, (QStringList{"/d/a.srt", "/d/b & c.srt", "/d/c.sub"}));
}

TEST(DialogSubtitleChooser, SecondSearchReplacesTheEntries) {
    SubtitleChoiceDialog select;
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    DialogSubtitleChooser chooser(select, &fileDialog);
    WhenModal<SubtitleChoiceDialog>(
        [](SubtitleChoiceDialog* dialog) { dialog->OkButton()->click(); });
    chooser.ChooseSubtitleFile({"/a/1.srt", "/a/2.srt", "/a/3.srt"});
    int count = 0;
    WhenModal<SubtitleChoiceDialog>([&](SubtitleChoiceDialog* dialog) {
        count = dialog->Count();
        dialog->OkButton()->click();
    });
    EXPECT_EQ(chooser.ChooseSubtitleFile({"/b/1.srt", "/b/2.srt"}), 0);
    EXPECT_EQ(count, 2);
}

TEST(DialogSubtitleChooser, FallbackOpensInTheFilmsDirectoryWithTheSubtitleFilter) {
    QTemporaryDir dir;
    const QString subtitle = dir.filePath("other name.srt");
    Touch(subtitle);
    SubtitleChoiceDialog select;
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    open.SetFileName(QStringLiteral("/somewhere/old.avi"));
    DialogSubtitleChooser chooser(select, &fileDialog);
    QString startedIn;
    QStringList filters;
    QStringList selected;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        startedIn = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        selected = dialog->selectedFiles();
        ChooseFile(dialog, subtitle);
    });
    const std::string chosen = chooser.AskForSubtitleFile({{"Subtitles Files", {"*.sub", "*.srt"}}},
                                                          dir.path().toStdString() + "/");
    EXPECT_EQ(chosen, subtitle.toStdString());
    EXPECT_EQ(startedIn, QDir(dir.path()).absolutePath());
    EXPECT_EQ(filters, QStringList{"Subtitles Files (*.sub *.srt)"});
    for (const QString& file : selected) EXPECT_FALSE(file.endsWith("old.avi"));
}

TEST(DialogSubtitleChooser, CancelledFallbackGivesEmptyPath) {
    QTemporaryDir dir;
    SubtitleChoiceDialog select;
    QFileDialog fileDialog;
    FileOpenDialog open(&fileDialog);
    open.SetFileName(dir.filePath("film.avi"));
    DialogSubtitleChooser chooser(select, &fileDialog);
    WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(chooser.AskForSubtitleFile({{"Subtitles Files", {}}}, dir.path().toStdString()), "");
}

FontChoice SampleChoice() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(12);
    font.setUnderline(true);
    return {font, QColor(10, 200, 30)};
}

TEST(SubtitleFontDialog, AcceptedChoiceKeepsFontEffectsAndColour) {
    FontChoice start = SampleChoice();
    FontChoice wanted = start;
    wanted.Font.setPointSize(20);
    wanted.Font.setStrikeOut(true);
    wanted.Font.setUnderline(false);
    WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
        dialog->FontPanel()->setCurrentFont(wanted.Font);
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto chosen = AskSubtitleFont(nullptr, start);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Font.pointSize(), 20);
    EXPECT_TRUE(chosen->Font.strikeOut());
    EXPECT_FALSE(chosen->Font.underline());
    EXPECT_EQ(chosen->Color, start.Color);
}

TEST(SubtitleFontDialog, StartsFromTheGivenFont) {
    FontChoice seen;
    WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
        seen = dialog->Choice();
        dialog->reject();
    });
    EXPECT_FALSE(AskSubtitleFont(nullptr, SampleChoice()));
    EXPECT_EQ(seen.Font.pointSize(), 12);
    EXPECT_TRUE(seen.Font.underline());
    EXPECT_EQ(seen.Color, SampleChoice().Color);
}

TEST(SubtitleFontDialog, ColourChosenInTheSameFlow) {
    const QColor red(220, 0, 0);
    WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
        WhenModal<QColorDialog>([&, dialog](QColorDialog* colors) {
            colors->setCurrentColor(red);
            colors->accept();
            QTimer::singleShot(0, dialog, &QDialog::accept);
        });
        dialog->ColorButton()->click();
    });
    const auto chosen = AskSubtitleFont(nullptr, SampleChoice());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Color, red);
}

TEST(SubtitleFontDialog, CancellingTheColourKeepsItAndCancellingTheDialogDropsAll) {
    QColor afterColourCancel;
    WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
        WhenModal<QColorDialog>([&, dialog](QColorDialog* colors) {
            colors->setCurrentColor(Qt::red);
            colors->reject();
            QTimer::singleShot(0, dialog, [&, dialog] {
                afterColourCancel = dialog->Choice().Color;
                dialog->reject();
            });
        });
        dialog->ColorButton()->click();
    });
    EXPECT_FALSE(AskSubtitleFont(nullptr, SampleChoice()));
    EXPECT_EQ(afterColourCancel, SampleChoice().Color);
}

TEST(AboutDialog, ShowsImageNameVersionAndClosesWithOk) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_TRUE(about.isModal());
    QStringList texts;
    bool hasImage = false;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        texts << label->text();
        hasImage = hasImage || !label->pixmap().isNull();
    }
    EXPECT_TRUE(hasImage);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts.mid(0, 2), (QStringList{"", "Orvalen"}));
    EXPECT_TRUE(texts[2].startsWith("Version 0.9.")) << texts[2].toStdString();
    EXPECT_EQ(about.findChild<QPushButton*>()->text(), "OK");
    WhenModal<AboutDialog>([](AboutDialog* box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace orvalen

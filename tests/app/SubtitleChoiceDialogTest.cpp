#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/dialogs/SubtitleChoiceDialog.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"

namespace orvalen {
namespace {

using test::WhenModal;

class SubtitleChoiceTest : public ::testing::Test {
  protected:
    void Fill(std::initializer_list<const char*> paths) {
        dialog.Clear();
        for (const char* path : paths) dialog.Add(QString::fromUtf8(path));
        dialog.Preselect(0);
    }
    SubtitleChoiceDialog dialog;
};

TEST_F(SubtitleChoiceTest, CaptionsAndControls) {
    EXPECT_EQ(dialog.windowTitle(), "Select a subtitle file");
    EXPECT_EQ(dialog.PromptLabel()->text(), "The following subtitles files have been found : ");
    EXPECT_EQ(dialog.OkButton()->text(), "OK");
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_TRUE(dialog.ChoiceList()->isEditable());
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
}

TEST_F(SubtitleChoiceTest, OkAtOnceReturnsThePreselectedFirstEntry) {
    Fill({"/films/a.srt", "/films/b.srt"});
    WhenModal<SubtitleChoiceDialog>(
        [](SubtitleChoiceDialog* shown) { shown->OkButton()->click(); });
    EXPECT_EQ(dialog.ShowModal(), 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SubtitleChoiceTest, ThirdOfThreeReturnsTwo) {
    Fill({"/films/a.srt", "/films/b.srt", "/films/c.srt"});
    WhenModal<SubtitleChoiceDialog>([](SubtitleChoiceDialog* shown) {
        shown->ChoiceList()->setCurrentIndex(2);
        shown->OkButton()->click();
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
}

TEST_F(SubtitleChoiceTest, EnterPressesOk) {
    Fill({"/films/a.srt", "/films/b.srt"});
    WhenModal<SubtitleChoiceDialog>([](SubtitleChoiceDialog* shown) {
        shown->ChoiceList()->setCurrentIndex(1);
        QTest::keyClick(shown->ChoiceList(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
}

TEST_F(SubtitleChoiceTest, ClosingWithoutOkReturnsTheFirstEntry) {
    Fill({"/films/a.srt", "/films/b.srt"});
    WhenModal<SubtitleChoiceDialog>([](SubtitleChoiceDialog* shown) {
        shown->ChoiceList()->setCurrentIndex(1);
        shown->close();
    });
    EXPECT_EQ(dialog.ShowModal(), 0);

    WhenModal<SubtitleChoiceDialog>([](SubtitleChoiceDialog* shown) {
        shown->ChoiceList()->setCurrentIndex(1);
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 0);
}

struct TypedCase {
    const char* typed;
    int expected;
};

class SubtitleChoiceTyped : public SubtitleChoiceTest,
                            public ::testing::WithParamInterface<TypedCase> {};

TEST_P(SubtitleChoiceTyped, TypedTextGivesAnIndexInTheList) {
    Fill({"/films/a.srt", "/films/b.srt", "/films/c.srt"});
    WhenModal<SubtitleChoiceDialog>([](SubtitleChoiceDialog* shown) {
        shown->ChoiceList()->setCurrentIndex(1);
        QLineEdit* edit = shown->ChoiceList()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(GetParam().typed));
        shown->OkButton()->click();
    });
    EXPECT_EQ(dialog.ShowModal(), GetParam().expected);
    EXPECT_EQ(dialog.Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(Typed, SubtitleChoiceTyped,
                         ::testing::Values(TypedCase{"/films/c.srt", 2},
                                           TypedCase{"/films/b.srt", 1},
                                           TypedCase{"/films/nothing.srt", 0},
                                           TypedCase{"/FILMS/C.SRT", 0}));

TEST_F(SubtitleChoiceTest, ClearEmptiesListAndEditField) {
    Fill({"/films/a.srt", "/films/b.srt"});
    dialog.ChoiceList()->lineEdit()->setText("typed");
    dialog.Clear();
    EXPECT_EQ(dialog.Count(), 0);
    EXPECT_EQ(dialog.ChoiceList()->currentText(), "");
}

TEST_F(SubtitleChoiceTest, PathsAreShownExactly) {
    Fill({"/films/Tom & Jerry/a.srt", "/films/été/b&&c.srt"});
    EXPECT_EQ(dialog.ChoiceList()->itemText(0), "/films/Tom & Jerry/a.srt");
    EXPECT_EQ(dialog.ChoiceList()->itemText(1), QString::fromUtf8("/films/été/b&&c.srt"));
    EXPECT_EQ(dialog.ChoiceList()->currentText(), "/films/Tom & Jerry/a.srt");
}

TEST_F(SubtitleChoiceTest, DuplicatePathsKeepTheChosenPosition) {
    Fill({"/films/a.srt", "/films/b.srt", "/films/a.srt"});
    WhenModal<SubtitleChoiceDialog>([](SubtitleChoiceDialog* shown) {
        shown->ChoiceList()->setCurrentIndex(2);
        shown->OkButton()->click();
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
}

}  // namespace
}  // namespace orvalen

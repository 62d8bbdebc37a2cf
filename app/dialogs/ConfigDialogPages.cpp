#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "app/dialogs/ConfigDialog.h"
#include "app/dialogs/FormatRowPlaces.h"
#include "app/dialogs/TypedLengthLimit.h"
#include "app/window/CaptionLabel.h"
#include "app/window/FontMapping.h"
#include "app/window/ImageList.h"

namespace orvalen {

namespace {

constexpr int kBoxSide = 17;
constexpr int kEditHeight = 21;
constexpr int kStripHeight = 29;

// The pages' font, set before their controls are measured.
QWidget* NewPage() {
    auto* page = new QWidget;
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", DefaultSansFamily()});
    font.setPixelSize(11);
    page->setFont(font);
    return page;
}

QLineEdit* AddEdit(QWidget* parent, const QString& name, int left, int top, int width,
                   int height = kEditHeight) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(left, top, width, height);
    return edit;
}

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(left, top + (kBoxSide - label->height()) / 2);
    return label;
}

}  // namespace

QCheckBox* ConfigDialog::AddCheckRow(QWidget* parent, const QString& name, int left, int top,
                                     int captionWidth, const QString& caption,
                                     const QString& hint) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(left, top, kBoxSide, kBoxSide);
    box->setToolTip(hint);
    box->setAccessibleName(caption);
    auto* label = new CaptionLabel(caption, parent, [box] { box->toggle(); });
    label->setObjectName(name + "Caption");
    label->setToolTip(hint);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int textHeight = label->heightForWidth(captionWidth);
    const int lineHeight = label->fontMetrics().height();
    // A one-line caption is centred on its box; a longer one starts level with it.
    const int captionTop = textHeight <= lineHeight ? top + (kBoxSide - lineHeight) / 2 : top;
    label->setGeometry(left + kBoxSide + 7, captionTop, captionWidth, std::max(textHeight, 1));
    return box;
}

QWidget* ConfigDialog::CreateGeneralPage() {
    QWidget* page = NewPage();
    auto* group = new QGroupBox(" Search Subtitle files options ", page);
    group->setGeometry(8, 8, 401, 129);

    currentDirBox_ =
        AddCheckRow(group, "currentDirBox", 16, 24, 360, "Search in the current directory");
    subDirBox_ = AddCheckRow(group, "subDirBox", 16, 48, 160, "Search in this sub-directory :");
    subDirEdit_ = AddEdit(group, "subDirEdit", 208, 46, 177);
    subDirEdit_->setAccessibleName("Sub-directory to search");
    Bind("CurrentDir", currentDirBox_);
    Bind("SubDir", subDirEdit_);

    subFilePathBox_ =
        AddCheckRow(group, "subFilePathBox", 16, 72, 160, "Search in this directory :");
    subFilePathEdit_ = AddEdit(group, "subFilePathEdit", 208, 70, 153);
    subFilePathEdit_->setEnabled(false);
    subFilePathEdit_->setAccessibleName("Directory to search");
    Bind("SubFilePath", subFilePathEdit_);
    chooseDirButton_ = new QPushButton("...", group);
    chooseDirButton_->setObjectName("chooseDirButton");
    chooseDirButton_->setGeometry(368, 72, kBoxSide, kBoxSide);
    chooseDirButton_->setAccessibleName("Choose the directory to search");
    QFont bold = chooseDirButton_->font();
    bold.setBold(true);
    chooseDirButton_->setFont(bold);

    const QString ignoredHint =
        "If number = 2 and the movie is \"Matrix 2 EN.avi\" then search all "
        "subtitles files beginnig by \"Matrix 2 \".";
    QLabel* ignoredLabel = AddLabel(
        group, "Numbers of characters ignored for the search of the subtitle files", 16, 104);
    ignoredLabel->setToolTip(ignoredHint);
    // Beside its caption, however wide the font makes it, within the group's frame.
    const int ignoredLeft = std::clamp(ignoredLabel->x() + ignoredLabel->width() + 4, 368,
                                       group->width() - 8 - kBoxSide);
    ignoredCharsEdit_ = AddEdit(group, "ignoredCharsEdit", ignoredLeft, 104, kBoxSide, kBoxSide);
    ignoredCharsLimit_ = new TypedLengthLimit(1, ignoredCharsEdit_);
    ignoredCharsEdit_->setValidator(ignoredCharsLimit_);
    ignoredCharsEdit_->setToolTip(ignoredHint);
    ignoredCharsEdit_->setAccessibleName(ignoredLabel->text());
    ignoredCharsEdit_->setTextMargins(0, 0, 0, 0);
    ignoredCharsEdit_->installEventFilter(this);
    Bind("NbrChar", ignoredCharsEdit_, ignoredCharsLimit_);

    autoSelectBox_ =
        AddCheckRow(page, "autoSelectBox", 16, 152, 360, "AutoSelect the first subtitle file found",
                    "Si plusieurs fichiers de sous-titre, le programme sélectionne "
                    "automatiquement le premier fichier trouvé");
    Bind("AutoSelect", autoSelectBox_);

    QLabel* delayLabel =
        AddLabel(page, "Make the subtitles display longer than indicate in the file :", 16, 184);
    const int delayLeft = delayLabel->x() + delayLabel->width() + 6;
    delayEdit_ = AddEdit(page, "delayEdit", delayLeft, 182, 33);
    delayEdit_->setAccessibleName(delayLabel->text() + " (ms)");
    delayLimit_ = new TypedLengthLimit(4, delayEdit_);
    delayEdit_->setValidator(delayLimit_);
    Bind("Delay", delayEdit_, delayLimit_);
    AddLabel(page, "ms.", delayLeft + 33 + 6, 184);

    fontButton_ = new QPushButton(GlyphIcon(Glyph::Fonts), "Font of the subtitles ...", page);
    fontButton_->setObjectName("fontButton");
    fontButton_->setGeometry(16, 216, 161, 33);
    fontButton_->setToolTip("Change the font of the subtitles (normal mode and fullscreen mode)");

    fontSample_ = new QLabel(kFontSampleText, page);
    fontSample_->setObjectName("fontSample");
    fontSample_->setGeometry(240, 216, 169, 33);
    fontSample_->setFixedSize(169, 33);
    fontSample_->setAlignment(Qt::AlignCenter);
    fontSample_->setWordWrap(true);
    fontSample_->setAutoFillBackground(true);
    ShowFontSample(fontSample_->font(), Qt::black);

    scaleWithPictureBox_ =
        AddCheckRow(page, "scaleWithPictureBox", 16, 258, 360, "Subtitle size follows the picture",
                    "The font size is for a picture 720 pixels high and grows or shrinks with "
                    "the picture shown");
    announceBox_ =
        AddCheckRow(page, "announceBox", 16, 280, 360, "Announce subtitles to screen readers");
    Bind("ScaleWithPicture", scaleWithPictureBox_);
    Bind("Announce", announceBox_);
    return page;
}

QWidget* ConfigDialog::CreateFormatsPage() {
    QWidget* page = NewPage();
    const std::array formats = ConfigKeyOrder();
    const int groupHeight = FormatGroupHeight(formats.size());
    extraHeight_ = groupHeight - FormatGroupHeight(0);
    auto* group = new QGroupBox(" Formats of the subtitles files to search ", page);
    group->setGeometry(8, 8, 401, groupHeight);
    for (size_t i = 0; i < formats.size(); ++i) {
        const SubtitleFormat format = formats[i];
        const FormatRowPlace place = PlaceFormatRow(i);
        const int left = place.Column == 0 ? 16 : 208;
        // A caption may reach the right column; the long txt caption wraps in it.
        const int captionWidth = place.Column == 0 ? 164 : 161;
        const QString extension = QString::fromLatin1(FormatExtension(format));
        QCheckBox* box = AddCheckRow(group, "formatBox." + extension, left, place.Top, captionWidth,
                                     QString::fromUtf8(FormatRow(format).Caption));
        formatBoxes_.emplace_back(format, box);
    }
    selectAllButton_ = new QPushButton("Select All", page);
    selectAllButton_->setObjectName("selectAllButton");
    selectAllButton_->setGeometry(32, 232 + extraHeight_, 145, 25);
    unselectAllButton_ = new QPushButton("Unselect All", page);
    unselectAllButton_->setObjectName("unselectAllButton");
    unselectAllButton_->setGeometry(232, 231 + extraHeight_, 145, 25);
    return page;
}

void ConfigDialog::CreateButtonStrip(int top) {
    auto* strip = new QWidget(this);
    strip->setGeometry(0, top, ClientWidth, kStripHeight);
    okButton_ = new QPushButton("OK", strip);
    okButton_->setObjectName("okButton");
    okButton_->setGeometry(176, 0, 97, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton("Cancel", strip);
    cancelButton_->setObjectName("cancelButton");
    cancelButton_->setGeometry(288, 0, 97, 25);
}

}  // namespace orvalen

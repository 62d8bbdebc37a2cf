#include "app/dialogs/ReferenceDialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/window/FontMapping.h"
#include "subtitles/DisplayText.h"

namespace orvalen {

namespace {

// The window is 445 by 264 pixels with its frame; the controls are placed in its client area.
constexpr int kClientWidth = 445 - 4;
constexpr int kClientHeight = 264 - 30;
constexpr int kRowTop[ReferenceDialog::RowCount] = {8, 48, 88, 128};
constexpr int kCaptionWidth = 316;
constexpr const char* kCaptions[ReferenceDialog::RowCount] = {
    "Number of the first subtitle for the synchronisation :",
    "Number of the second subtitle for the synchronisation :",
    "Number of the third subtitle for the synchronisation :",
    "Number of the fourth subtitle for the synchronisation :",
};

QFont ArialFont(int pixels) {
    QFont font(DefaultSansFamily());
    font.setFamilies({"Arial", DefaultSansFamily()});
    font.setPixelSize(pixels);
    return font;
}

// The captions must end before their row's "-" button whatever face stands in for Arial: a
// wider face is narrowed, then made smaller, until the longest caption fits.
QFont CaptionFont(int width) {
    QFont font = ArialFont(13);
    font.setUnderline(true);
    const auto fits = [&] {
        const QFontMetrics metrics(font);
        for (const char* caption : kCaptions) {
            if (metrics.horizontalAdvance(QString::fromLatin1(caption)) > width) return false;
        }
        return true;
    };
    for (int stretch = 95; !fits() && stretch >= 75; stretch -= 5) font.setStretch(stretch);
    for (int pixels = font.pixelSize() - 1; !fits() && pixels >= 9; --pixels) {
        font.setPixelSize(pixels);
    }
    return font;
}

QPushButton* StepButton(const QString& caption, int left, int top, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    QFont font = ArialFont(16);
    font.setBold(true);
    button->setFont(font);
    button->setGeometry(left, top, 17, 17);
    // Enter in a field must press OK, whichever button had the focus before.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ReferenceDialog::ReferenceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Synchronisation semi-automatique"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    for (int row = 0; row < RowCount; ++row) CreateRow(row);

    help_ = new QLabel(
        QStringLiteral("(Use the space bar to indicate when the subtitle should appear)"), this);
    QFont italic = help_->font();
    italic.setItalic(true);
    help_->setFont(italic);
    help_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    help_->setGeometry(0, 176, kClientWidth, help_->sizeHint().height());

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setGeometry(56, 200, 113, 25);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setGeometry(240, 200, 113, 25);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void ReferenceDialog::CreateRow(int row) {
    const int top = kRowTop[row];
    Row& controls = rows_[row];

    controls.Caption = new QLabel(QString::fromLatin1(kCaptions[row]), this);
    controls.Caption->setFont(CaptionFont(kCaptionWidth));
    controls.Caption->setGeometry(8, top, kCaptionWidth, 17);

    controls.Minus = StepButton(QStringLiteral("-"), 328, top, this);
    controls.Field = new QLineEdit(QString::fromStdString(numbers_.Text(row)), this);
    controls.Field->setGeometry(344, top, 57, 17);
    controls.Plus = StepButton(QStringLiteral("+"), 400, top, this);
    const QString caption = QString::fromLatin1(kCaptions[row]);
    controls.Field->setAccessibleName(caption);
    controls.Minus->setAccessibleName(QStringLiteral("Decrease"));
    controls.Minus->setAccessibleDescription(caption);
    controls.Plus->setAccessibleName(QStringLiteral("Increase"));
    controls.Plus->setAccessibleDescription(caption);

    controls.Subtitle = new QLabel(this);
    controls.Subtitle->setFont(ArialFont(11));
    controls.Subtitle->setTextFormat(Qt::PlainText);
    controls.Subtitle->setGeometry(16, top + 24, 385, 14);

    connect(controls.Field, &QLineEdit::textChanged, this,
            [this, row](const QString& text) { FieldChanged(row, text); });
    connect(controls.Plus, &QPushButton::clicked, this, [this, row] {
        numbers_.Plus(row);
        ShowNumbers();
    });
    connect(controls.Minus, &QPushButton::clicked, this, [this, row] {
        numbers_.Minus(row);
        ShowNumbers();
    });
}

std::optional<ResyncQuad> ReferenceDialog::Choose(const SubtitleTrack& track) {
    track_ = &track;
    numbers_.SetTrack(&track);
    numbers_.FitToTrack();
    ShowNumbers();
    const bool accepted = exec() == QDialog::Accepted;
    // Closed, the dialog no longer reads the track, which may be reloaded or go away.
    numbers_.SetTrack(nullptr);
    track_ = nullptr;
    if (!accepted) return std::nullopt;
    return numbers_.Numbers();
}

void ReferenceDialog::FieldChanged(int row, const QString& text) {
    if (showing_) return;
    numbers_.SetText(row, text.toStdString());
    ShowNumbers();
}

void ReferenceDialog::ShowNumbers() {
    showing_ = true;
    const std::string encoding = track_ ? track_->Encoding : std::string();
    for (int row = 0; row < RowCount; ++row) {
        const QString text = QString::fromStdString(numbers_.Text(row));
        if (rows_[row].Field->text() != text) rows_[row].Field->setText(text);
        rows_[row].Subtitle->setText(
            QString::fromStdString(DisplayText(numbers_.Label(row), encoding)));
    }
    showing_ = false;
}

}  // namespace orvalen

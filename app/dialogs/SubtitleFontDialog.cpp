#include "app/dialogs/SubtitleFontDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace orvalen {

namespace {

bool IsBold(const QFont& font) {
    return font.weight() > QFont::DemiBold;
}

// The face's own name for the style with the font's boldness and slant ("Bold", "Oblique").
// The panel selects a style by its name, and a weight the face lacks (800, which a bold font
// read from the settings has) matches no name, so the panel fell on another style.
QString StyleNameOf(const QFont& font) {
    const QString family = QFontInfo(font).family();
    const int weight = IsBold(font) ? QFont::Bold : QFont::Normal;
    QString best;
    int bestDistance = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont face = QFontDatabase::font(family, style, 12);
        if (IsBold(face) != IsBold(font) || face.italic() != font.italic()) continue;
        const int distance = std::abs(face.weight() - weight) + std::abs(face.stretch() - 100);
        if (best.isEmpty() || distance < bestDistance) {
            best = style;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

bool SameFontChoice(const FontChoice& a, const FontChoice& b) {
    return QFontInfo(a.Font).family() == QFontInfo(b.Font).family() &&
           a.Font.pointSize() == b.Font.pointSize() && IsBold(a.Font) == IsBold(b.Font) &&
           a.Font.italic() == b.Font.italic() && a.Font.underline() == b.Font.underline() &&
           a.Font.strikeOut() == b.Font.strikeOut() && a.Color == b.Color;
}

SubtitleFontDialog::SubtitleFontDialog(QWidget* parent)
    : QDialog(parent), fontPanel_(new QFontDialog(this)), colorButton_(new QPushButton(this)) {
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);

    // The font dialog serves as a panel: its own buttons would close it alone.
    fontPanel_->setWindowFlags(Qt::Widget);
    fontPanel_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    colorButton_->setText(QStringLiteral("Colour..."));
    // Enter presses OK, not the first button of the dialog.
    colorButton_->setAutoDefault(false);
    connect(colorButton_, &QPushButton::clicked, this, &SubtitleFontDialog::ChooseColor);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(colorButton_);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fontPanel_);
    layout->addLayout(bottom);

    color_ = Qt::black;
    ShowColor();
}

void SubtitleFontDialog::SetChoice(const FontChoice& choice) {
    QFont font = choice.Font;
    font.setFamily(QFontInfo(font).family());
    const QString style = StyleNameOf(font);
    if (!style.isEmpty()) font.setStyleName(style);
    fontPanel_->setCurrentFont(font);
    color_ = choice.Color.isValid() ? choice.Color : QColor(Qt::black);
    ShowColor();
}

FontChoice SubtitleFontDialog::Choice() const {
    return {fontPanel_->currentFont(), color_};
}

void SubtitleFontDialog::ChooseColor() {
    const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("Colour"),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid()) return;
    color_ = chosen;
    ShowColor();
}

void SubtitleFontDialog::ShowColor() {
    QPixmap swatch(16, 16);
    swatch.fill(color_);
    colorButton_->setIcon(QIcon(swatch));
}

std::optional<FontChoice> AskSubtitleFont(QWidget* parent, const FontChoice& initial) {
    SubtitleFontDialog dialog(parent);
    dialog.SetChoice(initial);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace orvalen

#include "app/SubtitleFontDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvalen {

SubtitleFontDialog::SubtitleFontDialog(QWidget* parent)
    : QDialog(parent), fontPanel_(new QFontDialog(this)), colorButton_(new QPushButton(this)) {
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);

    // The font dialog serves as a panel: its own buttons would close it alone.
    fontPanel_->setWindowFlags(Qt::Widget);
    fontPanel_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    colorButton_->setText(QStringLiteral("Colour..."));
    connect(colorButton_, &QPushButton::clicked, this, &SubtitleFontDialog::ChooseColor);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

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
    fontPanel_->setCurrentFont(choice.Font);
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

#include "app/dialogs/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "orvalen/Version.h"

namespace orvalen {

namespace {

// A strip of film with a subtitle bar: what the program is about, drawn at run time.
QPixmap AboutImage() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 30));
    painter.drawRoundedRect(QRectF(2, 6, 60, 52), 6, 6);
    painter.setBrush(Qt::white);
    for (int x = 8; x < 60; x += 10) {
        painter.drawRect(x, 9, 5, 4);
        painter.drawRect(x, 51, 5, 4);
    }
    painter.setBrush(QColor(70, 110, 180));
    painter.drawRect(8, 17, 48, 30);
    painter.setBrush(QColor(250, 220, 60));
    painter.drawRect(14, 39, 36, 4);
    return pixmap;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setPixmap(AboutImage());

    ProductName = new QLabel(QStringLiteral("Orvalen"), this);
    QFont big = ProductName->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    ProductName->setFont(big);

    Version = new QLabel(QStringLiteral("Version ") + QLatin1String(kVersion), this);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace orvalen

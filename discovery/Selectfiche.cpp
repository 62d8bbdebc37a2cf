#include "discovery/Selectfiche.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace orvalen {

TSelectSub* SelectSub = nullptr;

TSelectSub::TSelectSub(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select a subtitle file"));
    setModal(true);
    resize(349, 131);
    move(355, 310);

    Label1 = new QLabel(QStringLiteral("The following subtitles files have been found : "), this);
    Label1->setFont(QFont(QStringLiteral("Arial"), 9));
    Label1->move(16, 8);
    Label1->adjustSize();

    ComboBox = new QComboBox(this);
    ComboBox->setEditable(true);
    // Typed text must not grow the list: the caller needs an index among its own entries.
    ComboBox->setInsertPolicy(QComboBox::NoInsert);
    ComboBox->setGeometry(16, 32, 313, ComboBox->sizeHint().height());

    ButtonOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                               QStringLiteral("OK"), this);
    ButtonOK->setGeometry(104, 64, 137, 25);
    ButtonOK->setDefault(true);
    ButtonOK->setAutoDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, &TSelectSub::ButtonOKClick);
}

void TSelectSub::Clear() {
    ComboBox->clear();
    ComboBox->clearEditText();
}

void TSelectSub::Add(const QString& path) {
    ComboBox->addItem(path);
}

void TSelectSub::Preselect(int index) {
    ComboBox->setCurrentIndex(index);
}

int TSelectSub::Count() const {
    return ComboBox->count();
}

int TSelectSub::SelectedIndex() const {
    const QString text = ComboBox->currentText();
    const int current = ComboBox->currentIndex();
    if (current >= 0 && current < ComboBox->count() && ComboBox->itemText(current) == text) {
        return current;
    }
    const int typed = ComboBox->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return typed >= 0 ? typed : 0;
}

void TSelectSub::ButtonOKClick() {
    result_ = SelectedIndex();
    accept();
}

int TSelectSub::ShowModal() {
    result_ = 0;
    ComboBox->setFocus();
    if (exec() != QDialog::Accepted) result_ = 0;
    return result_;
}

TSelectSub::~TSelectSub() {
    if (SelectSub == this) SelectSub = nullptr;
}

}  // namespace orvalen

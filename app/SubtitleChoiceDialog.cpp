#include "app/SubtitleChoiceDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace orvalen {

SubtitleChoiceDialog* TheSubtitleChoiceDialog = nullptr;

SubtitleChoiceDialog::SubtitleChoiceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select a subtitle file"));
    setModal(true);
    resize(349, 131);
    move(355, 310);

    PromptLabel =
        new QLabel(QStringLiteral("The following subtitles files have been found : "), this);
    PromptLabel->setFont(QFont(QStringLiteral("Arial"), 9));
    PromptLabel->move(16, 8);
    PromptLabel->adjustSize();

    ChoiceList = new QComboBox(this);
    ChoiceList->setEditable(true);
    // Typed text must not grow the list: the caller needs an index among its own entries.
    ChoiceList->setInsertPolicy(QComboBox::NoInsert);
    ChoiceList->setGeometry(16, 32, 313, ChoiceList->sizeHint().height());

    OkButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                               QStringLiteral("OK"), this);
    OkButton->setGeometry(104, 64, 137, 25);
    OkButton->setDefault(true);
    OkButton->setAutoDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &SubtitleChoiceDialog::AcceptChoice);
}

void SubtitleChoiceDialog::Clear() {
    ChoiceList->clear();
    ChoiceList->clearEditText();
}

void SubtitleChoiceDialog::Add(const QString& path) {
    ChoiceList->addItem(path);
}

void SubtitleChoiceDialog::Preselect(int index) {
    ChoiceList->setCurrentIndex(index);
}

int SubtitleChoiceDialog::Count() const {
    return ChoiceList->count();
}

int SubtitleChoiceDialog::SelectedIndex() const {
    const QString text = ChoiceList->currentText();
    const int current = ChoiceList->currentIndex();
    if (current >= 0 && current < ChoiceList->count() && ChoiceList->itemText(current) == text) {
        return current;
    }
    const int typed = ChoiceList->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return typed >= 0 ? typed : 0;
}

void SubtitleChoiceDialog::AcceptChoice() {
    result_ = SelectedIndex();
    accept();
}

int SubtitleChoiceDialog::ShowModal() {
    result_ = 0;
    ChoiceList->setFocus();
    if (exec() != QDialog::Accepted) result_ = 0;
    return result_;
}

SubtitleChoiceDialog::~SubtitleChoiceDialog() {
    if (TheSubtitleChoiceDialog == this) TheSubtitleChoiceDialog = nullptr;
}

}  // namespace orvalen

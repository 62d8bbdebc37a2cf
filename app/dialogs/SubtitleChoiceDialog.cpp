#include "app/dialogs/SubtitleChoiceDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace orvalen {

SubtitleChoiceDialog::SubtitleChoiceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select a subtitle file"));
    setModal(true);
    resize(349, 131);
    move(355, 310);

    promptLabel_ =
        new QLabel(QStringLiteral("The following subtitles files have been found : "), this);
    promptLabel_->setFont(QFont(QStringLiteral("Arial"), 9));
    promptLabel_->move(16, 8);
    promptLabel_->adjustSize();

    choiceList_ = new QComboBox(this);
    choiceList_->setEditable(true);
    // Typed text must not grow the list: the caller needs an index among its own entries.
    choiceList_->setInsertPolicy(QComboBox::NoInsert);
    choiceList_->setGeometry(16, 32, 313, choiceList_->sizeHint().height());

    okButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                QStringLiteral("OK"), this);
    okButton_->setGeometry(104, 64, 137, 25);
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &SubtitleChoiceDialog::AcceptChoice);
}

void SubtitleChoiceDialog::Clear() {
    choiceList_->clear();
    choiceList_->clearEditText();
}

void SubtitleChoiceDialog::Add(const QString& path) {
    choiceList_->addItem(path);
}

void SubtitleChoiceDialog::Preselect(int index) {
    choiceList_->setCurrentIndex(index);
}

int SubtitleChoiceDialog::Count() const {
    return choiceList_->count();
}

int SubtitleChoiceDialog::SelectedIndex() const {
    const QString text = choiceList_->currentText();
    const int current = choiceList_->currentIndex();
    if (current >= 0 && current < choiceList_->count() && choiceList_->itemText(current) == text) {
        return current;
    }
    const int typed = choiceList_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return typed >= 0 ? typed : 0;
}

void SubtitleChoiceDialog::AcceptChoice() {
    result_ = SelectedIndex();
    accept();
}

int SubtitleChoiceDialog::ShowModal() {
    result_ = 0;
    choiceList_->setFocus();
    if (exec() != QDialog::Accepted) result_ = 0;
    return result_;
}

}  // namespace orvalen

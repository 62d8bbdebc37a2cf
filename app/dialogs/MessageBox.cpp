#include "app/dialogs/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace orvalen {

namespace {

MessageHandler& CurrentHandler() {
    static MessageHandler handler;
    return handler;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    ShowMessage(parent, text, QApplication::applicationName());
}

void ShowMessage(QWidget* parent, const QString& text, const QString& caption) {
    if (CurrentHandler()) {
        CurrentHandler()(text);
        return;
    }
    QMessageBox::information(parent, caption, text);
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void ShowError(QWidget* parent, const QString& text) {
    if (CurrentHandler()) {
        CurrentHandler()(text);
        return;
    }
    QMessageBox::critical(parent, QApplication::applicationName(), text);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

}  // namespace orvalen

#include "app/MessageBox.h"

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
    if (CurrentHandler()) {
        CurrentHandler()(text);
        return;
    }
    QMessageBox::information(parent, QApplication::applicationName(), text);
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

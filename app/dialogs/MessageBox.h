#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace orvalen {

// A modal information box titled with the application's name. Tests replace the box with a
// handler so that nothing blocks.
void ShowMessage(QWidget* parent, const QString& text);
// The same with its own caption.
void ShowMessage(QWidget* parent, const QString& text, const QString& caption);
// The same, as an error box.
void ShowError(QWidget* parent, const QString& text);
// A modal question with Yes and No buttons; true for Yes. Not replaced by the handler: tests
// answer the box itself.
bool AskYesNo(QWidget* parent, const QString& text, const QString& caption);

using MessageHandler = std::function<void(const QString& text)>;
// Installs handler in place of the box; an empty handler restores the box. Returns the
// previous handler.
MessageHandler SetMessageHandler(MessageHandler handler);

}  // namespace orvalen

#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace orvalen::test {

inline constexpr const char* kModalDriverName = "orvalenModalDriver";

// Acts on the next modal dialog of type T as soon as it is shown, as a user would, from the
// event loop that the dialog runs. The returned flag tells whether the action ran; when no
// such dialog shows up before the deadline, the active modal widget and any shown dialog of
// type T are closed so the test cannot hang.
template <class T>
std::shared_ptr<bool> WhenModal(std::function<void(T*)> action, int deadlineMs = 10000) {
    auto ran = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    timer->setObjectName(kModalDriverName);
    auto deadline = QDeadlineTimer(deadlineMs);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, ran, deadline] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal); dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            *ran = true;
            action(dialog);
            return;
        }
        if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            if (modal) modal->close();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<T*>(widget) && widget->isVisible()) widget->close();
            }
        }
    });
    timer->start();
    return ran;
}

// Drops every action still waiting for its dialog, so that none outlives its test.
inline void DisarmModalDrivers() {
    for (QTimer* timer :
         qApp->findChildren<QTimer*>(kModalDriverName, Qt::FindDirectChildrenOnly)) {
        delete timer;
    }
}

// Types path into the file dialog's name field and accepts, as a user would.
inline void ChooseFile(QFileDialog* dialog, const QString& path) {
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        edit->setText(path);
    }
    static_cast<QDialog*>(dialog)->accept();
}

inline void Cancel(QFileDialog* dialog) {
    static_cast<QDialog*>(dialog)->reject();
}

}  // namespace orvalen::test

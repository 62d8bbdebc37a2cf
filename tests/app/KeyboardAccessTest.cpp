#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

// Every page (Ctrl+Tab) is tabbed round: each control a mouse could use is reached and has a
// name for screen readers. Then Tab to OK and Enter.
void FinishByKeyboard(QDialog* dialog, int pages) {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    for (int page = 0; page < pages; ++page) {
        QSet<QWidget*> reached;
        for (QWidget* at = QApplication::focusWidget(); !reached.contains(at);
             at = QApplication::focusWidget()) {
            reached.insert(at);
            QTest::keyClick(at, Qt::Key_Tab);
        }
        for (QWidget* widget : dialog->findChildren<QWidget*>()) {
            if (!widget->isVisible() || !widget->isEnabled() ||
                !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy()) {
                continue;
            }
            EXPECT_TRUE(reached.contains(widget)) << widget->objectName().toStdString();
            EXPECT_NE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), "");
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    }
    const auto onOk = [] {
        const auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        return button && button->text() == "OK";
    };
    for (int tabs = 0; tabs < 60 && !onOk(); ++tabs) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(WindowTest, DialogsCanBeFinishedFromTheKeyboard) {
    MakeWindow();
    FinishByKeyboard(window_->findChild<ConfigDialog*>(), 2);
    FinishByKeyboard(window_->findChild<ReferenceDialog*>(), 1);
}

}  // namespace
}  // namespace orvalen::testing

#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "app/window/FullScreenView.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

QString AccessibleName(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
}

QString Describe(const QWidget* widget) {
    return QString("%1 %2").arg(widget->metaObject()->className(), widget->objectName());
}

// Tabs once round the shown page: every control a mouse could use is reached and named.
void TabRound(QDialog* dialog) {
    QWidget* first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    QSet<QWidget*> reached;
    for (QWidget* at = first; !reached.contains(at); at = QApplication::focusWidget()) {
        reached.insert(at);
        QTest::keyClick(at, Qt::Key_Tab);
    }
    for (QWidget* widget : dialog->findChildren<QWidget*>()) {
        if (!widget->isVisible() || !widget->isEnabled() ||
            !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy()) {
            continue;
        }
        EXPECT_TRUE(reached.contains(widget)) << Describe(widget).toStdString();
        EXPECT_FALSE(AccessibleName(widget).isEmpty()) << Describe(widget).toStdString();
    }
}

// Every page by Ctrl+Tab, then Tab to OK and Enter.
void FinishByKeyboard(QDialog* dialog, int pages) {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    for (int page = 0; page < pages; ++page) {
        TabRound(dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    }
    QPushButton* ok = nullptr;
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == "OK") ok = button;
    }
    for (int tabs = 0; QApplication::focusWidget() != ok && tabs < 60; ++tabs) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(WindowTest, DialogsCanBeFinishedFromTheKeyboard) {
    MakeWindow();
    FinishByKeyboard(window_->findChild<ConfigDialog*>(), 2);
    FinishByKeyboard(window_->findChild<ReferenceDialog*>(), 1);
}

TEST_F(WindowTest, EveryControlAndMenuItemHasAName) {
    MakeWindow();
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
        if (widget->window() != window_ && widget->window() != Ui().FullScreenWindow) continue;
        if (widget->focusPolicy() == Qt::NoFocus && !qobject_cast<QMenu*>(widget)) continue;
        EXPECT_FALSE(AccessibleName(widget).isEmpty()) << Describe(widget).toStdString();
    }
    for (QMenu* menu : window_->findChildren<QMenu*>()) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < accessible->childCount(); ++i) {
            QAccessibleInterface* item = accessible->child(i);
            if (item->role() == QAccessible::Separator) continue;
            EXPECT_FALSE(item->text(QAccessible::Name).isEmpty()) << i;
        }
    }
}

}  // namespace
}  // namespace orvalen::testing

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/window/MainWindow.h"
#include "subtitles/EncodingChoices.h"

namespace orvalen {

void MainWindow::CreateEncodingMenu(QMenu* menu) {
    ui_.EncodingMenu = menu;
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    // Each item's data is the encoding it chooses; Automatic's is empty.
    const auto addItem = [&](const QString& caption, const std::string& encoding) {
        QAction* item = menu->addAction(caption);
        item->setCheckable(true);
        item->setData(QString::fromStdString(encoding));
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, encoding] { ChooseEncoding(encoding); });
    };
    addItem(QStringLiteral("Automatic"), {});
    menu->addSeparator();
    for (const EncodingChoice& choice : EncodingChoices()) {
        addItem(QString::fromUtf8(choice.Caption), choice.IconvName);
    }
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateEncodingMenu(); });
    UpdateEncodingMenu();
}

void MainWindow::UpdateEncodingMenu() {
    const QList<QAction*> items = ui_.EncodingMenu->actions();
    items.front()->setText(
        QString::fromStdString(AutomaticEncodingCaption(subtitles_.Track.Encoding)));
    const QString chosen = QString::fromStdString(subtitles_.ChosenEncoding);
    for (QAction* item : items) {
        if (!item->isSeparator()) item->setChecked(item->data().toString() == chosen);
    }
}

void MainWindow::ChooseEncoding(const std::string& encoding) {
    subtitles_.ChosenEncoding = encoding;
    UpdateEncodingMenu();
    RefreshSubtitleText();
    TrackChanged();
}

}  // namespace orvalen

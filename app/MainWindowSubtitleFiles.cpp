#include <QAction>
#include <QActionGroup>
#include <QByteArray>
#include <QFile>
#include <QMenu>
#include <algorithm>

#include "app/DialogSubtitleChooser.h"
#include "app/FileOpenDialog.h"
#include "app/MainWindow.h"
#include "app/SubtitleChoiceDialog.h"

namespace orvalen {

namespace {

// The fixed items ahead of the file items: Subtitles menu and popup menu.
constexpr int kFirstMenuFileItem = 6;
constexpr int kFirstPopupFileItem = 5;
constexpr const char* kTagProperty = "orvalenTag";
constexpr const char* kGroupName = "orvalenSubtitleFiles";

// A menu shows '&' as a mnemonic marker and a tab as the start of a shortcut text; the caption
// must show the path as it is.
QString MenuCaption(const QString& path) {
    QString caption = path;
    caption.replace(u'&', QStringLiteral("&&"));
    caption.replace(u'\t', u' ');
    return caption;
}

// The file items of one menu form one radio group.
QActionGroup* FileItemGroup(QMenu* menu) {
    auto* group = menu->findChild<QActionGroup*>(QString::fromLatin1(kGroupName));
    if (!group) {
        group = new QActionGroup(menu);
        group->setObjectName(QString::fromLatin1(kGroupName));
        group->setExclusive(true);
    }
    return group;
}

void RemoveFileItems(QMenu* menu, int first, int count) {
    const QList<QAction*> items = menu->actions();
    for (int i = first; i < first + count && i < items.size(); ++i) {
        menu->removeAction(items[i]);
        delete items[i];
    }
}

QAction* FileItemAt(QMenu* menu, int index) {
    const QList<QAction*> items = menu->actions();
    return index >= 0 && index < items.size() ? items[index] : nullptr;
}

void CheckItem(QAction* item) {
    if (item) item->setChecked(true);
}

// One radio item per candidate; its caption shows the path, its data keeps the exact bytes.
QAction* AddFileItem(MainWindow* window, QMenu* menu, const std::string& path, int tag) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    auto* item = new QAction(MenuCaption(QFile::decodeName(bytes)), menu);
    item->setCheckable(true);
    item->setData(bytes);
    item->setProperty(kTagProperty, tag);
    FileItemGroup(menu)->addAction(item);
    menu->addAction(item);
    QObject::connect(item, &QAction::triggered, window,
                     [window, item] { window->LoadFoundSubtitleFile(item); });
    return item;
}

}  // namespace

void MainWindow::SubtitleSearch(const std::string& moviePath) {
    if (!dialogs_.SubtitleChoice) dialogs_.SubtitleChoice = new SubtitleChoiceDialog(this);
    dialogs_.SubtitleChoice->Clear();
    if (FoundSubtitleCount > 1) {
        RemoveFileItems(SubtitlesMenu, kFirstMenuFileItem, FoundSubtitleCount);
        RemoveFileItems(PopupMenu, kFirstPopupFileItem, FoundSubtitleCount);
    }

    DialogSubtitleChooser chooser(*dialogs_.SubtitleChoice, OpenFileDialog);
    const SearchOutcome outcome = ::orvalen::SubtitleSearch(moviePath, CurrentSettings(), chooser);

    const size_t kept = std::min(outcome.Found.size(), FoundSubtitleFiles.size());
    std::fill(FoundSubtitleFiles.begin(), FoundSubtitleFiles.end(), std::string());
    std::copy_n(outcome.Found.begin(), kept, FoundSubtitleFiles.begin());
    if (kept >= 2) {
        for (size_t i = 0; i < kept; ++i) {
            AddFileItem(this, SubtitlesMenu, FoundSubtitleFiles[i], static_cast<int>(i));
            AddFileItem(this, PopupMenu, FoundSubtitleFiles[i], static_cast<int>(i));
        }
        const int chosen = std::clamp(outcome.ChosenIndex, 0, static_cast<int>(kept) - 1);
        CheckItem(FileItemAt(SubtitlesMenu, kFirstMenuFileItem + chosen));
        CheckItem(FileItemAt(PopupMenu, kFirstPopupFileItem + chosen));
    }
    FoundSubtitleCount = static_cast<int32_t>(kept);
    LoadSubtitleFile(outcome.ChosenPath, Track);
}

void MainWindow::OpenSubtitleFile() {
    FileOpenDialog dialog(OpenFileDialog);
    dialog.SetFilter(SubtitleFileFilter(CurrentSettings().SubtitleFormat));
    dialog.SetFileName(QString());
    if (!dialog.Execute()) return;
    LoadSubtitleFile(QFile::encodeName(dialog.FileName()).toStdString(), Track);
}

void MainWindow::LoadFoundSubtitleFile(QAction* item) {
    if (!item) return;
    const int tag = item->property(kTagProperty).toInt();
    CheckItem(FileItemAt(SubtitlesMenu, kFirstMenuFileItem + tag));
    CheckItem(FileItemAt(PopupMenu, kFirstPopupFileItem + tag));
    LoadSubtitleFile(item->data().toByteArray().toStdString(), Track);
}

}  // namespace orvalen

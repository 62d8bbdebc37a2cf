#include <QAction>
#include <QActionGroup>
#include <QByteArray>
#include <QFile>
#include <QMenu>
#include <algorithm>

#include "app/dialogs/DialogSubtitleChooser.h"
#include "app/dialogs/FileOpenDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"
#include "app/window/MainWindow.h"
#include "app/window/WindowActions.h"

namespace orvalen {

namespace {

// The file items follow the fixed items of their menu: every row the action table puts there.
int FirstFileItem(ActionPlace menu) {
    const std::span<const ActionRow> rows = WindowActionTable();
    return static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [menu](const ActionRow& row) { return row.Place == menu; }));
}
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
    const int shown = static_cast<int>(subtitles_.FoundFiles.size());
    if (shown > 1) {
        RemoveFileItems(ui_.SubtitlesMenu, FirstFileItem(ActionPlace::SubtitlesMenu), shown);
        RemoveFileItems(ui_.PopupMenu, FirstFileItem(ActionPlace::Popup), shown);
    }

    DialogSubtitleChooser chooser(*dialogs_.SubtitleChoice, ui_.OpenFileDialog);
    const SearchOutcome outcome = ::orvalen::SubtitleSearch(moviePath, CurrentSettings(), chooser);

    const size_t kept = std::min(outcome.Found.size(), size_t{MaxFoundSubtitleFiles});
    std::vector<std::string>& found = subtitles_.FoundFiles;
    found.assign(outcome.Found.begin(), outcome.Found.begin() + static_cast<ptrdiff_t>(kept));
    if (kept >= 2) {
        for (size_t i = 0; i < kept; ++i) {
            AddFileItem(this, ui_.SubtitlesMenu, found[i], static_cast<int>(i));
            AddFileItem(this, ui_.PopupMenu, found[i], static_cast<int>(i));
        }
        const int chosen = std::clamp(outcome.ChosenIndex, 0, static_cast<int>(kept) - 1);
        CheckItem(
            FileItemAt(ui_.SubtitlesMenu, FirstFileItem(ActionPlace::SubtitlesMenu) + chosen));
        CheckItem(FileItemAt(ui_.PopupMenu, FirstFileItem(ActionPlace::Popup) + chosen));
    }
    LoadSubtitleFile(outcome.ChosenPath, subtitles_.Track);
}

void MainWindow::OpenSubtitleFile() {
    FileOpenDialog dialog(ui_.OpenFileDialog);
    StartFirstUseBeside(ui_.OpenFileDialog, QFile::decodeName(film_.Path.c_str()));
    dialog.SetFilter(SubtitleFileFilter(CurrentSettings().SubtitleFormat));
    dialog.SetFileName(QString());
    if (!dialog.Execute()) return;
    LoadSubtitleFile(QFile::encodeName(dialog.FileName()).toStdString(), subtitles_.Track);
}

void MainWindow::LoadFoundSubtitleFile(QAction* item) {
    if (!item) return;
    const int tag = item->property(kTagProperty).toInt();
    CheckItem(FileItemAt(ui_.SubtitlesMenu, FirstFileItem(ActionPlace::SubtitlesMenu) + tag));
    CheckItem(FileItemAt(ui_.PopupMenu, FirstFileItem(ActionPlace::Popup) + tag));
    LoadSubtitleFile(item->data().toByteArray().toStdString(), subtitles_.Track);
}

}  // namespace orvalen

#include "app/dialogs/FileOpenDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QVariant>

namespace orvalen {

namespace {
constexpr const char* kFileNameProperty = "orvalenFileName";
constexpr const char* kChosenProperty = "orvalenFileChosen";
}  // namespace

void StartFirstUseBeside(QFileDialog* dialog, const QString& file) {
    if (file.isEmpty() || dialog->property(kChosenProperty).toBool()) return;
    dialog->setDirectory(QFileInfo(file).absolutePath());
}

void NoteFileChosen(QFileDialog* dialog) {
    dialog->setProperty(kChosenProperty, true);
}

QStringList QtNameFilters(const FileFilters& filters) {
    QStringList nameFilters;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.Patterns) {
            if (!pattern.empty()) patterns << QString::fromUtf8(pattern);
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        nameFilters << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(filter.Description),
                                                     patterns.join(u' '));
    }
    if (nameFilters.isEmpty()) nameFilters << QStringLiteral("(*)");
    return nameFilters;
}

FileOpenDialog::FileOpenDialog(QFileDialog* dialog) : dialog_(dialog) {
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    dialog_->setFileMode(QFileDialog::ExistingFile);
    // The widget dialog keeps its directory and selection between uses, as callers expect.
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
}

void FileOpenDialog::SetFilter(const FileFilters& filters) {
    dialog_->setNameFilters(QtNameFilters(filters));
}

void FileOpenDialog::SetInitialDir(const QString& directory) {
    if (!directory.isEmpty()) dialog_->setDirectory(directory);
}

void FileOpenDialog::SetFileName(const QString& fileName) {
    dialog_->setProperty(kFileNameProperty, fileName);
    if (fileName.isEmpty()) {
        // selectFile ignores an empty name, so the name field and the list's selection are
        // cleared directly; with its signals blocked, the emptied field does not select the
        // directory itself.
        if (auto* edit = dialog_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            const QSignalBlocker blocker(edit);
            edit->clear();
        }
        if (auto* list = dialog_->findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
            list->clearSelection();
        }
        return;
    }
    const QFileInfo info(fileName);
    if (info.isAbsolute()) dialog_->setDirectory(info.absolutePath());
    dialog_->selectFile(info.fileName());
}

QString FileOpenDialog::FileName() const {
    return dialog_->property(kFileNameProperty).toString();
}

bool FileOpenDialog::Execute() {
    const int result = dialog_->exec();
    // A completion list still open on the name field would keep the keyboard once the dialog
    // has gone.
    if (auto* edit = dialog_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        if (QCompleter* completer = edit->completer(); completer && completer->popup()) {
            completer->popup()->hide();
        }
    }
    if (result != QDialog::Accepted) return false;
    const QStringList chosen = dialog_->selectedFiles();
    if (chosen.isEmpty()) return false;
    // The next use starts from the chosen file, whichever way it was chosen.
    SetFileName(chosen.first());
    NoteFileChosen(dialog_);
    return true;
}

}  // namespace orvalen

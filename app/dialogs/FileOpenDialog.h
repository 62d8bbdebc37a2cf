#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "subtitles/FileFilter.h"

class QFileDialog;

namespace orvalen {

// Qt's name filters for a file dialog: {"Video Files", {"*.avi", "*.mpg"}} gives
// "Video Files (*.avi *.mpg)". A description without patterns offers every file, so the dialog
// stays usable when no format is enabled.
QStringList QtNameFilters(const FileFilters& filters);

// Until a file has been chosen in dialog it opens in the folder of file (when file is not
// empty); after that, where its last use left it.
void StartFirstUseBeside(QFileDialog* dialog, const QString& file);
// Records that a file was chosen in dialog.
void NoteFileChosen(QFileDialog* dialog);

// Drives a file-open dialog the way the window's commands share it: the dialog keeps its
// directory and file name from one use to the next, and each caller sets the filter it needs.
// The handle holds no state of its own; several handles on one dialog agree.
class FileOpenDialog {
  public:
    explicit FileOpenDialog(QFileDialog* dialog);

    void SetFilter(const FileFilters& filters);
    void SetInitialDir(const QString& directory);
    // The file preselected at the next Execute; after an accepted Execute, the chosen file's
    // full path. A cancelled Execute leaves it as it was.
    void SetFileName(const QString& fileName);
    QString FileName() const;

    // Shows the dialog modally; true when the user chose a file.
    bool Execute();

    QFileDialog* Dialog() const { return dialog_; }

  private:
    QFileDialog* dialog_;
};

}  // namespace orvalen

#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QFileDialog;

namespace orvalen {

// Turns a "Description|masks|Description|masks" filter (masks separated by ';') into Qt name
// filters: "Video Files|*.avi;*.mpg" gives "Video Files (*.avi *.mpg)". A description without
// masks offers every file, so the dialog stays usable when no format is enabled.
QStringList NameFiltersFromPipeFilter(const std::string& filter);

// Drives a file-open dialog the way the window's commands share it: the dialog keeps its
// directory and file name from one use to the next, and each caller sets the filter it needs.
// The handle holds no state of its own; several handles on one dialog agree.
class FileOpenDialog {
  public:
    explicit FileOpenDialog(QFileDialog* dialog);

    void SetFilter(const std::string& pipeFilter);
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

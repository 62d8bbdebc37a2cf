#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QFileDialog;
class QWidget;

namespace orvalen {

// Turns a "Description|masks|Description|masks" filter (masks separated by ';') into Qt name
// filters: "Video Files|*.avi;*.mpg" gives "Video Files (*.avi *.mpg)". A description without
// masks offers every file, so the dialog stays usable when no format is enabled.
QStringList NameFiltersFromPipeFilter(const std::string& filter);

// The main window's one file-open dialog. Like the file dialog it stands for, it keeps its
// directory and file name from one use to the next; each caller sets the filter it needs.
class FileOpenDialog {
  public:
    explicit FileOpenDialog(QWidget* parent);

    void SetFilter(const std::string& pipeFilter);
    void SetInitialDir(const QString& directory);
    // The file preselected at the next Execute; after an accepted Execute, the chosen file's
    // full path. A cancelled Execute leaves it as it was.
    void SetFileName(const QString& fileName);
    const QString& FileName() const { return fileName_; }

    // Shows the dialog modally; true when the user chose a file.
    bool Execute();

    QFileDialog* Dialog() const { return dialog_; }

  private:
    QFileDialog* dialog_;
    QString fileName_;
};

}  // namespace orvalen

#include "app/dialogs/DialogSubtitleChooser.h"

#include <QFile>

#include "app/dialogs/FileOpenDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"

namespace orvalen {

int DialogSubtitleChooser::ChooseSubtitleFile(const std::vector<std::string>& candidates) {
    choiceDialog_.Clear();
    for (const std::string& path : candidates) choiceDialog_.Add(QFile::decodeName(path.c_str()));
    choiceDialog_.Preselect(0);
    const int chosen = choiceDialog_.ShowModal();
    if (chosen < 0 || static_cast<size_t>(chosen) >= candidates.size()) return 0;
    return chosen;
}

std::string DialogSubtitleChooser::AskForSubtitleFile(const FileFilters& filter,
                                                      const std::string& initialDir) {
    FileOpenDialog dialog(openDialog_);
    dialog.SetFilter(filter);
    dialog.SetInitialDir(QFile::decodeName(initialDir.c_str()));
    dialog.SetFileName(QString());
    dialog.Execute();
    return QFile::encodeName(dialog.FileName()).toStdString();
}

}  // namespace orvalen

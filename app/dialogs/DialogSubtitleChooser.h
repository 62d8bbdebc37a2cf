#pragma once

#include "discovery/SubtitleSearch.h"

class QFileDialog;

namespace orvalen {

class SubtitleChoiceDialog;

// Asks the user through the selection dialog and the window's file-open dialog.
class DialogSubtitleChooser : public SubtitleChooser {
  public:
    DialogSubtitleChooser(SubtitleChoiceDialog& choiceDialog, QFileDialog* openDialog)
        : choiceDialog_(choiceDialog), openDialog_(openDialog) {}

    int ChooseSubtitleFile(const std::vector<std::string>& candidates) override;
    std::string AskForSubtitleFile(const FileFilters& filter,
                                   const std::string& initialDir) override;

  private:
    SubtitleChoiceDialog& choiceDialog_;
    QFileDialog* openDialog_;
};

}  // namespace orvalen

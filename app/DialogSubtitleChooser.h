#pragma once

#include "discovery/SubtitleSearch.h"

class QFileDialog;

namespace orvalen {

class TSelectSub;

// Asks the user through the selection dialog and the window's file-open dialog.
class DialogSubtitleChooser : public SubtitleChooser {
  public:
    DialogSubtitleChooser(TSelectSub& selectSub, QFileDialog* openDialog)
        : selectSub_(selectSub), openDialog_(openDialog) {}

    int ChooseSubtitleFile(const std::vector<std::string>& candidates) override;
    std::string AskForSubtitleFile(const std::string& filter,
                                   const std::string& initialDir) override;

  private:
    TSelectSub& selectSub_;
    QFileDialog* openDialog_;
};

}  // namespace orvalen

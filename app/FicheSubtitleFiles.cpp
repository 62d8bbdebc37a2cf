#include <algorithm>

#include "app/Fiche.h"

namespace orvalen {

namespace {

// Takes the first candidate and asks nothing.
class FirstCandidateChooser : public SubtitleChooser {
  public:
    int ChooseSubtitleFile(const std::vector<std::string>&) override { return 0; }
    std::string AskForSubtitleFile(const std::string&, const std::string&) override { return {}; }
};

}  // namespace

void TFiche::SubtitleSearch(const std::string& moviePath) {
    FirstCandidateChooser chooser;
    const SearchOutcome outcome = ::orvalen::SubtitleSearch(moviePath, CurrentSettings(), chooser);
    const size_t kept = std::min(outcome.Found.size(), FoundSubtitleFiles.size());
    std::copy_n(outcome.Found.begin(), kept, FoundSubtitleFiles.begin());
    FoundSubtitleCount = static_cast<int32_t>(kept);
    LoadSubtitleFile(outcome.ChosenPath, Track);
}

void TFiche::OpenSubFileClick() {}

void TFiche::SubtitlesItemsClick(QAction*) {}

}  // namespace orvalen

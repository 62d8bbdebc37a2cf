#pragma once

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "subtitles/FileFilter.h"

namespace orvalen {

// FoundSubtitleFiles holds at most this many candidates in all: each directory gives its first
// ten, and the search stops adding once the list is full.
constexpr int MaxFoundSubtitleFiles = 10;

// The window's side of a search: the selection dialog and the fallback file dialog.
class SubtitleChooser {
  public:
    virtual ~SubtitleChooser() = default;
    // Called with two or more candidates when AutoSelect is off; returns an index into them
    // (an index out of range, e.g. from a dialog closed without a choice, means the first).
    virtual int ChooseSubtitleFile(const std::vector<std::string>& candidates) = 0;
    // Called when nothing was found: the file dialog with this filter, opened in initialDir.
    // Returns the chosen path, or "" when cancelled.
    virtual std::string AskForSubtitleFile(const FileFilters& filter,
                                           const std::string& initialDir) = 0;
};

struct SearchOutcome {
    std::vector<std::string> Found;  // the candidates in order, full paths
    int ChosenIndex = -1;            // index into Found, -1 when nothing was found
    std::string ChosenPath;          // the file to load; "" when the fallback was cancelled
};

// The candidate subtitle files of a film, in order, without asking anything.
std::vector<std::string> FindSubtitleFiles(const std::string& filmPath, const Settings& settings);

// Finds the candidates and chooses one, asking through chooser when needed.
SearchOutcome SubtitleSearch(const std::string& filmPath, const Settings& settings,
                             SubtitleChooser& chooser);

}  // namespace orvalen

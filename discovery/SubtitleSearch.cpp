#include "discovery/SubtitleSearch.h"

#include "discovery/DirectoryListing.h"
#include "discovery/SearchPatterns.h"

namespace orvalen {

namespace {

constexpr size_t kPerDirectory = 10;

// Appends the first names of one directory while the candidate list has room. The list stops
// at MaxFoundSubtitleFiles in all, so the menus, the selection dialog and the indices they
// exchange always describe the same list.
void AppendListing(const std::string& directory, const std::string& joinedWith,
                   const std::vector<FilePattern>& patterns, std::vector<std::string>& found) {
    std::vector<std::string> names = ListMatchingFiles(directory, patterns);
    for (size_t i = 0; i < names.size() && i < kPerDirectory; ++i) {
        if (found.size() >= static_cast<size_t>(MaxFoundSubtitleFiles)) return;
        found.push_back(JoinPath(joinedWith, names[i]));
    }
}

}  // namespace

std::vector<std::string> FindSubtitleFiles(const std::string& filmPath, const Settings& settings) {
    FilmPathParts film = SplitFilmPath(filmPath);
    std::vector<FilePattern> patterns =
        BuildPatternList(SearchPrefix(film.Name, settings.NbrChar), settings.SubtitleFormat);

    std::vector<std::string> found;
    std::string rememberedFilmDir;
    std::string rememberedSubDir;
    if (settings.CurrentDir) {
        AppendListing(film.Directory, film.Directory, patterns, found);
        rememberedFilmDir = film.Directory;
    }
    if (settings.SubDirEnabled) {
        std::string subDirectory = film.Directory + settings.SubDir;
        if (IsDirectory(subDirectory)) {
            std::string reported = ReportedDirectory(subDirectory);
            AppendListing(reported, reported, patterns, found);
            rememberedSubDir = reported;
        }
    }
    // The comparison is on the texts: the same directory written differently is listed again.
    if (settings.SubFilePathEnabled && settings.SubFilePath != rememberedFilmDir &&
        settings.SubFilePath != rememberedSubDir && !settings.SubFilePath.empty() &&
        IsDirectory(settings.SubFilePath)) {
        std::string reported = ReportedDirectory(settings.SubFilePath);
        AppendListing(reported, reported, patterns, found);
    }
    return found;
}

SearchOutcome SubtitleSearch(const std::string& filmPath, const Settings& settings,
                             SubtitleChooser& chooser) {
    SearchOutcome outcome;
    outcome.Found = FindSubtitleFiles(filmPath, settings);
    int count = static_cast<int>(outcome.Found.size());
    if (count == 0) {
        outcome.ChosenPath = chooser.AskForSubtitleFile(SubtitleFileFilter(settings.SubtitleFormat),
                                                        SplitFilmPath(filmPath).Directory);
        return outcome;
    }
    int chosen = 0;
    if (count >= 2 && !settings.AutoSelect) {
        chosen = chooser.ChooseSubtitleFile(outcome.Found);
        // The dialog may be closed without a valid selection; one of the files is always loaded.
        if (chosen < 0 || chosen >= count) chosen = 0;
    }
    outcome.ChosenIndex = chosen;
    outcome.ChosenPath = outcome.Found[static_cast<size_t>(chosen)];
    return outcome;
}

}  // namespace orvalen

#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "media/RenderPath.h"

namespace orvalen {

// The text of `orvalen --help`, naming the settings file the program would use.
std::string UsageText(const std::string& configFilePath);

// Answers --help (-h) and --version, which need no display: writes the text to out and gives
// the exit status. Nothing when neither is among the arguments: the program starts, and the
// arguments are the film and Qt's own options (a film named "--help" is opened as ./--help).
std::optional<int> AnswerInformationOptions(int argc, char** argv, std::FILE* out);

// True for `--version --verbose`, which also reports how pictures are drawn and so needs the
// display: AnswerInformationOptions leaves it to the program.
bool WantsVerboseVersion(int argc, char** argv);

// Whether flag is among the arguments; it is taken out of argv.
bool TakeFlag(int& argc, char** argv, const char* flag);

// The render path forced by a --render=PATH argument (taken out of argv) or, without one, by
// the environment variable's value (null when unset); nothing when the choice is automatic.
// An unknown value is named in *problem and ignored.
std::optional<RenderPath> TakeRenderOption(int& argc, char** argv, const char* environment,
                                           std::string* problem);

}  // namespace orvalen

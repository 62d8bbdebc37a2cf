#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace orvalen {

// The text of `orvalen --help`, naming the settings file the program would use.
std::string UsageText(const std::string& configFilePath);

// Answers --help (-h) and --version, which need no display: writes the text to out and gives
// the exit status. Nothing when neither is among the arguments: the program starts, and the
// arguments are the film and Qt's own options (a film named "--help" is opened as ./--help).
std::optional<int> AnswerInformationOptions(int argc, char** argv, std::FILE* out);

}  // namespace orvalen

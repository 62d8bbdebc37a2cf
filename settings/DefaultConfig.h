#pragma once

#include <string>
#include <vector>

namespace orvalen {

// The file the settings are read from: the user's own file when anything exists at its path,
// else the first shipped default that is a regular file, else the user's path (every key then
// reads as its built-in default).
std::string ConfigFileToRead(const std::string& userFile, const std::vector<std::string>& defaults);

// Before the first write: when nothing exists at userFile, creates it, with the missing
// directories above it, as a copy of the default ConfigFileToRead would pick, so that writing
// a few keys keeps the others the user has been reading. Never replaces anything that exists.
// True when the file was created.
bool CreateUserConfigFromDefault(const std::string& userFile,
                                 const std::vector<std::string>& defaults);

// Empty when the settings file at path can be read or does not exist; otherwise why it cannot
// be (a directory, a pipe, a device, no permission, beyond the read limit), in which case every
// key reads as its default and the user should be told.
std::string ConfigReadProblem(const std::string& path);

// The same for the running process: where ConfigFilePath() and the shipped defaults are.
std::string ConfigFileToRead();
// The user's file, ready to be written (created from the default first when missing).
std::string ConfigFileToWrite();

}  // namespace orvalen

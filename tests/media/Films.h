#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace orvalen::test {

// The full path of a film that tests/media/make-films.sh makes. Under CTest the films are made
// once for all media tests (a fixture); a test program run by hand makes them itself in a
// temporary directory that it removes at exit.
std::string Film(const std::string& name);

// A path inside the films' directory that does not exist.
std::string MissingFilm();

// Asks until the condition holds or the time is up; true when it held.
bool PollUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds patience = std::chrono::seconds(10));

}  // namespace orvalen::test

#pragma once

#include <cstdio>

namespace orvalen {

// True unless Qt is going to use an X display that cannot be reached; then says "cannot
// connect to display NAME" on err. Qt itself would abort the program with a core dump there.
bool XDisplayReachable(std::FILE* err);

}  // namespace orvalen

#pragma once

#include <string>
#include <string_view>

namespace orvalen {

// uchardet takes short Windows-1252 texts with a few accented names for IBM852. When detected
// names a DOS code page, the Windows code pages of the same script decode sample too, and the
// one whose text looks most like words (letters inside words, not symbols or box drawing) wins;
// on a tie the DOS code page stays. Any other name comes back as it is.
std::string CheckDosCodePage(std::string_view sample, std::string detected);

}  // namespace orvalen

#include "playback/SubtitleFont.h"

#include <algorithm>
#include <cstring>

namespace orvalen {

void SetFaceName(SubtitleFont& font, const std::string& name) {
    size_t length = std::min(name.size(), static_cast<size_t>(SubtitleFont::FaceSize - 1));
    // Back up over continuation bytes so that a cut never leaves half a character.
    if (length < name.size()) {
        while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) --length;
    }
    std::memset(font.FaceName, 0, sizeof font.FaceName);
    std::memcpy(font.FaceName, name.data(), length);
}

std::string FaceNameOf(const SubtitleFont& font) {
    return std::string(font.FaceName, strnlen(font.FaceName, sizeof font.FaceName));
}

}  // namespace orvalen

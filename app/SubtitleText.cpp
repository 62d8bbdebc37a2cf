#include "app/SubtitleText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace orvalen {

namespace {

// Well-formed UTF-8: no stray continuation bytes, no truncated, overlong or surrogate
// sequences, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(length) > bytes.size()) return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += static_cast<size_t>(length);
    }
    return true;
}

// False when iconv does not know the encoding or the bytes are not valid in it.
bool DecodeWithIconv(std::string_view bytes, const std::string& encoding, QString& text) {
    iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> out(bytes.size() * 4 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) return false;
    text = QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size() - outLeft));
    return true;
}

}  // namespace

QString DecodeDetected(std::string_view bytes, const std::string& encoding) {
    QString text;
    const bool utf8Named = encoding == "UTF-8" || encoding == "utf-8" || encoding == "ASCII";
    if ((utf8Named || encoding.empty()) && IsValidUtf8(bytes)) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    if (!encoding.empty() && !utf8Named && DecodeWithIconv(bytes, encoding, text)) return text;
    if (DecodeWithIconv(bytes, "WINDOWS-1252", text)) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString DecodeChosen(std::string_view bytes, const std::string& encoding) {
    iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return DecodeDetected(bytes, encoding);
    // One input byte gives at most four output bytes, a replacement character three.
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG || outLeft < 3) break;
        // An invalid or truncated sequence: replace its first byte and start afresh after it.
        static constexpr char kReplacement[] = "\xEF\xBF\xBD";
        outPtr = std::copy(kReplacement, kReplacement + 3, outPtr);
        outLeft -= 3;
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv(converter, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(converter);
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size() - outLeft));
}

QString DisplayText(std::string_view bytes, const std::string& encoding) {
    const QString decoded = DecodeDetected(bytes, encoding);
    QString text;
    text.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < decoded.size() && decoded[i + 1] == u'\n') ++i;
            while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t')) text.chop(1);
            text += u'\n';
        } else {
            text += c;
        }
    }
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
    return text;
}

}  // namespace orvalen

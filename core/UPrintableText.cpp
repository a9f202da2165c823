#include "UPrintableText.h"

#include <cstddef>

namespace {

const char* const HexDigits = "0123456789abcdef";

unsigned char ByteAt(const std::string& text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 character at `at`, 0 when no valid one starts
// there: no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (at + length > text.size() || ByteAt(text, at + 1) < low || ByteAt(text, at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(ByteAt(text, at + i))) {
            return 0;
        }
    }
    return length;
}

bool IsControl(const std::string& text, std::size_t at, std::size_t length) {
    const unsigned char lead = ByteAt(text, at);
    if (length == 1) {
        return lead < 0x20 || lead == 0x7F;
    }
    return length == 2 && lead == 0xC2 && ByteAt(text, at + 1) < 0xA0;
}

void AppendHex(std::string& out, unsigned char byte) {
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 0x0F];
}

} // namespace

bool IsValidUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::string EscapeControls(const std::string& text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        const std::size_t taken = length == 0 ? 1 : length;
        if (length == 0 || IsControl(text, at, length)) {
            for (std::size_t i = at; i < at + taken; ++i) {
                out += "\\x";
                AppendHex(out, ByteAt(text, i));
            }
        } else {
            out.append(text, at, taken);
        }
        at += taken;
    }
    return out;
}

std::string Utf8OrLatin1(const std::string& text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) {
            const unsigned char byte = ByteAt(text, at);
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
            ++at;
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return out;
}

std::string HexBytes(const std::string& text) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        AppendHex(out, ByteAt(text, at));
    }
    return out;
}

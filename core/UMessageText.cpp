#include "UMessageText.h"

std::string WithFullStop(const std::string& text) {
    if (!text.empty() && text.back() == '.') {
        return text;
    }
    return text + ".";
}

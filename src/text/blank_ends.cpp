#include "text/blank_ends.h"

namespace text {

std::string withoutBlankEnds(const std::string& text) {
    std::size_t first = 0, end = text.size();
    while (first < end && isBlankOrControl(text[first])) ++first;
    while (end > first && isBlankOrControl(text[end - 1])) --end;
    return text.substr(first, end - first);
}

}  // namespace text

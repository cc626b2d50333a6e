#include "texts/Highlight.h"

TextRange HighlightRange(int current, int preambleLength, int speed) {
    const int first = current - preambleLength;
    return {first, first + 1 + speed / 300};
}

// The highlight of the reception pages while a text sounds.
#pragma once

// A range of text indices, both ends included.
struct TextRange {
    int first;
    int last;
};

// Characters highlighted while character `current` of the sent string sounds:
// the sounding one, its blank, and one more per 300 characters per minute.
// Indexes are into the text (the preamble subtracted).
TextRange HighlightRange(int current, int preambleLength, int speed);

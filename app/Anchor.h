// Where a control goes when its dialog's client area changes size.
#pragma once

struct AnchorSpan {
    int start;
    int length;
};

// One axis: a control from `start` to `end` in a client area that changed
// from oldSize to newSize. Anchored at both sides it stretches (both gaps
// stay); at the near side only it stays; at the far side only it follows
// that edge; at neither it is centred, truncating toward zero.
AnchorSpan AnchorAxis(int start, int end, int oldSize, int newSize, bool nearSide, bool farSide);

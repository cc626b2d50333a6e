#include "app/Anchor.h"

AnchorSpan AnchorAxis(int start, int end, int oldSize, int newSize, bool nearSide, bool farSide) {
    int length = end - start;
    int farGap = oldSize - end;
    if (nearSide && farSide)
        return {start, newSize - farGap - start};
    if (nearSide)
        return {start, length};
    if (farSide)
        return {newSize - farGap - length, length};
    return {(newSize - length) / 2, length};
}

#include "widgets/NineSlice.h"

std::array<SlicePiece, 9> NineSlice(int w, int h, int fw, int fh, int xs, int top, int bottom,
                                    int left, int right) {
    const int midW = w - right - left;
    const int midH = h - bottom - top;
    const int srcMidW = fw - right - left;
    const int srcMidH = fh - bottom - top;
    return {{
        {{xs, 0, left, top}, {0, 0, left, top}},
        {{xs, fh - bottom, left, bottom}, {0, h - bottom, left, bottom}},
        {{xs + fw - right, 0, right, top}, {w - right, 0, right, top}},
        {{xs + fw - right, fh - bottom, right, bottom}, {w - right, h - bottom, right, bottom}},
        {{xs + left, top, srcMidW, srcMidH}, {left, top, midW, midH}},
        {{xs + left, 0, srcMidW, top}, {left, 0, midW, top}},
        {{xs + left, fh - bottom, srcMidW, bottom}, {left, h - bottom, midW, bottom}},
        {{xs, top, left, srcMidH}, {0, top, left, midH}},
        {{xs + fw - right, top, right, srcMidH}, {w - right, top, right, midH}},
    }};
}

#pragma once

#include <QRect>
#include <array>

// One piece of a nine-slice copy: a rectangle of the source frame and where it goes.
struct SlicePiece {
    QRect source;
    QRect target;
};

// The nine pieces that stretch frame xs..xs+fw of a strip (height fh) to w x h while keeping
// the bands top, bottom, left and right unscaled: the four corners first (same size on both
// sides), then centre, top edge, bottom edge, left edge and right edge. A piece may come out
// empty or negative when the margins do not fit; callers skip those.
std::array<SlicePiece, 9> NineSlice(int w, int h, int fw, int fh, int xs, int top, int bottom,
                                    int left, int right);

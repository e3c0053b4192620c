#pragma once

#include <QFont>

// The font for text laid out in columns of blanks: every Latin character one place and every
// Chinese character exactly two, so the figures line up beneath their headings.
class FixedPitchFont {
public:
    // The first installed font with that property at the size of `like`; when none has it,
    // the system's fixed font (Latin columns still line up).
    static QFont Like(const QFont& like);
    // True when `font` gives Latin digits and letters one width and Chinese twice that.
    static bool KeepsColumns(const QFont& font);
};

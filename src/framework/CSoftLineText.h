#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QMimeData;
class QTextBlock;
class QTextBlockFormat;
class QTextCursor;
class QTextDocument;
class QWidget;

// Keeps a text box fast when a line is very long. Qt lays out and paints a block of the document
// as one piece, so a pasted list of several megabytes on one line costs seconds per keystroke.
// Here such a line is held in blocks of at most kLimit characters; every block that continues the
// line before it carries a mark. Whatever is read from the box, copied or dragged out of it joins
// the marked blocks again, so the text stays exactly as it was given or typed.
class CSoftLineText : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 2048;
    // Typing splits a block again only at twice the size, so that it rarely cuts the typing into
    // two undo steps.
    static constexpr int kSplitAt = 2 * kLimit;

    // Looks after the document of the box; the box is the parent.
    CSoftLineText(QWidget* box, QTextDocument* document);
    // The helper of a box, or nullptr for a box without one.
    static CSoftLineText* Of(const QWidget* box);
    // True when the block continues the line of the block before it.
    static bool Continues(const QTextBlock& block);

    // Replaces the text as setPlainText does (the undo history starts afresh).
    void SetText(const QString& text);
    QString Text() const;
    // The selected text, joined; an empty selection gives an empty text.
    QString Text(const QTextCursor& selection) const;
    // A plain-text copy of the selection, or nullptr when it crosses no joined boundary and the
    // box's own copy is the same.
    QMimeData* MimeData(const QTextCursor& selection) const;
    // Inserts a pasted or dropped text at the cursor as one undo step.
    void Insert(QTextCursor& cursor, const QString& text);
    // Enter, Backspace, Delete, Left and Right where a line is only split for display; true when
    // handled.
    bool HandleKey(QTextCursor& cursor, const QKeyEvent* event);
    // Splits blocks an edit made too long and drops empty pieces, within the last edit.
    void Tidy();

private:
    bool HandleArrow(QTextCursor& cursor, const QKeyEvent* event);
    QString Joined(int from, int to) const;
    bool CrossesMark(int from, int to) const;
    void Split(QTextCursor& cursor, const QTextBlock& block);
    bool TidyBlock(QTextCursor& cursor, const QTextBlock& block, bool& started);
    void SplitRange(QTextCursor& cursor, int from, int to);
    void MarkHard(int from, int to);
    void OnContentsChange(int from, int removed, int added);
    static QTextBlockFormat Hard(QTextBlockFormat format);
    static QTextBlockFormat Soft(QTextBlockFormat format);

    QWidget* m_box;
    QTextDocument* m_document;
    int m_from = -1;
    int m_to = -1;
    bool m_busy = false;
    bool m_queued = false;
};

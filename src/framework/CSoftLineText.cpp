#include "framework/CSoftLineText.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <vector>

namespace {

constexpr int kContinues = QTextFormat::UserProperty + 1;
// A split looks back this far for a comma or a blank, so that a code is not cut in two.
constexpr int kLookBack = 64;

bool IsGap(QChar c) {
    return c == u',' || c == u' ' || c == u'\t' || c == u';' || c == u'，';
}

// Offsets inside a block's text where it is split for display, in increasing order.
std::vector<int> Cuts(const QString& text, int limit) {
    std::vector<int> cuts;
    int start = 0;
    while (text.size() - start > limit) {
        int cut = start + limit;
        for (int back = 0; back < kLookBack; ++back) {
            if (IsGap(text[cut - 1 - back])) {
                cut -= back;
                break;
            }
        }
        if (text[cut - 1].isHighSurrogate() && text[cut].isLowSurrogate())
            --cut;
        cuts.push_back(cut);
        start = cut;
    }
    return cuts;
}

} // namespace

CSoftLineText::CSoftLineText(QWidget* box, QTextDocument* document)
    : QObject(box), m_box(box), m_document(document) {
    setObjectName(QStringLiteral("softLineText"));
    connect(document, &QTextDocument::contentsChange, this, &CSoftLineText::OnContentsChange);
}

CSoftLineText* CSoftLineText::Of(const QWidget* box) {
    return box ? box->findChild<CSoftLineText*>(QStringLiteral("softLineText"),
                                                Qt::FindDirectChildrenOnly)
               : nullptr;
}

bool CSoftLineText::Continues(const QTextBlock& block) {
    return block.isValid() && block.blockFormat().boolProperty(kContinues);
}

QTextBlockFormat CSoftLineText::Hard(QTextBlockFormat format) {
    format.clearProperty(kContinues);
    return format;
}

QTextBlockFormat CSoftLineText::Soft(QTextBlockFormat format) {
    format.setProperty(kContinues, true);
    return format;
}

void CSoftLineText::SetText(const QString& text) {
    m_busy = true;
    // The box's own setPlainText resets the caret, the scroll position and the modified flag.
    if (auto* plain = qobject_cast<QPlainTextEdit*>(m_box))
        plain->setPlainText(QString());
    else if (auto* rich = qobject_cast<QTextEdit*>(m_box))
        rich->setPlainText(QString());
    const bool undo = m_document->isUndoRedoEnabled();
    m_document->setUndoRedoEnabled(false);
    QTextCursor cursor(m_document);
    Insert(cursor, text);
    m_document->setUndoRedoEnabled(undo);
    m_document->setModified(false);
    cursor.movePosition(QTextCursor::Start);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(m_box))
        plain->setTextCursor(cursor);
    else if (auto* rich = qobject_cast<QTextEdit*>(m_box))
        rich->setTextCursor(cursor);
    m_busy = false;
    m_from = m_to = -1;
}

QString CSoftLineText::Text() const {
    return Joined(0, m_document->characterCount() - 1);
}

QString CSoftLineText::Text(const QTextCursor& selection) const {
    return Joined(selection.selectionStart(), selection.selectionEnd());
}

QString CSoftLineText::Joined(int from, int to) const {
    const QString plain = m_document->toPlainText();
    to = std::min<int>(to, plain.size());
    QString joined;
    joined.reserve(to - from);
    int pos = from;
    for (QTextBlock block = m_document->findBlock(from).next();
         block.isValid() && block.position() <= to; block = block.next()) {
        if (!Continues(block))
            continue;
        const int mark = block.position() - 1;
        joined += QStringView(plain).mid(pos, mark - pos);
        pos = mark + 1;
    }
    if (to > pos)
        joined += QStringView(plain).mid(pos, to - pos);
    return joined;
}

bool CSoftLineText::CrossesMark(int from, int to) const {
    for (QTextBlock block = m_document->findBlock(from).next();
         block.isValid() && block.position() <= to; block = block.next()) {
        if (Continues(block))
            return true;
    }
    return false;
}

QMimeData* CSoftLineText::MimeData(const QTextCursor& selection) const {
    if (!selection.hasSelection() ||
        !CrossesMark(selection.selectionStart(), selection.selectionEnd()))
        return nullptr;
    auto* data = new QMimeData;
    data->setText(Text(selection));
    return data;
}

void CSoftLineText::Insert(QTextCursor& cursor, const QString& text) {
    const bool busy = m_busy;
    m_busy = true;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int from = cursor.position();
    const bool soft = Continues(cursor.block());
    // Qt's own insertion decides what breaks a line, as it does in a box without this helper.
    cursor.insertText(text);
    const int to = cursor.position();
    if (soft)
        MarkHard(from, to);
    SplitRange(cursor, from, to);
    cursor.endEditBlock();
    m_busy = busy;
}

// New blocks copy the mark of the block they were typed in; after a real line break they must not.
void CSoftLineText::MarkHard(int from, int to) {
    QTextCursor mark(m_document);
    for (QTextBlock block = m_document->findBlock(from).next();
         block.isValid() && block.position() <= to; block = block.next()) {
        if (!Continues(block))
            continue;
        mark.setPosition(block.position());
        mark.setBlockFormat(Hard(block.blockFormat()));
    }
}

void CSoftLineText::SplitRange(QTextCursor& cursor, int from, int to) {
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.length() - 1 > kLimit)
            blocks.push_back(block);
    }
    // A cursor of its own, so the caller's caret moves along with the text; from the end, so
    // that the blocks still to be split keep their place.
    QTextCursor work(cursor.document());
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it)
        Split(work, *it);
}

void CSoftLineText::Split(QTextCursor& cursor, const QTextBlock& block) {
    const int start = block.position();
    const QTextBlockFormat format = Soft(block.blockFormat());
    const std::vector<int> cuts = Cuts(block.text(), kLimit);
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        cursor.setPosition(start + *it);
        cursor.insertBlock(format, cursor.charFormat());
    }
}

bool CSoftLineText::HandleKey(QTextCursor& cursor, const QKeyEvent* event) {
    QTextDocument* doc = m_document;
    if (event->matches(QKeySequence::InsertParagraphSeparator)) {
        if (!Continues(doc->findBlock(cursor.selectionStart())))
            return false;
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        cursor.insertBlock(Hard(cursor.blockFormat()), cursor.charFormat());
        cursor.endEditBlock();
        Tidy();
        return true;
    }
    if (HandleArrow(cursor, event))
        return true;
    if (cursor.hasSelection())
        return false;
    // Backspace as the box itself reads it, Shift or not.
    const bool backspace =
        event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    if (backspace) {
        if (!cursor.atBlockStart() || !Continues(cursor.block()))
            return false;
        while (cursor.atBlockStart() && Continues(cursor.block()))
            cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.deletePreviousChar();
        Tidy();
        return true;
    }
    // Ctrl+Backspace and Ctrl+Delete at a split take the word beside it, as the box would in
    // the unsplit line, instead of only the split.
    if (event->matches(QKeySequence::DeleteStartOfWord)) {
        if (!cursor.atBlockStart() || !Continues(cursor.block()))
            return false;
        while (cursor.atBlockStart() && Continues(cursor.block()))
            cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        Tidy();
        return true;
    }
    if (event->matches(QKeySequence::DeleteEndOfWord)) {
        if (!cursor.atBlockEnd() || !Continues(cursor.block().next()))
            return false;
        while (cursor.atBlockEnd() && Continues(cursor.block().next()))
            cursor.movePosition(QTextCursor::NextCharacter);
        cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        Tidy();
        return true;
    }
    if (event->matches(QKeySequence::Delete)) {
        if (!cursor.atBlockEnd() || !Continues(cursor.block().next()))
            return false;
        while (cursor.atBlockEnd() && Continues(cursor.block().next()))
            cursor.movePosition(QTextCursor::NextCharacter);
        cursor.deleteChar();
        Tidy();
        return true;
    }
    return false;
}

// Left and Right step over a split as over nothing, so no key press is lost on it.
bool CSoftLineText::HandleArrow(QTextCursor& cursor, const QKeyEvent* event) {
    const bool select = event->matches(QKeySequence::SelectNextChar) ||
                        event->matches(QKeySequence::SelectPreviousChar);
    const bool next = event->matches(QKeySequence::MoveToNextChar) ||
                      event->matches(QKeySequence::SelectNextChar);
    const bool previous = event->matches(QKeySequence::MoveToPreviousChar) ||
                          event->matches(QKeySequence::SelectPreviousChar);
    if ((!next && !previous) || (!select && cursor.hasSelection()))
        return false;
    const auto mode = select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    const auto atSplit = [&] {
        return next ? cursor.atBlockEnd() && Continues(cursor.block().next())
                    : cursor.atBlockStart() && Continues(cursor.block());
    };
    if (!atSplit())
        return false;
    const auto step = next ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter;
    while (atSplit())
        cursor.movePosition(step, mode);
    cursor.movePosition(step, mode);
    return true;
}

void CSoftLineText::OnContentsChange(int from, int removed, int added) {
    (void)removed;
    if (m_busy)
        return;
    const int to = from + added;
    m_from = m_from < 0 ? from : std::min(m_from, from);
    m_to = std::max(m_to, to);
    if (!m_queued) {
        m_queued = true;
        QMetaObject::invokeMethod(this, &CSoftLineText::Tidy, Qt::QueuedConnection);
    }
}

void CSoftLineText::Tidy() {
    m_queued = false;
    if (m_from < 0)
        return;
    // Later edits may have shortened the document below an earlier one's range.
    const int to = std::min(m_to, m_document->characterCount() - 1);
    const int from = std::min(m_from, to);
    m_from = m_to = -1;
    m_busy = true;
    QTextCursor cursor(m_document);
    bool started = false;
    // One block on either side: an edit at a block's edge can leave its neighbour empty.
    QTextBlock first = m_document->findBlock(from);
    if (first.previous().isValid())
        first = first.previous();
    QTextBlock last = m_document->findBlock(to).next();
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        blocks.push_back(block);
        if (block == last)
            break;
    }
    // From the end, so that merging or splitting a block leaves the earlier ones in place.
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it)
        TidyBlock(cursor, *it, started);
    if (started)
        cursor.endEditBlock();
    m_busy = false;
}

bool CSoftLineText::TidyBlock(QTextCursor& cursor, const QTextBlock& block, bool& started) {
    const auto start = [&] {
        if (!started)
            cursor.joinPreviousEditBlock();
        started = true;
    };
    if (!block.isValid())
        return false;
    if (Continues(block)) {
        const QTextBlock before = block.previous();
        if (!before.isValid()) {
            start();
            cursor.setPosition(block.position());
            cursor.setBlockFormat(Hard(block.blockFormat()));
            return true;
        }
        if (block.length() == 1 || before.length() == 1) {
            start();
            // The joined block takes the place of the one before in its line, so it gets that
            // block's format whichever one Qt keeps.
            const QTextBlockFormat format = before.blockFormat();
            cursor.setPosition(block.position());
            cursor.deletePreviousChar();
            cursor.setBlockFormat(format);
            return true;
        }
    }
    if (block.length() - 1 > kSplitAt) {
        start();
        Split(cursor, block);
        return true;
    }
    return false;
}

#include "CFakePlatform.h"
#include "framework/CLongLineEdit.h"
#include "framework/CSoftLineText.h"
#include "widgets/CResultEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

constexpr int kLimit = CSoftLineText::kLimit;

// A comma-separated list of codes on one line, as the pages' hints show it.
QString CodeList(qsizetype length) {
    QString text;
    text.reserve(length + 4);
    for (int i = 0; text.size() < length; ++i)
        text += QString::asprintf("%03d,", i % 1000);
    text.truncate(length);
    return text;
}

QString Repeat(const QString& piece, qsizetype length) {
    QString text;
    while (text.size() < length)
        text += piece;
    text.truncate(length);
    return text;
}

// What a box without soft lines gives back for the same text.
QString Classic(const QString& text) {
    QTextDocument document;
    document.setPlainText(text);
    return document.toPlainText();
}

int LongestBlock(const QTextDocument* document) {
    int longest = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        longest = std::max(longest, block.length() - 1);
    return longest;
}

int SoftBlocks(const QTextDocument* document) {
    int count = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        count += CSoftLineText::Continues(block) ? 1 : 0;
    return count;
}

// The document position of a text offset; at a soft boundary the start of the later block, or
// with atEnd the end of the earlier one.
int Position(const QTextDocument* document, int offset, bool atEnd) {
    int skipped = 0;
    for (QTextBlock block = document->begin().next(); block.isValid(); block = block.next()) {
        if (!CSoftLineText::Continues(block))
            continue;
        const int boundary = block.position() - 1 - skipped; // text offset of the boundary
        if (boundary > offset || (boundary == offset && atEnd))
            break;
        ++skipped;
    }
    return offset + skipped;
}

// The first text offset where the display splits a line, or -1.
int FirstBoundary(const QTextDocument* document) {
    for (QTextBlock block = document->begin().next(); block.isValid(); block = block.next()) {
        if (CSoftLineText::Continues(block))
            return block.position() - 1;
    }
    return -1;
}

enum class Box { Page, Result };

std::unique_ptr<QWidget> MakeBox(Box kind) {
    if (kind == Box::Page)
        return std::make_unique<CLongLineEdit>(QString());
    return std::unique_ptr<QWidget>(CResultEdit::Make(nullptr, QString()));
}

QTextDocument* DocumentOf(QWidget* box) {
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        return plain->document();
    return qobject_cast<QTextEdit*>(box)->document();
}

// A box without soft lines of the same kind, to compare edits against.
std::unique_ptr<QWidget> MakeClassic(Box kind) {
    if (kind == Box::Page) {
        auto edit = std::make_unique<QPlainTextEdit>();
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        return edit;
    }
    auto edit = std::make_unique<QTextEdit>();
    edit->setAcceptRichText(false);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    return edit;
}

void SetCaret(QWidget* box, int position, int anchor) {
    QTextCursor cursor(DocumentOf(box));
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        plain->setTextCursor(cursor);
    else
        qobject_cast<QTextEdit*>(box)->setTextCursor(cursor);
}

using Edit = std::function<void(QWidget*)>;

void Keys(QWidget* box, const QList<QKeySequence>& keys) {
    for (const QKeySequence& key : keys)
        QTest::keySequence(box, key);
}

void PasteText(QWidget* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        plain->paste();
    else
        qobject_cast<QTextEdit*>(box)->paste();
}

// Where two texts part, for a readable failure.
QString Difference(const QString& actual, const QString& expected) {
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    if (at == actual.size() && at == expected.size())
        return QString();
    return QStringLiteral("at %1 of %2/%3: \"%4\" vs \"%5\"")
        .arg(at)
        .arg(actual.size())
        .arg(expected.size())
        .arg(actual.mid(std::max<qsizetype>(0, at - 8), 16))
        .arg(expected.mid(std::max<qsizetype>(0, at - 8), 16));
}

} // namespace

class TestLongLines : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
    }
    void cleanup() { m_fake.reset(); }

    void roundTripIsExact_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        const QList<QPair<const char*, QString>> texts{
            {"empty", QString()},
            {"short", QStringLiteral("123,456")},
            {"lf lines", QStringLiteral("1\n22\n\n333\n")},
            {"cr lf lines", QStringLiteral("1,2\r\n3,4\r\n")},
            {"lone cr", QStringLiteral("1\r2")},
            {"tabs", QStringLiteral("000\t001\t\n002\t")},
            {"chinese", QStringLiteral("杀直选，123，和值 5\n组三")},
            {"no-break space and line separator", QStringLiteral("1\u00a02\u20283")},
            {"exactly at the limit", CodeList(kLimit)},
            {"one over the limit", CodeList(kLimit + 1)},
            {"one under the limit", CodeList(kLimit - 1)},
            {"twice the limit", CodeList(2 * kLimit)},
            {"no gaps at all", Repeat(QStringLiteral("7"), 3 * kLimit + 5)},
            {"surrogate pairs across the limit", Repeat(QStringLiteral("1\U0001F600"), 3 * kLimit)},
            {"long lines between short ones", QStringLiteral("a\n") + CodeList(5 * kLimit) +
                                                  QStringLiteral("\r\nb\n") + CodeList(kLimit + 7) +
                                                  u'\n'},
            {"10 MB on one line", CodeList(10'000'000)},
        };
        for (const Box kind : {Box::Page, Box::Result}) {
            for (const auto& [name, text] : texts) {
                QTest::addRow("%s %s", kind == Box::Page ? "page" : "result", name)
                    << int(kind) << text;
            }
        }
    }
    void roundTripIsExact() {
        QFETCH(int, box);
        QFETCH(QString, text);
        const auto edit = MakeBox(Box(box));
        CSoftLineText* soft = CSoftLineText::Of(edit.get());
        QVERIFY(soft);
        soft->SetText(text);
        const QString classic = Classic(text);
        QCOMPARE(soft->Text(), classic);
        if (!text.contains(u'\r') && !text.contains(QChar(0xa0)) && !text.contains(QChar(0x2028)))
            QCOMPARE(soft->Text(), text);
        QVERIFY(LongestBlock(DocumentOf(edit.get())) <= kLimit);
        if (text.size() > 2 * kLimit && !text.contains(u'\n'))
            QVERIFY(SoftBlocks(DocumentOf(edit.get())) >= 2);

        QTextCursor all(DocumentOf(edit.get()));
        all.select(QTextCursor::Document);
        QCOMPARE(soft->Text(all), classic);

        // Pasted, the text is the same, and copying everything gives it back.
        soft->SetText(QString());
        PasteText(edit.get(), text);
        QCOMPARE(soft->Text(), classic);
        QVERIFY(LongestBlock(DocumentOf(edit.get())) <= kLimit);
        QTest::keySequence(edit.get(), QKeySequence::SelectAll);
        QTest::keySequence(edit.get(), QKeySequence::Copy);
        if (!classic.isEmpty())
            QCOMPARE(QGuiApplication::clipboard()->text(), classic);
    }

    void editsMatchAClassicBox_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("shift");  // from the first soft boundary
        QTest::addColumn<int>("select"); // characters selected backwards from the caret
        QTest::addColumn<bool>("atEnd");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<QKeySequence>>("keys");
        QTest::addColumn<QString>("pasted");

        const QString one = CodeList(3 * kLimit);
        const QString mixed = CodeList(2 * kLimit + 10) + QStringLiteral("\n12,34\n") + one;
        const QList<QKeySequence> none;
        const QKeySequence back(Qt::Key_Backspace);
        const QKeySequence del(QKeySequence::Delete);
        const QKeySequence enter(Qt::Key_Return);
        const QKeySequence right(Qt::Key_Right);
        const QKeySequence left(Qt::Key_Left);
        const QKeySequence shiftRight(Qt::SHIFT | Qt::Key_Right);
        const QKeySequence shiftLeft(Qt::SHIFT | Qt::Key_Left);
        const QKeySequence wordBack(Qt::CTRL | Qt::Key_Backspace);
        const QKeySequence wordDelete(Qt::CTRL | Qt::Key_Delete);
        struct Row {
            const char* name;
            QString text;
            int shift;
            int select;
            bool atEnd;
            QString typed;
            QList<QKeySequence> keys;
            QString pasted;
        };
        const QList<Row> rows{
            {"type at a boundary, start side", one, 0, 0, false, ",123", none, {}},
            {"type at a boundary, end side", one, 0, 0, true, ",123", none, {}},
            {"backspace at a boundary", one, 0, 0, false, {}, {back, back, back}, {}},
            {"backspace at a boundary, end side", one, 0, 0, true, {}, {back}, {}},
            {"delete at a boundary, end side", one, 0, 0, true, {}, {del, del}, {}},
            {"delete at a boundary, start side", one, 0, 0, false, {}, {del}, {}},
            {"ctrl+backspace at a boundary", one, 0, 0, false, {}, {wordBack, wordBack}, {}},
            {"ctrl+delete at a boundary, end side", one, 0, 0, true, {}, {wordDelete}, {}},
            {"ctrl+backspace inside a piece", one, 9, 0, false, {}, {wordBack}, {}},
            {"enter at a boundary", one, 0, 0, false, {}, {enter}, {}},
            {"enter at a boundary, end side", one, 0, 0, true, {}, {enter}, {}},
            {"enter inside a continued piece", one, 17, 0, false, {}, {enter, enter}, {}},
            {"type over a selection across a boundary", one, 5, 12, false, "x", none, {}},
            {"backspace over a selection across a boundary", one, 5, 12, false, {}, {back}, {}},
            {"delete a selection of a whole piece", one, kLimit, kLimit + 3, false, {}, {del}, {}},
            {"paste lines inside a continued piece",
             one,
             9,
             0,
             false,
             {},
             none,
             QStringLiteral("a\nb\r\nc")},
            {"paste a long line over a selection",
             mixed,
             3,
             40,
             false,
             {},
             none,
             CodeList(4 * kLimit)},
            {"type a few hundred codes", mixed, 1, 0, false, CodeList(300), none, {}},
            {"enter then backspace", mixed, 2, 0, false, {}, {enter, back}, {}},
            {"right arrow at a boundary", one, 0, 0, true, {}, {right}, QStringLiteral("x")},
            {"left arrow at a boundary", one, 0, 0, false, {}, {left}, QStringLiteral("x")},
            {"left arrows back over a boundary",
             one,
             2,
             0,
             false,
             {},
             {left, left, left},
             QStringLiteral("x")},
            {"shift-right across a boundary",
             one,
             -1,
             0,
             false,
             {},
             {shiftRight, shiftRight},
             QStringLiteral("y")},
            {"shift-left across a boundary",
             one,
             1,
             0,
             false,
             {},
             {shiftLeft, shiftLeft},
             QStringLiteral("y")},
        };
        for (const Box kind : {Box::Page, Box::Result}) {
            for (const Row& row : rows) {
                QTest::addRow("%s %s", kind == Box::Page ? "page" : "result", row.name)
                    << int(kind) << row.text << row.shift << row.select << row.atEnd << row.typed
                    << row.keys << row.pasted;
            }
        }
    }
    void editsMatchAClassicBox() {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(int, shift);
        QFETCH(int, select);
        QFETCH(bool, atEnd);
        QFETCH(QString, typed);
        QFETCH(QList<QKeySequence>, keys);
        QFETCH(QString, pasted);
        const auto edit = MakeBox(Box(box));
        const auto classic = MakeClassic(Box(box));
        CSoftLineText* soft = CSoftLineText::Of(edit.get());
        soft->SetText(text);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(classic.get()))
            plain->setPlainText(text);
        else
            qobject_cast<QTextEdit*>(classic.get())->setPlainText(text);
        QTextDocument* document = DocumentOf(edit.get());
        const int boundary = FirstBoundary(document);
        QVERIFY(boundary > 0);
        const int offset = boundary + shift;
        SetCaret(edit.get(), Position(document, offset, atEnd),
                 Position(document, offset - select, atEnd && select == 0));
        SetCaret(classic.get(), offset, offset - select);

        const auto apply = [&](QWidget* target) {
            if (!typed.isEmpty())
                QTest::keyClicks(target, typed);
            Keys(target, keys);
            if (!pasted.isNull())
                PasteText(target, pasted);
            QCoreApplication::processEvents();
        };
        apply(edit.get());
        apply(classic.get());
        const QString after = DocumentOf(classic.get())->toPlainText();
        QCOMPARE(Difference(soft->Text(), after), QString());
        QVERIFY(LongestBlock(document) <= CSoftLineText::kSplitAt);

        // Undo and redo walk the same texts as in a classic box.
        document->undo();
        DocumentOf(classic.get())->undo();
        QCoreApplication::processEvents();
        QCOMPARE(Difference(soft->Text(), DocumentOf(classic.get())->toPlainText()), QString());
        document->redo();
        DocumentOf(classic.get())->redo();
        QCoreApplication::processEvents();
        QCOMPARE(Difference(soft->Text(), after), QString());
        while (document->isUndoAvailable())
            document->undo();
        QCOMPARE(Difference(soft->Text(), text), QString());
        while (document->isRedoAvailable())
            document->redo();
        QCOMPARE(Difference(soft->Text(), after), QString());
    }

    // Typing that grows a piece past the split size: the text stays right through undo, and each
    // split adds at most one undo step to those of a classic box.
    void typingPastTheSplitSize() {
        const auto edit = MakeBox(Box::Page);
        CSoftLineText* soft = CSoftLineText::Of(edit.get());
        const QString text = CodeList(3 * kLimit);
        soft->SetText(text);
        QTextDocument* document = DocumentOf(edit.get());
        const int boundary = FirstBoundary(document);
        SetCaret(edit.get(), Position(document, boundary, false),
                 Position(document, boundary, false));
        const QString typed = CodeList(CSoftLineText::kSplitAt);
        QTest::keyClicks(edit.get(), typed);
        QCOMPARE(Difference(soft->Text(), text.left(boundary) + typed + text.mid(boundary)),
                 QString());
        QVERIFY(LongestBlock(document) <= CSoftLineText::kSplitAt);
        const auto classic = MakeClassic(Box::Page);
        auto* plain = qobject_cast<QPlainTextEdit*>(classic.get());
        plain->setPlainText(text);
        SetCaret(classic.get(), boundary, boundary);
        QTest::keyClicks(classic.get(), typed);
        const auto undoAll = [](QTextDocument* target) {
            int steps = 0;
            for (; target->isUndoAvailable() && steps < 100'000; ++steps)
                target->undo();
            return steps;
        };
        const int ours = undoAll(document);
        const int theirs = undoAll(plain->document());
        QVERIFY2(ours <= theirs + 2, qPrintable(QStringLiteral("%1 %2").arg(ours).arg(theirs)));
        QCOMPARE(Difference(soft->Text(), text), QString());
    }

    void copiedSelectionIsJoined() {
        const auto edit = MakeBox(Box::Page);
        CSoftLineText* soft = CSoftLineText::Of(edit.get());
        const QString text = CodeList(3 * kLimit) + QStringLiteral("\n9");
        soft->SetText(text);
        QTextDocument* document = DocumentOf(edit.get());
        const int boundary = FirstBoundary(document);
        SetCaret(edit.get(), Position(document, boundary + 30, false),
                 Position(document, boundary - 30, false));
        QTest::keySequence(edit.get(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), text.mid(boundary - 30, 60));
        QTest::keySequence(edit.get(), QKeySequence::Cut);
        QCOMPARE(QGuiApplication::clipboard()->text(), text.mid(boundary - 30, 60));
        QCOMPARE(soft->Text(), text.left(boundary - 30) + text.mid(boundary + 30));
    }

    void resultBoxKeepsItsTabStops() {
        const auto edit = MakeBox(Box::Result);
        QTextEdit classic;
        classic.setTabStopDistance(classic.logicalDpiX() / 2.0);
        QCOMPARE(qobject_cast<QTextEdit*>(edit.get())->tabStopDistance(),
                 classic.tabStopDistance());
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
};

QTEST_MAIN(TestLongLines)
#include "tst_longlines.moc"

#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "framework/CSoftLineText.h"
#include "io/SchemeFile.h"
#include "pages/CTextPage.h"
#include "pages/ConditionSheet.h"

#include <QAbstractScrollArea>
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>
#include <algorithm>
#include <memory>

namespace {

// A list of codes on one line, as a player pastes it from the pages' hints.
QString CodeList(qsizetype length) {
    QString text;
    text.reserve(length + 4);
    for (int i = 0; text.size() < length; ++i)
        text += QString::asprintf("%03d,", i % 1000);
    text.truncate(length);
    return text;
}

void Repaint(QAbstractScrollArea* box) {
    box->viewport()->repaint();
    QCoreApplication::processEvents();
}

// The longest block Qt has to lay out: what each step costs grows with it, so a 10 MB line in
// one block takes seconds per keystroke while short blocks keep it to milliseconds however
// loaded the machine is (bench/bench_longlines.cpp measures the time).
QTextDocument* Document(QAbstractScrollArea* box) {
    auto* plain = qobject_cast<QPlainTextEdit*>(box);
    return plain ? plain->document() : qobject_cast<QTextEdit*>(box)->document();
}

int LongestBlock(QAbstractScrollArea* box) {
    const QTextDocument* document = Document(box);
    int longest = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        longest = std::max(longest, block.length() - 1);
    return longest;
}

} // namespace

class TestLongPaste : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_text = CodeList(10'000'000); }
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_dir = std::make_unique<CWorkFolder>();
        QVERIFY(m_dir->isValid());
        m_dlg = std::make_unique<CMainDialog>();
        m_dlg->show();
        QVERIFY(m_dlg->IsInitialised());
    }
    void cleanup() {
        m_dlg.reset();
        m_dir.reset();
        m_fake.reset();
    }

    void tenMegabytesOnOneLineStayFast_data() {
        QTest::addColumn<int>("page"); // -1 for the result box
        const QStringList names{"杀直选", "垃圾复式", "杀2码", "定位杀2码", "必出2码", "交集"};
        for (int page = 0; page < names.size(); ++page)
            QTest::addRow("%s", qPrintable(names[page])) << page;
        QTest::addRow("result box") << -1;
    }
    void tenMegabytesOnOneLineStayFast() {
        QFETCH(int, page);
        QAbstractScrollArea* box = Box(page);
        QVERIFY(box);
        box->setEnabled(true);
        box->setFocus();
        QGuiApplication::clipboard()->setText(m_text);

        // Over the page's hint text, as a player replaces it.
        QTest::keySequence(box, QKeySequence::SelectAll);
        QMetaObject::invokeMethod(box, "paste");
        Repaint(box);
        QVERIFY2(LongestBlock(box) <= CSoftLineText::kLimit, "paste");
        QTest::keySequence(box, QKeySequence::MoveToEndOfDocument);
        QTest::keyClicks(box, QStringLiteral(",123"));
        Repaint(box);
        QVERIFY2(LongestBlock(box) <= CSoftLineText::kSplitAt, "typing");
        box->verticalScrollBar()->setValue(0);
        box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->maximum());
        Repaint(box);
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 2);
        Repaint(box);

        // Left alone, nothing touches the text or lays it out again: work while idle would be
        // a loop over 10 MB (the cursor's blinking only repaints).
        int idleWork = 0;
        const auto count = [&idleWork] { ++idleWork; };
        QTextDocument* document = Document(box);
        const QList<QMetaObject::Connection> watched{
            connect(document, &QTextDocument::contentsChange, this, count),
            connect(document->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                    this, count),
            connect(document->documentLayout(), &QAbstractTextDocumentLayout::updateBlock, this,
                    count)};
        QTest::qWait(2000);
        for (const QMetaObject::Connection& connection : watched)
            disconnect(connection);
        QCOMPARE(idleWork, 0);

        // Undoing the typing and the paste and redoing them brings back the short blocks.
        QTest::keySequence(box, QKeySequence::Undo);
        QTest::keySequence(box, QKeySequence::Undo);
        Repaint(box);
        QVERIFY2(LongestBlock(box) <= CSoftLineText::kSplitAt, "undo");
        QTest::keySequence(box, QKeySequence::Redo);
        QTest::keySequence(box, QKeySequence::Redo);
        Repaint(box);
        QVERIFY2(LongestBlock(box) <= CSoftLineText::kSplitAt, "redo");

        // What the window reads is the text as pasted and typed.
        const QString expected = m_text + QStringLiteral(",123");
        QCOMPARE(CSoftLineText::Of(box)->Text().size(), expected.size());
        QVERIFY(CSoftLineText::Of(box)->Text() == expected);
        if (page >= 0) {
            auto* textPage = static_cast<CTextPage*>(m_dlg->Sheet()->Page(page));
            QVERIFY(textPage->UpdateData(true));
            QVERIFY(textPage->m_strText == expected);
        }
    }

    // A scheme saved with long pasted lines holds them as pasted, and loads back the same.
    void schemesKeepLongLinesAsPasted() {
        const QString text = CodeList(3 * CSoftLineText::kLimit + 11) +
                             QStringLiteral("\n杀直选\t") + CodeList(1'000'000) +
                             QStringLiteral("\n\n") + CodeList(17);
        QAbstractScrollArea* box = Box(0);
        box->setFocus();
        QTest::keySequence(box, QKeySequence::SelectAll);
        QGuiApplication::clipboard()->setText(text);
        QMetaObject::invokeMethod(box, "paste");
        const QString path = m_dir->filePath(QStringLiteral("long.json"));
        QVERIFY(m_dlg->SaveScheme(path));
        const tarvex::SchemeReadResult saved = tarvex::SchemeFile::Load(path);
        QVERIFY2(saved.ok(), qPrintable(saved.error));
        QVERIFY(saved.settings.pages.direct == text.toStdString());

        CMainDialog other;
        other.show();
        QVERIFY(other.LoadScheme(path));
        auto* loaded = other.Sheet()->Page(0)->DlgItem<QPlainTextEdit>(CTextPage::kTextId);
        QVERIFY(CSoftLineText::Of(loaded)->Text() == text);
        for (QTextBlock block = loaded->document()->begin(); block.isValid(); block = block.next())
            QVERIFY(block.length() - 1 <= CSoftLineText::kLimit);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    // The result box skips text shaping for speed, but its face and size are the window's still.
    void resultBoxKeepsTheWindowsFont() {
        const QFont box = m_dlg->DlgItem<QTextEdit>(MainIds::kResultBox)->font();
        const QFont edit = m_dlg->DlgItem<QLineEdit>(MainIds::kMatchNumbers)->font();
        QCOMPARE(box.family(), edit.family());
        QCOMPARE(box.pointSizeF(), edit.pointSizeF());
        QCOMPARE(box.weight(), edit.weight());
        QVERIFY(box.styleStrategy() & QFont::PreferNoShaping);
    }

    // The match edit keeps the classic single-line limit of 32,767 characters, which is also
    // what keeps it fast.
    void matchEditCutsALongPasteAtTheClassicLimit() {
        auto* edit = m_dlg->DlgItem<QLineEdit>(MainIds::kMatchNumbers);
        QVERIFY(edit);
        edit->setEnabled(true);
        edit->setFocus();
        QGuiApplication::clipboard()->setText(m_text);
        edit->paste();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral(",123"));
        edit->repaint();
        QCOMPARE(edit->text(), m_text.left(edit->maxLength()));
        QCOMPARE(edit->maxLength(), 32767);
    }

private:
    QAbstractScrollArea* Box(int page) const {
        if (page < 0)
            return m_dlg->DlgItem<QTextEdit>(MainIds::kResultBox);
        m_dlg->Sheet()->SetActivePage(page);
        return m_dlg->Sheet()->Page(page)->DlgItem<QPlainTextEdit>(CTextPage::kTextId);
    }

    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_dir;
    std::unique_ptr<CMainDialog> m_dlg;
    QString m_text;
};

QTEST_MAIN(TestLongPaste)
#include "tst_longpaste.moc"

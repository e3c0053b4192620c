#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "widgets/CResultEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QtTest>
#include <memory>

namespace {

void Select(CResultEdit& edit, int from, int to) {
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

void PlaceCaret(CResultEdit& edit, int at) {
    Select(edit, at, at);
}

// "text" or "-" for a separator, in menu order.
QStringList Entries(const QMenu& menu) {
    QStringList entries;
    for (const QAction* action : menu.actions()) {
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return entries;
}

bool EnabledFor(const QMenu& menu, int id) {
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->data().toInt() == id) {
            return action->isEnabled();
        }
    }
    qWarning("no menu entry %d", id);
    return false;
}

bool IsBold(CResultEdit& edit, int position) {
    QTextCursor cursor(edit.document());
    cursor.setPosition(position + 1);
    return cursor.charFormat().fontWeight() == QFont::Bold;
}

} // namespace

class TestResultEdit : public QObject {
    Q_OBJECT

private:
    CFakePlatform m_platform;
    std::unique_ptr<CResultEdit> m_edit;

private slots:
    void initTestCase() { m_platform.Install(); }

    void init() {
        m_platform.Clear();
        m_platform.chosenFont.reset();
        QGuiApplication::clipboard()->clear();
        m_edit = std::make_unique<CResultEdit>();
        m_edit->resize(300, 200);
    }

    void cleanup() { m_edit.reset(); }

    void boxIsEditablePlainText() {
        QVERIFY(!m_edit->isReadOnly());
        QVERIFY(!m_edit->acceptRichText());
    }

    void menuOrderTextsAndIds() {
        const std::unique_ptr<QMenu> menu(m_edit->BuildContextMenu());
        QCOMPARE(Entries(*menu), (QStringList{"&Undo", "-", "复制", "粘贴", "清除", "全选", "-"}));
        QList<int> ids;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                ids << action->data().toInt();
            }
        }
        QCOMPARE(ids, (QList<int>{101, 103, 104, 105, 106}));
    }

    void menuEnabling_data() {
        QTest::addColumn<bool>("select");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("undo");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<bool>("paste");
        QTest::newRow("nothing selected, empty clipboard")
            << false << QString() << false << false << false << false;
        QTest::newRow("nothing selected, text on clipboard")
            << false << "123" << false << false << false << true;
        QTest::newRow("selection, empty clipboard")
            << true << QString() << false << false << true << false;
        QTest::newRow("selection, text on clipboard")
            << true << "123" << false << false << true << true;
        QTest::newRow("after typing") << false << QString() << true << true << false << false;
    }

    void menuEnabling() {
        QFETCH(bool, select);
        QFETCH(QString, clipboard);
        QFETCH(bool, typed);
        QFETCH(bool, undo);
        QFETCH(bool, copy);
        QFETCH(bool, paste);
        m_edit->setPlainText(QStringLiteral("000\t001\t"));
        if (!clipboard.isEmpty()) {
            QGuiApplication::clipboard()->setText(clipboard);
        }
        if (typed) {
            PlaceCaret(*m_edit, 8);
            QTest::keyClicks(m_edit.get(), QStringLiteral("5"));
        }
        if (select) {
            Select(*m_edit, 0, 3);
        }
        const std::unique_ptr<QMenu> menu(m_edit->BuildContextMenu());
        QCOMPARE(EnabledFor(*menu, 101), undo);
        QCOMPARE(EnabledFor(*menu, 103), copy);
        QCOMPARE(EnabledFor(*menu, 104), paste);
        QCOMPARE(EnabledFor(*menu, 105), copy);
        QVERIFY(EnabledFor(*menu, 106));
    }

    void commands_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("selected");
        // The box holds "123 456", the clipboard "999".
        QTest::newRow("cut") << 102 << 0 << 3 << " 456"
                             << "123" << QString();
        QTest::newRow("copy") << 103 << 0 << 3 << "123 456"
                              << "123"
                              << "123";
        QTest::newRow("paste over selection") << 104 << 0 << 3 << "999 456"
                                              << "999" << QString();
        QTest::newRow("paste at caret") << 104 << 7 << 7 << "123 456999"
                                        << "999" << QString();
        QTest::newRow("clear keeps clipboard") << 105 << 4 << 7 << "123 "
                                               << "999" << QString();
        QTest::newRow("clear without selection") << 105 << 2 << 2 << "123 456"
                                                 << "999" << QString();
        QTest::newRow("select all") << 106 << 2 << 2 << "123 456"
                                    << "999"
                                    << "123 456";
    }

    void commands() {
        QFETCH(int, id);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        QFETCH(QString, selected);
        m_edit->setPlainText(QStringLiteral("123 456"));
        QGuiApplication::clipboard()->setText(QStringLiteral("999"));
        Select(*m_edit, from, to);
        QVERIFY(m_edit->OnCommand(id));
        QCOMPARE(m_edit->toPlainText(), text);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QCOMPARE(m_edit->textCursor().selectedText(), selected);
    }

    void undoRevertsTheLastEdit() {
        m_edit->setPlainText(QStringLiteral("123"));
        Select(*m_edit, 0, 3);
        QVERIFY(m_edit->OnCommand(105));
        QCOMPARE(m_edit->toPlainText(), QString());
        QVERIFY(m_edit->OnCommand(101));
        QCOMPARE(m_edit->toPlainText(), QStringLiteral("123"));
    }

    void unknownCommandChangesNothing() {
        m_edit->setPlainText(QStringLiteral("123"));
        Select(*m_edit, 0, 3);
        QVERIFY(!m_edit->OnCommand(108));
        QCOMPARE(m_edit->toPlainText(), QStringLiteral("123"));
        QCOMPARE(m_edit->textCursor().selectedText(), QStringLiteral("123"));
    }

    void fontAppliesToSelectionOrWord_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<bool>>("bold");
        // "123 456 789": which of characters 0, 2, 4, 6, 8, 10 turn bold.
        QTest::newRow("selection") << 2 << 5 << QList<bool>{false, true, true, false, false, false};
        QTest::newRow("word at caret")
            << 5 << 5 << QList<bool>{false, false, true, true, false, false};
        QTest::newRow("caret at word start")
            << 8 << 8 << QList<bool>{false, false, false, false, true, true};
    }

    void fontAppliesToSelectionOrWord() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<bool>, bold);
        m_edit->setPlainText(QStringLiteral("123 456 789"));
        QFont chosen = m_edit->font();
        chosen.setBold(true);
        m_platform.chosenFont = chosen;
        Select(*m_edit, from, to);
        QVERIFY(m_edit->OnCommand(107));
        QCOMPARE(m_platform.fontRequests.size(), 1);
        QList<bool> actual;
        for (int i = 0; i <= 10; i += 2) {
            actual << IsBold(*m_edit, i);
        }
        QCOMPARE(actual, bold);
        QCOMPARE(m_edit->toPlainText(), QStringLiteral("123 456 789"));
    }

    void fontDialogIsPresetFromTheSelection() {
        m_edit->setPlainText(QStringLiteral("123 456"));
        QTextCharFormat italic;
        italic.setFontItalic(true);
        italic.setFontPointSize(17);
        Select(*m_edit, 0, 3);
        m_edit->textCursor().mergeCharFormat(italic);
        m_platform.chosenFont.reset();
        QVERIFY(m_edit->OnCommand(107));
        QCOMPARE(m_platform.fontRequests.size(), 1);
        QVERIFY(m_platform.fontRequests[0].italic());
        QCOMPARE(m_platform.fontRequests[0].pointSize(), 17);
        QVERIFY(!IsBold(*m_edit, 0));
        QVERIFY(m_edit->textCursor().charFormat().fontItalic());
    }

    void cancelledFontDialogChangesNothing() {
        m_edit->setPlainText(QStringLiteral("123 456"));
        PlaceCaret(*m_edit, 1);
        const QFont before = m_edit->textCursor().charFormat().font();
        QVERIFY(m_edit->OnCommand(107));
        QCOMPARE(m_edit->textCursor().charFormat().font(), before);
        QVERIFY(!m_edit->document()->isUndoAvailable());
    }

    void rightPressShowsTheMenuAndRunsTheChoice() {
        m_edit->setPlainText(QStringLiteral("123 456"));
        m_edit->show();
        QStringList shown;
        const CModalCloser closer = ClosePopupWhenShown<QMenu>([&shown](QMenu* menu) {
            shown = Entries(*menu);
            for (QAction* action : menu->actions()) {
                if (action->data().toInt() == 106) {
                    menu->setActiveAction(action);
                }
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::mousePress(m_edit->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(shown, (QStringList{"&Undo", "-", "复制", "粘贴", "清除", "全选", "-"}));
        QCOMPARE(m_edit->textCursor().selectedText(), QStringLiteral("123 456"));
        QVERIFY(QApplication::activePopupWidget() == nullptr);
    }
};

QTEST_MAIN(TestResultEdit)
#include "tst_resultedit.moc"

// The paste box of 录入开奖号码: what is refused stays in sight and is quoted as pasted, and
// the box lets the focus go.
#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "app/draws/CDrawEntryDlg.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestDrawPaste : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_folder = std::make_unique<CWorkFolder>();
        QVERIFY(m_folder->isValid());
    }
    void cleanup() {
        m_folder.reset();
        m_fake.reset();
    }

    // A paste of 400 new draws, one that disagrees with the file and two unreadable lines:
    // the refusals are shown whole inside the window at its size after the preview, above
    // the list of what is added, and each unreadable line is quoted as it was pasted.
    void refusalsOfALongPasteStayInSightAndQuotedAsPasted() {
        CDrawEntryDlg dialog;
        QString paste = QStringLiteral("2026224 2026-08-22 1 1 1\n"); // the file holds 862
        const QStringList unreadable{QStringLiteral("2026999 xx 12"),
                                     QStringLiteral("2027001 星期四 7")};
        paste += unreadable.join(u'\n') + u'\n';
        for (int i = 0; i < 400; ++i)
            paste += QStringLiteral("%1 5 6 7\n").arg(2026225 + i);
        dialog.Pasted()->setPlainText(paste);
        dialog.show();
        dialog.OnPreview();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCoreApplication::processEvents();
        QLabel* preview = dialog.Preview();
        const QString text = preview->text();
        const qsizetype added = text.indexOf(QStringLiteral("将加入 400 期"));
        QVERIFY2(added > 0, qPrintable(text));
        for (const QString& expected :
             QStringList{QStringLiteral("不加入第 2026224 期 111")} + unreadable) {
            const qsizetype at = text.indexOf(expected);
            QVERIFY2(at >= 0 && at < added, qPrintable(expected + u'\n' + text));
        }
        const QRect shown = preview->geometry();
        QVERIFY(dialog.rect().contains(shown));
        QVERIFY(preview->heightForWidth(preview->width()) <= shown.height());
        QVERIFY(dialog.AddPastedButton()->isEnabled());
    }

    // Tab leaves the paste box for the next control; the box keeps what was pasted.
    void tabLeavesThePasteBox() {
        CDrawEntryDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        dialog.Pasted()->setPlainText(QStringLiteral("2026225 1 2 3"));
        dialog.Pasted()->setFocus();
        QTest::keyClick(dialog.Pasted(), Qt::Key_Tab);
        QCOMPARE(dialog.Pasted()->toPlainText(), QStringLiteral("2026225 1 2 3"));
        QVERIFY(!dialog.Pasted()->hasFocus());
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_folder;
};

QTEST_MAIN(TestDrawPaste)
#include "tst_draw_paste.moc"

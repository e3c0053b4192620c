#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/main/CAboutDlg.h"
#include "app/main/CMainDialog.h"
#include "framework/CSystemMenu.h"
#include "framework/DialogUnits.h"
#include "widgets/CLinkLabel.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

// The window menu with its About item, and the About box.
class TestMainWindowMenu : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_dialog = std::make_unique<CMainDialog>();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void cleanup() {
        m_dialog.reset();
        m_fake.reset();
    }

    void aboutItemIsLast() {
        const QList<QAction*> actions = m_dialog->SystemMenu().Menu()->actions();
        QVERIFY(actions.size() >= 3);
        QVERIFY(actions[actions.size() - 2]->isSeparator());
        QCOMPARE(actions.last()->text(), QStringLiteral("关于 tarvex(&A)..."));
        QCOMPARE(actions.last()->data().toInt(), CMainDialog::kAboutCommand);
        int aboutItems = 0;
        for (QAction* action : actions)
            aboutItems += action->text() == actions.last()->text();
        QCOMPARE(aboutItems, 1);
    }

    // No two items of the menu answer the same letter: the second could never be reached by it.
    void accessKeysAreUnique() {
        QStringList keys;
        for (QAction* action : m_dialog->SystemMenu().Menu()->actions())
            if (const qsizetype at = action->text().indexOf(u'&'); at >= 0)
                keys << action->text().mid(at + 1, 1).toUpper();
        QVERIFY(keys.size() > 5);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    }

    void aboutItemShowsAboutBox() {
        QString title;
        QStringList links;
        const CModalCloser closer = CloseModalWhenShown<CAboutDlg>([&](CAboutDlg* about) {
            title = about->windowTitle();
            for (int id : {1087, 1088}) {
                auto* link = about->DlgItem<CLinkLabel>(id);
                links << (link ? link->text() + u'=' + link->Target() : QString());
            }
            about->DlgItem<QPushButton>(1)->click();
        });
        m_dialog->SystemMenu().Menu()->actions().last()->trigger();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(title, QStringLiteral("关于 tarvex"));
        QCOMPARE(links.size(), 2);
        QVERIFY(links[0].startsWith(QStringLiteral("3D遗漏统计=http")));
        QVERIFY(links[1].startsWith(QStringLiteral("与我联系=mailto:")));
        QVERIFY(m_dialog->isVisible());
    }

    void sysCommandLowBitsIgnored() {
        bool shown = false;
        const CModalCloser closer = CloseModalWhenShown<CAboutDlg>([&](CAboutDlg* about) {
            shown = true;
            about->reject();
        });
        m_dialog->OnSysCommand(CMainDialog::kAboutCommand | 0x3);
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QVERIFY(shown);
    }

    void altSpaceOpensMenu() {
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QTest::keyClick(m_dialog.get(), Qt::Key_Space, Qt::AltModifier);
        QTRY_VERIFY(m_dialog->SystemMenu().Menu()->isVisible());
        m_dialog->SystemMenu().Menu()->hide();
    }

    void rightClickOnBackgroundOpensMenu() {
        const QPoint background(m_dialog->width() - 4, m_dialog->height() / 2);
        QVERIFY(m_dialog->childAt(background) == nullptr);
        QContextMenuEvent event(QContextMenuEvent::Mouse, background,
                                m_dialog->mapToGlobal(background));
        QApplication::sendEvent(m_dialog.get(), &event);
        QTRY_VERIFY(m_dialog->SystemMenu().Menu()->isVisible());
        m_dialog->SystemMenu().Menu()->hide();
    }

    void windowItemsFollowTheState() {
        QMenu* menu = m_dialog->SystemMenu().Menu();
        m_dialog->SystemMenu().Popup(m_dialog->mapToGlobal(QPoint(0, 0)));
        QAction* restore = nullptr;
        QAction* minimize = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == CSystemMenu::kRestore)
                restore = action;
            if (action->data().toInt() == CSystemMenu::kMinimize)
                minimize = action;
        }
        QVERIFY(restore && minimize);
        QVERIFY(!restore->isEnabled());
        QVERIFY(minimize->isEnabled());
        menu->hide();
    }

    void closeItemAsks() {
        m_fake->answers = {false};
        m_dialog->OnSysCommand(CSystemMenu::kClose);
        QCOMPARE(m_fake->questions.size(), 1);
        QCOMPARE(m_fake->questions[0].text, QStringLiteral("祝您好运！"));
        QVERIFY(m_dialog->isVisible());
    }

    void aboutBoxLayout() {
        CAboutDlg about;
        QCOMPARE(about.size(), DialogUnits(about.font()).Size(276, 82));
        QCOMPARE(about.windowTitle(), QStringLiteral("关于 tarvex"));
        QStringList texts;
        for (auto* label : about.findChildren<QLabel*>())
            texts << label->text();
        QVERIFY(texts.contains(QStringLiteral("tarvex 1.0.2 版")));
        QCOMPARE(about.DlgItem<QPushButton>(1)->text(), QStringLiteral("确定"));
        about.show();
        QTest::keyClick(&about, Qt::Key_Return);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CMainDialog> m_dialog;
};

QTEST_MAIN(TestMainWindowMenu)
#include "tst_mainwindow_menu.moc"

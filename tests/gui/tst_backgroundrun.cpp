// Long runs keep the window painting, show that they are busy and can be cancelled.
#include "app/shared/CBackgroundRun.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <atomic>

namespace {

QProgressDialog* ShownProgress() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<QProgressDialog*>(widget);
            progress && progress->isVisible())
            return progress;
    }
    return nullptr;
}

} // namespace

class TestBackgroundRun : public QObject {
    Q_OBJECT
private slots:
    // A quick run shows nothing at all and reports its result.
    void quickRunShowsNothing() {
        QWidget window;
        window.show();
        bool sawProgress = false;
        int result = 0;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] { sawProgress |= ShownProgress() != nullptr; });
        probe.start(5);
        QVERIFY(CBackgroundRun::Run(&window, QStringLiteral("正在回测…"),
                                    [&](const tarvex::ProgressFn& progress) {
                                        QVERIFY(progress(0, 1));
                                        result = 42;
                                    }));
        QCOMPARE(result, 42);
        QVERIFY(!sawProgress);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // A long run shows a busy cursor and a progress bar; 取消 stops the work at its next
    // report, and the call returns only after the work has ended.
    void longRunShowsProgressAndCancels() {
        QWidget window;
        window.show();
        std::atomic<int> reports{0};
        std::atomic<bool> ended{false};
        bool busyCursor = false;
        int shownValue = -1;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            if (QProgressDialog* progress = ShownProgress()) {
                busyCursor = QApplication::overrideCursor() &&
                             QApplication::overrideCursor()->shape() == Qt::BusyCursor;
                if (progress->maximum() == 1000 && progress->value() > 0) {
                    shownValue = progress->value();
                    for (QPushButton* button : progress->findChildren<QPushButton*>()) {
                        if (button->text() == QStringLiteral("取消"))
                            button->click();
                    }
                }
            }
        });
        probe.start(20);
        const bool completed = CBackgroundRun::Run(
            &window, QStringLiteral("正在逐期回测…"), [&](const tarvex::ProgressFn& progress) {
                for (std::size_t done = 0; done < 1000; ++done) {
                    ++reports;
                    if (!progress(done, 1000))
                        break;
                    QThread::msleep(5);
                }
                ended = true;
            });
        QVERIFY(!completed);
        QVERIFY(ended);
        QVERIFY(busyCursor);
        QVERIFY(shownValue > 0);
        QVERIFY2(reports < 1000, qPrintable(QString::number(reports)));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(ShownProgress(), nullptr);
    }

    // Without a progress text a long run only shows the busy cursor.
    void runWithoutTextShowsOnlyTheCursor() {
        QWidget window;
        window.show();
        bool sawProgress = false;
        bool busyCursor = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            sawProgress |= ShownProgress() != nullptr;
            busyCursor |= QApplication::overrideCursor() != nullptr;
        });
        probe.start(20);
        QVERIFY(CBackgroundRun::Run(&window, {},
                                    [](const tarvex::ProgressFn&) { QThread::msleep(500); }));
        QVERIFY(!sawProgress);
        QVERIFY(busyCursor);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(TestBackgroundRun)
#include "tst_backgroundrun.moc"

#pragma once

#include "engine/KillRun.h"
#include "engine/Settings.h"
#include "engine/ToleranceRun.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QWidget;

// "预计剩下N注" beside 杀组合: whenever a condition control changes, the engine works out in the
// background what 杀组合 would leave now. Changes are gathered for a short moment first, so
// typing never waits for a count, and an answer that arrives after a newer change is dropped.
// It only reads the controls: the result box, list box 1004, the count text and tarvex.txt
// change only when 杀组合 is pressed.
class CLivePreview : public QObject {
    Q_OBJECT
public:
    // What the controls say now: settings to count, or the message a control's text would
    // stop the run with.
    struct Reading {
        std::optional<tarvex::Settings> settings;
        QString refusal;
        // What 容错 would work on now, when there was a 杀组合: its preview is counted too.
        std::optional<tarvex::ToleranceInput> tolerance;
    };
    using ToleranceCounts = std::array<int, 17>;
    using ReadFn = std::function<Reading()>;

    static constexpr int kDelayMs = 250;
    // How soon a count that fell due during a run looks again.
    static constexpr int kRetryMs = 50;
    static constexpr double kSmallestPoints = 6.0;

    CLivePreview(QLabel* label, ReadFn read, QObject* parent = nullptr);

    // Follows every edit, box, combo and list below root, except the widgets in ignore.
    void Watch(QWidget* root, const QList<QWidget*>& ignore);
    // Counts again after the pause; every change calls this.
    void Schedule();
    // The pause before counting; tests shorten it so that a count falls due inside a run.
    void SetDelay(int ms) { m_delay = ms; }
    // True until the answer to the last change is shown.
    bool Busy() const { return m_timer.isActive() || m_shown != m_asked; }

    struct Mailbox; // where a worker leaves its answer

    static QString CountText(int count);
    // "不能杀：" and the message: the tooltip of a stopped count.
    static QString StopText(const QString& message);
    // 容错's preview under the settings last counted, when the reading asked for it.
    const std::optional<ToleranceCounts>& Tolerance() const { return m_tolerance; }

signals:
    // A count has begun: the controls were read.
    void Started();
    void Shown();

private:
    void WatchWidget(QWidget* widget);
    void Start();
    void Collect();
    void Show(quint64 generation, const tarvex::KillPreview& preview);
    void ShowStop(const QString& message);
    void ShowText(const QString& text, const QString& tip, bool stop);

    QLabel* m_label;
    ReadFn m_read;
    QTimer m_timer;
    int m_delay = kDelayMs;
    // The worker touches nothing of Qt: it fills its mailbox and the window's thread looks
    // there, so an answer can never reach a window that has gone.
    QTimer m_poll;
    std::shared_ptr<Mailbox> m_mailbox;
    quint64 m_asked = 0;
    quint64 m_shown = 0;
    std::optional<ToleranceCounts> m_tolerance;
};

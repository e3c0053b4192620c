#include "app/main/CLivePreview.h"
#include "app/shared/CBackgroundRun.h"
#include "app/shared/PoolTask.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <atomic>

struct CLivePreview::Mailbox {
    quint64 generation = 0;
    std::atomic<bool> ready{false};
    tarvex::KillPreview preview;
    std::optional<CLivePreview::ToleranceCounts> tolerance;
};

CLivePreview::CLivePreview(QLabel* label, ReadFn read, QObject* parent)
    : QObject(parent), m_label(label), m_read(std::move(read)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CLivePreview::Start);
    m_poll.setInterval(20);
    connect(&m_poll, &QTimer::timeout, this, &CLivePreview::Collect);
}

QString CLivePreview::CountText(int count) {
    return QStringLiteral("预计剩下%1注").arg(count);
}

// What the tooltip says of a stop; the label itself shows the message alone, in red.
QString CLivePreview::StopText(const QString& message) {
    return QStringLiteral("不能杀：") + message;
}

void CLivePreview::Watch(QWidget* root, const QList<QWidget*>& ignore) {
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!ignore.contains(widget))
            WatchWidget(widget);
    }
}

void CLivePreview::WatchWidget(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->isCheckable())
            connect(button, &QAbstractButton::toggled, this, &CLivePreview::Schedule);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        connect(line, &QLineEdit::textChanged, this, &CLivePreview::Schedule);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::currentIndexChanged, this, &CLivePreview::Schedule);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(plain, &QPlainTextEdit::textChanged, this, &CLivePreview::Schedule);
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        connect(rich, &QTextEdit::textChanged, this, &CLivePreview::Schedule);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        if (QAbstractItemModel* model = view->model()) {
            connect(model, &QAbstractItemModel::rowsInserted, this, &CLivePreview::Schedule);
            connect(model, &QAbstractItemModel::rowsRemoved, this, &CLivePreview::Schedule);
            connect(model, &QAbstractItemModel::dataChanged, this, &CLivePreview::Schedule);
            connect(model, &QAbstractItemModel::modelReset, this, &CLivePreview::Schedule);
        }
    }
}

void CLivePreview::Schedule() {
    ++m_asked;
    m_timer.start(m_delay);
}

void CLivePreview::Start() {
    // A run's worker owns what it works on (the session's killed numbers, list and result)
    // until the run ends, while its event loop still fires this timer: count after it.
    if (CBackgroundRun::Running()) {
        m_timer.start(kRetryMs);
        return;
    }
    const quint64 generation = m_asked;
    Reading reading = m_read();
    emit Started();
    if (!reading.settings) {
        m_shown = generation;
        ShowStop(reading.refusal);
        return;
    }
    // The worker owns its copy of the settings and its mailbox; an older worker still running
    // fills a mailbox nobody reads any more.
    auto mailbox = std::make_shared<Mailbox>();
    mailbox->generation = generation;
    m_mailbox = mailbox;
    PoolTask::Start(
        [mailbox, settings = *reading.settings, tolerance = std::move(reading.tolerance)] {
            mailbox->preview = tarvex::PreviewKill(settings);
            if (tolerance)
                mailbox->tolerance = tarvex::TolerancePreviewFor(settings, *tolerance);
            mailbox->ready = true;
        });
    m_poll.start();
}

void CLivePreview::Collect() {
    if (!m_mailbox || !m_mailbox->ready)
        return;
    m_poll.stop();
    const std::shared_ptr<Mailbox> mailbox = std::move(m_mailbox);
    if (mailbox->generation == m_asked)
        m_tolerance = mailbox->tolerance;
    Show(mailbox->generation, mailbox->preview);
}

void CLivePreview::Show(quint64 generation, const tarvex::KillPreview& preview) {
    if (generation != m_asked)
        return; // a newer change is on its way
    m_shown = generation;
    if (preview.completed())
        ShowText(CountText(preview.count), {}, false);
    else
        ShowStop(QString::fromStdString(preview.message));
}

// The label beside 杀组合 has room for two short lines: the message alone fills them, red
// for a run that cannot go, so even the longest validation message is shown whole.
void CLivePreview::ShowStop(const QString& message) {
    ShowText(message, StopText(message), true);
}

// A stop message wraps whole in the label's lines, in a smaller type when it needs more
// lines than the label has; a count is one short line in the window's own type.
void CLivePreview::ShowText(const QString& text, const QString& tip, bool stop) {
    m_label->setToolTip(tip.isEmpty() ? text : tip);
    m_label->setStyleSheet(stop ? QStringLiteral("color: #b00000;") : QString());
    m_label->setWordWrap(true);
    QFont font = m_label->parentWidget() ? m_label->parentWidget()->font() : m_label->font();
    m_label->setFont(font);
    m_label->setText(text);
    while (m_label->heightForWidth(m_label->width()) > m_label->height() &&
           font.pointSizeF() > kSmallestPoints) {
        font.setPointSizeF(font.pointSizeF() * 0.9);
        m_label->setFont(font);
    }
    emit Shown();
}

#pragma once

#include <QStringList>
#include <QVector>
#include <QWidget>

// A bar per condition: the share of past winners it rejected. Drawn with QPainter so it needs
// nothing beyond Qt Widgets.
class CKillRateChart : public QWidget {
    Q_OBJECT
public:
    explicit CKillRateChart(QWidget* parent = nullptr);

    // rejected[i] of draws for labels[i]; draws 0 clears the chart.
    void SetRates(const QStringList& labels, const QVector<int>& rejected, int draws);
    // Share of the bar at index, 0..1.
    double Rate(int index) const;
    int BarCount() const { return static_cast<int>(m_labels.size()); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_labels;
    QVector<int> m_rejected;
    int m_draws = 0;
};

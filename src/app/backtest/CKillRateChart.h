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
    // What chance alone would reject of the same draws, per bar; shown as a mark on the bar
    // and in its text. Set after SetRates; an empty vector shows none.
    void SetChance(const QVector<double>& expectedRejected);
    // Share of the bar at index, 0..1.
    double Rate(int index) const;
    // "1234/7731 16% 机会 10%": the text beside a bar.
    QString BarText(int index) const;
    // Width kept for the bar texts: the widest of them in the chart's font.
    int TextWidth() const;
    int BarCount() const { return static_cast<int>(m_labels.size()); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Pixels from the bar's start to where chance alone would end it; 0 without chance.
    int ChanceLength(int index, int barSpace) const;

    QStringList m_labels;
    QVector<int> m_rejected;
    QVector<double> m_chance;
    int m_draws = 0;
};

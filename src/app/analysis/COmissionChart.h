#pragma once

#include "history/Analysis.h"

#include <QString>
#include <QVector>
#include <QWidget>

#include <optional>
#include <vector>

// Current against expected omission for each item of the shown analysis: a solid bar for the
// current run, a grey one for what chance alone gives, red where the item is overdue. Drawn
// with QPainter, as the backtest's chart is, so the program needs nothing beyond Qt Widgets.
class COmissionChart : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString label;
        int current = 0;
        std::optional<double> expected; // absent when no number has the item
        bool overdue = false;
        bool operator==(const Bar&) const = default;
    };

    explicit COmissionChart(QWidget* parent = nullptr);

    // The rows of an omission analysis, in its item order; none clears the chart, which then
    // shows `empty` (a word on what to do, or why there is nothing to draw).
    void SetRows(const std::vector<tarvex::OmissionRow>& rows, const QString& empty = {});
    const QString& EmptyText() const { return m_empty; }
    const QVector<Bar>& Bars() const { return m_bars; }
    // The omission the top of the chart stands for, at least 1: the largest current bar, or an
    // expected one up to three times that; taller expected bars are cut at the top.
    double Scale() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintBars(QPainter& painter, const QRect& area) const;
    void PaintLabels(QPainter& painter, const QRect& area) const;

    QVector<Bar> m_bars;
    QString m_empty;
};

#pragma once

#include "history/Analysis.h"

#include <QRect>
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

    struct Label {
        int bar = 0; // index into Bars()
        QRect rect;  // where its text is drawn, inside the widget
    };
    // The labels drawn at the present size: every bar's when they fit side by side, else every
    // k-th bar's for the least k that keeps them apart and inside the widget.
    QVector<Label> Labels() const;
    // The bar under a point of the widget, or -1.
    int BarAt(const QPoint& point) const;
    // What a bar stands for, as its tooltip says it.
    QString BarTip(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString Legend() const;
    int LegendHeight() const;
    QRect BarArea() const;
    QVector<Label> LabelsEvery(int step, const QRect& row) const;
    void PaintBars(QPainter& painter, const QRect& area) const;

    QVector<Bar> m_bars;
    QString m_empty;
};

#pragma once

#include "history/RandomnessTest.h"

#include <QWidget>

#include <vector>

// The chart of one test of 随机性检验: each class's observed count as a bar, what fair draws
// would give as a mark across it. Many classes (1,000 numbers) become thin bars side by side.
class CAuditChart : public QWidget {
    Q_OBJECT
public:
    explicit CAuditChart(QWidget* parent = nullptr);

    void SetTest(const tarvex::RandomnessTest* test);
    const std::vector<tarvex::ObservedClass>& Classes() const { return m_classes; }

    QSize sizeHint() const override { return {480, 180}; }
    QSize minimumSizeHint() const override { return {200, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintLegend(class QPainter& painter, const QRect& area) const;

    QString m_title;
    std::vector<tarvex::ObservedClass> m_classes;
};

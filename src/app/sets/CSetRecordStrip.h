#pragma once

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

// The √/× scan of a set's record as one strip of cells, oldest left, newest right, wrapped to
// the width: a hit is a filled green cell with √, a miss a pale cell with ×, so runs of misses
// stand out at a glance. A cell's tooltip names its 期号.
class CSetRecordStrip : public QWidget {
    Q_OBJECT
public:
    explicit CSetRecordStrip(QWidget* parent = nullptr);

    void SetScan(const std::vector<bool>& scan, const std::vector<std::string>& issues);
    // The scan as "√×√…", oldest first.
    QString Text() const;
    int Cells() const { return static_cast<int>(m_scan.size()); }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    int CellSize() const;
    // A window made narrow must not cut off the strip's last rows.
    void KeepRowsInSight();
    int PerRow(int width) const;
    // The cell under a point, or -1.
    int CellAt(const QPoint& point) const;

    std::vector<bool> m_scan;
    std::vector<std::string> m_issues;
};

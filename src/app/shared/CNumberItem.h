#pragma once

#include <QTableWidgetItem>

// A table cell that sorts by the number behind its text, so "-1.20%" comes before "+0.50%"
// and "—" (no figure, given as a value below every real one) comes first.
class CNumberItem : public QTableWidgetItem {
public:
    CNumberItem(const QString& text, double value);
    bool operator<(const QTableWidgetItem& other) const override;

    static constexpr int kSortRole = Qt::UserRole + 64;
};

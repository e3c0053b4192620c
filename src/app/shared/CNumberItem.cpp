#include "app/shared/CNumberItem.h"

CNumberItem::CNumberItem(const QString& text, double value) : QTableWidgetItem(text) {
    setData(kSortRole, value);
}

bool CNumberItem::operator<(const QTableWidgetItem& other) const {
    const QVariant theirs = other.data(kSortRole);
    if (!theirs.isValid())
        return QTableWidgetItem::operator<(other);
    return data(kSortRole).toDouble() < theirs.toDouble();
}

#pragma once

class QTableView;

// Rows of a table as high as their text and a little margin: the style's default is about
// twice that, and a window of rows would show half of what it could.
class TableRows {
public:
    static void Compact(QTableView* table);
    // The table never shrinks below the header and this many compact rows.
    static void KeepInSight(QTableView* table, int rows);
    // The height of one compact row of this table.
    static int Height(const QTableView* table);
};

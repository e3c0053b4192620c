#pragma once

#include "engine/HistoricDraw.h"

#include <QDialog>

#include <cstddef>
#include <vector>

class CTrendModel;
class QTableView;

// 走势图: the last N draws of the analysis window's history, one row per draw, newest at the
// bottom and shown first. Rows are all one height so the view never measures them.
class CTrendDlg : public QDialog {
    Q_OBJECT
public:
    CTrendDlg(const std::vector<tarvex::HistoricDraw>& history, std::size_t last,
              QWidget* parent = nullptr);

    CTrendModel* Model() const { return m_model; }
    QTableView* View() const { return m_view; }

private:
    void SizeColumns();
    int WidthForAllColumns() const;

    CTrendModel* m_model = nullptr;
    QTableView* m_view = nullptr;
};

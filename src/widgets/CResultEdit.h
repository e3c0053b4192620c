#pragma once

#include <QTextEdit>

// The result box 1042: a rich edit that the runs write and the player edits freely.
class CResultEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit CResultEdit(QWidget* parent = nullptr);
};

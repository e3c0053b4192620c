#pragma once

#include <QPlainTextEdit>

class CSoftLineText;

// The multi-line edit of a dialog template: a plain-text box that stays fast with lines of
// several megabytes (see CSoftLineText). Read and set its text through CSoftLineText::Of.
class CLongLineEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CLongLineEdit(const QString& text, QWidget* parent = nullptr);

    CSoftLineText* SoftText() const { return m_soft; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    CSoftLineText* m_soft;
};

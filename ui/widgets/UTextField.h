// A single-line field that tells when the user leaves it: moving to another
// control counts, switching to another program or opening a menu does not.
#pragma once

#include <QLineEdit>

class TTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit TTextField(const QString& text, QWidget* parent = nullptr);

    // The text before the user began typing: the last one the program showed
    // or that a leave of the field took in.
    const QString& CommittedText() const { return committedText_; }
    void Commit() { committedText_ = text(); }

signals:
    void Left();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString committedText_;
};

#pragma once
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace platform {

// An up-down control attached to an edit: each step starts from the number
// the edit holds (or the last position when the edit holds no number), moves
// by one within [minimum, maximum] without wrapping and writes the new
// position into the edit. Typing in the edit is not limited: whoever reads
// the edit checks its text. Up and Down in the edit step as well.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);

    void SetAssociate(QLineEdit *edit);
    void SetRange(int minimum, int maximum);
    void SetPosition(int position);  // clamped; does not touch the edit
    [[nodiscard]] int Position() const { return position_; }
    [[nodiscard]] int Minimum() const { return minimum_; }
    [[nodiscard]] int Maximum() const { return maximum_; }

    // One click on the upper (+1) or lower (-1) half.
    void Step(int delta);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QLineEdit *associate_ = nullptr;
    QToolButton *up_ = nullptr;
    QToolButton *down_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};

}  // namespace platform

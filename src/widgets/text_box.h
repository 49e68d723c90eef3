#pragma once

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace merovan {

// Shows a model's text in a box whose limit holds for typing only: a longer
// text that came from a file is shown whole, so saving it unchanged does
// not cut it, and it can only get shorter.
inline void showText(QLineEdit *box, const QString &text, int limit)
{
    box->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    if (box->text() != text)
        box->setText(text);
}

// A box that selects its whole text whenever it takes the focus, by mouse
// as well as by keyboard, so a new value simply replaces the old one.
class SelectOnFocus final : public QObject {
public:
    explicit SelectOnFocus(QLineEdit *box) : QObject(box), box_(box) { box->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // After the click that gave the focus has placed the cursor.
        if (watched == box_ && event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, box_, &QLineEdit::selectAll);
        return false;
    }

private:
    QLineEdit *box_;
};

} // namespace merovan

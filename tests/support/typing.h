#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace merovan::test {

// Sends the keys an operator would press, one key event per character or
// per named key, to a widget that need not have the focus.
inline void pressKey(QWidget *widget, int key, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &release);
}

inline void typeInto(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        pressKey(widget, 0, QString(c));
}

// Empties a box the way an operator does: select everything, then delete.
inline void clearBox(QWidget *widget)
{
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QCoreApplication::sendEvent(widget, &selectAll);
    pressKey(widget, Qt::Key_Delete);
}

} // namespace merovan::test

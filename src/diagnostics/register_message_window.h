#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

namespace merovan {

class RegisterMessage;

// frmErr: renders a RegisterMessage at the top left corner of the screen;
// its close box closes the model, which cancels the wait behind it.
class RegisterMessageWindow : public QWidget {
    Q_OBJECT
public:
    explicit RegisterMessageWindow(RegisterMessage &model, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void render();

    QPointer<RegisterMessage> model_;
    QLabel *message_;
    QLabel *detail_;
};

} // namespace merovan

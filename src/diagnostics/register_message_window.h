#pragma once

#include <QTimer>
#include <QWidget>

#include <memory>

class QLabel;

namespace merovan {

class RegisterMessage;
using RegisterMessagePtr = std::shared_ptr<RegisterMessage>;

// frmErr: renders a RegisterMessage at the top left corner of the screen;
// its close box closes the model, which cancels the wait behind it.
class RegisterMessageWindow : public QWidget {
    Q_OBJECT
public:
    explicit RegisterMessageWindow(RegisterMessagePtr model, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void render();

    RegisterMessagePtr model_;
    QTimer *counter_;
    QLabel *message_;
    QLabel *detail_;
};

} // namespace merovan

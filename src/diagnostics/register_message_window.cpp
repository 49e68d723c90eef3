#include "diagnostics/register_message_window.h"

#include "core/register_message.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace merovan {

RegisterMessageWindow::RegisterMessageWindow(RegisterMessagePtr model, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), model_(std::move(model)), counter_(new QTimer(this)),
      message_(new QLabel(this)), detail_(new QLabel(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    message_->setObjectName(QStringLiteral("lblErr"));
    detail_->setObjectName(QStringLiteral("lblErrDesc"));
    QFont bold = message_->font();
    bold.setPointSizeF(9.75);
    bold.setBold(true);
    message_->setFont(bold);
    message_->setWordWrap(true);
    detail_->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(detail_);
    // 4170 x 1440 twips at 96 dpi.
    setFixedSize(278, 96);

    // The model may be written and closed by the worker: the window keeps
    // its share of it and hears of changes as queued calls.
    connect(model_.get(), &RegisterMessage::changed, this, &RegisterMessageWindow::render);
    connect(model_.get(), &RegisterMessage::ticked, this, &RegisterMessageWindow::render);
    connect(model_.get(), &RegisterMessage::closed, this, &QWidget::close);
    connect(counter_, &QTimer::timeout, this, [this] { model_->tick(); });
    model_->open();
    counter_->setInterval(1000);
    if (model_->countsSeconds())
        counter_->start();
    render();
}

void RegisterMessageWindow::render()
{
    setWindowTitle(model_->caption());
    message_->setText(model_->message());
    detail_->setText(model_->detail());
    update();
}

void RegisterMessageWindow::showEvent(QShowEvent *event)
{
    move(0, 0);
    QWidget::showEvent(event);
}

void RegisterMessageWindow::closeEvent(QCloseEvent *event)
{
    counter_->stop();
    model_->close();
    event->accept();
}

} // namespace merovan

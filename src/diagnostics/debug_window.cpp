#include "diagnostics/debug_window.h"

#include "diagnostics/debug_log.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace merovan {

DebugWindow::DebugWindow(DebugLog &log, QWidget *parent)
    : QWidget(parent, Qt::Window), log_(log),
      fileSwitch_(new QCheckBox(QStringLiteral("Ενεργοποίηση καταγραφής (merovanLog.txt)"), this)),
      view_(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Επικοινωνία Ταμειακής"));
    setAttribute(Qt::WA_DeleteOnClose);
    fileSwitch_->setObjectName(QStringLiteral("chkFile"));
    fileSwitch_->setChecked(log.fileSwitch());
    view_->setObjectName(QStringLiteral("txtDebug"));
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    view_->setFont(mono);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fileSwitch_);
    layout->addWidget(view_, 1);
    resize(560, 420);

    connect(fileSwitch_, &QCheckBox::toggled, &log_, &DebugLog::setFileSwitch);
    connect(&log_, &DebugLog::lineAdded, this, &DebugWindow::append);
    connect(&log_, &DebugLog::activeChanged, this, [this](bool on) {
        if (!on)
            close();
    });
}

QString DebugWindow::viewText() const { return view_->toPlainText(); }

void DebugWindow::append(const QString &line)
{
    // Insert at the end instead of rebuilding the whole text: the view stays
    // fast however long the window is open. The break goes before the line,
    // so the first line of the view stays empty.
    QTextCursor cursor(view_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\n") + line);
    view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum());
}

void DebugWindow::closeEvent(QCloseEvent *event)
{
    log_.setActive(false);
    event->accept();
}

} // namespace merovan

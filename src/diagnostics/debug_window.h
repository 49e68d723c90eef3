#pragma once

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;

namespace merovan {

class DebugLog;

// "Επικοινωνία Ταμειακής": shows the log lines while it is open. It only
// renders the log; closing it by its close box switches the log off.
class DebugWindow : public QWidget {
    Q_OBJECT
public:
    explicit DebugWindow(DebugLog &log, QWidget *parent = nullptr);

    QString viewText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void append(const QString &line);

    DebugLog &log_;
    QCheckBox *fileSwitch_;
    QPlainTextEdit *view_;
};

} // namespace merovan

#pragma once

#include <QDialog>

namespace merovan {

// "Περί Merovan": the program's title, version and what it does, and OK.
// Not modal; it deletes itself when closed.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

} // namespace merovan

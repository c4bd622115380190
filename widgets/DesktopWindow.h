// The application's single top-level window: borderless, 808 x 601, holding
// every screen as a full-size layer. Closing it by the window manager ends
// the program.
#pragma once

#include <QWidget>

class TDesktopWindow : public QWidget {
    Q_OBJECT

public:
    TDesktopWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
};

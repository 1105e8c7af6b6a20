#pragma once
// The start-up picture: a borderless 400 x 300 window kept on top while the program
// loads. It asks to close after 2.5 s, but stays until the frame window has been
// shown, asking again every 250 ms; closed, it frees itself.

#include <QWidget>

class QTimer;

namespace lumivar {

class SplashWindow : public QWidget {
    Q_OBJECT

public:
    explicit SplashWindow(QWidget* parent = nullptr);

    // The frame has been shown: the next close request is granted.
    void SetClosable(bool closable) { m_closable = closable; }
    bool Closable() const { return m_closable; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QTimer* m_timer = nullptr;
    bool m_closable = false;
};

} // namespace lumivar

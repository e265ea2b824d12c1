// The baseline of the footprint measurement: a bare Qt window of the clock's size that
// repaints once a second, as the least a shown clock could cost.
#include <QApplication>
#include <QPainter>
#include <QTime>
#include <QTimer>
#include <QWidget>

namespace {

class Bare final : public QWidget {
public:
    Bare() {
        setWindowTitle(QStringLiteral("Bare"));
        setFixedSize(385, 195);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] { update(); });
        timer_.start(1000);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(30, 32, 36));
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, QTime::currentTime().toString());
    }

private:
    QTimer timer_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Bare window;
    window.show();
    return QApplication::exec();
}

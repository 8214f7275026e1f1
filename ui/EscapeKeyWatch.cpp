#include "EscapeKeyWatch.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace trend {

EscapeKeyWatch::EscapeKeyWatch(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

EscapeKeyWatch::~EscapeKeyWatch() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeEventFilter(this);
    }
}

bool EscapeKeyWatch::takePressed() {
    const bool pressed = pressed_;
    pressed_ = false;
    return pressed;
}

bool EscapeKeyWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        pressed_ = true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace trend

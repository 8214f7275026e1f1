#include "TrendViewerApplication.h"

#include <QFont>

#include "ErrorBox.h"

namespace trend {

TrendViewerApplication::TrendViewerApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setFont(windowFont());
}

bool TrendViewerApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(nullptr, QString::fromUtf8(error.what()));
    }
    return false;
}

QFont TrendViewerApplication::windowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

}  // namespace trend

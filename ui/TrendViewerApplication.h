#pragma once

#include <QApplication>

namespace trend {

// The application object: an error that escapes an event handler ends up in the error box
// instead of ending the program.
class TrendViewerApplication : public QApplication {
public:
    TrendViewerApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // "Tahoma" at 11 pixels, or the nearest sans-serif font of that height.
    static QFont windowFont();
};

}  // namespace trend

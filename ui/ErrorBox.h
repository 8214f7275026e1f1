#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace trend {

// The application's one error box: the text of an error that ended a handler, under the
// application's title. Tests put a recorder in its place.
using ErrorBoxFunction = std::function<void(QWidget* parent, const QString& text)>;
void SetErrorBox(ErrorBoxFunction box);
void ShowErrorBox(QWidget* parent, const QString& text);

// Runs a handler; an exception that ends it is shown in the error box, and what the handler
// did before stays.
template <typename Handler>
void RunHandler(QWidget* parent, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorBox(parent, QString::fromUtf8(error.what()));
    }
}

}  // namespace trend

#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace trend {
namespace {
ErrorBoxFunction& currentBox() {
    static ErrorBoxFunction box = [](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, QApplication::applicationName(), text);
    };
    return box;
}
}  // namespace

void SetErrorBox(ErrorBoxFunction box) {
    currentBox() = std::move(box);
}

void ShowErrorBox(QWidget* parent, const QString& text) {
    currentBox()(parent, text);
}

}  // namespace trend

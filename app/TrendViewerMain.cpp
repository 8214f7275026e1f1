// TrendViewer: the trend viewer's window.
#include <QFileInfo>
#include <QScreen>

#include "ErrorBox.h"
#include "MainUnit1.h"
#include "TrendViewerApplication.h"

int main(int argc, char** argv) {
    trend::TrendViewerApplication app(argc, argv);
    const QString programFile = QCoreApplication::applicationFilePath();
    app.setApplicationName(QFileInfo(programFile).completeBaseName());
    try {
        trend::TForm1 form(programFile);
        form.resize(873, 701);
        if (QScreen* screen = form.screen()) {
            form.move(screen->availableGeometry().center() - form.rect().center());
        }
        form.show();
        return app.exec();
    } catch (const std::exception& error) {
        trend::ShowErrorBox(nullptr, QString::fromUtf8(error.what()));
        return 1;
    }
}

#pragma once

#include <QCursor>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "DecimationControls.h"
#include "EscapeKeyWatch.h"
#include "FolderBrowser.h"
#include "Regional.h"
#include "SetupFiles.h"
#include "TrendFileReader.h"
#include "TrendViewState.h"

namespace Ui {
class TForm1;
}

class QMenu;
class QAction;
class QListWidget;

namespace trend {

class TrendChart;

// The main window. It holds the window state, the browser and the decimation entry as models;
// its handlers read the widgets, call the models and write the widgets back.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // programFile: the full path of the running program file; RaDuvav and SETUP lie beside it.
    explicit TForm1(const QString& programFile, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::TForm1& form() { return *ui_; }
    TrendChart& chart();
    TrendViewState& state() { return state_; }
    FolderBrowser& browser() { return browser_; }
    const DecimationControls& decimation() const { return decimation_; }
    bool runInProgress() const { return runInProgress_; }
    const QString& programFolder() const { return programFolder_; }

    // The folder dialog of "Select Folder"; tests put their own choice in its place.
    std::function<std::optional<QString>(QWidget*)> chooseFolder;

    // Handlers, named after the control and the event.
    void FormCreate() {}
    void FormClose();
    void Button1Click(QObject* sender);
    void CheckBox2Click();
    void ComboBox1Change();
    void ComboBox1Exit();
    void Button11Click();
    void Button3Click();
    void ListBox1DblClick();
    void ListBox2DblClick();
    void ListBox3DblClick();
    void PopupMenu1Popup();
    void OpenFolder1Click();
    void Edit1Click();
    void RadioGroup1Click();
    void Chart1Zoom();
    void Chart1BeforeDrawChart() {}
    void Chart1BeforeDrawAxes();
    void Chart1BeforeDrawSeries();
    void Chart1AfterDraw();
    void Chart1MouseDown(Qt::MouseButton button);
    void Chart1MouseUp(Qt::MouseButton button);
    void ScrollBar1Scroll();
    void RadioButton1Click(QObject* sender);
    void Edit2Change();

    // Writes the models into the widgets.
    void mirrorBrowser();
    void mirrorView();
    void mirrorDecimation();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startUp();
    void connectHandlers();
    void readBrowserSelection();
    // A browser handler: widgets read, the model's command run, widgets written back.
    void browserCommand(void (FolderBrowser::*command)());
    void refreshDuringRun(const RunProgress& progress);
    void replotChart();

    std::unique_ptr<Ui::TForm1> ui_;
    QString programFile_;
    QString programFolder_;  // with its trailing delimiter
    RegionalSettings regional_;
    TrendViewState state_;
    TrendFileReader reader_;
    FolderBrowser browser_;
    DecimationControls decimation_;
    SetupFiles setupFiles_;
    EscapeKeyWatch escape_;
    QMenu* popupMenu1_ = nullptr;
    QAction* openFolder1_ = nullptr;
    QAction* edit1_ = nullptr;
    QCursor originalCursor_;
    bool runInProgress_ = false;
    bool closed_ = false;
};

}  // namespace trend

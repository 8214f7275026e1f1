#include "MainUnit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QTableWidget>

#include "ChartViewRules.h"
#include "ErrorBox.h"
#include "ExternalViewer.h"
#include "PlatformPath.h"
#include "QtText.h"
#include "RunControl.h"
#include "SummaryWriter.h"
#include "TrendChart.h"
#include "Versionunit.h"
#include "ui_MainUnit1.h"

namespace trend {
namespace {

int tagOf(const QObject* sender) {
    return sender != nullptr ? sender->property("tag").toInt() : 0;
}

void showList(QListWidget* widget, const ListBoxModel& model) {
    const QSignalBlocker blocker(widget);
    bool same = widget->count() == model.Count();
    for (int i = 0; same && i < model.Count(); ++i) {
        same = widget->item(i)->text() == toQ(model.Item(i));
    }
    if (!same) {
        widget->clear();
        for (const auto& name : model.Items()) {
            widget->addItem(toQ(name));
        }
    }
    widget->setCurrentRow(model.ItemIndex());
    if (model.ItemIndex() < 0) {
        widget->clearSelection();
    }
}

void setText(QLabel* label, const std::string& text) {
    label->setText(toQ(text));
}

// The reader's hooks for a click of the window, noting each file's progress for the display.
class WindowRunHooks : public BrowserRunHooks {
public:
    WindowRunHooks(FolderBrowser& browser, const TrendViewState& state, RunControlHooks hooks,
                   RunProgress& progress)
        : BrowserRunHooks(browser, state, std::move(hooks)), progress_(progress) {}
    bool continueRun(const RunProgress& progress) override {
        progress_ = progress;
        return BrowserRunHooks::continueRun(progress);
    }

private:
    RunProgress& progress_;
};

}  // namespace

TForm1::TForm1(const QString& programFile, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TForm1>()),
      programFile_(programFile),
      regional_(RegionalSettings::fromProcessLocale()),
      reader_(state_, regional_),
      setupFiles_(SetupFiles::ForProgram(fromQ(programFile))),
      escape_(this) {
    chooseFolder = [](QWidget* owner) -> std::optional<QString> {
        const QString folder =
            QFileDialog::getExistingDirectory(owner, QStringLiteral("Select Folder"));
        if (folder.isEmpty()) {
            return std::nullopt;
        }
        return QDir::toNativeSeparators(folder);
    };
    startUp();
    connectHandlers();
    mirrorBrowser();
    mirrorDecimation();
    mirrorView();
}

TForm1::~TForm1() = default;

TrendChart& TForm1::chart() {
    return *ui_->Chart1;
}

void TForm1::startUp() {
    // 1. The controls of the form description.
    ui_->setupUi(this);
    ui_->Chart1->setRegional(regional_);
    popupMenu1_ = new QMenu(this);
    openFolder1_ = popupMenu1_->addAction(QStringLiteral("Open Folder"));
    openFolder1_->setObjectName(QStringLiteral("OpenFolder1"));
    edit1_ = popupMenu1_->addAction(QStringLiteral("Edit"));
    edit1_->setObjectName(QStringLiteral("Edit1"));
    ui_->StringGrid1->horizontalHeader()->setVisible(false);
    ui_->StringGrid1->verticalHeader()->setVisible(false);
    ui_->StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    QFont gridFont = ui_->StringGrid1->font();
    gridFont.setPixelSize(12);
    ui_->StringGrid1->setFont(gridFont);
    ui_->StringGrid1->setColumnWidth(0, 40);
    ui_->ListBox3->horizontalScrollBar()->setRange(0, 1000);
    // 2, 3.
    browser_.FDataFolder.clear();
    browser_.FTrendFileMark.clear();
    state_.Chart1.BottomAxisTitle.clear();
    browser_.FTrendFileMark = "Trend";
    // 4, 5. The program folder, with its trailing delimiter.
    programFolder_ = QFileInfo(programFile_).absolutePath() + QChar(QLatin1Char(kPathDelimiter));
    CreateFolder(fromQ(programFolder_ + QStringLiteral("RaDuvav")));
    CreateFolder(fromQ(programFolder_ + QStringLiteral("SETUP")));
    // 6.
    setupFiles_.LoadFolderHistory(browser_.ComboBox1);
    // 7 to 12.
    state_.Chart1.ClearPoints();
    setWindowTitle(QFileInfo(programFile_).completeBaseName());
    state_.LeftAxis.SetMinMax(-5, 105);
    originalCursor_ = QCursor(Qt::ArrowCursor);
    state_.Label4.clear();
    state_.Label9.clear();
    state_.Label13.clear();
    browser_.Label7.clear();
    browser_.Label8.clear();
    browser_.Label10.clear();
    state_.FDecimationSeconds = 0;
    // 13, 14.
    browser_.ChooseDefaultRoot();
    browser_.ComboBox1.SeedFolderHistory(browser_.Label1);
    // 15, 16: the value format "0.0" is the chart's own; the proposed limits.
    state_.Edit4 = "100.0";
    state_.Edit5 = "0.0";
    ui_->Edit6->setText(QStringLiteral("100.0"));
    ui_->Edit7->setText(QStringLiteral("0.0"));
    // 17, 18.
    ui_->Label11->setText(QStringLiteral("Build ") + toQ(FileVersionText(fromQ(programFile_))));
    ui_->Label12->setText(QStringLiteral("Beta Test 1.2"));
    // 19, 20.
    setupFiles_.ReadSettings(browser_.ComboBox1);
    browser_.ComboBox1Change();
}

void TForm1::connectHandlers() {
    Ui::TForm1& f = *ui_;
    connect(f.Button1, &QPushButton::clicked, this, [this] { Button1Click(ui_->Button1); });
    connect(f.Button7, &QPushButton::clicked, this, [this] { Button1Click(ui_->Button7); });
    connect(f.CheckBox3, &QCheckBox::clicked, this, &TForm1::CheckBox2Click);
    connect(f.ComboBox1, &QComboBox::editTextChanged, this, &TForm1::ComboBox1Change);
    connect(f.ComboBox1, &QComboBox::currentIndexChanged, this,
            [this](int index) { browser_.ComboBox1.ItemIndex = index; });
    f.ComboBox1->installEventFilter(this);
    connect(f.Button11, &QPushButton::clicked, this, &TForm1::Button11Click);
    connect(f.Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(f.ListBox1, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox1DblClick);
    connect(f.ListBox2, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox2DblClick);
    connect(f.ListBox3, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox3DblClick);
    connect(f.ListBox2, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        popupMenu1_->popup(ui_->ListBox2->viewport()->mapToGlobal(at));
    });
    connect(openFolder1_, &QAction::triggered, this, &TForm1::OpenFolder1Click);
    connect(edit1_, &QAction::triggered, this, &TForm1::Edit1Click);
    connect(f.RadioGroup1, &TRadioGroup::clicked, this, &TForm1::RadioGroup1Click);
    for (QRadioButton* button :
         {f.RadioButton1, f.RadioButton2, f.RadioButton3, f.RadioButton4, f.RadioButton5}) {
        connect(button, &QRadioButton::clicked, this,
                [this, button] { RadioButton1Click(button); });
    }
    connect(f.Edit2, &QLineEdit::textEdited, this, &TForm1::Edit2Change);
    connect(f.UpDown1, &TUpDown::arrowClicked, this, [this](bool up) {
        RunHandler(this, [&] {
            decimation_.arrowClick(up);
            mirrorDecimation();
        });
    });

    TrendChart* chart = f.Chart1;
    TrendPlot* plot = chart->plot();
    connect(plot, &QCustomPlot::beforeReplot, this, [this] {
        ui_->Chart1->showSeries(state_.Chart1);
        ui_->Chart1->showView(state_);
        Chart1BeforeDrawChart();
        Chart1BeforeDrawAxes();
        Chart1BeforeDrawSeries();
    });
    connect(plot, &QCustomPlot::afterReplot, this, &TForm1::Chart1AfterDraw);
    connect(plot, &TrendPlot::zoomed, this, &TForm1::Chart1Zoom);
    connect(plot, &TrendPlot::panned, this, [this] { ui_->Chart1->readAxes(state_); });
    connect(plot, &TrendPlot::chartMouseDown, this, &TForm1::Chart1MouseDown);
    connect(plot, &TrendPlot::chartMouseUp, this, &TForm1::Chart1MouseUp);
    connect(chart->ScrollBar1(), &QScrollBar::actionTriggered, this,
            [this](int) { ScrollBar1Scroll(); });
    connect(chart->ScrollBar1(), &QScrollBar::valueChanged, this, [this](int value) {
        state_.ScrollBar1.setPosition(value);  // the bar's new position, after the notification
        ScrollBar1Scroll();
    });
    connect(chart, &TrendChart::legendCheckClicked, this, [this](int index) {
        RunHandler(this, [&] {
            TrendSeries& series = state_.Chart1.Series(static_cast<size_t>(index));
            series.Active = !series.Active;
            replotChart();
        });
    });
}

void TForm1::readBrowserSelection() {
    browser_.ListBox1.setItemIndex(
        ui_->ListBox1->currentRow() < browser_.ListBox1.Count() ? ui_->ListBox1->currentRow() : -1);
    browser_.ListBox2.setItemIndex(
        ui_->ListBox2->currentRow() < browser_.ListBox2.Count() ? ui_->ListBox2->currentRow() : -1);
    browser_.ListBox3.setItemIndex(
        ui_->ListBox3->currentRow() < browser_.ListBox3.Count() ? ui_->ListBox3->currentRow() : -1);
    browser_.CheckBox1 = ui_->CheckBox1->isChecked();
}

void TForm1::mirrorBrowser() {
    Ui::TForm1& f = *ui_;
    {
        const QSignalBlocker blocker(f.ComboBox1);
        QStringList items;
        for (const auto& item : browser_.ComboBox1.Items) {
            items << toQ(item);
        }
        bool same = f.ComboBox1->count() == items.size();
        for (int i = 0; same && i < items.size(); ++i) {
            same = f.ComboBox1->itemText(i) == items[i];
        }
        if (!same) {
            f.ComboBox1->clear();
            f.ComboBox1->addItems(items);
        }
        if (f.ComboBox1->currentText() != toQ(browser_.ComboBox1.Text)) {
            f.ComboBox1->setEditText(toQ(browser_.ComboBox1.Text));
        }
    }
    setText(f.Label1, browser_.Label1);
    showList(f.ListBox1, browser_.ListBox1);
    showList(f.ListBox2, browser_.ListBox2);
    showList(f.ListBox3, browser_.ListBox3);
    setText(f.Label7, browser_.Label7);
    setText(f.Label8, browser_.Label8);
    setText(f.Label10, browser_.Label10);
    const QSignalBlocker blocker(f.CheckBox1);
    f.CheckBox1->setChecked(browser_.CheckBox1);
}

void TForm1::mirrorDecimation() {
    Ui::TForm1& f = *ui_;
    const QString text = toQ(decimation_.Edit2Text());
    if (f.Edit2->text() != text) {
        const QSignalBlocker blocker(f.Edit2);
        f.Edit2->setText(text);
    }
    QRadioButton* buttons[] = {f.RadioButton1, f.RadioButton2, f.RadioButton3, f.RadioButton4,
                               f.RadioButton5};
    for (int i = 0; i < 5; ++i) {
        const QSignalBlocker blocker(buttons[i]);
        buttons[i]->setAutoExclusive(false);
        buttons[i]->setChecked(decimation_.CheckedIndex() == i);
        buttons[i]->setAutoExclusive(true);
    }
}

void TForm1::mirrorView() {
    Ui::TForm1& f = *ui_;
    setText(f.Chart1->Label4(), state_.Label4);
    setText(f.Label9, state_.Label9);
    setText(f.Label13, state_.Label13);
    f.Edit4->setText(toQ(state_.Edit4));
    f.Edit5->setText(toQ(state_.Edit5));
    f.Button7->setEnabled(state_.Button7Enabled);
    {
        const QSignalBlocker blocker(f.RadioGroup1);
        f.RadioGroup1->setItemIndex(state_.RadioGroup1ItemIndex);
        f.RadioGroup2->setItemIndex(state_.RadioGroup2ItemIndex);
        f.RadioGroup3->setItemIndex(state_.RadioGroup3ItemIndex);
    }
    QTableWidget* grid = f.StringGrid1;
    const ValueGrid& cells = state_.StringGrid1;
    grid->setRowCount(cells.RowCount());
    for (int row = 0; row < cells.RowCount(); ++row) {
        QTableWidgetItem* item = grid->item(row, 0);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            grid->setItem(row, 0, item);
        }
        item->setText(toQ(cells.Cells[static_cast<size_t>(row)]));
    }
    if (cells.ColWidth0 != 64) {
        grid->setColumnWidth(0, cells.ColWidth0);
    }
    replotChart();
}

void TForm1::replotChart() {
    ui_->Chart1->plot()->replot(QCustomPlot::rpQueuedReplot);
}

void TForm1::refreshDuringRun(const RunProgress& progress) {
    ui_->Chart1->Label4()->setText(QStringLiteral("%1   (%2 files, %3 rows read)")
                                       .arg(toQ(state_.Label4))
                                       .arg(progress.filesRead)
                                       .arg(progress.rowsAccepted));
    ui_->Chart1->Label4()->repaint();
    mirrorBrowser();
    ui_->Chart1->plot()->replot(QCustomPlot::rpImmediateRefresh);
    QCoreApplication::processEvents();
}

void TForm1::Button1Click(QObject* sender) {
    if (runInProgress_) {
        return;  // a run is pumping events: further load commands wait for its end
    }
    RunHandler(this, [&] {
        readBrowserSelection();
        state_.RadioGroup1ItemIndex = ui_->RadioGroup1->ItemIndex();
        state_.StringGrid1.Width = ui_->StringGrid1->width();
        const LoadRequest request{fromQ(ui_->Edit2->text()), fromQ(ui_->Edit3->text()),
                                  tagOf(sender)};
        RunProgress progress;
        RunControlHooks hooks;
        hooks.CheckBox3 = [this] { return ui_->CheckBox3->isChecked(); };
        hooks.escapePressed = [this] {
            QCoreApplication::processEvents(QEventLoop::AllEvents);  // collect key presses
            return escape_.takePressed();
        };
        hooks.refreshWindow = [this, &progress] { refreshDuringRun(progress); };
        hooks.Edit2 = [this] { return fromQ(ui_->Edit2->text()); };
        WindowRunHooks runHooks(browser_, state_, std::move(hooks), progress);
        runInProgress_ = true;
        escape_.clear();
        struct RunEnd {
            TForm1* form;
            ~RunEnd() {
                form->runInProgress_ = false;
                form->mirrorBrowser();
                form->mirrorView();
            }
        } runEnd{this};
        reader_.Button1Click(request, runHooks);
    });
}

void TForm1::CheckBox2Click() {
    if (!ui_->CheckBox3->isChecked()) {
        ui_->Chart1->plot()->setToolTip(QString());
    }
}

void TForm1::ComboBox1Change() {
    RunHandler(this, [&] {
        browser_.ComboBox1.Text = fromQ(ui_->ComboBox1->currentText());
        browser_.ComboBox1Change();
        mirrorBrowser();
    });
}

void TForm1::ComboBox1Exit() {
    RunHandler(this, [&] {
        browser_.ComboBox1.Text = fromQ(ui_->ComboBox1->currentText());
        browser_.ComboBox1.ComboBox1Exit();
        mirrorBrowser();
    });
}

void TForm1::Button11Click() {
    RunHandler(this, [&] {
        browser_.ComboBox1.ItemIndex = ui_->ComboBox1->currentIndex();
        browser_.ComboBox1.Button11Click();
        mirrorBrowser();
    });
}

void TForm1::Button3Click() {
    if (runInProgress_) {
        return;
    }
    RunHandler(this, [&] {
        std::optional<std::string> chosen;
        if (auto folder = chooseFolder(this)) {
            chosen = fromQ(*folder);
        }
        browser_.Button3Click(chosen);
        mirrorBrowser();
    });
}

void TForm1::browserCommand(void (FolderBrowser::*command)()) {
    if (runInProgress_) {
        return;  // the run walks the browser's folders itself
    }
    RunHandler(this, [&] {
        readBrowserSelection();
        struct Mirror {
            TForm1* form;
            ~Mirror() { form->mirrorBrowser(); }  // also after an error: what was done stays
        } mirror{this};
        (browser_.*command)();
    });
}

void TForm1::ListBox1DblClick() {
    browserCommand(&FolderBrowser::ListBox1DblClick);
}

void TForm1::ListBox2DblClick() {
    browserCommand(&FolderBrowser::ListBox2DblClick);
}

void TForm1::ListBox3DblClick() {
    browserCommand(&FolderBrowser::ListBox3DblClick);
}

void TForm1::PopupMenu1Popup() {
    if (runInProgress_) {
        openFolder1_->setEnabled(false);  // the run owns the browser until it ends
        edit1_->setEnabled(false);
        return;
    }
    readBrowserSelection();
    const PopupMenuState enabled = browser_.PopupMenu1Popup();
    openFolder1_->setEnabled(enabled.OpenFolder1Enabled);
    edit1_->setEnabled(enabled.Edit1Enabled);
}

void TForm1::OpenFolder1Click() {
    if (runInProgress_) {
        return;
    }
    RunHandler(this, [&] {
        readBrowserSelection();
        trend::OpenFolder1Click(browser_);
        mirrorBrowser();
    });
}

void TForm1::Edit1Click() {
    if (runInProgress_) {
        return;
    }
    RunHandler(this, [&] {
        readBrowserSelection();
        trend::Edit1Click(browser_);
        mirrorBrowser();
    });
}

void TForm1::RadioGroup1Click() {
    RunHandler(this, [&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        struct Restore {
            ~Restore() { QApplication::restoreOverrideCursor(); }
        } restore;
        state_.RadioGroup1ItemIndex = ui_->RadioGroup1->ItemIndex();
        trend::RadioGroup1Click(state_);
        replotChart();
    });
}

void TForm1::Chart1Zoom() {
    ui_->Chart1->readAxes(state_);
    trend::Chart1Zoom(state_);
    const QSignalBlocker blocker(ui_->RadioGroup1);
    ui_->RadioGroup1->setItemIndex(state_.RadioGroup1ItemIndex);
    ui_->RadioGroup2->setItemIndex(state_.RadioGroup2ItemIndex);
}

void TForm1::Chart1BeforeDrawAxes() {
    ui_->Chart1->setTimeLabelPattern(BottomAxisLabelPattern(state_.BottomAxis));
}

void TForm1::Chart1BeforeDrawSeries() {
    ui_->Chart1->setCursor(Qt::WaitCursor);
    const auto [left, right] = WindowEndTexts(state_.BottomAxis, regional_);
    setText(ui_->Chart1->Label2(), left);
    setText(ui_->Chart1->Label3(), right);
}

void TForm1::Chart1AfterDraw() {
    ResyncScrollBars(state_);
    TrendChart::showScrollBar(ui_->Chart1->ScrollBar1(), state_.ScrollBar1);
    TrendChart::showScrollBar(ui_->Chart1->ScrollBar2(), state_.ScrollBar2);
    ui_->Chart1->setCursor(originalCursor_);
}

void TForm1::Chart1MouseDown(Qt::MouseButton button) {
    originalCursor_ = QCursor(button == Qt::RightButton ? Qt::PointingHandCursor : Qt::ArrowCursor);
    ui_->Chart1->plot()->setCursor(originalCursor_);
}

void TForm1::Chart1MouseUp(Qt::MouseButton) {
    originalCursor_ = QCursor(Qt::ArrowCursor);
    ui_->Chart1->plot()->setCursor(originalCursor_);
}

void TForm1::ScrollBar1Scroll() {
    trend::ScrollBar1Scroll(state_);
    replotChart();
}

void TForm1::RadioButton1Click(QObject* sender) {
    RunHandler(this, [&] {
        decimation_.RadioButton1Click(tagOf(sender));
        mirrorDecimation();
    });
}

void TForm1::Edit2Change() {
    RunHandler(this, [&] {
        decimation_.setEdit2Text(fromQ(ui_->Edit2->text()));
        mirrorDecimation();
    });
}

void TForm1::FormClose() {
    if (closed_) {
        return;
    }
    closed_ = true;
    browser_.ComboBox1.Text = fromQ(ui_->ComboBox1->currentText());
    const FormCloseResult result = setupFiles_.FormClose(browser_.ComboBox1);
    if (result.settingsError) {
        ShowErrorBox(this, toQ(*result.settingsError));
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ComboBox1 && event->type() == QEvent::FocusOut) {
        ComboBox1Exit();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trend

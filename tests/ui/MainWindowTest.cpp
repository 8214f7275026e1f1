#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "ChartViewRules.h"
#include "ErrorBox.h"
#include "MainUnit1.h"
#include "TRadioGroup.h"
#include "TUpDown.h"
#include "TrendChart.h"
#include "TrendFileFixtures.h"
#include "ui_MainUnit1.h"

using namespace trend;
namespace fs = std::filesystem;

namespace {

// A program folder and a data root of their own: device PLUG-1 in the plug-in layout with two
// day folders, device DIAG-2 in the DIAGDATA layout.
struct Workplace {
    trendtest::TempFolder folder;
    QString programFile;
    std::string root;

    Workplace() {
        programFile = QString::fromStdString(folder.path() + "/program/TrendViewer");
        fs::create_directories(folder.path() + "/program");
        root = folder.path() + "/root";
        const std::string fixtures = trendtest::fixtureFolder();
        copy("three_columns.csv", "PLUG-1/2021-03-15/PLUG-1_Trend_a.csv");
        copy("earlier_day.csv", "PLUG-1/2021-03-15/PLUG-1_Trend_b.csv");
        copy("three_columns.csv", "PLUG-1/2021-03-16/PLUG-1_Trend_c.csv");
        copy("value_not_a_number.csv", "PLUG-1/2021-03-17/PLUG-1_Trend_d.csv");
        copy("two_columns.csv", "DIAG-2/DIAGDATA/2021/03/DIAG-2_Trend_1.csv");
    }
    void copy(const std::string& fixture, const std::string& to) const {
        const fs::path target = fs::path(root) / to;
        fs::create_directories(target.parent_path());
        fs::copy_file(fs::path(trendtest::fixtureFolder()) / fixture, target,
                      fs::copy_options::overwrite_existing);
    }
};

QListWidgetItem* itemNamed(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void doubleClick(QListWidget* list, const QString& name) {
    QListWidgetItem* item = itemNamed(list, name);
    QVERIFY2(item != nullptr, qPrintable(name));
    list->setCurrentItem(item);
    emit list->itemDoubleClicked(item);
}

// Opens PLUG-1 and its first day folder through the widgets.
void openPluginDay(TForm1& form, const Workplace& place) {
    Ui::TForm1& f = form.form();
    f.ComboBox1->setEditText(QString::fromStdString(place.root));
    doubleClick(f.ListBox1, QStringLiteral("PLUG-1"));
    doubleClick(f.ListBox2, QStringLiteral("2021-03-15"));
}

// Opens PLUG-1's first day folder and reads its first file with "ReadFile".
void readFirstFile(TForm1& form, const Workplace& place) {
    openPluginDay(form, place);
    form.form().ListBox2->setCurrentRow(0);
    QTest::mouseClick(form.form().Button1, Qt::LeftButton);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        errors_.clear();
        SetErrorBox([this](QWidget*, const QString& text) { errors_ << text; });
    }

    void startUpStateIsTheFormsAndTheProgramsOwn() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        QVERIFY(fs::is_directory(place.folder.path() + "/program/RaDuvav"));
        QVERIFY(fs::is_directory(place.folder.path() + "/program/SETUP"));
        QCOMPARE(form.windowTitle(), QStringLiteral("TrendViewer"));
        QVERIFY(f.Label11->text().startsWith(QStringLiteral("Build ")));
        QCOMPARE(f.Label12->text(), QStringLiteral("Beta Test 1.2"));
        QVERIFY(!f.Button7->isEnabled());
        QVERIFY(f.Button4->isHidden());
        QCOMPARE(f.Edit4->text(), QStringLiteral("100.0"));
        QCOMPARE(f.Edit5->text(), QStringLiteral("0.0"));
        QCOMPARE(f.Edit6->text(), QStringLiteral("100.0"));
        QCOMPARE(f.Edit7->text(), QStringLiteral("0.0"));
        QCOMPARE(f.Edit2->text(), QStringLiteral("0"));
        QCOMPARE(f.Edit3->text(), QStringLiteral("100000"));
        QVERIFY(f.CheckBox1->isChecked());
        QVERIFY(f.Chart1->Label4()->text().isEmpty());
        QVERIFY(f.Label13->text().isEmpty());
        QCOMPARE(form.state().LeftAxis.Minimum, -5.0);
        QCOMPARE(form.state().LeftAxis.Maximum, 105.0);
        QCOMPARE(form.state().Chart1.SeriesCount(), size_t{1});
        QCOMPARE(f.RadioGroup1->items().size(), 18);
        QCOMPARE(f.RadioGroup1->itemCaption(17), QStringLiteral("Auto"));
        QCOMPARE(
            f.RadioGroup2->items(),
            (QStringList{QStringLiteral("-0.5-105"), QStringLiteral("50"), QStringLiteral("10"),
                         QStringLiteral("5.0"), QStringLiteral("1.0"), QStringLiteral("Auto")}));
        QCOMPARE(f.Button2->property("tag").toInt(), 0);
        QCOMPARE(f.Button8->property("tag").toInt(), 1);
        QCOMPARE(f.RadioGroup3->property("tag").toInt(), 1);
        QCOMPARE(f.Button7->property("tag").toInt(), 1);
        QCOMPARE(f.RadioButton5->property("tag").toInt(), 1200);
        QStringList history;
        for (int i = 0; i < f.ComboBox1->count(); ++i) {
            history << f.ComboBox1->itemText(i);
        }
        QVERIFY(history.contains(QStringLiteral("C:\\PLUGIN")));
        QVERIFY(history.contains(QStringLiteral("RaDuvav")));
        QVERIFY(errors_.isEmpty());
    }

    void browserDoubleClicksWalkDownToTheFiles() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        f.ComboBox1->setEditText(QString::fromStdString(place.root));
        QCOMPARE(f.Label1->text(), QString::fromStdString(place.root));
        QCOMPARE(f.ListBox1->count(), 2);
        doubleClick(f.ListBox1, QStringLiteral("DIAG-2"));
        QVERIFY(!f.CheckBox1->isChecked());
        QCOMPARE(f.ListBox2->item(0)->text(), QStringLiteral("2021"));
        doubleClick(f.ListBox1, QStringLiteral("PLUG-1"));
        QVERIFY(f.CheckBox1->isChecked());
        doubleClick(f.ListBox2, QStringLiteral("2021-03-15"));
        QCOMPARE(f.ListBox2->count(), 2);
        QCOMPARE(f.ListBox3->count(), 2);
        QCOMPARE(f.Label10->text(), QStringLiteral("2021-03-15"));
    }

    void readFileThenAddFileThroughTheButtons() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        readFirstFile(form, place);
        QCOMPARE(f.Chart1->Label4()->text(), QStringLiteral("3"));
        QCOMPARE(f.Label9->text(), QStringLiteral(" 2021/03/15 08:17:00.000"));
        QCOMPARE(f.Label13->text(), QStringLiteral("60"));
        QCOMPARE(f.StringGrid1->rowCount(), 6);
        QCOMPARE(f.StringGrid1->item(1, 0)->text(), QStringLiteral("  12.9"));
        QCOMPARE(f.Edit4->text(), QStringLiteral("12.9"));
        QVERIFY(f.Button7->isEnabled());
        QCOMPARE(f.ListBox2->currentRow(), 1);

        QTest::mouseClick(f.Button7, Qt::LeftButton);  // adds the earlier day
        QCOMPARE(f.Chart1->Label4()->text(), QStringLiteral("5"));
        QCOMPARE(form.state().Chart1.TitleText[0],
                 std::string("TAG-101 2021/03/14 08:15:00 - 2021/03/15 08:17:00"));
        QVERIFY(errors_.isEmpty());
    }

    void hScalePresetsSetTheWindowAndTheLabelPattern() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        readFirstFile(form, place);
        QRadioButton* tenMinutes =
            f.RadioGroup1->findChild<QRadioButton*>(QStringLiteral("RadioGroup1_item0"));
        QVERIFY(tenMinutes != nullptr);
        QTest::mouseClick(tenMinutes, Qt::LeftButton);
        QCOMPARE(form.state().RadioGroup1ItemIndex, 0);
        QVERIFY(std::abs(form.state().BottomAxis.width() - 600.0 / 86400) < 1e-9);
        f.Chart1->repaintNow();
        QCOMPARE(BottomAxisLabelPattern(form.state().BottomAxis), std::string("hh:nn:ss"));
        QVERIFY(!f.Chart1->Label2()->text().isEmpty());
        QRadioButton* twoDays =
            f.RadioGroup1->findChild<QRadioButton*>(QStringLiteral("RadioGroup1_item11"));
        QTest::mouseClick(twoDays, Qt::LeftButton);
        QCOMPARE(BottomAxisLabelPattern(form.state().BottomAxis), std::string("mm/dd hh:nn"));
    }

    void scrollBarMovesTheWindowWithoutNarrowingIt() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        readFirstFile(form, place);
        form.state().BottomAxis.SetMinMax(form.state().Chart1.MinXValue(),
                                          form.state().Chart1.MinXValue() + 1.0 / 1440);
        f.Chart1->repaintNow();
        const double width = form.state().BottomAxis.width();
        QScrollBar* bar = f.Chart1->ScrollBar1();
        for (int i = 0; i < 20; ++i) {
            bar->triggerAction(i % 2 == 0 ? QAbstractSlider::SliderSingleStepAdd
                                          : QAbstractSlider::SliderSingleStepSub);
            f.Chart1->repaintNow();
        }
        QVERIFY(std::abs(form.state().BottomAxis.width() - width) <= form.state().FDaysPerStep);
    }

    void rubberBandZoomNarrowsTheAxesAndClearsTwoPresets() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        readFirstFile(form, place);
        form.resize(873, 701);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        f.Chart1->repaintNow();
        form.state().RadioGroup1ItemIndex = 3;
        form.state().RadioGroup2ItemIndex = 1;
        form.state().RadioGroup3ItemIndex = 2;
        form.mirrorView();
        const double width = form.state().BottomAxis.width();
        QWidget* plot = f.Chart1->plot();
        const QRect area = f.Chart1->plot()->axisRect()->rect();
        const QPoint from = area.center() - QPoint(area.width() / 4, area.height() / 4);
        const QPoint to = area.center() + QPoint(area.width() / 8, area.height() / 8);
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(plot, (from + to) / 2);
        QTest::mouseMove(plot, to);
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, to);
        QVERIFY(form.state().BottomAxis.width() < width);
        QVERIFY(!form.state().BottomAxis.Automatic);
        QCOMPARE(f.RadioGroup1->ItemIndex(), -1);
        QCOMPARE(f.RadioGroup2->ItemIndex(), -1);
        QCOMPARE(f.RadioGroup3->ItemIndex(), 2);
    }

    void rightButtonPansWithTheHandCursor() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        QWidget* plot = f.Chart1->plot();
        QTest::mousePress(plot, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(plot->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseRelease(plot, Qt::RightButton, Qt::NoModifier, QPoint(120, 100));
        QCOMPARE(plot->cursor().shape(), Qt::ArrowCursor);
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(plot->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    }

    void decimationPresetsAndArrowsKeepTheEntryInStep() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        QTest::mouseClick(f.RadioButton5, Qt::LeftButton);
        QCOMPARE(f.Edit2->text(), QStringLiteral("1200"));
        QToolButton* up = f.UpDown1->findChild<QToolButton*>(QStringLiteral("up"));
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(f.Edit2->text(), QStringLiteral("2400"));
        QVERIFY(!f.RadioButton5->isChecked());
        f.Edit2->clear();
        QTest::keyClicks(f.Edit2, QStringLiteral("60"));
        QVERIFY(f.RadioButton3->isChecked());
        QCOMPARE(form.decimation().Increment(), 60);
    }

    void errorBoxShowsTheFailingLineAndKeepsWhatWasLoaded() {
        Workplace place;
        TForm1 form(place.programFile);
        Ui::TForm1& f = form.form();
        readFirstFile(form, place);
        doubleClick(f.ListBox3, f.ListBox3->item(1)->text());  // back to the day folders
        doubleClick(f.ListBox2, QStringLiteral("2021-03-17"));
        f.ListBox2->setCurrentRow(0);
        QTest::mouseClick(f.Button1, Qt::LeftButton);
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_[0].contains(QStringLiteral("PLUG-1_Trend_d.csv line 7")),
                 qPrintable(errors_[0]));
        QCOMPARE(form.state().Chart1.Series(0).Count(), size_t{2});
        QCOMPARE(f.Label9->text(), QStringLiteral(" 2021/03/15 08:17:00.000"));
        QVERIFY(!form.runInProgress());
    }

    void consecutiveRunReadsOnAndStopsOnEscape() {
        Workplace place;
        {
            TForm1 form(place.programFile);
            Ui::TForm1& f = form.form();
            openPluginDay(form, place);
            f.ListBox2->setCurrentRow(0);
            f.CheckBox3->setChecked(true);
            f.Edit2->setText(QStringLiteral("0"));
            QTest::mouseClick(f.Button1, Qt::LeftButton);
            // a, b and c are read; d fails on its line 7.
            QCOMPARE(errors_.size(), 1);
            QCOMPARE(form.state().Chart1.Series(0).Count(), size_t{3 + 2 + 3 + 2});
        }
        errors_.clear();
        {
            TForm1 form(place.programFile);
            Ui::TForm1& f = form.form();
            openPluginDay(form, place);
            f.ListBox2->setCurrentRow(0);
            f.CheckBox3->setChecked(true);
            QCoreApplication::postEvent(
                f.ListBox2, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            QTest::mouseClick(f.Button1, Qt::LeftButton);
            QVERIFY(errors_.isEmpty());
            QCOMPARE(form.state().Chart1.Series(0).Count(), size_t{3});
            QCOMPARE(f.ListBox2->currentRow(), 1);
        }
    }

    void closingWritesTheSettingsAndTheHistory() {
        Workplace place;
        {
            TForm1 form(place.programFile);
            form.form().ComboBox1->setEditText(QString::fromStdString(place.root));
            form.close();
        }
        const std::string setup = place.folder.path() + "/program/SETUP/";
        std::ifstream ini(setup + "TrendViewer.ini", std::ios::binary);
        std::stringstream text;
        text << ini.rdbuf();
        QVERIFY2(text.str().find("LASTPOSITION=" + place.root) != std::string::npos,
                 text.str().c_str());
        QVERIFY(fs::exists(setup + "TrendViewer.csv"));
        TForm1 again(place.programFile);
        QCOMPARE(again.form().Label1->text(), QString::fromStdString(place.root));
        QCOMPARE(again.form().ListBox1->count(), 2);
    }

private:
    QStringList errors_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

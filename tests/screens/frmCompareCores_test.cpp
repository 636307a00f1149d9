// The Compare Cores window driven from the input screen: the table, its
// filters and marks, the chart, Use This Design, refused texts, Save Table,
// Cancel, and the window's place among the screens.
#include "frmCompareCores.h"

#include <signal.h>
#include <sys/resource.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QtCharts/QChartView>
#include <QtCharts/QScatterSeries>
#include <cmath>
#include <fstream>

#include "compare_table_model.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

class CompareCoresTest : public ScreenTest {
protected:
    // Presses `button` (Compare Cores on the input screen, or one of the
    // window's) and waits until the comparison it starts has ended.
    frmCompareCores* Press(QWidget& screen, const char* button) {
        Click(screen, button);
        frmCompareCores* window = registry->Find<frmCompareCores>();
        if (window && window->Busy()) {
            QSignalSpy shown(window, &frmCompareCores::ComparisonShown);
            EXPECT_TRUE(shown.wait(20000)) << "no comparison came";
        }
        PumpEvents();
        return window;
    }
    frmCompareCores& Open() {
        frmCompareCores* window = Press(Input(), "cmdCompare");
        if (!window) throw std::runtime_error("no Compare Cores window");
        return *window;
    }
    static QTableView& Table(frmCompareCores& w) { return Child<QTableView>(w, "tblCores"); }
    static QString Cell(frmCompareCores& w, int row, int column) {
        return Table(w).model()->index(row, column).data().toString();
    }
    // The table's line of this part and stack, or -1.
    static int LineOf(frmCompareCores& w, const char* part, int stack) {
        for (int row = 0; row < Table(w).model()->rowCount(); ++row)
            if (Cell(w, row, CompareTableModel::Part) == QLatin1String(part) &&
                Cell(w, row, CompareTableModel::Stack) == QString::number(stack))
                return row;
        return -1;
    }
};

TEST_F(CompareCoresTest, FittingRowsByVolumeWithFiltersMarksAndChart) {
    frmCompareCores& w = Open();
    const Comparison& c = *w.Shown();
    QAbstractItemModel& table = *Table(w).model();
    int fitting = 0;
    for (const ComparisonRow& row : c.rows) fitting += row.fits;
    ASSERT_EQ(table.rowCount(), fitting);
    double last = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        EXPECT_EQ(Str(Cell(w, row, CompareTableModel::Verdict)), "Fits");
        const double volume = table.index(row, CompareTableModel::Volume).data(CompareTableModel::SortRole).toDouble();
        EXPECT_LE(last, volume) << row;
        last = volume;
    }
    // The default design: Calculate Core picks 6218TXGP and 6218TXNG; the Pareto rows marked.
    EXPECT_EQ(Str(Cell(w, LineOf(w, "6218TXGP", 1), CompareTableModel::Marked)), "Calculate Core pick");
    EXPECT_EQ(Str(Cell(w, LineOf(w, "6218TXNG", 1), CompareTableModel::Marked)), "Calculate Core pick, Pareto");
    EXPECT_EQ(Str(Cell(w, LineOf(w, "6222TXNG", 1), CompareTableModel::Marked)), "Pareto");
    EXPECT_NE(Str(Child<QLabel>(w, "lblInputs").text()).find(".000318 Henry"), std::string::npos);

    // The chart: one point per fitting row; a click selects its row, hovering names it.
    auto* points = qobject_cast<QScatterSeries*>(Child<QChartView>(w, "chtCores").chart()->series().front());
    ASSERT_NE(points, nullptr);
    ASSERT_EQ(points->count(), fitting);
    const int line = LineOf(w, "6230TXGP", 2);
    const double volume = table.index(line, CompareTableModel::Volume).data(CompareTableModel::SortRole).toDouble();
    const double loss = table.index(line, CompareTableModel::TotalLoss).data(CompareTableModel::SortRole).toDouble();
    emit points->clicked(QPointF(volume, loss));
    EXPECT_EQ(Table(w).selectionModel()->selectedRows().front().row(), line);
    emit points->hovered(QPointF(volume, loss), true);
    EXPECT_EQ(Str(Child<QLabel>(w, "lblPoint").text()).substr(0, 24), "6230TXGP * 2 (100 Perm):");

    // Every row, then one family.
    Click(w, "chkEveryRow");
    EXPECT_EQ(table.rowCount(), 630);
    EXPECT_EQ(Str(Cell(w, LineOf(w, "6205TXGP", 1), CompareTableModel::Verdict)), "Overfills the window");
    Child<QComboBox>(w, "cmbFamily").setCurrentIndex(2);
    EXPECT_EQ(table.rowCount(), 36 * 9);
    EXPECT_EQ(Str(Cell(w, 0, CompareTableModel::Family)), "245 Perm");
    EXPECT_EQ(Str(Cell(w, LineOf(w, "6201TXNG", 1), CompareTableModel::Verdict)), "Saturates (DC bias)");
}

// The row taken to the input screen ends on the results screen with the
// figures of that single run, made with the texts the table was computed for.
TEST_F(CompareCoresTest, UseThisDesignShowsTheResultsOfThatRow) {
    frmCompareCores& w = Open();
    SetField("txtDCCurrent", QStringLiteral("4"));  // typed after the comparison
    Click(w, "chkEveryRow");
    Table(w).selectRow(LineOf(w, "6222TXNG", 2));
    Click(w, "cmdUse");
    PumpEvents();
    ASSERT_TRUE(Shown(Results()));
    EXPECT_FALSE(Input().isVisible());
    InputScreen single = coredesign::testing::Screen("nogap pick=6222TXNG txtStack=2");
    single.ShowResults();
    ExpectSameBoxes(Results()->Texts(), *single.Results());
    EXPECT_EQ(Str(Field("txtDCCurrent").text()), "3.5");
    EXPECT_TRUE(Child<QCheckBox>(Input(), "chkPickCore").isChecked());

    // A double click on a row does the same; a hot design ends on the results screen in red.
    SetField("txtAmbientTemp", QStringLiteral("150"));
    Press(w, "cmdRefresh");
    const int line = LineOf(w, "6218TXGP", 1);
    ASSERT_EQ(Str(Cell(w, line, CompareTableModel::Verdict)), "Too hot");
    QTableView& view = Table(w);
    const QModelIndex part = view.model()->index(line, CompareTableModel::Part);
    view.scrollTo(part);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(part).center());  // the press a double click begins with
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(part).center());
    PumpEvents();
    InputScreen hot = coredesign::testing::Screen("pick=6218TXGP txtAmbientTemp=150");
    hot.ShowResults();
    ASSERT_TRUE(Shown(Results()));
    ExpectSameBoxes(Results()->Texts(), *hot.Results());
    EXPECT_TRUE(Results()->TemperatureAlarm());
}

TEST_F(CompareCoresTest, TextsThatFailACheckGetShowResultsMessageAndNoTable) {
    SetField("txtFill_Factor", QStringLiteral("0.95"));
    Click(Input(), "cmdCompare");
    InputScreen engine = coredesign::testing::Screen("txtFill_Factor=0.95");
    ExpectMessagesOf(engine.ShowResults());
    EXPECT_EQ(FocusName(), "txtFill_Factor");
    EXPECT_EQ(registry->Find<frmCompareCores>(), nullptr);  // no window

    messages.clear();
    SetField("txtFill_Factor", QStringLiteral(".4"));
    frmCompareCores& w = Open();
    ASSERT_GT(Table(w).model()->rowCount(), 0);
    SetField("txtCurrentDensityFactor", QStringLiteral("900"));
    Press(w, "cmdRefresh");
    InputScreen dense = coredesign::testing::Screen("txtCurrentDensityFactor=900");
    ExpectMessagesOf(dense.ShowResults());
    EXPECT_EQ(FocusName(), "txtCurrentDensityFactor");
    EXPECT_EQ(Table(w).model()->rowCount(), 0);
    EXPECT_EQ(w.Shown(), nullptr);
    EXPECT_FALSE(Child<QPushButton>(w, "cmdSave").isEnabled());
}

TEST_F(CompareCoresTest, SaveTableWritesTheCsvWholeOrNotAtAll) {
    frmCompareCores& w = Open();
    std::optional<QString> answer;
    registry->StandIns().fileDialog = [&](const FileDialogRequest& r) {
        EXPECT_EQ(r.mode, FileDialogRequest::Mode::Save);
        return answer;
    };
    const std::string csv = ComparisonCsv(*w.Shown());
    const std::string path = temp.File("table.csv");
    answer = QString::fromStdString(temp.File("table"));  // the suffix is added
    Click(w, "cmdSave");
    EXPECT_EQ(coredesign::testing::ReadFile(path), csv);
    EXPECT_TRUE(messages.empty());

    // A write that fails part way (the file size limit) says so and leaves the earlier file whole.
    answer = QString::fromStdString(path);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    auto* oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Click(w, "cmdSave");
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].title), "Caution");
    EXPECT_EQ(Str(messages[0].text).rfind(kSorryMessage, 0), 0u) << Str(messages[0].text);
    EXPECT_EQ(coredesign::testing::ReadFile(path), csv);

    answer.reset();  // cancelled: nothing written, nothing said
    Click(w, "cmdSave");
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(CompareCoresTest, CancelKeepsTheTableAndTheWindowIsOneScreen) {
    frmCompareCores& w = Open();
    const Comparison* before = w.Shown();
    Enter("txtInductance=10000 txtDCCurrent=.0001 txtFill_Factor=.9");  // most rows run to the bound of passes
    QSignalSpy cancelled(&w, &frmCompareCores::ComparisonCancelled);
    Click(w, "cmdRefresh");
    ASSERT_TRUE(w.Busy());
    EXPECT_TRUE(Child<QWidget>(w, "prgCompare").isVisibleTo(&w));
    Click(w, "cmdCancel");
    ASSERT_TRUE(cancelled.wait(20000));
    EXPECT_EQ(w.Shown(), before);

    // Compare Cores again brings the same window; Escape closes it and nothing else.
    EXPECT_EQ(Press(Input(), "cmdCompare"), &w);
    EXPECT_EQ(TopLevels("frmCompareCores").size(), 1u);
    const int screens = registry->LiveScreens();
    QTest::keyClick(&w, Qt::Key_Escape);
    PumpEvents();
    EXPECT_EQ(registry->Find<frmCompareCores>(), nullptr);
    EXPECT_EQ(registry->LiveScreens(), screens - 1);
    EXPECT_TRUE(Input().isVisible());
    EXPECT_EQ(Str(Field("txtInductance").text()), "10000");
    EXPECT_EQ(programEnds, 0);
}

// Very long texts are shortened in the "Computed for:" line, an ellipsis
// where a text was cut, and the window stays within the screen.
TEST_F(CompareCoresTest, LongTextsAreShortenedAndTheWindowStaysOnTheScreen) {
    Enter("txtInductance=.000318" + std::string(5000, '0') + " txtMaxInputVoltage=50" + std::string(5000, 'V'));
    frmCompareCores& w = Open();
    ASSERT_NE(w.Shown(), nullptr);
    const QString line = Child<QLabel>(w, "lblInputs").text();
    EXPECT_LT(line.size(), 1000);
    for (const char* cut : {"0\u2026 Henry,", "V\u2026 V, ambient"})
        EXPECT_TRUE(line.contains(QString::fromUtf8(cut))) << cut << "\n" << Str(line);
    EXPECT_LE(w.frameGeometry().width(), w.screen()->availableGeometry().width());
}

// Every button and box has its own access key.
TEST_F(CompareCoresTest, AccessKeys) {
    frmCompareCores& w = Open();
    QString keys;
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
        if (b->objectName().isEmpty() || b->objectName().startsWith(QLatin1String("qt_")))
            continue;  // the table's corner
        const int amp = static_cast<int>(b->text().indexOf('&'));
        ASSERT_GE(amp, 0) << Str(b->text());
        const QChar key = b->text().at(amp + 1).toLower();
        EXPECT_FALSE(keys.contains(key)) << Str(b->text());
        keys += key;
    }
    EXPECT_EQ(keys.size(), 6);
}

}  // namespace
}  // namespace coredesign::gui::testing

// The Inductance Curve window and the results screen's button that opens it:
// offered only with a design, one window that shows the design of the last
// run, a chart that draws the CSV it saves, and the saves through the file
// dialog's stand-in, written whole or not at all.
#include "frmInductanceCurve.h"

#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgRenderer>
#include <QValueAxis>
#include <deque>
#include <fstream>
#include <set>

#include "command.h"
#include "screen_test.h"
#include "spice_model.h"

namespace coredesign::gui::testing {
namespace {

class CurveWindow : public ScreenTest {
protected:
    // The design entered, Show Results and Inductance Curve pressed.
    frmInductanceCurve& Open(const std::string& design) {
        Enter(design);
        ShowResults();
        PumpEvents();
        if (!Shown(Results())) throw std::runtime_error("the design did not reach the results screen");
        Click(*Results(), "cmdCurve");
        PumpEvents();
        if (!Shown(registry->Find<frmInductanceCurve>())) throw std::runtime_error("no curve window");
        return *registry->Find<frmInductanceCurve>();
    }

    static QChart& Chart(frmInductanceCurve& window) { return *Child<QChartView>(window, "chtCurve").chart(); }
    template <class Series = QXYSeries>
    static Series& SeriesNamed(frmInductanceCurve& window, const char* name) {
        for (QAbstractSeries* s : Chart(window).series())
            if (s->objectName() == QLatin1String(name)) return *static_cast<Series*>(s);
        throw std::runtime_error(std::string("no series ") + name);
    }

    QString File(const char* name) const { return QString::fromStdString(temp.File(name)); }
};

// The button is there while the results screen shows a design, also on a
// screen made anew during a run that then ends without one.
TEST_F(CurveWindow, TheResultsScreenOffersItOnlyWithADesign) {
    const struct {
        const char* design;
        bool offered;
    } cases[] = {{"", true},
                 {"pick=6205TXGP", true},  // the fill warning's design, on the hidden results screen
                 {"txtInductance=0", false},
                 {"nogap pick=6205TXNG", false}};  // the DC bias is exceeded
    for (const auto& c : cases) {
        SCOPED_TRACE(c.design);
        Fresh();
        Enter(c.design);
        ShowResults();
        PumpEvents();
        ASSERT_NE(Results(), nullptr);
        EXPECT_EQ(Child<QPushButton>(*Results(), "cmdCurve").isVisibleTo(Results()), c.offered);
    }
    Fresh();
    ShowResults();
    ClickAndSettle(Results(), "cmdExit");  // the screen goes; the record keeps the design
    Enter("txtInductance=0");
    ShowResults();
    PumpEvents();
    EXPECT_FALSE(Child<QPushButton>(*Results(), "cmdCurve").isVisibleTo(Results()));
}

// The chart draws the curve that Save Data writes, with the operating point
// and the lines at the entered inductance, 3 % below it and the DC current,
// and the permeability axis over the same span; a new run's design shows
// when the window is opened again.
TEST_F(CurveWindow, DrawsTheSavedCurveAndTheNextRunsDesign) {
    frmInductanceCurve& window = Open("pick=6230TXGP txtStack=3");
    const QString title = Chart(window).title();
    for (const char* part : {"6230TXGP * 3", "31 turns", "18 AWG"})
        EXPECT_TRUE(title.contains(QLatin1String(part))) << title.toStdString();

    answers = {File("curve")};
    Click(window, "cmdSaveData");
    QFile csv(File("curve.csv"));  // the suffix added
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    const QList<QPointF> drawn = SeriesNamed(window, "serInductance").points();
    ASSERT_EQ(lines.size(), drawn.size() + 2);  // the header, and the empty text after the last line end
    for (int k = 0; k < drawn.size(); ++k) {
        const QList<QByteArray> fields = lines[k + 1].split(',');
        ASSERT_EQ(fields.size(), 4) << k;
        EXPECT_EQ(drawn[k], QPointF(fields[0].toDouble(), fields[3].toDouble())) << k;
    }

    const DesignRecord& r = record;  // the record of the last run
    EXPECT_EQ(SeriesNamed<QScatterSeries>(window, "serOperatingPoint").points(),
              QList<QPointF>{QPointF(r.PeakCurrent, r.InductanceFullLoad)});
    const double entered = r.InductanceEntered * 1e6;
    for (const QPointF& p : SeriesNamed(window, "serEntered").points()) EXPECT_EQ(p.y(), entered);
    for (const QPointF& p : SeriesNamed(window, "serAcceptance").points()) EXPECT_DOUBLE_EQ(p.y(), 0.97 * entered);
    for (const QPointF& p : SeriesNamed(window, "serDcCurrent").points()) EXPECT_EQ(p.x(), r.DCCurrent);
    const auto& inductance = Child<QValueAxis>(Chart(window), "axisInductance");
    const auto& permeability = Child<QValueAxis>(Chart(window), "axisPermeability");
    const double zeroCurrent = window.Curve().zeroCurrentInductance;
    EXPECT_NEAR(permeability.max(), inductance.max() / zeroCurrent * 100, 1e-9);
    EXPECT_NEAR(permeability.min(), inductance.min() / zeroCurrent * 100, 1e-9);

    Click(*Results(), "cmdCurve");  // once only
    EXPECT_EQ(TopLevels("frmInductanceCurve").size(), 1u);

    // Back to the inputs: the window goes with the results screen; the next
    // design's window shows that design.
    ClickAndSettle(Results(), "cmdExit");
    EXPECT_EQ(registry->Find<frmInductanceCurve>(), nullptr);
    frmInductanceCurve& next = Open("calc nogap txtStack=1");
    EXPECT_TRUE(Chart(next).title().startsWith(QLatin1String("6218TXNG, 53 turns"))) << Str(Chart(next).title());
    EXPECT_EQ(SeriesNamed<QScatterSeries>(next, "serOperatingPoint").points().value(0).y(), r.InductanceFullLoad);
    EXPECT_TRUE(messages.empty());
}

// Save Picture writes PNG or SVG by the name's suffix, Save SPICE Model the
// engine's model; a cancelled dialog writes nothing; a failure is told and
// leaves an earlier file whole. Every button has its own access key, and
// Escape closes the window.
TEST_F(CurveWindow, SavesAreWrittenWholeOrNotAtAll) {
    frmInductanceCurve& window = Open("");
    answers = {File("chart"), File("chart.svg"), File("model"), std::nullopt};
    Click(window, "cmdSavePicture");
    Click(window, "cmdSavePicture");
    Click(window, "cmdSaveSpice");
    Click(window, "cmdSaveData");
    EXPECT_FALSE(QImage(File("chart.png"), "PNG").isNull());
    EXPECT_TRUE(QSvgRenderer(File("chart.svg")).isValid());
    EXPECT_EQ(coredesign::testing::ReadFile(temp.File("model.lib")), SpiceModel(record));
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[1].fileName, File("chart"));  // each dialog starts from its last name
    EXPECT_TRUE(dialogs[0].filter.contains(QLatin1String("*.png")) &&
                dialogs[0].filter.contains(QLatin1String("*.svg")));
    EXPECT_TRUE(messages.empty());

    answers = {File("missing/chart.png"), File("curve.csv")};
    Click(window, "cmdSavePicture");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Sorry for the inconvenience\r\n\r\n")));
    EXPECT_EQ(messages[0].title, QStringLiteral("Caution"));
    std::ofstream(temp.File("curve.csv")) << "earlier";
    {
        const coredesign::testing::ScopedFileSizeLimit fullDisk(64);  // the CSV is some kB
        Click(window, "cmdSaveData");
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(coredesign::testing::ReadFile(temp.File("curve.csv")), "earlier");
    EXPECT_EQ(QDir(QString::fromStdString(temp.Path())).entryList({QStringLiteral("curve.csv?*")}),
              QStringList());  // no partial file is left

    std::set<QChar> keys;
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << Str(button->text());
        EXPECT_TRUE(keys.insert(button->text().at(amp + 1).toLower()).second) << Str(button->text());
    }
    QTest::keyClick(&window, Qt::Key_Escape);
    PumpEvents();
    EXPECT_EQ(registry->Find<frmInductanceCurve>(), nullptr);
    EXPECT_TRUE(Shown(Results()));
}

}  // namespace
}  // namespace coredesign::gui::testing

namespace coredesign::gui::testing {
namespace {

// The operating point's label stands inside the plot, clear of the point,
// of every line drawn (the curve, the entered and acceptance lines, the DC
// current) and of the grid, at the window's size and larger. With
// COREDESIGN_CURVE_PICTURES set to a folder, each window is saved there.
TEST_F(CurveWindow, TheOperatingPointsLabelCrossesNothing) {
    const char* const designs[] = {"", "nogap", "pick=6213TXGP txtStack=2", "txtDCCurrent=12 txtInductance=.0001",
                                   "nogap txtDCCurrent=8"};
    int picture = 0;
    for (const char* design : designs) {
        SCOPED_TRACE(design);
        Fresh();
        frmInductanceCurve& window = Open(design);
        for (const QSize size : {window.size(), QSize(1200, 800)}) {
            window.resize(size);
            PumpEvents();
            QChart& chart = Chart(window);
            const QRectF label = window.OperatingLabelRect();
            ASSERT_FALSE(label.isEmpty());
            EXPECT_TRUE(chart.plotArea().contains(label));
            QAbstractSeries& curve = SeriesNamed(window, "serInductance");
            // Each line, densely sampled: no sample lies in the label.
            for (QAbstractSeries* s : chart.series()) {
                const QList<QPointF> points = static_cast<QXYSeries*>(s)->points();
                for (int k = 1; k < points.size(); ++k) {
                    const QPointF a = chart.mapToPosition(points[k - 1], &curve),
                                  b = chart.mapToPosition(points[k], &curve);
                    for (int t = 0; t <= 50; ++t)
                        EXPECT_FALSE(label.contains(a + (b - a) * (t / 50.0))) << Str(s->objectName());
                }
            }
            const QPointF point =
                chart.mapToPosition(SeriesNamed(window, "serOperatingPoint").points().front(), &curve);
            EXPECT_FALSE(label.adjusted(-5, -5, 5, 5).contains(point));
            if (const char* folder = std::getenv("COREDESIGN_CURVE_PICTURES"))
                window.grab().save(
                    QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("curve-%1.png").arg(picture++)));
        }
    }
}

}  // namespace
}  // namespace coredesign::gui::testing

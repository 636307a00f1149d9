// The report viewer driven through its buttons: View Report from the results
// screen, Save, Open, Print, Back and Reset Design.
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <sstream>

#include "cli_run.h"
#include "report_file.h"
#include "viewer_test_support.h"

namespace coredesign::gui::viewertest {
namespace {

const QString kCaution = QStringLiteral("Caution");
const QString kSorry = QStringLiteral("Sorry for the inconvenience\r\n\r\n");

TEST_F(ViewerTest, ViewReportWritesTempHtmAndShowsItInTheViewer) {
    frmResult& results = Calculate({true, nullptr, "3"});
    QElapsedTimer sinceClick;
    sinceClick.start();
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));
    const qint64 shownMs = sinceClick.elapsed();
    std::printf("[ figure   ] first View Report: report loaded %lld ms after the click\n",
                static_cast<long long>(shownMs));
    RecordProperty("first_view_report_ms", static_cast<int>(shownMs));

    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(results.isVisible());  // stays open behind the viewer
    EXPECT_EQ(Browser(*viewer).url(), QUrl::fromLocalFile(QString::fromStdString(TempReport())));
    EXPECT_EQ(record.TempFolder, dir);
    EXPECT_TRUE(messages.empty());

    // The file is the report of the results screen's texts, byte for byte
    // what the command-line front end writes for the same design.
    const std::string cliReport = dir + "/cli.htm";
    std::vector<std::string> args = {"coredesign-cli", "--stack", "3", "--report", cliReport};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    cli::Options options;
    std::string error;
    ASSERT_TRUE(cli::ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error)) << error;
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run(options, out, err), 0) << err.str();
    const std::string written = ReadFile(TempReport());
    EXPECT_EQ(written, ReadFile(cliReport));
    EXPECT_NE(written.find("Stacked by 3"), std::string::npos);

    // The page as displayed: the texts of the results screen, the pictures found.
    QVariant shown;
    Browser(*viewer).page()->runJavaScript(
        QStringLiteral("[document.body.innerText, Array.from(document.images).map(function (i) {"
                       " return i.complete && i.naturalWidth > 0; }).join()]"),
        [&shown](const QVariant& v) { shown = v; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.isValid(); }, kLoadTimeoutMs));
    const QStringList parts = shown.toStringList();
    ASSERT_EQ(parts.size(), 2);
    EXPECT_TRUE(parts[0].contains(QString::fromUtf8("A/cm\u00B2"))) << parts[0].toStdString();
    EXPECT_TRUE(parts[0].contains(QString::fromUtf8("\u00B0C")));
    EXPECT_TRUE(
        parts[0].contains(Child<QLineEdit>(results, "txtOutCoreSize").text() + QStringLiteral(" - Stacked by 3")));
    EXPECT_EQ(parts[1], QStringLiteral("true,true"));
}

TEST_F(ViewerTest, ViewerWindowButtonsAndPlaces) {
    frmResult& results = Calculate({});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Output Inductor Core Selection Report"));
    EXPECT_EQ(viewer->size(), QSize(Twips(11445), Twips(7995)));
    EXPECT_EQ(Browser(*viewer).geometry(), QRect(0, Twips(120), Twips(11460), Twips(7455)));
    struct Button {
        const char* name;
        const char* caption;
        const char* tooltip;
        int left, width;
    } const buttons[] = {
        {"cmdSave", "&Save as HTML  File", "Save the Report in html format. ", 1560, 2055},
        {"cmdOpen", "&Open", "Click here if you want to open already saved design.", 3960, 1215},
        {"cmdPrint", "&Print", "Print the report", 5520, 1215},
        {"cmdExit", "&Reset Design", "Choose the next design", 7080, 1575},
        {"cmdBack", "&Back", "Choose the next design", 8880, 1095},
    };
    int previousLeft = -1;
    for (const Button& b : buttons) {
        SCOPED_TRACE(b.name);
        QPushButton& button = Child<QPushButton>(*viewer, b.name);
        EXPECT_EQ(button.text(), QString::fromLatin1(b.caption));
        EXPECT_EQ(button.toolTip(), QString::fromLatin1(b.tooltip));
        EXPECT_EQ(button.geometry(), QRect(Twips(b.left), Twips(7560), Twips(b.width), Twips(375)));
        EXPECT_TRUE(button.font().bold());
        EXPECT_DOUBLE_EQ(button.font().pointSizeF(), 9.75);
        EXPECT_EQ(button.shortcut(), QKeySequence(Qt::ALT | QKeySequence::mnemonic(button.text())[0].key()));
        EXPECT_GT(button.x(), previousLeft);
        previousLeft = button.x();
    }
    // Alt with the underlined letter presses the button (after its short
    // press animation): here Back, which closes the viewer.
    QApplication::setActiveWindow(viewer);
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QPointer<frmHtmlReport> alive(viewer);
    QTest::keyClick(viewer->windowHandle(), Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return alive.isNull();
    }));
    EXPECT_TRUE(results.isVisible());
}

TEST_F(ViewerTest, ViewReportAgainReusesTheViewerAndRewritesTheFile) {
    frmResult& results = Calculate({});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));
    std::ofstream(TempReport()) << "stale";
    ASSERT_TRUE(LoadBy(*viewer, [&] { EXPECT_EQ(ClickViewReport(results), viewer); }));
    EXPECT_NE(ReadFile(TempReport()).find("Core size selected by Program"), std::string::npos);
    EXPECT_EQ(Browser(*viewer).url(), QUrl::fromLocalFile(QString::fromStdString(TempReport())));
}

TEST_F(ViewerTest, UnwritableTemporaryFolderIsToldAndTheProgramGoesOn) {
    frmResult& results = Calculate({});
    struct Case {
        std::string temp;
        QString description;
    } const cases[] = {
        {dir + "/missing", QStringLiteral("No such file or directory")},
        {"/proc", QStringLiteral("No such file or directory")},  // a folder nobody may create files in
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.temp);
        messages.clear();
        ::setenv("TEMP", c.temp.c_str(), 1);
        EXPECT_EQ(ClickViewReport(results), nullptr);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, kSorry + c.description);
        EXPECT_EQ(messages[0].title, kCaution);
        EXPECT_EQ(messages[0].icon, BoxIcon::Information);
        PumpEvents();
        EXPECT_TRUE(results.isVisible());
        EXPECT_EQ(programEnds, 0);
    }
    // With a usable folder again, View Report works.
    ::setenv("TEMP", dir.c_str(), 1);
    EXPECT_NE(ClickViewReport(results), nullptr);
}

TEST_F(ViewerTest, SaveCopiesTheGeneratedReportUnderTheChosenNamePlusHtml) {
    frmResult& results = Calculate({false, nullptr, "2"});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    const std::string report = ReadFile(TempReport());
    const QString folder = QString::fromStdString(dir);

    // A typed name.
    answers = {folder + QStringLiteral("/design")};
    Click(*viewer, "cmdSave");
    EXPECT_EQ(ReadFile(dir + "/design.html"), report);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(dialogs[0].filter, QStringLiteral("*.html"));
    EXPECT_EQ(dialogs[0].fileName, QString());

    // An existing .html file picked: ".html" is appended all the same, and an
    // earlier file of the resulting name is replaced without asking.
    std::ofstream(dir + "/design.html.html") << "older";
    answers = {folder + QStringLiteral("/design.html")};
    Click(*viewer, "cmdSave");
    EXPECT_EQ(ReadFile(dir + "/design.html.html"), report);
    EXPECT_EQ(dialogs[1].fileName, folder + QStringLiteral("/design"));  // remembered from the last use

    // Cancelled: nothing copied, nothing overwritten.
    std::ofstream(dir + "/design.html.html") << "kept";
    const auto before = std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator());
    answers = {std::nullopt};
    Click(*viewer, "cmdSave");
    EXPECT_EQ(ReadFile(dir + "/design.html.html"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), before);
    EXPECT_EQ(dialogs[2].fileName, folder + QStringLiteral("/design.html"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ViewerTest, SaveFailuresAreToldAndLeaveFilesAlone) {
    frmResult& results = Calculate({});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    const QString folder = QString::fromStdString(dir);

    // A destination in a folder that does not exist.
    answers = {folder + QStringLiteral("/missing/design")};
    Click(*viewer, "cmdSave");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(kSorry)) << messages[0].text.toStdString();
    EXPECT_GT(messages[0].text.size(), kSorry.size());
    EXPECT_EQ(messages[0].title, kCaution);
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));

    // The generated report gone: an earlier copy stays as it was.
    std::ofstream(dir + "/design.html") << "earlier";
    std::filesystem::remove(TempReport());
    answers = {folder + QStringLiteral("/design")};
    Click(*viewer, "cmdSave");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, kSorry + QStringLiteral("No such file or directory"));
    EXPECT_EQ(ReadFile(dir + "/design.html"), "earlier");
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ViewerTest, OpenSavedReportThenPrintPrintsIt) {
    frmResult& results = Calculate({true, "6236TXGP", "1"});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));
    const QString saved = QString::fromStdString(dir) + QStringLiteral("/kept");
    answers = {saved, saved + QStringLiteral(".html")};
    Click(*viewer, "cmdSave");
    ASSERT_TRUE(LoadBy(*viewer, [&] { Click(*viewer, "cmdOpen"); }));
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(dialogs[1].fileName, saved);  // the name Save used last
    EXPECT_EQ(dialogs[1].filter, QStringLiteral("*.html"));
    EXPECT_EQ(Browser(*viewer).url(), QUrl::fromLocalFile(saved + QStringLiteral(".html")));

    Click(*viewer, "cmdPrint");
    EXPECT_TRUE(QTest::qWaitFor([&] { return prints == 1; }, kLoadTimeoutMs));
    EXPECT_EQ(printedUrl, QUrl::fromLocalFile(saved + QStringLiteral(".html")));
    EXPECT_TRUE(messages.empty());

    // The generated report prints the same way.
    ASSERT_TRUE(LoadBy(*viewer, [&] { ClickViewReport(results); }));
    Click(*viewer, "cmdPrint");
    EXPECT_TRUE(QTest::qWaitFor([&] { return prints == 2; }, kLoadTimeoutMs));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ViewerTest, PrintRefusesPagesWithoutThePrintHook) {
    frmResult& results = Calculate({});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));
    const std::string foreign = dir + "/other.html";
    std::ofstream(foreign) << "<html><body><p>Somebody else's page</p>"
                              "<input type=hidden name=printer onclick='window.print()'></body></html>";
    const QUrl foreignUrl = QUrl::fromLocalFile(QString::fromStdString(foreign));
    answers = {QString::fromStdString(foreign)};
    ASSERT_TRUE(LoadBy(*viewer, [&] { Click(*viewer, "cmdOpen"); }));
    EXPECT_EQ(Browser(*viewer).url(), foreignUrl);

    Click(*viewer, "cmdPrint");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }, kLoadTimeoutMs));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("UNABLE TO PRINT THE FILE AS IT IS NOT SAVED OR GENERATED FROM CORE DESIGN"));
    EXPECT_EQ(messages[0].title, kCaution);
    EXPECT_EQ(messages[0].icon, BoxIcon::Information);
    EXPECT_EQ(prints, 0);
    EXPECT_EQ(Browser(*viewer).url(), foreignUrl);
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ViewerTest, PrintWithNoDocumentIsRefused) {
    Calculate({});
    frmHtmlReport& viewer = registry->Get<frmHtmlReport>();  // never navigated
    viewer.show();
    Click(viewer, "cmdPrint");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }, kLoadTimeoutMs));
    EXPECT_EQ(messages[0].text,
              QStringLiteral("UNABLE TO PRINT THE FILE AS IT IS NOT SAVED OR GENERATED FROM CORE DESIGN"));
    EXPECT_EQ(prints, 0);
}

TEST_F(ViewerTest, OpenCancelledOrFailingLeavesTheDisplay) {
    frmResult& results = Calculate({});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));
    const QUrl shown = Browser(*viewer).url();
    QSignalSpy started(&Browser(*viewer), &QWebEngineView::loadStarted);

    answers = {std::nullopt, QString::fromStdString(dir + "/no-such-report.html"), QString::fromStdString(dir)};
    Click(*viewer, "cmdOpen");  // cancelled
    EXPECT_TRUE(messages.empty());
    Click(*viewer, "cmdOpen");  // a file that is not there
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kSorry + QStringLiteral("No such file or directory"));
    EXPECT_EQ(messages[0].title, kCaution);
    EXPECT_EQ(messages[0].icon, BoxIcon::Information);
    Click(*viewer, "cmdOpen");  // a folder
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.startsWith(kSorry));

    // The Print that follows still finds the generated report: nothing was navigated.
    Click(*viewer, "cmdPrint");
    EXPECT_TRUE(QTest::qWaitFor([&] { return prints == 1; }, kLoadTimeoutMs));
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(Browser(*viewer).url(), shown);
}

// Back and Reset Design, in both modes.
TEST_F(ViewerTest, BackAndResetDesign) {
    struct Case {
        const char* name;
        Design design;
        const char* button;
    } const cases[] = {
        {"back, calculate", {true, nullptr, "1"}, "cmdBack"},
        {"back, pick", {false, "6234TXNG", "1"}, "cmdBack"},
        {"reset, calculate", {true, nullptr, "1"}, "cmdExit"},
        {"reset, pick", {false, "6234TXNG", "1"}, "cmdExit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmResult& results = Calculate(c.design);
        QPointer<frmResult> resultsAlive(&results);
        const QString core = Child<QLineEdit>(results, "txtOutCoreSize").text();
        frmHtmlReport* viewer = ClickViewReport(results);
        ASSERT_NE(viewer, nullptr);
        Click(*viewer, c.button);
        PumpEvents();
        EXPECT_EQ(registry->Find<frmHtmlReport>(), nullptr);
        frmXls& input = registry->Get<frmXls>();
        auto& list = Child<QComboBox>(input, "txtCoreSize");
        if (std::string(c.button) == "cmdBack") {
            ASSERT_FALSE(resultsAlive.isNull());
            EXPECT_TRUE(results.isVisible());
            EXPECT_EQ(Child<QLineEdit>(results, "txtOutCoreSize").text(), core);
            EXPECT_FALSE(input.isVisible());
            if (c.design.pick) {
                EXPECT_EQ(PartNumberOfEntry(list.currentText().toStdString()), c.design.pick);
            }
            // Back then View Report again: a fresh viewer with a fresh report.
            std::filesystem::remove(TempReport());
            EXPECT_NE(ClickViewReport(results), nullptr);
            EXPECT_TRUE(std::filesystem::exists(TempReport()));
            Click(*registry->Find<frmHtmlReport>(), "cmdBack");
            PumpEvents();
            results.close();
        } else {
            EXPECT_TRUE(resultsAlive.isNull());
            EXPECT_EQ(registry->Find<frmResult>(), nullptr);
            EXPECT_TRUE(input.isVisible());
            if (c.design.pick) {
                EXPECT_EQ(list.currentIndex(), 0);
                EXPECT_TRUE(list.isEnabled());
            } else {
                EXPECT_EQ(list.count(), 0);
                EXPECT_FALSE(list.isEnabled());
            }
        }
        PumpEvents();
        EXPECT_EQ(programEnds, 0);
        EXPECT_TRUE(messages.empty());
        // The next case starts from a fresh input screen.
        DeleteAllWindows();
        PumpEvents();
        programEnds = 0;
    }
}

}  // namespace
}  // namespace coredesign::gui::viewertest

namespace coredesign::gui::viewertest {
namespace {

// Without a stand-in: the print dialog comes up, and the page goes to the
// printer chosen there (here a PDF file).
TEST_F(ViewerTest, DefaultPrintShowsThePrintDialogAndPrintsThePage) {
    SetPrintSeam({});
    frmResult& results = Calculate({});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));
    const QString pdf = QString::fromStdString(dir + "/printed.pdf");
    bool dialogSeen = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintDialog*>(window);
            if (!dialog || !dialog->isVisible()) continue;
            dialogSeen = true;
            // The designer's choice in the dialog: print to a PDF file.
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            if (!printers || !file) {
                ADD_FAILURE() << "the print dialog has no printer list or file name field";
                dialog->reject();
                continue;
            }
            printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
            file->setText(pdf);
            dialog->accept();
        }
    });
    answer.start(20);
    QSignalSpy finished(&Browser(*viewer), &QWebEngineView::printFinished);
    Click(*viewer, "cmdPrint");
    ASSERT_TRUE(finished.wait(kLoadTimeoutMs));
    answer.stop();
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(finished.constFirst().constFirst().toBool());
    PumpEvents();  // the printer goes, and with it the file is closed
    const std::string printed = ReadFile(pdf.toStdString());
    EXPECT_EQ(printed.substr(0, 5), "%PDF-");
    EXPECT_NE(printed.find("%%EOF", printed.size() > 16 ? printed.size() - 16 : 0), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace coredesign::gui::viewertest

namespace coredesign::gui::viewertest {
namespace {

// A print that fails is told: here the printer is a PDF file in a folder
// that does not exist, so it cannot be opened. The same print to a file
// that can be written says nothing.
TEST_F(ViewerTest, APrintThatFailsIsTold) {
    struct Case {
        const char* name;
        std::string pdf;
        bool printed;
    } const cases[] = {
        {"printer cannot be opened", dir + "/missing/printed.pdf", false},
        {"printer opened", dir + "/printed.pdf", true},
    };
    frmResult& results = Calculate({});
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(c.pdf));
        SetPrintSeam([printer](QWebEngineView& view) { view.print(printer.get()); });
        QSignalSpy finished(&Browser(*viewer), &QWebEngineView::printFinished);
        Click(*viewer, "cmdPrint");
        ASSERT_TRUE(finished.wait(kLoadTimeoutMs));
        EXPECT_EQ(finished.constFirst().constFirst().toBool(), c.printed);
        PumpEvents();
        if (c.printed) {
            EXPECT_TRUE(messages.empty());
            EXPECT_TRUE(std::filesystem::exists(c.pdf));
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text,
                      QStringLiteral("UNABLE TO PRINT THE FILE AS IT IS NOT SAVED OR GENERATED FROM CORE DESIGN"));
            EXPECT_EQ(messages[0].title, kCaution);
            EXPECT_EQ(messages[0].icon, BoxIcon::Information);
            EXPECT_FALSE(std::filesystem::exists(c.pdf));
        }
        EXPECT_TRUE(viewer->isVisible());
        SetPrintSeam({});
    }
}

}  // namespace
}  // namespace coredesign::gui::viewertest

// The report viewer driven through its buttons: View Report from the results
// screen, Save, Open, Print and Save as PDF (Back and Reset Design are steps
// of the program's flow, checked there). A design is calculated on the real screens;
// a temporary folder is TEMP; the message box, the file dialog and the
// printer are stand-ins.
#include "frmHtmlReport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTcpServer>
#include <QUdpSocket>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <deque>
#include <fstream>

#include "app_startup.h"
#include "cli_session.h"
#include "command.h"
#include "screen_test.h"
#include "viewer_plugin.h"

namespace coredesign::gui::testing {
namespace {

using coredesign::testing::ReadFile;

const QString kCaution = QStringLiteral("Caution");
const QString kSorry = QStringLiteral("Sorry for the inconvenience\r\n\r\n");
const QString kCannotPrint =
    QStringLiteral("UNABLE TO PRINT THE FILE AS IT IS NOT SAVED OR GENERATED FROM CORE DESIGN");
// How long a page may take to load, the web engine's start included.
constexpr int kLoadTimeoutMs = 30000;

class ViewerTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        dir = temp.Path();
        Seams& seams = registry->StandIns();
        // Counts the prints and tells which page each was asked for; prints nothing.
        seams.print = [this](QWidget*) -> std::unique_ptr<QPrinter> {
            ++prints;
            printedUrl = Browser(*registry->Find<frmHtmlReport>()).url();
            return nullptr;
        };
        // The program's commands, with the viewer linked into this test.
        InstallCommands(*registry, [](QString&) { return &coredesign_view_report; });
    }

    // The design entered (as testing::Screen reads it) and Show Results pressed.
    frmResult& Calculate(const std::string& design) {
        Enter(design);
        ShowResults();
        PumpEvents();
        frmResult* results = registry->Find<frmResult>();
        if (!results || !results->isVisible()) throw std::runtime_error("the design did not reach the results screen");
        return *results;
    }

    // Presses View Report; the viewer, if one was opened.
    frmHtmlReport* ClickViewReport(frmResult& results) {
        Click(results, "cmdReport");
        return registry->Find<frmHtmlReport>();
    }

    // The design calculated, View Report pressed and the report loaded.
    frmHtmlReport* LoadedViewer(const std::string& design = "") {
        frmHtmlReport* viewer = ClickViewReport(Calculate(design));
        if (!viewer || !LoadBy(*viewer, [] {})) ADD_FAILURE() << "no report loaded in the viewer";
        return viewer;
    }

    static QWebEngineView& Browser(frmHtmlReport& viewer) { return Child<QWebEngineView>(viewer, "wb"); }

    // The value of a script run on the displayed page, apart from the page's own scripts.
    static QVariant PageValue(frmHtmlReport& viewer, const char* script) {
        QVariant value;
        bool done = false;
        Browser(viewer).page()->runJavaScript(QString::fromUtf8(script), QWebEngineScript::ApplicationWorld,
                                              [&](const QVariant& v) {
                                                  value = v;
                                                  done = true;
                                              });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kLoadTimeoutMs));
        return value;
    }

    // Runs `action` and waits until the browser has finished the load it started.
    template <class Action>
    static bool LoadBy(frmHtmlReport& viewer, Action action) {
        QSignalSpy loaded(&Browser(viewer), &QWebEngineView::loadFinished);
        action();
        if (loaded.isEmpty() && !loaded.wait(kLoadTimeoutMs)) return false;
        return loaded.constFirst().constFirst().toBool();
    }

    void ExpectCaution(std::size_t index, const QString& text) {
        ASSERT_EQ(messages.size(), index + 1);
        EXPECT_EQ(messages[index].text, text);
        EXPECT_EQ(messages[index].title, kCaution);
        EXPECT_EQ(messages[index].icon, BoxIcon::Information);
    }

    std::string TempReport() const { return dir + "/temp.htm"; }

    std::string dir;
    int prints = 0;
    QUrl printedUrl;
};

TEST_F(ViewerTest, ViewReportWritesTempHtmAndShowsItInTheViewer) {
    frmResult& results = Calculate("txtStack=3");
    frmHtmlReport* viewer = ClickViewReport(results);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(LoadBy(*viewer, [] {}));

    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(results.isVisible());  // stays open behind the viewer
    EXPECT_EQ(Browser(*viewer).url(), QUrl::fromLocalFile(QString::fromStdString(TempReport())));
    EXPECT_TRUE(messages.empty());

    // The file is byte for byte what the command-line front end writes for
    // the same design, and the page shows both pictures.
    const std::string cliReport = dir + "/cli.htm";
    ASSERT_EQ(coredesign::testing::RunCli({"--stack", "3", "--report", cliReport}).exitStatus, 0);
    EXPECT_EQ(ReadFile(TempReport()), ReadFile(cliReport));
    EXPECT_EQ(std::filesystem::status(TempReport()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(PageValue(*viewer, "Array.from(document.images).map(function (i) { return i.naturalWidth > 0; }).join()")
                  .toString(),
              QStringLiteral("true,true"));

    // View Report again: the same viewer, the file written anew.
    std::ofstream(TempReport()) << "stale";
    ASSERT_TRUE(LoadBy(*viewer, [&] { EXPECT_EQ(ClickViewReport(results), viewer); }));
    EXPECT_EQ(ReadFile(TempReport()), ReadFile(cliReport));
}

// A temporary folder the report cannot be written to, and a temp.htm planted
// there by someone else as a link to a file of the designer's: told, nothing
// written, and the program goes on.
TEST_F(ViewerTest, AReportThatCannotBeWrittenIsToldAndTheProgramGoesOn) {
    frmResult& results = Calculate("");
    const std::string designersFile = dir + "/shared/design.html";
    std::filesystem::create_directories(dir + "/shared");
    std::ofstream(designersFile) << "the designer's own work";
    std::filesystem::create_symlink(designersFile, dir + "/shared/temp.htm");
    const struct {
        std::string folder;
        QString failure;
    } cases[] = {
        {dir + "/missing", QStringLiteral("No such file or directory")},  // a folder that is not there
        {"/proc", QStringLiteral("No such file or directory")},           // one nobody may create files in
        {dir + "/shared", QString::fromStdString(dir + "/shared/temp.htm is a symbolic link (left untouched)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        messages.clear();
        tempEnv.emplace("TEMP", c.folder);
        EXPECT_EQ(ClickViewReport(results), nullptr);
        ExpectCaution(0, kSorry + c.failure);
        PumpEvents();
        EXPECT_TRUE(results.isVisible());
        EXPECT_EQ(programEnds, 0);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "/shared/temp.htm"));
    EXPECT_EQ(ReadFile(designersFile), "the designer's own work");
    tempEnv.emplace("TEMP", dir);
    EXPECT_NE(ClickViewReport(results), nullptr);
}

// Save copies the generated report under the chosen name plus ".html";
// Open shows a saved one, and Print prints what is shown.
TEST_F(ViewerTest, SaveThenOpenThenPrint) {
    frmHtmlReport* viewer = LoadedViewer("nogap pick=6234TXNG txtStack=2");
    ASSERT_NE(viewer, nullptr);
    const std::string report = ReadFile(TempReport());
    const QString folder = QString::fromStdString(dir);

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

    const QString saved = folder + QStringLiteral("/design.html");
    answers = {saved};
    ASSERT_TRUE(LoadBy(*viewer, [&] { Click(*viewer, "cmdOpen"); }));
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[3].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(dialogs[3].fileName, saved);  // the name Save was last given
    EXPECT_EQ(dialogs[3].filter, QStringLiteral("*.html"));
    EXPECT_EQ(Browser(*viewer).url(), QUrl::fromLocalFile(saved));
    Click(*viewer, "cmdPrint");
    EXPECT_TRUE(QTest::qWaitFor([&] { return prints == 1; }, kLoadTimeoutMs));
    EXPECT_EQ(printedUrl, QUrl::fromLocalFile(saved));
    EXPECT_TRUE(messages.empty());
}

// Print is refused, without a print, before any page is shown and for a page
// that lacks the report's print hook.
TEST_F(ViewerTest, PrintRefusesNoPageAndPagesWithoutThePrintHook) {
    Calculate("");
    frmHtmlReport& viewer = registry->Get<frmHtmlReport>();  // never navigated
    viewer.show();
    Click(viewer, "cmdPrint");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }, kLoadTimeoutMs));
    ExpectCaution(0, kCannotPrint);

    const std::string foreign = dir + "/other.html";
    std::ofstream(foreign) << "<html><body><p>Somebody else's page</p>"
                              "<input type=hidden name=printer onclick='window.print()'></body></html>";
    const QUrl foreignUrl = QUrl::fromLocalFile(QString::fromStdString(foreign));
    answers = {QString::fromStdString(foreign)};
    ASSERT_TRUE(LoadBy(viewer, [&] { Click(viewer, "cmdOpen"); }));
    EXPECT_EQ(Browser(viewer).url(), foreignUrl);
    Click(viewer, "cmdPrint");
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() > 1; }, kLoadTimeoutMs));
    ExpectCaution(1, kCannotPrint);
    EXPECT_EQ(prints, 0);
    EXPECT_EQ(Browser(viewer).url(), foreignUrl);
    EXPECT_TRUE(viewer.isVisible());
}

// Failures of Save and Open are told, and leave the files and the display
// as they were.
TEST_F(ViewerTest, SaveAndOpenFailuresLeaveFilesAndDisplayAlone) {
    frmHtmlReport* viewer = LoadedViewer();
    ASSERT_NE(viewer, nullptr);
    const QUrl shown = Browser(*viewer).url();
    QSignalSpy started(&Browser(*viewer), &QWebEngineView::loadStarted);
    const QString folder = QString::fromStdString(dir);
    answers = {folder + QStringLiteral("/missing/design"),
               std::nullopt,
               folder + QStringLiteral("/no-such-report.html"),
               folder,
               folder + QStringLiteral("/design"),
               folder + QStringLiteral("/design")};

    Click(*viewer, "cmdSave");  // into a folder that does not exist
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(kSorry)) << messages[0].text.toStdString();
    EXPECT_GT(messages[0].text.size(), kSorry.size());
    EXPECT_EQ(messages[0].title, kCaution);
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
    Click(*viewer, "cmdOpen");  // cancelled
    EXPECT_EQ(messages.size(), 1u);
    Click(*viewer, "cmdOpen");  // a file that is not there
    ExpectCaution(1, kSorry + QStringLiteral("No such file or directory"));
    Click(*viewer, "cmdOpen");  // a folder
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_TRUE(messages[2].text.startsWith(kSorry));

    // The Print that follows still finds the generated report: nothing was navigated.
    Click(*viewer, "cmdPrint");
    EXPECT_TRUE(QTest::qWaitFor([&] { return prints == 1; }, kLoadTimeoutMs));
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(Browser(*viewer).url(), shown);

    // A full disk cuts the copy short: an earlier copy stays as it was.
    std::ofstream(dir + "/design.html") << "earlier";
    {
        const coredesign::testing::ScopedFileSizeLimit fullDisk(64);  // the report is some kB
        Click(*viewer, "cmdSave");
    }
    ExpectCaution(3, kSorry + QStringLiteral("File too large"));  // the system's word for the limit
    EXPECT_EQ(ReadFile(dir + "/design.html"), "earlier");
    EXPECT_TRUE(viewer->isVisible());
}

// Save writes the report the viewer was given as generated, whatever the
// shared temp.htm holds by then: another instance of the program sharing the
// temporary folder may have written its own there, or removed it.
TEST_F(ViewerTest, SaveWritesTheGeneratedReportWhateverTempHtmHoldsNow) {
    frmHtmlReport* viewer = LoadedViewer("pick=6230TXGP txtStack=3");
    ASSERT_NE(viewer, nullptr);
    const std::string generated = ReadFile(TempReport());
    const QString folder = QString::fromStdString(dir);
    answers = {folder + QStringLiteral("/design"), folder + QStringLiteral("/again")};
    std::ofstream(TempReport()) << "another instance's report";
    Click(*viewer, "cmdSave");
    EXPECT_EQ(ReadFile(dir + "/design.html"), generated);
    std::filesystem::remove(TempReport());
    Click(*viewer, "cmdSave");
    EXPECT_EQ(ReadFile(dir + "/again.html"), generated);
    EXPECT_TRUE(messages.empty());
}

// A print that fails is told with its reason: here the printer is a PDF
// file in a folder that does not exist.
TEST_F(ViewerTest, PrintFailureIsTold) {
    frmHtmlReport* viewer = LoadedViewer();
    ASSERT_NE(viewer, nullptr);
    const std::string unwritable = dir + "/missing/printed.pdf";
    registry->StandIns().print = [unwritable](QWidget*) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(unwritable));
        return printer;
    };
    QSignalSpy finished(&Browser(*viewer), &QWebEngineView::printFinished);
    Click(*viewer, "cmdPrint");
    ASSERT_TRUE(finished.wait(kLoadTimeoutMs));
    EXPECT_FALSE(finished.constFirst().constFirst().toBool());
    PumpEvents();
    ExpectCaution(0, kSorry + QStringLiteral("Printing failed: No such file or directory"));
    EXPECT_FALSE(std::filesystem::exists(unwritable));
    EXPECT_TRUE(viewer->isVisible());
}

// A page received from someone else tries to read the designer's files and
// to reach a server (here one on the loopback the test starts): nothing
// arrives there, nothing of the file is read, and the page stays where it is.
TEST_F(ViewerTest, AHostilePageReadsNothingAndSendsNothing) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QUdpSocket datagrams;  // where a peer connection's probes would land
    ASSERT_TRUE(datagrams.bind(QHostAddress::LocalHost, server.serverPort()));
    QSignalSpy connections(&server, &QTcpServer::newConnection), received(&datagrams, &QUdpSocket::readyRead);
    const std::string secret = dir + "/secret.txt";
    std::ofstream(secret) << "designer-secret-42";
    const QString site = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
    const QString file = QUrl::fromLocalFile(QString::fromStdString(secret)).toString();
    const std::string hostile = dir + "/hostile.html";
    std::ofstream(hostile)
        << QStringLiteral(
               "<html><head><meta http-equiv=refresh content='1;url=%1refresh'>"
               "<link rel=stylesheet href='%1style.css'></head><body><p id=out>untouched</p>"
               "<img src='%1picture.gif'><iframe src='%2'></iframe><iframe src='%1frame'></iframe>"
               "<object data='%2'></object><a id=away href='%1link'>away</a><script>"
               "var out = document.getElementById('out');"
               "fetch('%2').then(function (r) { return r.text(); }).then(function (t) { out.textContent = t; });"
               "var x = new XMLHttpRequest(); x.open('GET', '%2');"
               "x.onload = function () { out.textContent = x.responseText; }; x.send();"
               "fetch('%1fetch', {mode: 'no-cors'}); new WebSocket('ws' + '%1socket'.slice(4));"
               "new Image().src = '%1image'; navigator.sendBeacon('%1beacon', 'x');"
               "var pc = new RTCPeerConnection({iceServers: [{urls: 'stun:' + '%1'.slice(7, -1)}]});"
               "pc.createDataChannel('x'); pc.createOffer().then(function (o) { pc.setLocalDescription(o); });"
               "document.title = 'script ran';</script></body></html>")
               .arg(site, file)
               .toStdString();
    frmHtmlReport& viewer = registry->Get<frmHtmlReport>();
    viewer.show();
    const QUrl hostileUrl = QUrl::fromLocalFile(QString::fromStdString(hostile));
    answers = {QString::fromStdString(hostile)};
    ASSERT_TRUE(LoadBy(viewer, [&] { Click(viewer, "cmdOpen"); }));
    QSignalSpy moved(&Browser(viewer), &QWebEngineView::urlChanged);
    PageValue(viewer, "document.getElementById('away').click()");  // a link followed

    connections.wait(3000);  // longer than the page's refresh
    EXPECT_EQ(connections.count(), 0);
    EXPECT_EQ(received.count(), 0);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(Str(Browser(viewer).url().toString()), Str(hostileUrl.toString()));
    EXPECT_EQ(Str(PageValue(viewer, "document.title + '|' + document.getElementById('out').textContent").toString()),
              "|untouched");
    // Nowhere on the page, its frames included, is the file's text shown.
    std::optional<int> matches;
    Browser(viewer).page()->findText(QStringLiteral("designer-secret-42"), {},
                                     [&](const QWebEngineFindTextResult& r) { matches = r.numberOfMatches(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return matches.has_value(); }, kLoadTimeoutMs));
    EXPECT_EQ(*matches, 0);
    EXPECT_TRUE(messages.empty());
}

// Save as PDF writes what the command-line front end's --pdf writes for the
// same design (their text, as poppler's pdftotext reads it); a cancelled
// dialog writes nothing and a failure is told.
TEST_F(ViewerTest, SaveAsPdfWritesTheCliPdfsText) {
    ASSERT_EQ(std::system("command -v pdftotext >/dev/null"), 0) << "poppler-utils is missing (install-deps)";
    frmHtmlReport* viewer = LoadedViewer("pick=6230TXGP txtStack=3");
    ASSERT_NE(viewer, nullptr);
    const QString folder = QString::fromStdString(dir);
    QSignalSpy finished(viewer, &frmHtmlReport::PdfSaveFinished);
    answers = {std::nullopt, folder + QStringLiteral("/design"), folder + QStringLiteral("/missing/design.pdf")};

    Click(*viewer, "cmdSavePdf");  // cancelled
    PumpEvents();
    EXPECT_EQ(finished.count(), 0);
    Click(*viewer, "cmdSavePdf");
    ASSERT_TRUE(finished.wait(kLoadTimeoutMs));
    EXPECT_TRUE(finished.constLast().constFirst().toBool());
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].filter, QStringLiteral("PDF (*.pdf)"));
    const coredesign::testing::TempFolder cliDir;
    ASSERT_EQ(coredesign::testing::RunCommand(
                  std::string(COREDESIGN_CLI) + " --pick 6230TXGP --stack 3 --pdf " + cliDir.File("cli.pdf"), cliDir)
                  .exitStatus,
              0);
    auto text = [&](const std::string& pdf) {
        return coredesign::testing::RunCommand("pdftotext " + pdf + " -", cliDir).out;
    };
    const std::string saved = text(dir + "/design.pdf");
    EXPECT_NE(saved.find("Core Data"), std::string::npos) << saved;
    EXPECT_EQ(saved, text(cliDir.File("cli.pdf")));
    EXPECT_TRUE(messages.empty());

    Click(*viewer, "cmdSavePdf");  // into a folder that does not exist
    ASSERT_TRUE(finished.wait(kLoadTimeoutMs));
    EXPECT_FALSE(finished.constLast().constFirst().toBool());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(kSorry)) << messages[0].text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
}

}  // namespace
}  // namespace coredesign::gui::testing

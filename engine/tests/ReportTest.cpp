// loom's reports: the JUnit file read back as the results it was written
// from (what ./kestrel run -j and a CI merge rely on), the page's source
// lines and order, and the window a failure's message names.
#include "FailureCapture.h"
#include "HtmlReport.h"
#include "JUnitReport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_Dir = fs::temp_directory_path() / ("loom-report-test-" + std::to_string(stamp));
        fs::create_directories(m_Dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_Dir, ec);
    }
    std::string Write(const std::string& name, const std::string& text)
    {
        const fs::path path = m_Dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    std::string Read(const std::string& name)
    {
        std::ifstream in(m_Dir / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path m_Dir;
};

std::vector<ScriptResult> SampleResults(const std::string& scriptPath)
{
    ScriptResult passed;
    passed.name = "passes.lm";
    passed.path = "passes.lm";
    passed.seconds = 0.25;
    passed.lines = {"passes.lm: warning: ended notepad.exe (process 7), which the script had started and left running"};

    ScriptResult failed;
    failed.name = scriptPath;
    failed.path = scriptPath;
    failed.outcome = Outcome::Failed;
    failed.errors = 2;
    failed.seconds = 3.5;
    failed.failureFile = scriptPath;
    failed.failureLine = 2;
    failed.lines = {scriptPath + ":2: error: the <status> & \"text\"", scriptPath + ":3: error: second"};
    failed.screenshots = {"C:/results/fails-screen.png"};

    ScriptResult broken;
    broken.name = "broken.lm";
    broken.path = "broken.lm";
    broken.outcome = Outcome::Broken;
    broken.errors = 1;
    broken.lines = {"broken.lm:1:5: error: expected ';'"};
    return {passed, failed, broken};
}

}  // namespace

TEST_F(ReportTest, JUnitReadsBackAsTheResultsItWasWrittenFrom)
{
    const std::vector<ScriptResult> written = SampleResults("fails.lm");
    const std::string file = (m_Dir / "run.xml").string();
    ASSERT_TRUE(WriteJUnit(file, written));
    EXPECT_NE(Read("run.xml").find("[[ATTACHMENT|C:/results/fails-screen.png]]"), std::string::npos);

    std::vector<ScriptResult> read;
    ASSERT_TRUE(ReadJUnit(file, read));
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(written[i].name);
        EXPECT_EQ(read[i].name, written[i].name);
        EXPECT_EQ(read[i].outcome, written[i].outcome);
        EXPECT_EQ(read[i].errors, written[i].errors);
        EXPECT_NEAR(read[i].seconds, written[i].seconds, 0.0005);
        EXPECT_EQ(read[i].lines, written[i].lines);  // escaped and unescaped again
        EXPECT_EQ(read[i].screenshots, written[i].screenshots);
        EXPECT_EQ(read[i].failureLine, written[i].failureLine);
    }
}

TEST_F(ReportTest, ReadingSomethingElseThanAJUnitFileFails)
{
    std::vector<ScriptResult> read;
    EXPECT_FALSE(ReadJUnit((m_Dir / "absent.xml").string(), read));
    EXPECT_FALSE(ReadJUnit(Write("plain.txt", "not a report\n"), read));
    EXPECT_FALSE(ReadJUnit(Write("cut.xml", "<testsuites><testsuite name=\"loom\">\n<testcase name=\"a.lm\" time=\"1"), read));
    EXPECT_TRUE(read.empty());
}

TEST_F(ReportTest, SourceLinesAreReadFromTheFileTheReportNames)
{
    const std::string script = Write("fails.lm", "int a;\nLogError(\"x\");\n   print(a);   \n");
    Write("included.lm", "first\nsecond line\n");
    ScriptResult r;
    r.name = script;
    r.path = script;
    EXPECT_EQ(SourceLineOf(script + ":2: error: x", r), "LogError(\"x\");");
    EXPECT_EQ(SourceLineOf(script + ":3:4: error: y", r), "print(a);");
    // An included file lies beside the script.
    EXPECT_EQ(SourceLineOf("included.lm:2: warning: z", r), "second line");
    // Past the end, no line, no file.
    EXPECT_EQ(SourceLineOf(script + ":9: error: y", r), "");
    EXPECT_EQ(SourceLineOf(script + ": warning: ended notepad.exe", r), "");
    EXPECT_EQ(SourceLineOf("nowhere.lm:1: error: z", r), "");
}

TEST_F(ReportTest, PageShowsTotalsEscapedLinesAndTheSlowestFirst)
{
    const std::string script = Write("fails.lm", "int a;\nLogError(\"<status>\");\n");
    const std::string shot = Write("fails-screen.png", "png");
    std::vector<ScriptResult> results = SampleResults(script);
    results[1].screenshots = {shot};
    ASSERT_TRUE(WriteHtmlReport((m_Dir / "report").string(), results));
    const std::string page = Read("report/index.html");
    EXPECT_NE(page.find("1 passed"), std::string::npos);
    EXPECT_NE(page.find("1 failed"), std::string::npos);
    EXPECT_NE(page.find("1 not run"), std::string::npos);
    EXPECT_NE(page.find("error: the &lt;status&gt; &amp; &quot;text&quot;"), std::string::npos);
    EXPECT_NE(page.find("<pre class=\"source\">LogError(&quot;&lt;status&gt;&quot;);</pre>"), std::string::npos);
    // The screenshot lies outside the folder: the page links its copy.
    EXPECT_NE(page.find("<a href=\"screenshots/fails-screen.png\"><img class=\"thumb\" src=\"screenshots/fails-screen.png\""),
              std::string::npos);
    EXPECT_TRUE(fs::exists(m_Dir / "report" / "screenshots" / "fails-screen.png"));
    // Slowest first: 3.5 s, 0.25 s, 0 s.
    const size_t table = page.find("<table id=\"slowest\">");
    ASSERT_NE(table, std::string::npos);
    const size_t slow = page.find("3.500 s", table), middle = page.find("0.250 s", table),
                 fast = page.find("0.000 s", table);
    EXPECT_LT(slow, middle);
    EXPECT_LT(middle, fast);
    EXPECT_EQ(page.find("http"), std::string::npos);
}

TEST(FailureCaptureTest, TheWindowAnErrorNamesIsFoundInItsMessage)
{
    std::string tag, windowClass;
    ASSERT_TRUE(FailureCapture::NamedWindow(
        "Window 'KestrelTarget' (class 'KestrelTargetFrame') is not responding. (K00303)", tag, windowClass));
    EXPECT_EQ(tag, "KestrelTarget");
    EXPECT_EQ(windowClass, "KestrelTargetFrame");
    ASSERT_TRUE(FailureCapture::NamedWindow("Window 'Main' not found (Class='#32770', Tag='Save As'). (K00100)", tag,
                                            windowClass));
    EXPECT_EQ(tag, "Save As");
    EXPECT_EQ(windowClass, "#32770");
    EXPECT_FALSE(FailureCapture::NamedWindow("index 3 of 'a' is out of range 1..2", tag, windowClass));
    EXPECT_FALSE(FailureCapture::NamedWindow("Window 'cut (class 'C", tag, windowClass));
}

// The help button: it opens "Manual Nicset.pdf" from the working directory,
// and says so when the manual is not there.

#include <gtest/gtest.h>

#include "NicsetFixture.h"
#include "resource.h"

namespace e2e {
namespace {

constexpr char kManual[] = "Manual Nicset.pdf";

std::string BesideNicset(const char* file) {
    const std::string nicset = NicsetPath();
    return nicset.substr(0, nicset.find_last_of('\\') + 1) + file;
}

// Windows paths compare without regard to case.
testing::AssertionResult SamePath(const std::string& a, const std::string& b) {
    if (lstrcmpiA(a.c_str(), b.c_str()) == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << a << " is not " << b;
}

class HelpTest : public NicsetTest {
protected:
    void SetUp() override {
        NicsetTest::SetUp();
        RecordOpensOf(".pdf");
        // The shell also finds a relative name in the program's own folder,
        // where the build puts the manual. Run a copy from the working
        // directory, as a user runs the unpacked release, so that the working
        // directory decides.
        program_ = WorkPath("Nicset.exe");
        ASSERT_TRUE(CopyFileA(NicsetPath().c_str(), program_.c_str(), FALSE));
    }
};

TEST_F(HelpTest, TheHelpButtonOpensTheManualOrSaysItIsNotFound) {
    const std::string builtManual = BesideNicset(kManual);
    ASSERT_TRUE(FileExists(builtManual)) << builtManual << " was not built";
    struct Row {
        const char* what;
        bool manualThere;
    };
    const Row rows[] = {{"manual in the working directory", true}, {"no manual", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ForgetOpenedFiles();
        DeleteFileA(WorkPath(kManual).c_str());
        if (row.manualThere) {
            ASSERT_TRUE(CopyFileA(builtManual.c_str(), WorkPath(kManual).c_str(), FALSE));
        }
        WriteConfigFile({});
        Start();
        ClickButton(Main(), IDC_HELP_DOCUMENT);
        if (row.manualThere) {
            ASSERT_TRUE(WaitUntil([] { return !OpenedFiles().empty(); }))
                << "the manual was not opened";
            EXPECT_TRUE(SamePath(OpenedFiles().front(), WorkPath(kManual)));
            EXPECT_EQ(WaitForMessageBox(Process(), "Error", kMustNotComeMs).window, nullptr)
                << "an error was shown although the manual is there";
        } else {
            MessageBoxSeen box = WaitForMessageBox(Process(), "Error");
            EXPECT_EQ(box.text, "Help file not found");
            if (box.window != nullptr) AnswerMessageBox(box.window, IDOK);
        }
        WatchBriefly();  // a late second open
        EXPECT_EQ(OpenedFiles().size(), row.manualThere ? 1u : 0u);
        Exit();
    }
}

}  // namespace
}  // namespace e2e

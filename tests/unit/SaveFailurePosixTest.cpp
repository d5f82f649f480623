// A save whose writes really fail: the file size limit makes the writes to
// the temporary file fail with EFBIG, as a full disk would.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/ConfigFile.h"

bool PlantLink(const std::string& target, const std::string& link) {
    return symlink(target.c_str(), link.c_str()) == 0;
}

namespace {

TEST(SaveFailurePosixTest, AFailedWriteLeavesTheOldFileByteForByte) {
    ScratchDirectory directory;
    const std::string path = directory.File(kConfigFileName);
    const std::string oldBytes = "Nombre: Old\r\n2- Sevidor DNS: 1.1.1.1\r\n";
    WriteBytes(path, oldBytes);
    ConfigurationList list;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(list.Append(MakeRecord({"Record " + std::to_string(i), false, "10.0.0.1"})));
    }

    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // Only the child runs under the limit; it tells the parent what it saw.
        close(report[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        ScriptedPrompts prompts;
        ConfigFileSession session;
        const bool saved = SaveConfigurations(path.c_str(), list, prompts, session);
        std::string seen = saved ? "saved" : "failed";
        for (const Prompt& error : prompts.errors) {
            seen += "|" + error.title + "|" + error.text;
        }
        const ssize_t written = write(report[1], seen.data(), seen.size());
        _exit(written == static_cast<ssize_t>(seen.size()) ? 0 : 1);
    }
    close(report[1]);
    std::string seen;
    char buffer[256];
    for (ssize_t got; (got = read(report[0], buffer, sizeof buffer)) > 0;) {
        seen.append(buffer, static_cast<std::size_t>(got));
    }
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(seen, "failed|Error|Error writing config file " + path);
    EXPECT_EQ(ReadBytes(path), oldBytes);
    EXPECT_EQ(directory.Names(), std::vector<std::string>{kConfigFileName});
}

}  // namespace

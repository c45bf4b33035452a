// The program as a user runs it: exit codes and messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "KorvuTestSupport.h"

namespace {

struct ProgramRun {
    int code;
    std::string output; // stdout and stderr together
};

ProgramRun Korvu(const std::string& args) {
    const std::string cmd = std::string(KORVU_BIN) + " " + args + " 2>&1";
    ProgramRun run{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return run;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        run.output.append(buf, n);
    const int status = pclose(p);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(KorvuProgram, SampleDumpAndResave) {
    KorvuTempDir dir;
    ASSERT_EQ(Korvu("sample " + dir.File("a.kvd")).code, 0);
    ProgramRun dump = Korvu("dump " + dir.File("a.kvd"));
    EXPECT_EQ(dump.code, 0);
    EXPECT_NE(dump.output.find("RDxPoint3 #2 (420,297,0)"), std::string::npos) << dump.output;
    ASSERT_EQ(Korvu("resave " + dir.File("a.kvd") + " " + dir.File("b.kvd")).code, 0);
    std::ifstream a(dir.File("a.kvd"), std::ios::binary), b(dir.File("b.kvd"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}),
              std::string(std::istreambuf_iterator<char>(b), {}));
}

TEST(KorvuProgram, BadInputGivesOneMessageAndExitCode2) {
    KorvuTempDir dir;
    std::ofstream(dir.File("junk.kvd")) << "not a drawing";
    struct Case {
        std::string args;
        const char* says;
    };
    const Case cases[] = {
        {"", "no verb"},
        {"frobnicate", "unknown verb 'frobnicate'"},
        {"dump", "wrong number of arguments"},
        {"dump " + dir.File("missing.kvd"), "cannot be read"},
        {"dump " + dir.File("junk.kvd"), "not a Korvu document"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        ProgramRun r = Korvu(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    }
    EXPECT_EQ(Korvu("--help").code, 0);
}

} // namespace

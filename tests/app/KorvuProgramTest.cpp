// The program as a user runs it: model in, drawing and pictures out; exit codes and messages.
#include <freexl.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KorvuDbReaders.h"
#include "KorvuTestSupport.h"
#include "SvgCompare.h"

namespace {

struct SheetPoint {
    double x, y;
};

struct ProgramRun {
    int code;
    std::string output; // stdout and stderr together
};

// A shell command line, its output and exit code.
ProgramRun Shell(const std::string& line) {
    const std::string cmd = "{ " + line + "; } 2>&1";
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

ProgramRun Korvu(const std::string& args) {
    return Shell(std::string(KORVU_BIN) + " " + args);
}

std::string Examples() {
    const char* data = std::getenv("KORVU_TEST_DATA");
    return std::string(data ? data : "tests") + "/../examples";
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(KorvuProgram, AModelBecomesADrawingThatOpensToTheSameDump) {
    KorvuTempDir dir;
    const std::string model = Examples() + "/assembly.json";
    const std::string script = Examples() + "/assembly.txt";
    ProgramRun run = Korvu("run " + model + " " + script + " -o " + dir.File("a.kvd") + " --svg " +
                           dir.Path() + " --png " + dir.Path() + " --pdf " + dir.File("a.pdf"));
    ASSERT_EQ(run.code, 0) << run.output;
    EXPECT_TRUE(std::filesystem::exists(dir.File("Sheet_1.svg")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Sheet_1.png")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("a.pdf")));

    ProgramRun dump = Korvu("dump " + dir.File("a.kvd"));
    EXPECT_EQ(dump.code, 0);
    EXPECT_NE(dump.output.find("sheet \"Sheet 1\" 420 x 297"), std::string::npos) << dump.output;
    EXPECT_NE(dump.output.find("view \"Front\""), std::string::npos) << dump.output;
    EXPECT_NE(dump.output.find("view \"Top\""), std::string::npos) << dump.output;

    ASSERT_EQ(Korvu("open " + dir.File("a.kvd") + " -o " + dir.File("b.kvd")).code, 0);
    EXPECT_EQ(Korvu("dump " + dir.File("b.kvd")).output, dump.output);
    EXPECT_EQ(Read(dir.File("b.kvd")), Read(dir.File("a.kvd")));
}

// The example transcripts, each replayed on the example model: the frames (one per standard,
// one turned, one of three lines, one edited) and the parts lists (created, grouped, sorted,
// filtered, renumbered, a custom row, an override, item numbers pushed back, renamed, moved,
// edited again, a second one deleted), the notes, the balloons and the weld symbols.
struct Example {
    const char* transcript;
    const char* expected; // the expected files' stem
    std::vector<std::string> journalled; // texts the session's own transcript holds
    const char* input = nullptr;         // the user's drags played after the transcript
};
const Example kExamples[] = {
    {"assembly.txt", "assembly", {"RotateGDTSymbol ", "Create=false"}},
    {"partslist.txt",
     "partslist",
     {"CreatePartListLocalBOM ", "EditPartList ", "PartListSort ", "PartListRename ",
      "DeletePartList ", "EditType=1"}},
    {"notes.txt",
     "notes",
     {"CreateGeneralNote ", "EditGeneralNote ", "ResizeGeneralNote ", "RotateGeneralNote ",
      "PasteGeneralNote "}},
    {"balloons.txt",
     "balloons",
     {"CreateBalloonSymbolLocalBOM ", "New_Balloon_Style ", "PartListSort ", "Cookie=\"9\"",
      "ChangeBalloonSymAnchor "}},
    {"datums.txt",
     "datums",
     {"CreateDatumIdSymbol ", "DatumIDStyle=@\"DUxIdStyle#DIN\"", "CreateCenterDatumSymbol ",
      "EditCenterDatumSymbol "}},
    {"sketched.txt",
     "sketched",
     {"CreateSketch ", "CreateCallOutSymbol ", "EditCallOutSymbol ", "SortSketchedSymbols ",
      "CalloutChangeType=2", "NewSketch=@\"DLxSketch#Inspection tag\""}},
    {"datumtargets.txt",
     "datumtargets",
     {"CreateDatumTarget ", "EditDatumTarget ", "AttachBalloon ", "ReOrientDatumTarget ",
      "TransientDatumTarget_DefaultBalloon_DatumTargetText=\"C2\""}},
    {"welds.txt",
     "welds",
     {"CreateWeldSymbol ", "Create=false", "WeldSymbolInstance=", "\"AddSubWeld\"",
      "WeldSymbolVisibility "}},
    {"surfacetexture.txt", "surfacetexture", {"CreateSurfTXTSymbol ", "Create=false"}},
    {"leaders.txt",
     "leaders",
     {"ChangeSymLeader ", "AddArrowHead ", "ArrowHead=28032", "DeleteSymLeader ",
      "ChangeSymLeader SymbolInstance=\"DLxGDTInstance#175,262#199\" ChangeType=1",
      "ChangeSymAnchor ", "Fields_e=\"2 SURFACES\"", "LinesFramed=[true,true,false]"},
     "leaders.input"},
};

// The drawing's dump and picture are the expected ones, the session's own transcript replays
// to the same bytes, and the stored drawing draws the same again.
TEST(KorvuProgram, TheExamplesDrawReplayAndReopen) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.transcript);
        KorvuTempDir dir;
        const std::string model = Examples() + "/assembly.json";
        const std::string input = e.input ? " --input " + Examples() + "/" + e.input : "";
        ProgramRun run =
            Korvu("run " + model + " " + Examples() + "/" + e.transcript + input + " -o " +
                  dir.File("a.kvd") + " --svg " + dir.Path() + " --transcript " + dir.File("own.txt"));
        ASSERT_EQ(run.code, 0) << run.output;
        {
            std::ofstream(dir.File("dump.txt"), std::ios::binary)
                << Korvu("dump " + dir.File("a.kvd")).output;
        }
        const std::string stem = e.expected;
        EXPECT_TRUE(MatchesExpectedFile(dir.File("dump.txt"), "app/expected", stem + "_dump.txt"));
        EXPECT_TRUE(
            MatchesExpectedFile(dir.File("Sheet_1.svg"), "app/expected", stem + "_sheet.svg"));

        const std::string own = Read(dir.File("own.txt"));
        for (const std::string& text : e.journalled)
            EXPECT_NE(own.find(text), std::string::npos) << text;
        ASSERT_EQ(
            Korvu("run " + model + " " + dir.File("own.txt") + " -o " + dir.File("b.kvd")).code, 0);
        EXPECT_EQ(Read(dir.File("b.kvd")), Read(dir.File("a.kvd")));

        const std::string reopened = dir.Path() + "/reopened";
        std::filesystem::create_directories(reopened);
        ASSERT_EQ(Korvu("open " + dir.File("a.kvd") + " --svg " + reopened).code, 0);
        EXPECT_EQ(Read(reopened + "/Sheet_1.svg"), Read(dir.File("Sheet_1.svg")));
    }
}

// Undoing every request of an example (as "Undo" lines of a transcript) gives back the bytes of
// the drawing the model makes with no request at all.
TEST(KorvuProgram, UndoingTheExamplesGivesBackTheEmptyDrawing) {
    KorvuTempDir dir;
    const std::string model = Examples() + "/assembly.json";
    std::ofstream(dir.File("empty.txt")) << "# nothing\n";
    ASSERT_EQ(
        Korvu("run " + model + " " + dir.File("empty.txt") + " -o " + dir.File("empty.kvd")).code,
        0);
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.transcript);
        std::string script = Read(Examples() + "/" + e.transcript);
        int requests = 0;
        std::istringstream lines(script);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] != '#') ++requests;
        ASSERT_GT(requests, 0);
        for (int i = 0; i < requests; ++i)
            script += "Undo\n";
        std::ofstream(dir.File("undone.txt"), std::ios::binary) << script;
        ProgramRun run =
            Korvu("run " + model + " " + dir.File("undone.txt") + " -o " + dir.File("undone.kvd"));
        ASSERT_EQ(run.code, 0) << run.output;
        EXPECT_EQ(Read(dir.File("undone.kvd")), Read(dir.File("empty.kvd")));
    }
}

// A text the SVG of a sheet draws: where (sheet coordinates, y up) and what.
struct DrawnText {
    double x, y;
    std::string text;
};
std::vector<DrawnText> SvgTexts(const std::string& svg, double sheetHeight) {
    std::vector<DrawnText> out;
    const std::string open = "<text transform=\"matrix(1 0 0 1 ";
    for (size_t at = svg.find(open); at != std::string::npos; at = svg.find(open, at + 1)) {
        DrawnText t{};
        std::istringstream pos(svg.substr(at + open.size(), 40));
        pos >> t.x >> t.y;
        t.y = sheetHeight - t.y;
        const size_t start = svg.find('>', at) + 1;
        t.text = svg.substr(start, svg.find("</text>", start) - start);
        out.push_back(t);
    }
    return out;
}

// The example's balloons, each by the point that names it, and the part number of the row it
// stands for; the parts list's row of that part number shows the number the balloon must show.
// Before the renumbering, after it, after undoing it and after redoing it, each balloon draws
// its row's number, and a balloon on a row of an assembly its assembly's number first; a
// balloon moved onto another component draws that component's.
TEST(KorvuProgram, BalloonsShowTheirPartsListRowsNumbers) {
    const std::pair<SheetPoint, const char*> balloons[] = {
        {{55, 205}, "BR-101"},          {{110, 162}, "SH-102"},
        {{60, 172}, "BU-103"},          {{235, 222}, "ISO 4017 M8x30"},
        {{245, 201}, "ISO 7089 8"},     {{235, 184}, "ISO 4032 M8"},
        {{235, 265}, "DM24-60"},        {{60, 255}, "CA-110"},
    };
    const std::string model = Examples() + "/assembly.json";
    const std::string full = Read(Examples() + "/balloons.txt");
    const size_t renumbering = full.find("\nPartListSort ");
    ASSERT_NE(renumbering, std::string::npos);
    const size_t sequenced = full.find('\n', full.find("\nEditPartList ", renumbering) + 1);
    ASSERT_NE(sequenced, std::string::npos);
    const std::string renumbered = full.substr(0, sequenced + 1);
    struct Stage {
        const char* what;
        std::string script;
    };
    const Stage stages[] = {
        {"created", full.substr(0, renumbering + 1)},
        {"renumbered", full},
        {"after undoing it", renumbered + "Undo\n"},
        {"after redoing it", renumbered + "Undo\nRedo\n"},
    };
    std::vector<std::vector<std::string>> shown;
    for (const Stage& s : stages) {
        SCOPED_TRACE(s.what);
        KorvuTempDir dir;
        std::ofstream(dir.File("t.txt"), std::ios::binary) << s.script;
        ProgramRun run = Korvu("run " + model + " " + dir.File("t.txt") + " --svg " + dir.Path());
        ASSERT_EQ(run.code, 0) << run.output;
        const std::vector<DrawnText> texts = SvgTexts(Read(dir.File("Sheet_1.svg")), 297);
        // The text nearest the balloon's point (shapes put their text off the centre), within
        // the balloon's size.
        auto at = [&](double x, double y) {
            const DrawnText* nearest = nullptr;
            auto d = [&](const DrawnText& t) { return std::hypot(t.x - x, t.y - y); };
            for (const DrawnText& t : texts)
                if (d(t) < 6 && (!nearest || d(t) < d(*nearest))) nearest = &t;
            return nearest ? nearest->text : std::string();
        };
        std::vector<std::string> numbers;
        for (const auto& [point, partNumber] : balloons) {
            SCOPED_TRACE(partNumber);
            // The list's row: the part number's text, and the item text leftmost on its line.
            const DrawnText* part = nullptr;
            for (const DrawnText& t : texts)
                if (t.text == partNumber && t.x > 250) part = &t;
            ASSERT_NE(part, nullptr);
            const DrawnText* item = nullptr;
            for (const DrawnText& t : texts)
                if (std::abs(t.y - part->y) < 0.01 && t.x > 250 && (!item || t.x < item->x))
                    item = &t;
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(at(point.x, point.y), item->text);
            numbers.push_back(item->text);
        }
        shown.push_back(numbers);
        // The collar and the set screw, rows of the collar assembly, take its number first.
        const std::string assembly = numbers.back();
        EXPECT_EQ(at(60, 237), assembly + ".1");
        // The set screw's balloon, moved onto the collar at the end, numbers the collar's row as
        // the collar's own balloon does.
        EXPECT_EQ(at(235, 242), assembly + (s.script == full ? ".1" : ".2"));
    }
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_NE(shown[1], shown[0]);
    EXPECT_EQ(shown[2], shown[0]);
    EXPECT_EQ(shown[3], shown[1]);
}

TEST(KorvuProgram, BadInputGivesOneMessageAndExitCode2AndWritesNothing) {
    KorvuTempDir dir;
    const std::string script = Examples() + "/assembly.txt";
    auto model = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name)) << text;
        return dir.File(name);
    };
    const std::string head = R"({"format":"korvu-model","version":1,"standard":"ISO","sheets":[)";
    struct Case {
        std::string args;
        std::vector<std::string> says;
    };
    const Case cases[] = {
        {"", {"no verb"}},
        {"frobnicate", {"unknown verb 'frobnicate'"}},
        {"run " + model("one.json", "{}"), {"takes a model and a transcript"}},
        {"run --frob x y", {"unknown option '--frob'"}},
        {"dump " + dir.File("missing.kvd"), {"cannot be read"}},
        {"dump " + model("junk.kvd", "not a drawing"), {"not a Korvu document"}},
        {"run " + model("notjson.json", "{ nope") + " " + script, {"notjson.json"}},
        {"run " + Examples() + " " + script, {"examples: is a folder"}},
        {"run " + model("nosheets.json", R"({"format":"korvu-model","version":1})") + " " + script,
         {"nosheets.json", "sheets"}},
        {"run " +
             model("badscale.json", head + R"({"name":"S","width":420,"height":297,"views":[)"
                                           R"({"name":"F","scale":-1,"center":[0,0],)"
                                           R"("orientation":"front","edges":[]}]}]})") +
             " " + script,
         {"badscale.json", "scale"}},
        {"run " +
             model(
                 "dupid.json",
                 head +
                     R"({"name":"S","width":420,"height":297,"views":[)"
                     R"({"name":"F","scale":1,"center":[0,0],"orientation":"front","edges":[)"
                     R"({"id":1,"line":[[0,0,0],[1,0,0]]},{"id":1,"line":[[0,0,0],[0,1,0]]}]}]}]})") +
             " " + script,
         {"dupid.json", "id"}},
        {"run " +
             model("nan.json",
                   head + R"({"name":"S","width":420,"height":297,"views":[)"
                          R"({"name":"F","scale":1,"center":[0,0],"orientation":"front","edges":[)"
                          R"({"id":1,"line":[[0,0,0],[1e999,0,0]]}]}]}]})") +
             " " + script,
         {"nan.json", "edges[0]"}},
        {"run " +
             model("cycle.json",
                   R"({"format":"korvu-model","version":2,"assembly":{"root":1,"components":[)"
                   R"({"id":1,"kind":"assembly","name":"A","path":"a.kasm"},)"
                   R"({"id":2,"kind":"assembly","name":"B","path":"b.kasm"}],"occurrences":[)"
                   R"({"id":1,"parent":1,"component":2},{"id":2,"parent":2,"component":1}]},)"
                   R"("sheets":[{"name":"S","width":420,"height":297}]})") +
             " " + script,
         {"cycle.json: assembly.occurrences[1].component: component 1 would contain itself"}},
        // A user's input that cannot be played: the line that failed and why.
        {"run " + Examples() + "/assembly.json " + Examples() + "/leaders.txt --input " +
             model("miss.input", "# a press beside the frame\n"
                                 "drag \"DLxGDTInstance#175,262\" 10,10 -> 20,20\n"),
         {"miss.input:2: nothing of 'DLxGDTInstance#175,262' to drag at (10,10)"}},
        {"run " + Examples() + "/assembly.json " + Examples() + "/leaders.txt --input " +
             model("nokey.input", "drag \"DLxGDTInstance#1,1\" 10,10 -> 20,20\n"),
         {"nokey.input:1: no annotation 'DLxGDTInstance#1,1'"}},
        {"run " + Examples() + "/assembly.json " + Examples() + "/leaders.txt --input " +
             model("badpoint.input", "drag \"DLxGDTInstance#175,262\" 150,252 -> 3;4\n"),
         {"badpoint.input:1: '3;4' is not a point"}},
        {"run " + Examples() + "/assembly.json " + Examples() + "/leaders.txt --input " +
             model("open.input", "\nedit \"DLxGDTInstance#175,262\"\n  type 8020 \"5\"\n"),
         {"open.input:2: the dialog ends with neither ok nor cancel"}},
        {"run " + Examples() + "/assembly.json " + Examples() + "/leaders.txt --input " +
             model("click.input", "click 1,1\n"),
         {"click.input:1: unknown action 'click'"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const bool run = c.args.rfind("run ", 0) == 0;
        ProgramRun r = Korvu(run ? c.args + " -o " + dir.File("out.kvd") : c.args);
        EXPECT_EQ(r.code, 2) << r.output;
        for (const std::string& s : c.says)
            EXPECT_NE(r.output.find(s), std::string::npos) << r.output;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.kvd")));
    }
    EXPECT_EQ(Korvu("--help").code, 0);
    EXPECT_EQ(Korvu("--version").code, 0);
}

// Bad transcripts, and those made to exhaust the stack or memory, end like any bad input: exit code 2, one
// message naming the line (and the key), nothing written.
TEST(KorvuProgram, HostileTranscriptsEndWithOneMessageAndExitCode2) {
    KorvuTempDir dir;
    const std::string model = Examples() + "/assembly.json";
    const std::string head = "CreateGDTSymbol TDXVersion=1 Arrow=28029 Points=";
    // A free frame, as the example has one, with `from` replaced by `to`.
    auto frame = [](const std::string& from, const std::string& to) {
        std::string line =
            R"(CreateGDTSymbol TDXVersion=1 Arrow=28029 Intent=null Intent_Edge=0 Intent_Param=0 )"
            R"(Intent_Point=(330,40,0) Points=[(330,40,0)] AllAround=false DisplayLeader=false )"
            R"(Fields_Count=7 Fields_0="" Fields_1="4" Fields_2="0.03" Fields_3="" Fields_4="" )"
            R"(Fields_5="" Fields_6="" FieldsVisibility=[3,3,3,3,3,3,3] LinesFramed=[true] )"
            R"(Create=true LayerStyle=null FCFStyle=@"DUxFeatureControlFrameStyle#JIS")";
        return line.replace(line.find(from), from.size(), to) + "\n";
    };
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> says;
    };
    const Case cases[] = {
        {"points in points",
         head + std::string(10000, '(') + "\n",
         {"line 2: Points: a point's coordinates are numbers"}},
        {"lists in lists",
         head + std::string(10000, '[') + "\n",
         {"line 2: Points: lists nested too deeply"}},
        {"a misspelt key", frame("LinesFramed", "LinesFramd"),
         {"line 2: LinesFramd: not a key of CreateGDTSymbol"}},
        {"a coordinate that is not a number", frame("Points=[(330,40,0)]", "Points=[(nan,40,0)]"),
         {"line 2: Points: element 0: nan is not a finite number"}},
        {"a coordinate far off the drawing", frame("(330,40,0)]", "(330,4e15,0)]"),
         {"line 2: Points: element 0: 4e+15 is beyond 1e12, the limit of a coordinate"}},
        {"a line over 16 MiB",
         head + "[" + std::string(17 << 20, '[') + "\n",
         {"line 2: the line is longer than the limit of 16 MiB"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(dir.File("t.txt"), std::ios::binary) << "# hostile\n" << c.line;
        ProgramRun r = Korvu("run " + model + " " + dir.File("t.txt") + " -o " + dir.File("o.kvd"));
        EXPECT_EQ(r.code, 2) << r.output.substr(0, 2000);
        for (const std::string& s : c.says)
            EXPECT_NE(r.output.find(s), std::string::npos) << r.output.substr(0, 2000);
        EXPECT_EQ(r.output.rfind("korvu: "), 0u) << r.output.substr(0, 2000); // one message
        EXPECT_FALSE(std::filesystem::exists(dir.File("o.kvd")));
    }
}

// Missing output folders are made; a command that fails (bad input, an output that cannot be
// made, a disk that fills up) leaves every earlier file as it was and no new file or folder.
TEST(KorvuProgram, OutputsAreWrittenAllOrNoneIntoFoldersMadeForThem) {
    KorvuTempDir dir;
    const std::string model = Examples() + "/assembly.json";
    const std::string script = Examples() + "/assembly.txt";
    ProgramRun made = Korvu("run " + model + " " + script + " -o " + dir.File("d/e/a.kvd") +
                            " --svg " + dir.File("s") + " --transcript " + dir.File("t/t.txt"));
    ASSERT_EQ(made.code, 0) << made.output;
    for (const char* file : {"d/e/a.kvd", "s/Sheet_1.svg", "t/t.txt"})
        EXPECT_TRUE(std::filesystem::is_regular_file(dir.File(file))) << file;

    // Good outputs from before, that a failing command must keep as they are.
    KorvuTempDir out;
    ProgramRun good = Korvu("run " + model + " " + script + " -o " + out.File("a.kvd") +
                            " --pdf " + out.File("a.pdf") + " --png " + out.Path());
    ASSERT_EQ(good.code, 0) << good.output;
    const std::vector<std::string> names = KorvuFolderNames(out.Path());
    std::vector<std::string> before;
    for (const std::string& name : names)
        before.push_back(Read(out.File(name)));
    std::ofstream(out.File("plain")) << "a file";
    std::filesystem::create_directories(out.File("svg/Sheet_1.svg"));
    std::ofstream(dir.File("bad.txt")) << "CreateGDTSymbol Arrow=1\n";

    // A disk that fills up is a limit on the size of the files written (512-byte blocks).
    const std::string full = "trap '' XFSZ; ulimit -f ";
    struct Case {
        const char* name;
        std::string prefix;
        std::string args;
        std::string says;
    };
    const Case cases[] = {
        {"a bad transcript", "", dir.File("bad.txt") + " -o " +
                                      out.File("new/a.kvd") + " --svg " + out.File("new/svg"),
         "line 1"},
        {"an output folder that is a file", "",
         script + " -o " + out.File("new/a.kvd") + " --svg " + out.File("plain/svg"),
         "plain is not a folder"},
        {"a picture whose name is a folder", "",
         script + " -o " + out.File("a.kvd") + " --svg " + out.File("svg"), "is a folder"},
        {"a full disk under the PDF", full + "16; exec ",
         script + " --pdf " + out.File("a.pdf"), "a.pdf"},
        {"a full disk under a picture after the drawing", full + "128; exec ",
         script + " -o " + out.File("a.kvd") + " --png " + out.Path(), "Sheet_1.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string cmd = std::string(KORVU_BIN) + " run " + model + " " + c.args;
        ProgramRun r = c.prefix.empty() ? Korvu("run " + model + " " + c.args)
                                        : Shell(c.prefix + cmd);
        EXPECT_EQ(r.code, 2) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("wrote"), std::string::npos) << r.output;
        std::vector<std::string> expected = names;
        expected.insert(expected.end(), {"plain", "svg"});
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(KorvuFolderNames(out.Path()), expected);
        for (size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(Read(out.File(names[i])), before[i]) << names[i];
        EXPECT_TRUE(std::filesystem::is_empty(out.File("svg/Sheet_1.svg")));
    }
}

} // namespace

namespace {
// A delimited-text reader of its own: quoted fields may hold the delimiter and line breaks.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char delimiter) {
    std::vector<std::vector<std::string>> lines(1);
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"' && (quoted || field.empty())) {
            quoted = !quoted;
        } else if (!quoted && c == delimiter) {
            lines.back().push_back(field);
            field.clear();
        } else if (!quoted && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.back().push_back(field);
            field.clear();
            lines.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.empty() && lines.back().empty()) << "no CR LF after the last line";
    lines.pop_back();
    return lines;
}
} // namespace

// The example's parts list exported by the file's extension: the text types, the workbook and
// the database types written and read back.
TEST(KorvuProgram, ExportWritesAPartsListByTheFilesExtension) {
    KorvuTempDir dir;
    ASSERT_EQ(Korvu("run " + Examples() + "/assembly.json " + Examples() + "/partslist.txt -o " +
                    dir.File("a.kvd"))
                  .code,
              0);
    // The first list as placed; the second grouped, filtered, with a custom row and an
    // override holding a comma.
    const std::string list = " --parts-list DLxPartListTable#275,287 ";
    const std::string edited = " --parts-list DLxPartListTable#410,120 ";
    struct Case {
        const std::string* list;
        const char* file;
        const char* options;
        const char* expected; // expected file
    };
    const Case cases[] = {
        {&edited, "list.csv", "--title", "partslist_export.csv"},
        {&list, "list.txt", "--columns 1,3", "partslist_export.txt"},
        {&edited, "list-u.csv", "--unicode", "partslist_export_unicode.csv"},
        {&list, "list-u.txt", "--unicode --title --columns 2", "partslist_export_unicode.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ProgramRun run =
            Korvu("export " + dir.File("a.kvd") + *c.list + dir.File(c.file) + " " + c.options);
        ASSERT_EQ(run.code, 0) << run.output;
        EXPECT_TRUE(MatchesExpectedFile(dir.File(c.file), "app/expected", c.expected));
    }
    // The comma file reads back as a table: title, headings, rows of as many fields, the
    // override whole.
    const auto lines = ParseCsv(Read(dir.File("list.csv")), ',');
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::vector<std::string>{"BRACKET ASSEMBLY"});
    for (size_t i = 2; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), lines[1].size()) << i;
    const std::vector<std::string> bolt{"4", "4", "ISO 4017 M8x30", "Hex bolt, zinc plated"};
    EXPECT_NE(std::find(lines.begin(), lines.end(), bolt), lines.end());

    // A missing parts list, a folder that does not exist (for a file the module writes and for
    // one the database table writes: both name the path), a type it cannot tell, and the dBASE III
    // switch on another type.
    struct Refused {
        std::string args;
        std::string says;
    };
    const Refused refused[] = {
        {"--parts-list nosuch " + dir.File("x.csv"), "nosuch"},
        {list + dir.File("no/such/x.csv"), dir.File("no/such/x.csv")},
        {list + dir.File("no/such/x.mdb"), dir.File("no/such/x.mdb")},
        {list + dir.File("no/such/x.dbf") + " --dbase3", dir.File("no/such/x.dbf")},
        {list + dir.File("x.pdf"), "x.pdf"},
        {list + dir.File("x.csv") + " --dbase3", "--dbase3"},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.args);
        ProgramRun run = Korvu("export " + dir.File("a.kvd") + " " + r.args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        EXPECT_NE(run.output.find(r.says), std::string::npos) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.csv")));

    // The workbook holds what the comma file of the same list holds, cell for cell.
    {
        ProgramRun run = Korvu("export " + dir.File("a.kvd") + edited + dir.File("list.xls") +
                               " --title");
        ASSERT_EQ(run.code, 0) << run.output;
        const void* h = nullptr;
        ASSERT_EQ(freexl_open(dir.File("list.xls").c_str(), &h), FREEXL_OK);
        ASSERT_EQ(freexl_select_active_worksheet(h, 0), FREEXL_OK);
        unsigned rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(h, &rows, &columns);
        std::vector<std::vector<std::string>> cells(rows);
        for (unsigned r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue v;
                ASSERT_EQ(freexl_get_cell_value(h, r, c, &v), FREEXL_OK);
                char number[40];
                switch (v.type) {
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_TEXT: cells[r].push_back(v.value.text_value); break;
                case FREEXL_CELL_INT: cells[r].push_back(std::to_string(v.value.int_value)); break;
                case FREEXL_CELL_DOUBLE:
                    std::snprintf(number, sizeof number, "%.15g", v.value.double_value);
                    cells[r].push_back(number);
                    break;
                default: cells[r].push_back(""); break;
                }
            }
            // The title row has one cell; a comma line has no trailing empty fields.
            while (r == 0 && cells[r].size() > 1 && cells[r].back().empty()) cells[r].pop_back();
        }
        freexl_close(h);
        EXPECT_EQ(cells, lines);
    }

    ProgramRun help = Korvu("--help");
    for (const char* ext : {".txt", ".csv", ".xls", ".mdb", ".dbf", "--dbase3"})
        EXPECT_NE(help.output.find(ext), std::string::npos) << ext;
    EXPECT_EQ(help.output.find("not available"), std::string::npos);
}

// The example's parts lists as an Access database and as dBASE IV and III tables, read back by
// mdbtools and shapelib: the same headings and rows as the comma file of the same list, the
// table named after the list's title.
TEST(KorvuProgram, ExportedDatabasesHoldTheRowsOfTheCommaFile) {
    KorvuTempDir dir;
    ASSERT_EQ(Korvu("run " + Examples() + "/assembly.json " + Examples() + "/partslist.txt -o " +
                    dir.File("a.kvd"))
                  .code,
              0);
    struct Case {
        const char* list;
        const char* options;
    };
    const Case cases[] = {{"DLxPartListTable#275,287", ""},
                          {"DLxPartListTable#410,120", "--columns 3,4,1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const std::string args = "export " + dir.File("a.kvd") + " --parts-list '" + c.list +
                                 "' " + c.options + " ";
        ASSERT_EQ(Korvu(args + dir.File("list.csv")).code, 0);
        const auto csv = ParseCsv(Read(dir.File("list.csv")), ',');
        ASSERT_GE(csv.size(), 3u);
        // The comma file's texts in dBASE's code page, its headings as dBASE field names.
        std::vector<std::vector<std::string>> dbf;
        for (const auto& line : csv) {
            dbf.emplace_back();
            for (const std::string& field : line)
                dbf.back().push_back(KorvuCp1252(field));
        }
        for (std::string& name : dbf[0]) {
            for (char& ch : name)
                ch = std::isalnum(static_cast<unsigned char>(ch))
                         ? char(std::toupper(static_cast<unsigned char>(ch)))
                         : '_';
            name.resize(std::min<size_t>(name.size(), 10));
        }

        ProgramRun run = Korvu(args + dir.File("list.mdb"));
        ASSERT_EQ(run.code, 0) << run.output;
        EXPECT_EQ(KorvuMdbTables(dir.File("list.mdb")),
                  std::vector<std::string>{"BRACKET ASSEMBLY"});
        EXPECT_EQ(KorvuReadMdb(dir.File("list.mdb"), "BRACKET ASSEMBLY"), csv);

        for (const char* flavour : {"", " --dbase3"}) {
            SCOPED_TRACE(flavour);
            run = Korvu(args + dir.File("list.dbf") + flavour);
            ASSERT_EQ(run.code, 0) << run.output;
            const KorvuDbfFile back = KorvuReadDbf(dir.File("list.dbf"));
            std::vector<std::vector<std::string>> found{back.names};
            found.insert(found.end(), back.rows.begin(), back.rows.end());
            EXPECT_EQ(found, dbf);
            // dBASE IV names its code page; dBASE III has no place to.
            EXPECT_EQ(back.codePage, *flavour ? "" : "LDID/87");
        }
    }
}

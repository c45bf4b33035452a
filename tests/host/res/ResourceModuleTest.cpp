#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <span>
#include <sstream>
#include <string>

#include "WinModule.h"
#include "utx/UTxLibrary.h"
#include "utx/UTxResult.h"
#include "utx/UTxUtil.h"

namespace {

namespace fs = std::filesystem;

// The program, the libraries and the resource compiler all live in one bin folder.
std::string BinDir() {
    return fs::path(KORVU_BIN).parent_path().string();
}

// Sets (or with null clears) KORVU_RESOURCE_DIR for one scope.
class ResourceDirScope {
public:
    explicit ResourceDirScope(const char* value) {
        if (const char* old = std::getenv(kName)) m_old = old;
        value ? setenv(kName, value, 1) : unsetenv(kName);
    }
    ~ResourceDirScope() { m_old ? setenv(kName, m_old->c_str(), 1) : unsetenv(kName); }

private:
    static constexpr const char* kName = "KORVU_RESOURCE_DIR";
    std::optional<std::string> m_old;
};

HMODULE LoadKorvuRes() {
    return LoadLibraryW(UTxUtil::GetResourceDLLPathName(u"KorvuRes.dll").c_str());
}

TEST(ResourcePath, MapsWindowsNamesIntoTheResourceDirectory) {
    struct Case {
        const char* env;
        const char16_t* name;
        std::string expected;
    };
    const Case cases[] = {
        {nullptr, u"KorvuRes.dll", BinDir() + "/libKorvuRes.so"},
        {"", u"KorvuRes.dll", BinDir() + "/libKorvuRes.so"},
        {"/opt/korvu/res", u"KorvuRes.dll", "/opt/korvu/res/libKorvuRes.so"},
        {"/opt/korvu/res/", u"Other.DLL", "/opt/korvu/res/libOther.so"},
        {"/opt/korvu/res", u"libplain.so", "/opt/korvu/res/libplain.so"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.env ? c.env : "(unset)");
        ResourceDirScope env(c.env);
        EXPECT_EQ(UTx::ToUtf8(UTxUtil::GetResourceDLLPathName(c.name)), c.expected);
    }
}

TEST(ResourceModule, LoadsOnlyResourceModules) {
    const fs::path notALibrary =
        fs::temp_directory_path() / ("korvu_res_not_a_library_" + std::to_string(getpid()) + ".so");
    std::ofstream(notALibrary) << "plain text\n";
    struct Case {
        std::string path;
        bool loads;
    };
    const Case cases[] = {
        {UTx::ToUtf8(UTxUtil::GetResourceDLLPathName(u"KorvuRes.dll")), true},
        {BinDir() + "/libKorvuResMissing.so", false},
        {BinDir() + "/libkorvuhost.so", true}, // a library of code: no resources
        {notALibrary.string(), false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        HMODULE h = LoadLibraryW(UTx::MakeWideString(c.path).c_str());
        EXPECT_EQ(h != nullptr, c.loads);
        if (h && c.path.find("korvuhost") != std::string::npos) {
            EXPECT_EQ(GetResourceTable(h), nullptr);
            EXPECT_FALSE(FindStringResource(h, 0x200B0320).has_value());
        }
        if (h) {
            EXPECT_TRUE(FreeLibrary(h));
        }
    }
    fs::remove(notALibrary);

    // Loads are counted on one handle; the tables stay readable until the last free.
    HMODULE a = LoadKorvuRes();
    HMODULE b = LoadKorvuRes();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_TRUE(FindStringResource(b, 0x200B0320).has_value());
    EXPECT_TRUE(FreeLibrary(b));
    int notAModule = 0;
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&notAModule)));
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(ResourceModule, RefusesTablesItCannotRead) {
    static const char16_t kText[] = u"x";
    static const KorvuResString kSorted[] = {{1, 1, kText}, {2, 1, kText}};
    static const KorvuResString kUnsorted[] = {{2, 1, kText}, {1, 1, kText}};
    static const KorvuResString kRepeated[] = {{1, 1, kText}, {1, 1, kText}};
    static const KorvuResString kNoText[] = {{1, 1, nullptr}};
    static const KorvuResMenuItem kGoodItems[] = {{0, KORVU_RES_MENU_POPUP, 1, 1, 1, kText},
                                                  {7, 0, 0, 0, 1, kText}};
    static const KorvuResMenuItem kLoopItems[] = {{0, KORVU_RES_MENU_POPUP, 0, 1, 1, kText}};
    static const KorvuResMenuItem kPastEnd[] = {{0, KORVU_RES_MENU_POPUP, 1, 2, 1, kText},
                                                {7, 0, 0, 0, 1, kText}};
    static const KorvuResMenu kGoodMenu[] = {{5, 1, 2, kGoodItems}};
    static const KorvuResMenu kLoopMenu[] = {{5, 1, 1, kLoopItems}};
    static const KorvuResMenu kPastEndMenu[] = {{5, 1, 2, kPastEnd}};

    const KorvuResTable good = {KORVU_RES_MAGIC,
                                KORVU_RES_VERSION,
                                sizeof(KorvuResTable),
                                2,
                                kSorted,
                                1,
                                kGoodMenu,
                                0,
                                nullptr,
                                0,
                                nullptr};
    struct Case {
        const char* what;
        void (*change)(KorvuResTable&);
        bool valid;
    };
    const Case cases[] = {
        {"as built", [](KorvuResTable&) {}, true},
        {"empty", [](KorvuResTable& t) { t.stringCount = t.menuCount = 0; }, true},
        {"foreign magic", [](KorvuResTable& t) { t.magic ^= 1; }, false},
        {"other version", [](KorvuResTable& t) { t.version += 1; }, false},
        {"other layout size", [](KorvuResTable& t) { t.size -= 8; }, false},
        {"unsorted ids", [](KorvuResTable& t) { t.strings = kUnsorted; }, false},
        {"repeated id", [](KorvuResTable& t) { t.strings = kRepeated; }, false},
        {"count without array", [](KorvuResTable& t) { t.dialogCount = 1; }, false},
        {"text missing", [](KorvuResTable& t) { t.strings = kNoText, t.stringCount = 1; }, false},
        {"popup containing itself", [](KorvuResTable& t) { t.menus = kLoopMenu; }, false},
        {"children past the end", [](KorvuResTable& t) { t.menus = kPastEndMenu; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KorvuResTable t = good;
        c.change(t);
        EXPECT_EQ(IsResourceTableValid(&t), c.valid);
    }
    EXPECT_FALSE(IsResourceTableValid(nullptr));
}

class KorvuRes : public ::testing::Test {
protected:
    void SetUp() override {
        m_module = LoadKorvuRes();
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override { FreeLibrary(m_module); }
    HMODULE m_module = nullptr;
};

TEST_F(KorvuRes, StringsAreFoundByTheIdsOfTheScript) {
    EXPECT_EQ(FindStringResource(m_module, 0x200B0320), u"The symbol already has a leader");
    EXPECT_EQ(FindStringResource(m_module, 0x600B01CC), u"Delete Symbol");
    // Non-ASCII text survives the script's UTF-8 and the generated literal.
    EXPECT_EQ(FindStringResource(m_module, 0xA00B03E9),
              u"Some symbols could not be reconnected \u2014 they keep their last position");
    // Ids are matched whole: the bare message id is another string.
    EXPECT_FALSE(FindStringResource(m_module, 0x320).has_value());

    char16_t buffer[64];
    EXPECT_EQ(LoadStringW(m_module, 0x600B01CD, buffer, 64), 15);
    EXPECT_EQ(std::u16string(buffer), u"Reattach Symbol");
    EXPECT_EQ(LoadStringW(m_module, 0x600B01CD, buffer, 9), 8);
    EXPECT_EQ(std::u16string(buffer), u"Reattach");
    EXPECT_EQ(LoadStringW(m_module, 0x600B0001, buffer, 64), 0);
    EXPECT_EQ(buffer[0], u'\0');
}

TEST_F(KorvuRes, RegisteredLibraryServesMessageTexts) {
    // Held on purpose, as the module holds it: the registry keeps the handle.
    HMODULE held = LoadKorvuRes();
    ASSERT_TRUE(UTx::RegisterLibrary(held, 11));
    EXPECT_EQ(UTx::GetFacilityHInst(11), held);
    EXPECT_EQ(UTxResult(0x200B0320).GetMessage(), u"The symbol already has a leader");
    EXPECT_EQ(UTxResult(0x200B0321).GetMessage(), u"Anchor point is invalid");
    EXPECT_EQ(UTxResult::GetStringFromId(0x600B03EC),
              u"Select the point to reattach the origin indicator to");
    // The severity bits play no part; the library number comes from the registration.
    EXPECT_EQ(UTxResult::GetStringFromId(0xE00B01CC), u"Delete Symbol");
    ASSERT_TRUE(UTx::RegisterLibrary(held, 42));
    EXPECT_EQ(UTxResult::GetStringFromId(UTxResult::MakeCode(UTxSeverityInfo, 42, 0x1E6)),
              u"Fix End-Treatment Polygon");

    EXPECT_EQ(UTx::GetFacilityHInst(43), nullptr);
    EXPECT_FALSE(UTx::RegisterLibrary(nullptr, 12));
    EXPECT_FALSE(UTx::RegisterLibrary(held, 0x1000));
    EXPECT_FALSE(UTx::RegisterLibrary(held, -1));
    EXPECT_EQ(UTx::GetFacilityHInst(12), nullptr);
}

TEST_F(KorvuRes, DialogTemplateCarriesItsControls) {
    const KorvuResDialog* d = FindDialogResource(m_module, 7663);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(WinResText(d->caption, d->captionLength), u"Origin Indicator");
    EXPECT_EQ(d->width, 160);
    EXPECT_EQ(d->height, 68);
    EXPECT_EQ(d->style, KORVU_RES_DLG_SYSMENU | KORVU_RES_DLG_CENTER);

    struct Expected {
        uint32_t kind, id;
        const char16_t* text;
        bool isDefault;
    };
    const Expected expected[] = {
        {KORVU_RES_STATIC, 0xFFFFFFFFu, u"&X:", false},
        {KORVU_RES_EDIT, 7893, u"", false},
        {KORVU_RES_STATIC, 0xFFFFFFFFu, u"&Y:", false},
        {KORVU_RES_EDIT, 7894, u"", false},
        {KORVU_RES_BUTTON, 1, u"OK", true},
        {KORVU_RES_BUTTON, 2, u"Cancel", false},
    };
    const auto controls = WinDialogControls(*d);
    ASSERT_EQ(controls.size(), std::size(expected));
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(i);
        const KorvuResControl& c = controls[i];
        EXPECT_EQ(c.kind, expected[i].kind);
        EXPECT_EQ(c.id, expected[i].id);
        EXPECT_EQ(WinResText(c.text, c.textLength), expected[i].text);
        EXPECT_EQ((c.style & KORVU_RES_CTL_DEFAULT) != 0, expected[i].isDefault);
    }
    EXPECT_EQ(controls[1].x, 40);
    EXPECT_EQ(controls[1].width, 112);
    EXPECT_TRUE(controls[1].style & KORVU_RES_CTL_TABSTOP);

    EXPECT_EQ(FindDialogResource(m_module, 7531), nullptr); // a menu's id, not a dialog's
    EXPECT_EQ(FindBitmapResource(m_module, 7663), nullptr);
}

TEST_F(KorvuRes, MenuNestsPopupsAndItems) {
    const KorvuResMenu* m = FindMenuResource(m_module, 7531);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(FindMenuResource(m_module, 7663), nullptr);

    // Flattens the tree as "caption=id" with popups in brackets.
    std::function<std::string(std::span<const KorvuResMenuItem>)> walk;
    walk = [&](std::span<const KorvuResMenuItem> items) {
        std::string out;
        for (const KorvuResMenuItem& item : items) {
            if (!out.empty()) out += ' ';
            if (item.flags & KORVU_RES_MENU_SEPARATOR) {
                out += '-';
                continue;
            }
            out += UTx::ToUtf8(WinResText(item.text, item.textLength));
            if (item.flags & KORVU_RES_MENU_POPUP)
                out += "[" + walk(WinMenuChildren(*m, item)) + "]";
            else
                out += "=" + std::to_string(item.id);
        }
        return out;
    };
    EXPECT_EQ(walk(WinMenuTopItems(*m)),
              "Symbol[&Delete Symbol=32001 &Reattach Symbol=32002 Auto-re&connect Symbol=32003 - "
              "&End Treatment[&Delete End Treatment=32004 &Fix End-Treatment Polygon=32005]]");
}

// Runs the built resource compiler on scripts written to a scratch folder.
class ResourceCompiler : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("korvu_rescomp_" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
    }
    // Exit code of compiling `script`; its diagnostics go to m_errors.
    int Compile(const std::string& script) {
        Write("test.krc", script);
        const std::string cmd = "'" + BinDir() + "/korvu_rescomp' '" + Path("test.krc") + "' -o '" +
                                Path("out.cpp") + "' --depfile '" + Path("out.d") + "' 2> '" +
                                Path("errors.txt") + "'";
        const int status = std::system(cmd.c_str());
        std::ifstream in(m_dir / "errors.txt");
        std::stringstream ss;
        ss << in.rdbuf();
        m_errors = ss.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
    std::string m_errors;
};

TEST_F(ResourceCompiler, ReportsErrorsAtTheirLine) {
    Write("two_by_two.ppm", std::string("P6\n2 2\n255\n") + std::string(12, '\x7f'));
    struct Case {
        const char* script;
        const char* expected; // ":<line>: error: <message start>"
    };
    const Case cases[] = {
        {"STRING\n1 \"a\"\n1 \"b\"\nEND\n", ":3: error: duplicate STRING id 0x00000001"},
        {"STRING\n0x200B0320 \"a\"\nEND\nSTRING\n0xA00B0320 \"b\"\nEND\n",
         ":5: error: STRING id 0xA00B0320 has the same message id as 0x200B0320"},
        {"MENU 1\nEND\nMENU 1\nEND\n", ":3: error: duplicate MENU id 1"},
        {"DIALOG 5 10 10 \"D\"\n button 1 \"a\" 0 0 1 1\n button 1 \"b\" 0 0 1 1\nEND\n",
         ":3: error: duplicate control id 1"},
        {"STRING\n12x \"a\"\nEND\n", ":2: error: bad number '12x'"},
        {"DIALOG 5 10 1O \"D\"\nEND\n", ":1: error: bad number '1O'"},
        {"STRING\n0x100000000 \"a\"\nEND\n", ":2: error: number '0x100000000' out of range"},
        {"STRING\n1 \"abc\nEND\n", ":2: error: unterminated text"},
        {"STRING\n1 \"a\\qb\"\nEND\n", ":2: error: unknown escape"},
        {"STRNG\n", ":1: error: unknown keyword 'STRNG'"},
        {"STRING\nabc \"a\"\nEND\n", ":2: error: unknown keyword 'abc'"},
        {"DIALOG 5 10 10 \"D\"\n slider 3 \"\" 0 0 1 1\nEND\n",
         ":2: error: unknown keyword 'slider'"},
        {"MENU 1\n ITEM 2 \"x\" greyed\nEND\n", ":2: error: unknown keyword 'greyed'"},
        {"MENU 1\n POPUP \"a\"\nEND\n", ":1: error: MENU 1 has no END"},
        {"STRING\nMENU 1\n", ":2: error: MENU inside STRING"},
        {"END\n", ":1: error: END without an open section"},
        {"BITMAP 9 3 2 file \"two_by_two.ppm\"\n", ":1: error: bitmap file"},
        {"BITMAP 9 2 2 file \"missing.ppm\"\n", ":1: error: cannot open bitmap file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Write("out.cpp", "stale tables");
        EXPECT_EQ(Compile(c.script), 1);
        EXPECT_NE(m_errors.find(Path("test.krc") + c.expected), std::string::npos) << m_errors;
        EXPECT_FALSE(fs::exists(m_dir / "out.cpp"));
    }

    // Every bad line is reported, not only the first.
    EXPECT_EQ(Compile("STRING\n1 x\n2 \"b\"\n2 \"c\"\nEND\nFOO\n"), 1);
    for (const char* line : {":2: error:", ":4: error:", ":6: error:"})
        EXPECT_NE(m_errors.find(line), std::string::npos) << m_errors;
}

TEST_F(ResourceCompiler, AcceptsEveryConstruct) {
    Write("icon.ppm", std::string("P6\n# made by hand\n2 1\n255\n") + "\x01\x02\x03\xff\xfe\xfd");
    const std::string script =
        "\xEF\xBB\xBF# all of the syntax\n"
        "STRING\n"
        "  7663 \"Quote \\\" backslash \\\\ tab\\t \\u00B0 \\uD83D\\uDE00 \xC3\xA9\"\n"
        "  0x600B01CC \"\"  # empty text\n"
        "END\n"
        "MENU 0x10\n"
        "  ITEM 1 \"top\" default\n"
        "  POPUP \"a\" grayed\n"
        "    POPUP \"b\"\n"
        "      ITEM 2 \"c\" checked\n"
        "    END\n"
        "    SEPARATOR\n"
        "  END\n"
        "END\n"
        "DIALOG 20 100 50 \"All\" child sysmenu resizable center tool\n"
        "  custom \"KorvuPreview\" 3 \"\" -4 -4 10 10 border\n"
        "  grid 4 \"\" 0 0 10 10 vscroll hscroll\n"
        "  combo 5 \"\" 0 0 10 10 dropdownlist sort\n"
        "  check 6 \"c\" 0 0 10 10 auto 3state\n"
        "END\n"
        "BITMAP 30 2 1 file \"icon.ppm\"\n"
        "BITMAP 31 4 4 fill 0xC0C0C0\n";
    EXPECT_EQ(Compile(script), 0) << m_errors;
    EXPECT_TRUE(fs::exists(m_dir / "out.cpp"));
    std::ifstream dep(m_dir / "out.d");
    std::stringstream deps;
    deps << dep.rdbuf();
    EXPECT_NE(deps.str().find("icon.ppm"), std::string::npos) << deps.str();
}

} // namespace

#include "KorvuDbReaders.h"

#include <gtest/gtest.h>
#include <shapefil.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <memory>

namespace {
struct DbfCloser {
    void operator()(DBFInfo* h) const { DBFClose(h); }
};

std::vector<std::string> Split(const std::string& text, char at) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t to; (to = text.find(at, from)) != std::string::npos; from = to + 1)
        parts.push_back(text.substr(from, to - from));
    if (from < text.size()) parts.push_back(text.substr(from));
    return parts;
}
} // namespace

KorvuDbfFile KorvuReadDbf(const std::string& path) {
    KorvuDbfFile out;
    std::unique_ptr<DBFInfo, DbfCloser> dbf(DBFOpen(path.c_str(), "rb"));
    EXPECT_TRUE(dbf) << path;
    if (!dbf) return out;
    const int fields = DBFGetFieldCount(dbf.get());
    for (int f = 0; f < fields; ++f) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0, decimals = 0;
        DBFGetFieldInfo(dbf.get(), f, name, &width, &decimals);
        out.names.push_back(name);
        out.types.push_back(DBFGetNativeFieldType(dbf.get(), f));
        out.widths.push_back(width);
    }
    for (int r = 0; r < DBFGetRecordCount(dbf.get()); ++r) {
        std::vector<std::string> row;
        for (int f = 0; f < fields; ++f)
            row.push_back(DBFReadStringAttribute(dbf.get(), r, f));
        out.rows.push_back(row);
    }
    if (const char* cp = DBFGetCodePage(dbf.get())) out.codePage = cp;
    return out;
}

std::string KorvuProgramOutput(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << args[0] << " failed";
    return text;
}

std::vector<std::vector<std::string>> KorvuReadMdb(const std::string& path,
                                                   const std::string& table) {
    // Unit and record separators: characters no parts-list text holds, so nothing is quoted.
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : Split(
             KorvuProgramOutput({KORVU_MDB_EXPORT, "-Q", "-d", "\x1f", "-R", "\x1e", path, table}),
             '\x1e'))
        rows.push_back(Split(line + '\x1f', '\x1f'));
    return rows;
}

std::vector<std::string> KorvuMdbTables(const std::string& path) {
    return Split(KorvuProgramOutput({KORVU_MDB_TABLES, "-1", path}), '\n');
}

std::string KorvuCp1252(const std::string& utf8) {
    // Code page 1252 at 0x80..0x9F; 0 where it has no character.
    static const char32_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        const size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
        for (size_t k = 1; k < n && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
        i += n;
        char byte = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) byte = static_cast<char>(c);
        for (int k = 0; k < 32; ++k)
            if (kHigh[k] && kHigh[k] == c) byte = static_cast<char>(0x80 + k);
        out += byte;
    }
    return out;
}

#pragma once
// Readers of database files that share no code with our writers, for the tests that read
// exports back: dBASE files through shapelib's DBF reader, Access databases through mdbtools'
// mdb-export. Texts come back as the readers give them: dBASE fields in the file's code page,
// Access texts in UTF-8.
#include <string>
#include <vector>

struct KorvuDbfFile {
    std::vector<std::string> names;
    std::vector<char> types;
    std::vector<int> widths;
    std::vector<std::vector<std::string>> rows;
    std::string codePage; // as shapelib reports the language driver byte
};

// Fails the test (and answers an empty file) when shapelib cannot open `path`.
KorvuDbfFile KorvuReadDbf(const std::string& path);

// A program's standard output; fails the test when it does not exit with 0.
std::string KorvuProgramOutput(const std::vector<std::string>& args);

// An Access table as mdb-export gives it: the column names, then each row's values.
std::vector<std::vector<std::string>> KorvuReadMdb(const std::string& path,
                                                   const std::string& table);
// The table names of an Access database, as mdb-tables lists them.
std::vector<std::string> KorvuMdbTables(const std::string& path);

// The bytes of a UTF-8 text in code page 1252, as a dBASE reader gives them back; '?' for a
// character the code page lacks.
std::string KorvuCp1252(const std::string& utf8);

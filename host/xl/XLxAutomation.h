#pragma once
// The spreadsheet application's automation server, in process, registered with the OLE
// layer as "Excel.Application". It keeps workbooks in memory and saves them as ".xls" files
// through our workbook writer; opening a workbook, or adding one from a template, reads the
// file through libfreexl (cell values only: the formats of a template's sheets are not kept).
//
// Members by dispatch id (get = property get, put = property put; the argument counts are
// exact, optional arguments being passed as missing):
//   application  0x188 get version; 0x23c get workbooks; 0x157 put display alerts; 0x12e quit
//   workbooks    0xb5 add (template path, or -4167 or missing: one empty sheet);
//                0x783 open (path + 14), 0x2aa open (path + 12); 0x115 close all
//   workbook     0x1ee get worksheets; 0x785 save as (12), 0x11c save as (11): path, format
//                43 or 56 (both the BIFF8 workbook), the rest ignored
//   worksheets   0x76 get count; 0xaa get item (1-based index or name);
//                0xb5 add (before, after, count, type): count 1, before the active sheet
//   worksheet    0x6e get/put name; 0xc5 get range (cell, cell or missing), "C5" or "A1:B2"
//   range        0xfe get offset (rows, columns); 0x100 get resize (rows, columns);
//                0x6 get (1) / put (2) value; 0x56c get (0) / put (1) value; 0xc1 put number
//                format; 0x88 put horizontal alignment (-4131, -4108, -4152, 1 general);
//                0x234 merge (across); 0x1b3 get borders; 0xf6 get entire column; 0xed auto fit
//   borders      0x78 put weight (1, 2, -4138, 4; all drawn thin)
// A text put into a cell not formatted "@" that reads as a number is stored as that number, as
// the application does (texts it would read as dates stay texts here); an empty text empties
// the cell. Formats put on whole columns reach only the cells that exist. A range or name outside the sheet's limits (65536 rows, 256 columns,
// 31-character names) is refused with a dispatch exception that says why.
#include <string>

namespace XLx {
// False: starting the application fails, as when it is not installed. True by default.
void SetApplicationCanStart(bool canStart);
// The version text the application reports; "12.0" by default.
void SetApplicationVersion(const std::u16string& version);
} // namespace XLx

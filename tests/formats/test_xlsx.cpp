// The xlsx reader on workbooks written here: by hand as zip entries (every cell type, gaps, the rules
// of missing references, malformed and hostile files) and by libxlsxwriter (a real writer's output).
#include "ZipWriter.h"

#include "formats/xlsx/Xlsx.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using vymath::formats::XlsxError;
using vymath::formats::XlsxWorkbook;
using Rows = std::vector<std::pair<std::size_t, std::vector<std::string>>>;

const std::string kSst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                         "<si><t>G</t></si>"
                         "<si><r><rPr><b/></rPr><t>Q</t></r><r><t xml:space=\"preserve\">1 </t></r></si>"
                         "<si><t>\xE6\xA2\x81</t><rPh sb=\"0\" eb=\"1\"><t>HARI</t></rPh></si></sst>";

std::string Sheet(const std::string& rows) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet "
           "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><dimension ref=\"A1\"/>"
           "<sheetData>" +
           rows + "</sheetData><pageMargins left=\"0.7\"/></worksheet>\r\n";
}

std::string Book(const std::vector<std::pair<std::string, std::string>>& sheets, bool deflate = true) {
    return ziptest::Zip(ziptest::Workbook(sheets, kSst, deflate));
}

Rows Read(XlsxWorkbook& book, const std::string& sheet, std::size_t stopAfter = 0) {
    Rows rows;
    book.ReadSheet(sheet, [&](std::size_t n, const std::vector<std::string_view>& cells) {
        rows.emplace_back(n, std::vector<std::string>(cells.begin(), cells.end()));
        return rows.size() != stopAfter;
    });
    return rows;
}

Rows ReadRows(const std::string& rows) {
    XlsxWorkbook book = XlsxWorkbook::FromBytes(Book({{"S", Sheet(rows)}}), "t.xlsx");
    return Read(book, "S");
}

// The message of the error that opening `bytes` and reading its sheet "S" throws; "" for none.
std::string ErrorOf(const std::string& bytes, const std::string& sheet = "S") {
    try {
        XlsxWorkbook book = XlsxWorkbook::FromBytes(bytes, "bad.xlsx");
        Read(book, sheet);
    } catch (const XlsxError& e) {
        return e.what();
    }
    return "";
}

TEST(Xlsx, CellTexts) {
    struct Case {
        const char* cell; // the XML of one cell in A1
        const char* text;
    };
    const Case cases[] = {
        {"<c r=\"A1\"><v>-2.7000000000000001E-3</v></c>", "-2.7000000000000001E-3"},
        {"<c r=\"A1\" t=\"n\" s=\"2\"><v>1E-3</v></c>", "1E-3"},
        {"<c r=\"A1\"><f>B1*2</f><v>42</v></c>", "42"},
        {"<c r=\"A1\" t=\"s\"><v>0</v></c>", "G"},
        {"<c r=\"A1\" t=\"s\"><v>1</v></c>", "Q1 "},          // rich-text runs joined
        {"<c r=\"A1\" t=\"s\"><v>2</v></c>", "\xE6\xA2\x81"}, // the phonetic run left out
        {"<c r=\"A1\" t=\"inlineStr\"><is><t>B&amp;50</t></is></c>", "B&50"},
        {"<c r=\"A1\" t=\"inlineStr\"><is><r><t>a</t></r><r><t>b</t></r><rPh><t>x</t></rPh></is></c>", "ab"},
        {"<c r=\"A1\" t=\"inlineStr\"><is><t>l1_x000D_&#10;l2\r\nl3</t></is></c>", "l1\r\nl2\nl3"},
        {"<c r=\"A1\" t=\"inlineStr\"><is><t>_x005F_x0041_ _xD83D__xDE00_ _xD83D_</t></is></c>",
         "_x0041_ \xF0\x9F\x98\x80 _xD83D_"},
        {"<c r=\"A1\" t=\"inlineStr\"><is><t><![CDATA[<&>]]></t></is></c>", "<&>"},
        {"<c r=\"A1\" t=\"b\"><v>1</v></c>", "TRUE"},
        {"<c r=\"A1\" t=\"b\"><v>0</v></c>", "FALSE"},
        {"<c r=\"A1\" t=\"str\"><f>A2&amp;\"x\"</f><v>Beam x</v></c>", "Beam x"},
        {"<c r=\"A1\" s=\"3\"/>", ""},
        {"<x:c r=\"A1\"><x:v>7</x:v></x:c>", "7"}, // prefixes: local names count
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadRows(std::string("<row r=\"1\">") + c.cell + "</row>"), (Rows{{1, {c.text}}}))
            << c.cell;
}

TEST(Xlsx, GapsAndMissingReferences) {
    struct Case {
        const char* rows;
        Rows expected;
    };
    const Case cases[] = {
        // rows and columns left out: rows skipped, cells empty
        {"<row r=\"2\"><c r=\"B2\"><v>1</v></c><c r=\"D2\"><v>2</v></c></row><row r=\"5\"><c "
         "r=\"A5\"><v>3</v></c>"
         "</row>",
         {{2, {"", "1", "", "2"}}, {5, {"3"}}}},
        // without r: the row after the previous one, the cell after the previous cell
        {"<row><c><v>1</v></c><c r=\"C1\"><v>2</v></c><c><v>3</v></c></row><row r=\"4\"/><row><c><v>5</v></c>"
         "</row>",
         {{1, {"1", "", "2", "3"}}, {4, {}}, {5, {"5"}}}},
        // the last column and row
        {"<row r=\"1048576\"><c r=\"XFD1048576\"><v>9</v></c></row>",
         {{1048576,
           [] {
               std::vector<std::string> v(16384);
               v.back() = "9";
               return v;
           }()}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadRows(c.rows), c.expected) << c.rows;
}

TEST(Xlsx, SheetsInWorkbookOrderThroughRelationships) {
    // The workbook lists "Forces" before "Nodes" while their parts are named the other way round, one part
    // addressed from the package's root; a chart sheet is left out of the names.
    const std::string ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::vector<ziptest::Entry> parts = {
        {"_rels/.rels", "<Relationships><Relationship Id=\"a\" Type=\"" + ns +
                            "/officeDocument\" Target=\"/book/wb.xml\"/>"
                            "</Relationships>"},
        {"book/wb.xml",
         "<workbook xmlns:q=\"" + ns +
             "\"><sheets><sheet name=\"Forces\" q:id=\"s2\"/>"
             "<sheet name=\"Chart\" q:id=\"c\"/><sheet name=\"Nodes\" q:id=\"s1\"/></sheets></workbook>"},
        {"book/_rels/wb.xml.rels", "<Relationships><Relationship Id=\"s1\" Type=\"" + ns +
                                       "/worksheet\" Target=\"data/one.xml\"/>"
                                       "<Relationship Id=\"s2\" Type=\"" +
                                       ns +
                                       "/worksheet\" Target=\"/book/data/../data/two.xml\"/>"
                                       "<Relationship Id=\"c\" Type=\"" +
                                       ns + "/chartsheet\" Target=\"charts/c.xml\"/></Relationships>"},
        {"book/data/one.xml", Sheet("<row><c t=\"inlineStr\"><is><t>N1</t></is></c></row>")},
        {"book/data/two.xml", Sheet("<row><c><v>1</v></c></row><row><c><v>2</v></c></row>")},
    };
    XlsxWorkbook book = XlsxWorkbook::FromBytes(ziptest::Zip(parts), "b.xlsx");
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Forces", "Nodes"}));
    EXPECT_EQ(Read(book, "Nodes"), (Rows{{1, {"N1"}}}));
    EXPECT_EQ(Read(book, "Forces"), (Rows{{1, {"1"}}, {2, {"2"}}}));
    EXPECT_EQ(Read(book, "Forces", 1), (Rows{{1, {"1"}}})); // the handler stops the read
    EXPECT_THROW(Read(book, "Chart"), XlsxError);
}

TEST(Xlsx, BadInput) {
    const std::string good = Book({{"S", Sheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}});
    std::string ole = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    ole.resize(4096, '\0');
    std::string crc = Book({{"S", Sheet("<row><c><v>12345</v></c></row>")}}, false);
    crc[crc.find("12345")] = '9';
    // 64 MiB of blanks in a sheet, declared as 1 KiB.
    auto bomb = ziptest::Workbook({{"S", Sheet("<row><c><v>1</v></c></row>" + std::string(64 << 20, ' '))}});
    bomb[2].declaredSize = 1024;
    auto noWorkbook = ziptest::Workbook({{"S", Sheet("")}});
    noWorkbook.erase(noWorkbook.end() - 2);
    const std::string laughs = "<!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;\">]>";
    auto entities = ziptest::Workbook({{"S", Sheet("")}});
    entities[entities.size() - 2].data.insert(entities[entities.size() - 2].data.find("<workbook"), laughs);

    const std::string cut = Sheet("<row><c><v>1</v></c></row>");
    // A deflated sheet, as the reader inflates it itself: stored as `body`.
    const auto deflated = [](const std::string& body) {
        auto entries = ziptest::Workbook({{"S", Sheet("<row><c><v>12345</v></c></row>")}}, kSst, true);
        entries[2].body = body;
        return ziptest::Zip(entries);
    };
    const std::string stream = ziptest::Deflate(Sheet("<row><c><v>12345</v></c></row>"));

    struct Case {
        std::string name, bytes, sheet, message;
    };
    const std::string s = "bad.xlsx: sheet \"S\" ";
    const std::vector<Case> cases = {
        {"empty", "", "S", "bad.xlsx: an empty file, not an .xlsx workbook"},
        {"text", "member,case,x\n", "S", "bad.xlsx: not an .xlsx workbook (not a zip archive)"},
        {"truncated", good.substr(0, good.size() / 2), "S",
         "bad.xlsx: a damaged or truncated zip archive (Not a zip archive)"},
        {"ole", ole, "S",
         "bad.xlsx: a password-protected (encrypted) workbook, or an old .xls one: an OLE compound file, not "
         "the zip archive of an .xlsx workbook"},
        {"crc", crc, "S",
         "bad.xlsx: sheet \"S\": the zip entry xl/worksheets/sheet1.xml is damaged or "
         "truncated (CRC error)"},
        {"deflated, CRC", deflated(ziptest::Deflate(Sheet("<row><c><v>92345</v></c></row>"))), "S",
         "bad.xlsx: sheet \"S\": the zip entry xl/worksheets/sheet1.xml is damaged or truncated (CRC error)"},
        {"deflated, cut", deflated(stream.substr(0, stream.size() / 2)), "S",
         "bad.xlsx: sheet \"S\": the zip entry xl/worksheets/sheet1.xml is damaged or truncated (Premature "
         "end of file)"},
        {"deflated, invalid block", deflated(std::string("\x07\x00\x00\x00", 4)), "S",
         "bad.xlsx: sheet \"S\": the zip entry xl/worksheets/sheet1.xml is damaged or truncated (Compressed "
         "data invalid)"},
        {"bomb", ziptest::Zip(bomb), "S",
         "bad.xlsx: sheet \"S\": the zip entry xl/worksheets/sheet1.xml inflates past 100 times its "
         "compressed size (a zip bomb?)"},
        {"no workbook", ziptest::Zip(noWorkbook), "S",
         "bad.xlsx: no workbook part xl/workbook.xml (not an "
         ".xlsx workbook)"},
        {"entities", ziptest::Zip(entities), "S",
         "bad.xlsx: xl/workbook.xml: XML with a document type declaration (DTD), refused"},
        {"dtd", Book({{"S", laughs + Sheet("")}}), "S",
         "bad.xlsx: sheet \"S\": XML with a document type declaration (DTD), refused"},
        {"no sheet", good, "Forcse", "bad.xlsx: no sheet \"Forcse\"; the sheets: \"S\""},
        {"error value", Book({{"S", Sheet("<row r=\"12\"><c r=\"C12\" t=\"e\"><v>#DIV/0!</v></c></row>")}}),
         "S", s + "cell C12: the error value #DIV/0!"},
        {"date", Book({{"S", Sheet("<row><c r=\"B1\" t=\"d\"><v>2024-01-01</v></c></row>")}}), "S",
         s + "cell B1: a cell of type t=\"d\", not read (numbers, strings and booleans are)"},
        {"boolean", Book({{"S", Sheet("<row><c t=\"b\"><v>2</v></c></row>")}}), "S",
         s + "cell A1: a boolean \"2\" that is neither 0 nor 1"},
        {"shared string", Book({{"S", Sheet("<row><c t=\"s\"><v>3</v></c></row>")}}), "S",
         s + "cell A1: shared string 3 of a table of 3"},
        {"rows out of order", Book({{"S", Sheet("<row r=\"3\"/><row r=\"2\"/>")}}), "S",
         s + "row 2: rows out of order (row 2 after row 3)"},
        {"cells out of order", Book({{"S", Sheet("<row><c r=\"C1\"/><c r=\"B1\"/></row>")}}), "S",
         s + "cell B1: cells out of order (after C1)"},
        {"cell of another row", Book({{"S", Sheet("<row r=\"3\"><c r=\"A5\"/></row>")}}), "S",
         s + "cell A5: a cell in row 3"},
        {"past XFD", Book({{"S", Sheet("<row><c r=\"XFE1\"/></row>")}}), "S",
         s + "row 1: a cell reference r=\"XFE1\" that is not one of A1 to XFD1048576"},
        {"past the last row", Book({{"S", Sheet("<row r=\"1048577\"/>")}}), "S",
         "bad.xlsx: sheet \"S\": a row number r=\"1048577\" outside 1 to 1048576"},
        {"malformed", Book({{"S", Sheet("<row><c><v>1</c></row>")}}), "S",
         s + "row 1: malformed XML: </c> closes <v>"},
        {"entity", Book({{"S", Sheet("<row><c><v>&pi;</v></c></row>")}}), "S",
         s + "row 1: malformed XML: a reference that is not a character or one of &lt; &gt; &amp; &quot; "
             "&apos;"},
        {"cut XML", Book({{"S", cut.substr(0, cut.find("</c>"))}}), "S",
         s + "row 1: malformed XML: the XML ends inside <c>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.bytes, c.sheet), c.message) << c.name;
}

TEST(Xlsx, FilesAndARealWriter) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vymath_test_xlsx";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "written.xlsx").string();
    lxw_workbook* wb = workbook_new(path.c_str());
    lxw_worksheet* first = workbook_add_worksheet(wb, "Forces");
    workbook_add_worksheet(wb, "Empty");
    const double values[] = {0.1, -2.7e-3, 1.5e-7, -12345.678};
    worksheet_write_string(first, 0, 0, "Beam", nullptr);
    worksheet_write_string(first, 0, 2, "Beam", nullptr); // one shared string, twice
    worksheet_write_boolean(first, 1, 1, 1, nullptr);
    for (int i = 0; i < 4; ++i)
        worksheet_write_number(first, 2, static_cast<lxw_col_t>(i), values[i], nullptr);
    ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);

    XlsxWorkbook book = XlsxWorkbook::Open(path);
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Forces", "Empty"}));
    const Rows rows = Read(book, "Forces");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::pair<std::size_t, std::vector<std::string>>{1, {"Beam", "", "Beam"}}));
    EXPECT_EQ(rows[1], (std::pair<std::size_t, std::vector<std::string>>{2, {"", "TRUE"}}));
    ASSERT_EQ(rows[2].second.size(), 4u);
    for (int i = 0; i < 4; ++i) { // the text gives the double written
        const std::string& t = rows[2].second[static_cast<std::size_t>(i)];
        double d = 0;
        std::from_chars(t.data(), t.data() + t.size(), d);
        EXPECT_EQ(d, values[i]) << t;
    }
    EXPECT_TRUE(Read(book, "Empty").empty());

    std::filesystem::remove_all(dir);
    try {
        XlsxWorkbook::Open(path);
        ADD_FAILURE() << "opened a file that is not there";
    } catch (const XlsxError& e) {
        EXPECT_EQ(std::string(e.what()), path + ": cannot open: No such file or directory");
    }
}

TEST(Xlsx, ColumnNames) {
    const std::pair<const char*, std::size_t> cases[] = {{"A", 1},   {"Z", 26},      {"AA", 27},
                                                         {"AZ", 52}, {"XFD", 16384}, {"XFE", 0},
                                                         {"a", 0},   {"", 0},        {"AAAA", 0}};
    for (const auto& [letters, column] : cases) {
        EXPECT_EQ(vymath::formats::XlsxColumnNumber(letters), column) << letters;
        if (column) {
            EXPECT_EQ(vymath::formats::XlsxColumnName(column), letters);
        }
    }
}

} // namespace

// Tables in both forms, their sections and attributes, and rows imported from
// a file beside the document.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

namespace fs = std::filesystem;

TEST(TesselTables, BasicFormOneCellPerLine) {
    EXPECT_EQ(convert("+table border=\"1\"+\n!!Name\n!!Age\n\nAda\n36\n+endtable+"),
              "<table border=\"1\">\n\t<tr>\n\t\t<th>Name</th>\n\t\t<th>Age</th>\n\t</tr>\n"
              "\t<tr>\n\t\t<td>Ada</td>\n\t\t<td>36</td>\n</table>");
}

TEST(TesselTables, SeparatorForms) {
    const std::string rows = "\t<tr>\n\t\t<th>Name</th>\n\t\t<th>Age</th>\n\t</tr>\n"
                             "\t<tr>\n\t\t<td>Ada</td>\n\t\t<td>36</td>\n\t</tr>\n";
    EXPECT_EQ(convert("+table [;]+\n!!Name;!!Age\nAda;36\n+endtable+"), "<table>\n" + rows + "</table>");
    EXPECT_EQ(convert("+table [|]+\n!!Name|!!Age\nAda|36\n+endtable+"), "<table>\n" + rows + "</table>");
    EXPECT_EQ(convert("+table [;]|class=\"t\"+\n!!Name;!!Age\nAda;36\n+endtable+"),
              "<table class=\"t\">\n" + rows + "</table>");
}

TEST(TesselTables, CaptionSectionsAndCellAttributes) {
    std::string html = convert("+table+\n+caption:People+\n+tablehead|class=\"h\"+\nName\n+endtablehead+\n"
                               "class=\"big\"\nAda\nBob\n+endtable+");
    EXPECT_TRUE(contains(html, "<caption>People</caption>"));
    EXPECT_TRUE(contains(html, "\t<thead class=\"h\">\n\t\t<th>Name</th>\n\t</thead>\n"));
    EXPECT_TRUE(contains(html, "<td class=\"big\">Ada</td>\n\t\t<td>Bob</td>"));
}

TEST(TesselTables, CellsKeepInlineMarkupAndLinks) {
    std::string html = convert("+table [;]+\n**b**;[a.html::A];x < y & ä;z\n+endtable+");
    EXPECT_TRUE(contains(html, "<td><strong>b</strong></td>"));
    EXPECT_TRUE(contains(html, "<td><a href=\"a.html\" alt=\"A\" title=\"A\">A</a></td>"));
    // Entities in a cell do not split it at their ";".
    EXPECT_TRUE(contains(html, "<td>x &lt; y &amp; &auml;</td>\n\t\t<td>z</td>"));
}

// Tables are built before lists: list-like lines inside stay cells.
TEST(TesselTables, TablesBeforeLists) {
    std::string html = convert("+table+\n* not an item\n+endtable+\n\n* item");
    EXPECT_TRUE(contains(html, "<td>* not an item</td>"));
    EXPECT_TRUE(contains(html, "<ul>\n\t<li>item</li>\n</ul>"));
}

TEST(TesselTables, UnclosedTableStaysText) {
    EXPECT_EQ(convert("+table+\nA"), "<p>+table+<br />\nA</p>");
}

class TesselTableImport : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("tessel-import-" + std::to_string(::getpid()));
        fs::create_directories(root / "doc" / "data");
        write(root / "doc" / "rows.csv", "Ada;36\nBob;<b>&\n");
        write(root / "doc" / "data" / "more.csv", "Eve;**7**\n");
        write(root / "secret.txt", "top;secret\n");
    }
    void TearDown() override { fs::remove_all(root); }
    static void write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }
    std::string folder() const { return (root / "doc").string(); }

    fs::path root;
};

TEST_F(TesselTableImport, RowsFromAFileBesideTheDocumentAreCellText) {
    std::string html = convert("+table [;]->rows.csv+\n!!Name;!!Age\n+endtable+", false, folder());
    EXPECT_TRUE(contains(html, "<th>Name</th>"));
    EXPECT_TRUE(contains(html, "<td>Ada</td>\n\t\t<td>36</td>"));
    EXPECT_TRUE(contains(html, "<td>Bob</td>\n\t\t<td>&lt;b&gt;&amp;</td>"));
    html = convert("+table [;]->data/more.csv+\n+endtable+", false, folder());
    EXPECT_TRUE(contains(html, "<td>Eve</td>\n\t\t<td><strong>7</strong></td>"));
}

TEST_F(TesselTableImport, PathsOutsideTheDocumentFolderAreRefused) {
    testsupport::CapturedLog log;
    for (const std::string& name : {std::string("../secret.txt"), (root / "secret.txt").string(),
                                     std::string("data/../../secret.txt")}) {
        std::string html = convert("+table [;]->" + name + "+\nA;B\n+endtable+", false, folder());
        EXPECT_FALSE(contains(html, "secret</td>")) << name;
        EXPECT_TRUE(contains(html, "<td>Couldn't load file named " + name + "</td>")) << name;
        EXPECT_TRUE(contains(html, "<td>A</td>")) << name;
    }
    EXPECT_TRUE(log.contains("Read-Error: "));
}

TEST_F(TesselTableImport, LinksLeadingOutsideAreRefused) {
    fs::create_symlink(root / "secret.txt", root / "doc" / "link.txt");
    std::string html = convert("+table [;]->link.txt+\n+endtable+", false, folder());
    EXPECT_FALSE(contains(html, "secret"));
    EXPECT_TRUE(contains(html, "Couldn't load file named link.txt"));
}

TEST_F(TesselTableImport, MissingFilesAndFoldersShowTheMessage) {
    EXPECT_TRUE(contains(convert("+table [;]->nothere.csv+\n+endtable+", false, folder()),
                         "<td>Couldn't load file named nothere.csv</td>"));
    EXPECT_TRUE(contains(convert("+table [;]->data+\n+endtable+", false, folder()),
                         "<td>Couldn't load file named data</td>"));
}

TEST_F(TesselTableImport, RelativeToTheWorkingFolderWithoutADocumentFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(root / "doc");
    std::string html = convert("+table [;]->rows.csv+\n+endtable+");
    fs::current_path(before);
    EXPECT_TRUE(contains(html, "<td>Ada</td>"));
}

TEST_F(TesselTableImport, TablesInsideRawHTMLImportNothing) {
    std::string html = convert("+html+\n+table [;]->rows.csv+\n+endtable+\n+endhtml+", false, folder());
    EXPECT_FALSE(contains(html, "Ada"));
    EXPECT_TRUE(contains(html, "+table [;]->rows.csv+"));
}

TEST(TesselTables, OpenersWithoutEndStayText) {
    std::string html = convert("+table+\nA\n+endtable+\n\n+table+ B\n\n+html+ C");
    EXPECT_TRUE(contains(html, "<td>A</td>"));
    EXPECT_TRUE(contains(html, "+table+ B"));
    EXPECT_TRUE(contains(html, "+html+ C"));
}

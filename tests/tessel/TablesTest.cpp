// Rows imported from a file beside the document, and the paths that are
// refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

namespace fs = std::filesystem;

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

// Rows of a table taken from a file that the table header names
// ("+table [;]->rows.csv+"). The file is read before any other pass, so its
// rows are cell text like any other: escaped, formatted and entity-protected
// by the same passes. Only files inside the document's folder are read.
#include "tessel/TesselConverter.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "engine/Log.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"
#include "tessel/TableHeader.h"

namespace {

namespace fs = std::filesystem;

bool isInside(const fs::path& path, const fs::path& folder) {
    fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// The file's text, or nothing (with the reason logged) when the name leads
// outside the folder's tree, through a link or not, or is no readable file.
std::optional<std::string> readInsideFolder(const std::string& folderName, const std::string& name) {
    std::error_code error;
    fs::path folder = folderName.empty() ? fs::current_path(error) : fs::path(folderName);
    folder = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (error) {
        engine::log(u"Read-Error: %@", {engine::fromUtf8(error.message())});
        return std::nullopt;
    }
    fs::path path = fs::weakly_canonical(folder / fs::path(name), error);
    if (error || !isInside(path, folder)) {
        engine::log(u"Read-Error: %@", {engine::fromUtf8("outside the document's folder: " + name)});
        return std::nullopt;
    }
    if (!fs::is_regular_file(path, error)) {
        engine::log(u"Read-Error: %@", {engine::fromUtf8("no such file: " + path.string())});
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        engine::log(u"Read-Error: %@", {engine::fromUtf8("cannot read " + path.string())});
        return std::nullopt;
    }
    return bytes.str();
}

}  // namespace

void TesselConverter::importTableFiles() {
    if (str.indexOf(u"]->") < 0)
        return;
    // A table written inside a raw HTML block is raw HTML, not a table.
    const auto rawBlocks = blockMatches(uR"(\+html\+.*?\+endhtml\+)", u"+endhtml+");
    auto insideRawHTML = [&rawBlocks](const engine::Match& block) {
        for (const engine::Match& raw : rawBlocks)
            if (raw.start() <= block.start() && block.start() < raw.end())
                return true;
        return false;
    };
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& block : blockMatches(tessel::kTableBlock, u"+endtable+")) {
        const icu::UnicodeString name = tessel::parseTableHeader(block.text()).importName;
        if (name.isEmpty() || insideRawHTML(block))
            continue;
        auto text = readInsideFolder(documentFolder_, engine::toUtf8(name));
        icu::UnicodeString rows =
            text ? engine::fromUtf8(*text) : engine::formatted(u"Couldn't load file named %@", {name});
        // The rows join the body just before "+endtable+".
        const int32_t end = block.end() - 10;
        edits.push_back({end, end, engine::formatted(u"\n%@\n", {rows})});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

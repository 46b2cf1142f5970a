#pragma once
// What the tests of every converter share: looking for pieces of the HTML,
// and reading the documents of the corpus.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

inline bool contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

inline size_t count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++n;
    return n;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The documents of one folder of the corpus ("textile", "wikitext" …) in name
// order, or none when the folder is missing.
inline std::vector<std::filesystem::path> corpusDocuments(const std::string& folder) {
    std::vector<std::filesystem::path> documents;
    const std::filesystem::path path = std::filesystem::path(QUILL_CORPUS_DIR) / folder;
    if (!std::filesystem::is_directory(path))
        return documents;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file())
            documents.push_back(entry.path());
    std::sort(documents.begin(), documents.end());
    return documents;
}

}  // namespace testsupport

// Converter examples as data: every *.txt file of this folder holds examples
// written as
//
//     ```````````````````````````````` example markdownextra multimarkdown
//     input
//     .
//     expected HTML
//     ````````````````````````````````
//
// and each becomes one test per language named on its opening line, run
// through the dispatcher on the built-in road, exactly as `convert` does.
// "→" in an example stands for a tab. Outputs are compared line by line with
// trailing white space and empty lines left out, so the examples need not
// copy the converters' spacing between blocks. Text outside examples is
// commentary.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "dispatch/MarkupTransformTask.h"
#include "settings/SettingsStore.h"

namespace {

const QString kFence = QString(32, '`');

struct Example {
    std::string file;
    int line = 0;
    QStringList languages;
    QString input;
    QString expected;
};

QString withTabs(QString text) { return text.replace(QString::fromUtf8("→"), "\t"); }

// Trailing white space and empty lines do not count.
QString comparable(const QString& html) {
    QStringList lines;
    for (const QString& line : html.split('\n')) {
        QString kept = line;
        while (!kept.isEmpty() && kept.back().isSpace())
            kept.chop(1);
        if (!kept.isEmpty())
            lines << kept;
    }
    return lines.join('\n');
}

std::vector<Example> examplesOf(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    std::vector<Example> examples;
    for (int at = 0; at < lines.size(); ++at) {
        if (!lines[at].startsWith(kFence + " example"))
            continue;
        Example example;
        example.file = path.filename().string();
        example.line = at + 1;
        example.languages = lines[at].mid(kFence.size() + 8).split(' ', Qt::SkipEmptyParts);
        QStringList input, expected;
        bool inExpected = false;
        for (++at; at < lines.size() && lines[at] != kFence; ++at) {
            if (!inExpected && lines[at] == ".")
                inExpected = true;
            else
                (inExpected ? expected : input) << lines[at];
        }
        example.input = withTabs(input.join('\n') + '\n');
        example.expected = withTabs(expected.join('\n'));
        examples.push_back(example);
    }
    return examples;
}

class ConverterExample : public ::testing::Test {
public:
    ConverterExample(Example example, QString language) : example_(std::move(example)), language_(std::move(language)) {}
    void TestBody() override {
        const QString html = MarkupTransformTask::transformString(example_.input, language_, false);
        EXPECT_EQ(comparable(html).toStdString(), comparable(example_.expected).toStdString())
            << example_.file << ":" << example_.line << " (" << language_.toStdString() << ")\ninput:\n"
            << example_.input.toStdString();
    }

private:
    Example example_;
    QString language_;
};

// The built-in road for every language, as the interpreter check leaves it.
void useBuiltInConverters() {
    SettingsStore& store = SettingsStore::shared();
    store.registerDefaults();
    store.installAsConverterSettings();
    store.setUseBuiltInConverters(true);
    store.setMultiMarkdownProgram(QString());
}

void registerExamples() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(QUILL_EXAMPLES_DIR))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files)
        for (const Example& example : examplesOf(path))
            for (const QString& language : example.languages) {
                const std::string suite = path.stem().string();
                const std::string name = "line" + std::to_string(example.line) + "_" + language.toStdString();
                ::testing::RegisterTest(suite.c_str(), name.c_str(), nullptr, nullptr, example.file.c_str(),
                                        example.line, [example, language]() -> ::testing::Test* {
                                            return new ConverterExample(example, language);
                                        });
            }
}

// Registered before RUN_ALL_TESTS by a static object, as the examples are
// read at start.
const bool kRegistered = [] {
    registerExamples();
    return true;
}();

class BuiltInRoad : public ::testing::Environment {
public:
    void SetUp() override { useBuiltInConverters(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new BuiltInRoad);

}  // namespace

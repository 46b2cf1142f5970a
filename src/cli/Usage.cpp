#include "cli/Usage.h"

namespace usage {

namespace {

const char* const kConvertSynopsis =
    "usage: quillview convert [--lang ID] [--critic] [--page] [--set KEY=VALUE]... FILE|-\n";
const char* const kExportSynopsis = "usage: quillview export FILE [--format FMT] -o DEST [--style NAME]\n";

const char* const kConvertOptions =
    "  --lang ID          the markup language (see Languages); default: by the file's\n"
    "                     extension, as in a window (unknown ones and - are Markdown)\n"
    "  --critic           render CriticMarkup review marks\n"
    "  --page             the whole page as the preview loads it (style and font size)\n"
    "  --set KEY=VALUE    override a setting for this run only (true/false, decimal, text)\n"
    "  FILE               the document, a TextBundle or TextPack, or - for standard input\n";

const char* const kExportOptions =
    "  FILE               the document, a TextBundle or a TextPack\n"
    "  --format FMT       the format (see Formats); default: by the extension of DEST\n"
    "  -o, --output DEST  the file (or .rtfd / .textbundle folder) to write\n"
    "  --style NAME       a style of the styles folder, such as Standard_Light, for html,\n"
    "                     pdf and the office formats; none: no style; default: the style\n"
    "                     the preview shows (a dark one's light sibling)\n";

const char* const kOverview =
    "usage: quillview [FILE...]\n"
    "       quillview convert [--lang ID] [--critic] [--page] [--set KEY=VALUE]... FILE|-\n"
    "       quillview export FILE [--format FMT] -o DEST [--style NAME]\n"
    "       quillview --help | --version\n"
    "\n"
    "Quillview shows lightweight markup as a live preview that follows every save,\n"
    "and converts and exports it from the command line.\n"
    "\n"
    "Commands:\n"
    "  FILE...            open each file in a window (no file: an Open dialog); a\n"
    "                     Quillview that runs already opens them instead\n"
    "  convert            write the HTML the preview shows to standard output\n"
    "  export             write the document to a file in another format\n"
    "  -h, --help         print this help and exit\n"
    "  --version          print the version and exit\n";

const char* const kLanguagesFormatsAndExits =
    "Languages (--lang ID):\n"
    "  markdown           Markdown\n"
    "  markdownextra      Markdown Extra\n"
    "  multimarkdown      MultiMarkdown\n"
    "  gfm                GitHub Markdown\n"
    "  textile            Textile\n"
    "  wikitext           Wikitext\n"
    "  bbcode             BBCode\n"
    "  tessel             Tessel\n"
    "  html               HTML, passed through unchanged\n"
    "\n"
    "Formats (--format FMT):\n"
    "  html               the HTML fragment\n"
    "  pdf                PDF, printed from the page\n"
    "  txt                plain text\n"
    "  rtf                Rich Text Format\n"
    "  rtfd               a folder NAME.rtfd holding TXT.rtf and the pictures\n"
    "  doc                Word 97-2003\n"
    "  docx               Word\n"
    "  odt                OpenDocument Text\n"
    "  textbundle         a TextBundle folder, the pictures in assets/\n"
    "  textpack           a TextPack, a zipped TextBundle\n"
    "\n"
    "Exit status:\n"
    "  0                  success\n"
    "  1                  the conversion or export failed (a markup interpreter failed,\n"
    "                     the time limit ran out, the destination could not be written),\n"
    "                     or a window could not open its files\n"
    "  2                  a usage error, or convert could not read the file\n"
    "  126                quillview-gui could not be started\n"
    "  127                quillview-gui was not found\n"
    "\n"
    "Examples:\n"
    "  quillview convert --lang textile notes.txt > notes.html\n"
    "  quillview export README.md --format pdf -o README.pdf\n";

}  // namespace

std::string convertUsage() { return std::string(kConvertSynopsis) + kConvertOptions; }

std::string exportUsage() { return std::string(kExportSynopsis) + kExportOptions; }

std::string fullUsage() {
    return std::string(kOverview) + "\nOptions of convert:\n" + kConvertOptions + "\nOptions of export:\n"
           + kExportOptions + "\n" + kLanguagesFormatsAndExits;
}

}  // namespace usage

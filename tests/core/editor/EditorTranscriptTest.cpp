#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <sstream>

#include "core/render/Transcript.h"
#include "editor/EditorDocument.h"
#include "editor/TextCommands.h"
#include "editor/TextFiles.h"
#include "editor/TextSearch.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

namespace fs = std::filesystem;
using test::Words;

// UTF-8 to UTF-16 and back, for characters of the basic plane.
std::u16string u16(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
    auto unit = static_cast<char16_t>(length == 1 ? c : c & (length == 2 ? 0x1F : 0x0F));
    for (int k = 1; k < length; ++k) unit = static_cast<char16_t>(unit << 6 | (text[i + k] & 0x3F));
    out += unit;
    i += static_cast<std::size_t>(length);
  }
  return out;
}

std::string u8(std::u16string_view text) {
  std::string out;
  for (const char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    }
  }
  return out;
}

// A text quoted, or, when long, its length, head and tail.
std::string shown(std::u16string_view text) {
  if (text.size() <= 60) return test::quoted(u8(text));
  return std::to_string(text.size()) + " long " + test::quoted(u8(text.substr(0, 20))) + " ... " +
         test::quoted(u8(text.substr(text.size() - 20)));
}

const std::map<std::string, TextCommand> Commands = {{"spread", TextCommand::SpreadWords},
                                                     {"number", TextCommand::AddLineNumbers},
                                                     {"unnumber", TextCommand::RemoveLineNumbers}};

const std::map<std::string, FileEncoding> Encodings = {
    {"utf8", FileEncoding::Utf8}, {"bom", FileEncoding::Utf8WithBom}, {"1252", FileEncoding::Windows1252}};

// A program of about `bytes` bytes: comments and packed, numbered moves.
std::string largeProgram(std::size_t bytes) {
  std::string text = "%\r\n:0001 ;\r\n";
  for (int i = 0; text.size() < bytes; ++i) {
    text += i % 7 == 0 ? "(SCHRUPPEN)\r\n"
                       : "N" + std::to_string(i % 9000) + " G01X" + std::to_string(i % 97) + ".5Z-3\r\n";
  }
  return text + "%\r\n";
}

// Runs editor commands on one document, as the editor window drives it, and on files in a
// folder of its own, written "{dir}" in what it prints.
//   spread|number|unnumber LINE, rewrite spread|number|unnumber LINE ...,
//   many COMMAND COUNT LINE [FROM OTHER]    the line rules (number as line 5)
//   split TEXT, run COMMAND TEXT [FILE] [fail=writeN|readN|remove]    a text command through
//                                     the work file (FILE: a file where the folder should be)
//   large BYTES                       a program of that size, as @last (also a run's text)
//   tofile TEXT, fromfile TEXT        line ends of the editor and its files
//   write NAME TEXT, mkdir [@temp] NAME, chmod NAME OCTAL, perms NAME, ls    the folder
//   fsize BYTES|off                   the largest file the process may write
//   save NAME TEXT, savetext NAME utf8|1252 TEXT, read NAME, remove NAME
//   find TEXT SEARCH START, findnext TEXT SEARCH, newsearch, replaceall TEXT SEARCH BY
//   open NAME utf8|1252 TEXT, new, type TEXT, typemany N, undo, redo, undoall    the document
//   store BUDGET, record POS REMOVED INSERTED, storeundo    an undo store with a byte budget
//   fit POS REMOVED ADDED OLD NEW, gap POS COUNT TEXT|long, name FILE
//   ask CHARACTERS                    the question when the file's encoding cannot hold them
// Texts longer than 60 characters print as their length, head and tail.
class EditorSession {
 public:
  std::string run(const Words& w) {
    out_.str("");
    const std::string& c = w[0];
    const auto arg = [&](std::size_t i) { return w.at(i) == "@last" ? last_ : w.at(i); };
    const auto file = [&](std::size_t i) { return (folder_.path() / w.at(i)).string(); };
    if (c == "spread") {
      out_ << test::quoted(SpreadLine(w[1])) << "\n";
    } else if (c == "number") {
      out_ << test::quoted(NumberLine(w[1], 5)) << "\n";
    } else if (c == "unnumber") {
      out_ << test::quoted(UnnumberLine(w[1])) << "\n";
    } else if (c == "rewrite") {
      printLines(RewriteLines(Commands.at(w[1]), Words(w.begin() + 2, w.end())));
    } else if (c == "many") {
      // many COMMAND COUNT LINE [FROM OTHER]: COUNT lines, the ones from index FROM on OTHER.
      Words lines(std::stoul(w[2]), w[3]);
      for (std::size_t i = w.size() > 5 ? std::stoul(w[4]) : lines.size(); i < lines.size(); ++i)
        lines[i] = w[5];
      printLines(RewriteLines(Commands.at(w[1]), lines));
    } else if (c == "split") {
      printLines(SplitFileLines(w[1]));
    } else if (c == "run") {
      runCommand(w, arg(2));
    } else if (c == "large") {
      last_ = largeProgram(std::stoul(w[1]));
      out_ << SplitFileLines(last_).size() << " lines\n";
    } else if (c == "tofile" || c == "fromfile") {
      out_ << test::quoted(c == "tofile" ? ToFileText(w[1]) : FromFileText(w[1])) << "\n";
    } else if (c == "write") {
      folder_.write(w[1], w[2]);
    } else if (c == "mkdir") {
      fs::create_directory(w[1] == "@temp" ? AtomicSaveTempPath(file(2)) : file(1));
    } else if (c == "chmod") {
      fs::permissions(file(1), static_cast<fs::perms>(std::stoi(w[2], nullptr, 8)));
    } else if (c == "ls") {
      std::map<std::string, std::string> entries;
      for (const auto& e : fs::directory_iterator(folder_.path())) {
        entries[e.path().filename().string()] =
            e.is_directory() ? "/" : " " + test::quoted(*ReadFileBytes(e.path().string()), true);
      }
      for (const auto& [name, what] : entries) out_ << name << what << "\n";
    } else if (c == "perms") {
      out_ << std::oct << static_cast<int>(fs::status(file(1)).permissions()) << std::dec << "\n";
    } else if (c == "fsize") {  // the largest file the process may write, as on a full disk
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = w[1] == "off" ? limit.rlim_max : std::stoul(w[1]);
      setrlimit(RLIMIT_FSIZE, &limit);
    } else if (c == "save") {
      printResult(SaveFileAtomically(file(1), arg(2)));
    } else if (c == "savetext") {
      printResult(SaveTextFile(file(1), w[3], Encodings.at(w[2])));
    } else if (c == "read") {
      printResult(ReadTextFile(w[1] == "." ? folder_.path().string() : file(1)));
    } else if (c == "remove") {
      printResult(RemoveFile(file(1)));
    } else {
      searchOrUndoCommand(w);
    }
    std::string printed = out_.str();
    const std::string dir = folder_.path().string();
    for (std::size_t at; (at = printed.find(dir)) != std::string::npos;) printed.replace(at, dir.size(), "{dir}");
    return printed;
  }

 private:
  // Lines quoted, or how many there are and the first and last three.
  void printLines(const std::optional<Words>& lines) {
    if (!lines) {
      out_ << "refused\n";
      return;
    }
    out_ << lines->size() << " lines:";
    for (std::size_t i = 0; i < lines->size(); ++i) {
      if (lines->size() > 12 && i == 3) {
        out_ << " ...";
        i = lines->size() - 3;
      }
      out_ << " " << test::quoted((*lines)[i]);
    }
    out_ << "\n";
  }

  void printResult(const FileResult& r) {
    out_ << (r.ok ? "ok" : "failed") << (r.message.empty() ? "" : ": " + r.message);
    if (!r.unencodable.empty()) out_ << ", cannot hold " << r.unencodable;
    if (r.ok && !r.content.empty())
      out_ << ", " << (r.encoding == FileEncoding::Utf8 ? "utf8" : "1252") << " " << test::quoted(r.content);
    out_ << "\n";
  }

  // run COMMAND TEXT [FOLDER] [fail=write2|read1|remove]: a text command through the work file.
  void runCommand(const Words& w, const std::string& text) {
    const std::string failure = w.size() > 3 && w.back().rfind("fail=", 0) == 0 ? w.back().substr(5) : "";
    const std::string folder = w.size() > 3 && w[3].rfind("fail=", 0) != 0 ? folder_.write(w[3], "x")
                                                                          : folder_.path().string();
    int writes = 0, reads = 0;
    const auto disk = DiskWorkFileAccess();
    const WorkFileAccess access{
        [&](const fs::path& f, std::string_view content) {
          return failure != "write" + std::to_string(++writes) && disk.write(f, content);
        },
        [&](const fs::path& f) -> std::optional<std::string> {
          if (failure == "read" + std::to_string(++reads)) return std::nullopt;
          return disk.read(f);
        },
        [&](const fs::path& f) { return disk.remove(f) && failure != "remove"; }};
    const TextCommandResult result = RunTextCommand(Commands.at(w[1]), text, folder, access);
    out_ << (result.ok ? "ok" : "failed: " + result.message) << "\n";
    if (!result.text.empty()) printLines(SplitFileLines(result.text));
    const bool wholeLines = result.text.size() < 2 || result.text.substr(result.text.size() - 2) == "\r\n";
    if (!wholeLines) out_ << "last line not ended\n";
    if (fs::is_regular_file(folder_.path() / WorkFileName)) out_ << "work file left\n";
    last_ = result.text;
  }

  void searchOrUndoCommand(const Words& w) {
    const std::string& c = w[0];
    if (c == "find") {
      out_ << FindText(u16(w[1]), u16(w[2]), std::stoul(w[3])) << "\n";
    } else if (c == "findnext") {
      const long long found = search_.findNext(u16(w[1]), u16(w[2]));
      out_ << found << ", next from " << search_.position() << "\n";
    } else if (c == "newsearch") {
      search_.searchTextChanged();
    } else if (c == "replaceall") {
      out_ << test::quoted(u8(ReplaceAll(u16(w[1]), u16(w[2]), u16(w[3])))) << ", "
           << ReplaceAllMatches(u16(w[1]), u16(w[2])).size() << " replaced\n";
    } else if (c == "fit") {
      const auto span = FitChangeSpan({std::stoul(w[1]), std::stoul(w[2]), std::stoul(w[3])},
                                      std::stoul(w[4]), std::stoul(w[5]));
      if (span) out_ << span->position << " " << span->removed << " " << span->added << "\n";
      if (!span) out_ << "none\n";
    } else if (c == "gap") {
      const std::u16string inserted = w[3] == "long" ? std::u16string(10000, u'x') : u16(w[3]);
      out_ << shown(gap_.replace(std::stoul(w[1]), std::stoul(w[2]), inserted)) << " gave way: "
           << shown(gap_.substr(0, 20) + gap_.substr(20, gap_.size())) << "\n";
    } else if (c == "name") {
      document_.setFileName(w[1]);
      out_ << test::quoted(document_.caption()) << (document_.needsSaveAs() ? ", save as" : ", save")
           << ", asks " << test::quoted(document_.savePromptText()) << "\n";
    } else if (c == "ask") {
      out_ << test::quoted(document_.encodingQuestion(w[1])) << "\n";
    } else if (c == "store") {
      store_ = UndoStore(std::stoul(w[1]));
    } else if (c == "record" || c == "storeundo") {
      if (c == "record") store_.recordChange({std::stoul(w[1]), u16(w[2]), u16(w[3])});
      const auto change = c == "storeundo" ? store_.undo() : std::nullopt;
      if (change) out_ << "undo " << change->position << " " << test::quoted(u8(change->removed)) << " "
                       << test::quoted(u8(change->inserted)) << "; ";
      out_ << "index " << store_.index() << " top " << store_.top() << " bytes " << store_.storedBytes() << "\n";
    } else {
      documentCommand(w);
    }
  }

  // type, typemany, undo, redo, new, open: the document as the editor window drives it.
  void documentCommand(const Words& w) {
    const std::string& c = w[0];
    if (c == "type") {
      setText(u16(w[1]));
    } else if (c == "typemany") {
      for (int i = 1; i <= std::stoi(w[1]); ++i) setText(u"x" + std::u16string(static_cast<std::size_t>(i), u'y'));
    } else if (c == "undo" || c == "redo") {
      const auto change = c == "undo" ? document_.undo().undo() : document_.undo().redo();
      if (!change) out_ << "nothing to " << c << "; ";
      if (change) apply(*change);
    } else if (c == "undoall") {
      while (const auto change = document_.undo().undo()) apply(*change);
    } else if (c == "new") {
      setText(u"");  // New empties the text (a change), then counts from 0 again
      document_.startNew("/programs");
      out_ << document_.fileName() << ", " << (document_.encoding() == FileEncoding::Utf8 ? "utf8" : "1252") << "; ";
    } else if (c == "open") {
      setText(u"");  // Open empties the text, counts from 0, then the load is a change
      document_.startOpen(w[1], Encodings.at(w[2]));
      setText(u16(w[3]));
      document_.markSaved();
    } else {
      throw std::invalid_argument("unknown command " + c);
    }
    out_ << shown(text_) << ", index " << document_.undo().index() << " top " << document_.undo().top()
         << (document_.modified() ? ", modified" : "") << "\n";
  }

  // Reports the smallest span that turns the text into the new one, as the text area does.
  void setText(const std::u16string& changed) {
    if (changed == text_) return;
    std::size_t head = 0, tail = 0;
    while (head < text_.size() && head < changed.size() && text_[head] == changed[head]) ++head;
    while (tail < text_.size() - head && tail < changed.size() - head &&
           text_[text_.size() - 1 - tail] == changed[changed.size() - 1 - tail])
      ++tail;
    const std::size_t removed = text_.size() - head - tail;
    text_ = changed;
    document_.textChanged(head, removed, changed.substr(head, changed.size() - head - tail));
    if (document_.text().str() != text_) out_ << "document text differs: " << test::quoted(u8(document_.text().str())) << "\n";
  }

  void apply(const TextChange& change) {
    RestoringGuard guard(document_.undo());
    if (text_.substr(change.position, change.removed.size()) != change.removed) out_ << "undo step does not fit\n";
    setText(std::u16string(text_).replace(change.position, change.removed.size(), change.inserted));
  }

  test::TempFolder folder_;
  std::string last_;
  SearchPosition search_;
  GapText gap_;
  UndoStore store_;
  EditorDocument document_;
  std::u16string text_;
  std::ostringstream out_;
};

DRAIVO_TRANSCRIPT_TEST(EditorTranscript, EditorSession);

}  // namespace
}  // namespace draivo

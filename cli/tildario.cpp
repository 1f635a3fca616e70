#include "cli/tildario.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

#include "accents/accent_restoration.h"
#include "cli/commands.h"
#include "cli/dictionary_search.h"
#include "cli/system.h"
#include "cli/text_input.h"
#include "text/case_conversion.h"
#include "text/utf8.h"

namespace cli {

namespace {

void say(std::string_view message) {
  std::string line = "tildario: ";
  line += message;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string help_text() {
  std::string help =
      "Uso: tildario [-q] [--diccionario FICHERO] [--contexto[=FICHERO]] ORDEN [FICHERO...]\n"
      "Lee texto UTF-8 de los ficheros, uno tras otro como un solo texto, o de la entrada\n"
      "est\xC3\xA1ndar si no se nombra ninguno (\"-\" la nombra), y escribe en la salida est\xC3\xA1ndar.\n"
      "\n"
      "\xC3\x93rdenes:\n";
  for (const Command& command : commands()) {
    std::string name(command.name);
    name.resize(13, ' ');
    // clang-format off
    help += "  " + name + std::string(command.summary) + "\n";
    // clang-format on
  }
  help +=
      "\n"
      "Opciones:\n"
      "  -q                     tilde sin informe\n"
      "  --diccionario FICHERO  el diccionario de tildes (si no, diccionario.log junto al programa)\n"
      "  --contexto[=FICHERO]   tilde mira tambi\xC3\xA9n las palabras vecinas (esta/est\xC3\xA1, como/c\xC3\xB3mo)\n"
      "                         y pone la \xC3\xB1 y la \xC3\xBC (espanol/espa\xC3\xB1ol, ano/a\xC3\xB1o), con el "
      "modelo\n"
      "                         de contexto (si no, contexto.dat junto al programa)\n"
      "  --help                 esta ayuda\n"
      "  --version              la versi\xC3\xB3n\n";
  return help;
}

struct Invocation {
  const Command* command = nullptr;
  std::vector<std::filesystem::path> files;
  std::optional<std::filesystem::path> dictionary;
  bool context = false;
  std::optional<std::filesystem::path> context_model;
  bool quiet = false;
  bool help = false;
  bool version = false;
};

// The invocation, or the message that says what is wrong with the arguments.
std::variant<Invocation, std::string> parse(std::span<const std::filesystem::path> arguments) {
  Invocation invocation;
  bool options_ended = false;
  bool have_command = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string argument = display_name(arguments[i]);
    if (!options_ended && argument.size() > 1 && argument[0] == '-') {
      if (argument == "--") {
        options_ended = true;
      } else if (argument == "--help" || argument == "-h") {
        invocation.help = true;
      } else if (argument == "--version") {
        invocation.version = true;
      } else if (argument == "-q") {
        invocation.quiet = true;
      } else if (argument == "--diccionario") {
        if (++i == arguments.size()) return std::string("--diccionario necesita el nombre de un fichero");
        invocation.dictionary = arguments[i];
      } else if (argument.starts_with("--diccionario=")) {
        invocation.dictionary =
            std::filesystem::path(arguments[i].native().substr(std::string_view("--diccionario=").size()));
      } else if (argument == "--contexto") {
        invocation.context = true;
      } else if (argument.starts_with("--contexto=")) {
        invocation.context = true;
        invocation.context_model =
            std::filesystem::path(arguments[i].native().substr(std::string_view("--contexto=").size()));
      } else {
        return "opci\xC3\xB3n desconocida \xC2\xAB" + argument + "\xC2\xBB (tildario --help las lista)";
      }
    } else if (!have_command) {
      have_command = true;
      invocation.command = find_command(argument);
      if (!invocation.command) return "orden desconocida \xC2\xAB" + argument + "\xC2\xBB (tildario --help las lista)";
    } else {
      invocation.files.push_back(arguments[i]);
    }
  }
  if (!have_command && !invocation.help && !invocation.version)
    return std::string("falta la orden (tildario --help las lista)");
  if (invocation.context && invocation.command && invocation.command->kind != Command::Kind::restore_accents)
    return std::string("--contexto solo vale para la orden tilde");
  return invocation;
}

// A text as UTF-8, in one reused buffer.
class Utf8Text {
 public:
  std::string_view encode(const text::CodePageText& text) {
    // Left uninitialised, so that only the part the text needs is ever touched; with room to
    // spare, so that a slightly longer block does not take fresh memory again.
    if (capacity_ < text::utf8_capacity(text)) {
      capacity_ = 2 * text::utf8_capacity(text);
      buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
      expect_large_fill(buffer_.get(), capacity_);
    }
    return std::string_view(buffer_.get(), text::write_utf8(text, buffer_.get()));
  }

 private:
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
};

// Standard output; or, while held, memory, until it is released or dropped.
class Output {
 public:
  bool write(std::string_view bytes) {
    if (holding_) {
      held_.append(bytes);
      return true;
    }
    // An empty block may have no buffer behind it, and fwrite takes no null pointer.
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  }
  bool write(const text::CodePageText& text) { return write(utf8_.encode(text)); }
  bool finish() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }

  void hold() { holding_ = true; }
  bool release() {
    holding_ = false;
    const bool written = write(held_);
    held_ = {};
    return written;
  }
  void drop() {
    holding_ = false;
    held_ = {};
  }

 private:
  Utf8Text utf8_;
  bool holding_ = false;
  std::string held_;
};

int cannot_write() {
  say(std::string("no se puede escribir la salida: ") + std::strerror(errno));
  return exit_failure;
}

// Where a piece of the text may end: after its last ASCII space, tab or line break, each of
// which ends a word for every command, and is its own byte, not a stand-in. Without one, the
// whole text (a single huge word). `at_line_break`: after the last line break if there is one,
// since the context model looks at the words around a word but never past a line.
std::size_t piece_end(const text::CodePageText& t, bool at_line_break) {
  if (at_line_break)
    for (std::size_t i = t.text.size(); i > 0; --i)
      if (t.text[i - 1] == '\n' && text::all_in_code_page(t, i - 1, 1)) return i;
  for (std::size_t i = t.text.size(); i > 0; --i) {
    const char c = t.text[i - 1];
    if ((c == ' ' || c == '\t' || c == '\r' || c == '\n') && text::all_in_code_page(t, i - 1, 1)) return i;
  }
  return t.text.size();
}

// The input's pieces one after another, each cut where piece_end says; the rest of its block
// waits for the next one.
class Pieces {
 public:
  Pieces(TextInput& input, bool at_line_break) : input_(input), at_line_break_(at_line_break) {}

  // The next piece, in place of `piece` (whose buffers are kept), and how the read that ended it went.
  TextInput::Status next(text::CodePageText& piece) {
    piece.text.assign(carried_.text);
    piece.foreign.assign(carried_.foreign.begin(), carried_.foreign.end());
    piece.foreign_units.assign(carried_.foreign_units);
    const TextInput::Status status = input_.read(piece);
    carried_ = status == TextInput::Status::more ? text::split_off(piece, piece_end(piece, at_line_break_))
                                                 : text::CodePageText{};
    return status;
  }

 private:
  TextInput& input_;
  bool at_line_break_;
  text::CodePageText carried_;
};

// Rewrites a piece; `worker` (0 or 1) says which of two side-by-side rewrites it is.
using Rewrite = std::function<void(text::CodePageText& piece, std::size_t worker)>;

// A rewrite begun on trust: what it writes is held back until `confirmed` says whether the trust
// was right. When it was not, `start_again` makes the rewrite sure, and the pieces are rewritten
// again from the start.
struct Trust {
  std::future<bool>& confirmed;
  std::function<void()> start_again;
  // Pieces kept back for another rewrite, at most: past this the rewrite waits for the answer.
  std::size_t most_kept = 16 << 20;
};

// A second thread, started once, that runs one task at a time beside the caller. A thread woken
// from sleep can take a millisecond or more to run again on a virtual machine, as long as a
// piece's rewrite, so between tasks it waits awake for a while before it sleeps, and so does the
// caller waiting for the task. Where no thread can be started, the task runs at wait().
class Helper {
 public:
  Helper() {
    try {
      thread_ = std::thread([this] { serve(); });
    } catch (const std::system_error&) {
    }
  }
  ~Helper() {
    if (!thread_.joinable()) return;
    // A task still running uses what its caller is about to destroy.
    await(idle);
    set(stopping);
    thread_.join();
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

  void start(std::function<void()> task) {
    task_ = std::move(task);
    if (thread_.joinable()) set(given);
  }
  // Waits for the task, and passes on what it threw.
  void wait() {
    if (thread_.joinable()) {
      await(idle);
    } else if (task_) {
      task_();
    }
    task_ = nullptr;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  }

 private:
  enum State : int { idle, given, stopping };

  void set(State state) {
    {
      const std::lock_guard lock(mutex_);
      state_.store(state, std::memory_order_release);
    }
    changed_.notify_all();
  }
  // Until the task is done (`idle`), or until there is one or the thread is to stop (`given`).
  void await(State state) {
    const auto reached = [&] {
      const int now = state_.load(std::memory_order_acquire);
      return state == idle ? now == idle : now != idle;
    };
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2);
    while (!reached() && std::chrono::steady_clock::now() < until) {
#if defined(__x86_64__) || defined(__i386__)
      __builtin_ia32_pause();
#endif
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, reached);
  }
  void serve() {
    for (;;) {
      await(given);
      if (state_.load(std::memory_order_acquire) == stopping) return;
      try {
        task_();
      } catch (...) {
        failure_ = std::current_exception();
      }
      set(idle);
    }
  }

  std::function<void()> task_;
  std::exception_ptr failure_;
  std::atomic<int> state_{idle};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
};

// When two pieces are rewritten side by side.
enum class SideBySide {
  never,
  always,
  // From the second piece on, once no trust is pending (the other processor is then free of the
  // work that decides it).
  once_sure,
};

struct RewriteOptions {
  // Pieces end at line breaks where there are any.
  bool at_line_break = false;
  SideBySide side_by_side = SideBySide::never;
  // Run once, before the first two pieces side by side.
  std::function<void()> share;
  // Run after each piece, or each two pieces side by side, is rewritten.
  std::function<void()> after_both;
  const Trust* trust = nullptr;
};

// Reads the input in blocks and passes each piece, cut where piece_end says, to `rewrite`,
// writing the result as it goes: memory stays the same whatever the length of the input. Side by
// side, two pieces at a time are rewritten, the second on another thread (worker 1), then
// `after_both` runs and both are written in order. With `trust`, the output is held back, and
// the pieces kept as they came, until the trust is confirmed or refused.
int rewrite_in_pieces(TextInput& input, Output& output, const Rewrite& rewrite, const RewriteOptions& options = {}) {
  const bool at_line_break = options.at_line_break;
  const std::function<void()>& after_both = options.after_both;
  const Trust* trust = options.trust;
  Pieces pieces(input, at_line_break);
  text::CodePageText first;
  text::CodePageText second;
  // A block, and the end of the block before it.
  for (text::CodePageText* piece : {&first, &second}) {
    piece->text.reserve(2 * TextInput::block_bytes);
    expect_large_fill(piece->text.data(), piece->text.capacity());
  }
  TextInput::Status status = pieces.next(first);
  if (input.had_bom() && !output.write(text::utf8_bom)) return cannot_write();
  std::vector<text::CodePageText> kept;
  std::size_t kept_bytes = 0;
  if (trust) output.hold();
  const auto keep = [&](const text::CodePageText& piece) {
    if (!trust) return;
    kept.push_back(piece);
    kept_bytes += piece.text.size();
  };
  // Writes what was held back, or rewrites the kept pieces again when the trust was wrong.
  const auto settle = [&] {
    const Trust& settled = *trust;
    trust = nullptr;
    if (settled.confirmed.get()) {
      kept = {};
      return output.release();
    }
    output.drop();
    settled.start_again();
    for (text::CodePageText& piece : kept) {
      rewrite(piece, 0);
      if (after_both) after_both();
      if (!output.write(piece)) return false;
    }
    kept = {};
    return true;
  };
  Utf8Text second_utf8;
  std::string_view second_bytes;
  // After what its task uses, so that it waits for the task before they go.
  std::optional<Helper> helper;
  bool alone_before = false;  // whether a piece has been rewritten alone
  for (;;) {
    // How the read that ended the last piece of this round went.
    TextInput::Status last = status;
    const bool side_by_side = status == TextInput::Status::more &&
                              (options.side_by_side == SideBySide::always ||
                               (options.side_by_side == SideBySide::once_sure && alone_before && !trust));
    if (side_by_side) {
      if (!helper) {
        if (options.share) options.share();
        helper.emplace();
      }
      last = pieces.next(second);
      keep(first);
      keep(second);
      helper->start([&] {
        rewrite(second, 1);
        second_bytes = second_utf8.encode(second);
      });
      rewrite(first, 0);
      const bool written = output.write(first);
      // The next round's first piece is read while the other is still at work.
      if (written && last == TextInput::Status::more) status = pieces.next(first);
      helper->wait();
      if (after_both) after_both();
      if (!written || !output.write(second_bytes)) return cannot_write();
    } else {
      keep(first);
      rewrite(first, 0);
      alone_before = true;
      if (after_both) after_both();
      if (!output.write(first)) return cannot_write();
      if (last == TextInput::Status::more) status = pieces.next(first);
    }
    if (trust &&
        (last != TextInput::Status::more || kept_bytes > trust->most_kept ||
         trust->confirmed.wait_for(std::chrono::seconds(0)) != std::future_status::timeout) &&
        !settle())
      return cannot_write();
    if (last == TextInput::Status::failed) {
      say(input.error());
      return exit_usage;
    }
    if (last == TextInput::Status::end) return output.finish() ? exit_ok : cannot_write();
  }
}

// The reports need the whole text.
int report_on_whole_text(TextInput& input, Output& output, std::string (*report)(std::string_view)) {
  text::CodePageText whole;
  // Room for the whole text at once: growing it step by step would copy it again and again.
  if (const std::uint64_t expected = input.expected_bytes(); expected <= SIZE_MAX / 2) {
    whole.text.reserve(static_cast<std::size_t>(expected));
    expect_large_fill(whole.text.data(), whole.text.capacity());
  }
  for (;;) {
    const TextInput::Status status = input.read(whole);
    if (status == TextInput::Status::failed) {
      say(input.error());
      return exit_usage;
    }
    if (status == TextInput::Status::end) break;
  }
  std::string shown = text::to_utf8(report(whole.text));
  whole = {};
  if (!shown.ends_with('\n')) shown += '\n';
  return output.write(shown) && output.finish() ? exit_ok : cannot_write();
}

int run_command(const Invocation& invocation) {
  if (const auto problem = unreadable_file(invocation.files)) {
    say(*problem);
    return exit_usage;
  }
  TextInput input(invocation.files);
  Output output;
  const Command& command = *invocation.command;
  switch (command.kind) {
    case Command::Kind::change_case: {
      text::CaseChanger changer(command.change);
      return rewrite_in_pieces(input, output, [&](text::CodePageText& piece, std::size_t) { changer.apply(piece); });
    }
    case Command::Kind::report: return report_on_whole_text(input, output, command.report);
    case Command::Kind::restore_accents: {
      FoundDictionary found = find_dictionary(invocation.dictionary);
      if (found.problem) say(*found.problem + "; el texto sale sin corregir");
      FoundContextModel context;
      if (invocation.context && !found.problem) {
        context = find_context_model(invocation.context_model);
        if (context.problem) say(*context.problem + "; se ponen las tildes solo con el diccionario");
      }
      // Two restorers, each with its own answers, take a piece each side by side; their
      // corrections join the report in the text's order. With the context model, whose work per
      // word is several times the dictionary's, from the start. Without it, once the other
      // processor is done with the hash of the dictionary file, and the second restorer starts
      // from what the first has learnt of the text's words: learning them again would take it
      // longer than the pieces it takes over.
      const accents::ContextModel* model = context.model ? &*context.model : nullptr;
      // Each worker's restorer and corrections on cache lines of their own: written for every
      // word, they would otherwise bounce between the processors.
      struct alignas(64) Worker {
        Worker(const accents::AccentDictionary& dictionary, const accents::ContextModel* model)
            : restorer(dictionary, model) {}
        accents::AccentRestorer restorer;
        accents::AccentCorrections corrections;
      };
      const auto worker = [&] { return std::make_unique<Worker>(found.dictionary, model); };
      std::unique_ptr<Worker> workers[] = {worker(), worker()};
      accents::AccentCorrections corrections;
      // The ready index is used at once, while another thread hashes the dictionary file to
      // tell whether the index was made from it: the text is restored meanwhile, and shown only
      // once it was; else it is restored again from the start with the file's own dictionary.
      std::optional<Trust> trust;
      if (found.made_from_file.valid()) {
        trust.emplace(Trust{
            .confirmed = found.made_from_file,
            .start_again =
                [&] {
                  const std::filesystem::path path = found.path;
                  found = read_dictionary_file(path);
                  if (found.problem) {
                    say(*found.problem + "; el texto sale sin corregir");
                    model = nullptr;
                  }
                  for (std::unique_ptr<Worker>& w : workers) w = worker();
                  corrections = {};
                },
        });
      }
      const int status = rewrite_in_pieces(
          input, output,
          [&](text::CodePageText& piece, std::size_t w) {
            workers[w]->restorer.restore(piece, workers[w]->corrections);
          },
          {
              .at_line_break = model != nullptr,
              .side_by_side = model ? SideBySide::always : SideBySide::once_sure,
              // With the model both start together, with nothing learnt yet to share.
              .share = model ? std::function<void()>() : [&] { workers[1]->restorer.learn_from(workers[0]->restorer); },
              .after_both =
                  [&] {
                    for (const std::unique_ptr<Worker>& w : workers) {
                      accents::add_corrections(corrections, w->corrections);
                      w->corrections = {};
                    }
                  },
              .trust = trust ? &*trust : nullptr,
          });
      if (status == exit_ok && !invocation.quiet) {
        std::string report = text::to_utf8(accents::correction_report(corrections));
        if (!report.ends_with('\n')) report += '\n';
        std::fwrite(report.data(), 1, report.size(), stderr);
      }
      return status;
    }
  }
  return exit_failure;
}

}  // namespace

int run(std::span<const std::filesystem::path> arguments) {
  auto parsed = parse(arguments);
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    say(*problem);
    return exit_usage;
  }
  const Invocation& invocation = std::get<Invocation>(parsed);
  if (invocation.help) {
    const std::string help = help_text();
    Output output;
    return output.write(help) && output.finish() ? exit_ok : cannot_write();
  }
  if (invocation.version) {
    const std::string_view number = TILDARIO_VERSION;
    std::string version = "tildario";
    // clang-format off
    if (!number.empty()) version.append(" ").append(number);
    // clang-format on
    version += '\n';
    Output output;
    return output.write(version) && output.finish() ? exit_ok : cannot_write();
  }
  try {
    return run_command(invocation);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  say("el texto es demasiado grande para esta orden");
  return exit_failure;
}

}  // namespace cli

// Writes the ready index of an accent dictionary file (accents/dictionary_index.h), by default
// beside it with the extension .idx.
//
//   make_dictionary_index DICTIONARY [INDEX]
//
// The same dictionary file always gives the same index, byte for byte.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <utility>

#include "accents/dictionary_index.h"
#include "accents/dictionary_loader.h"
#include "tools/command_line.h"
#include "tools/files.h"

namespace {

constexpr std::string_view usage_text = "usage: make_dictionary_index DICTIONARY [INDEX]\n";

[[noreturn]] void fail(const std::string& why) { tools::exit_with_error("make_dictionary_index", why); }

}  // namespace

int main(int argc, char** argv) {
  const auto line = tools::parse_command_line(argc, argv, {});
  if (line.error) tools::exit_with_usage("make_dictionary_index", *line.error, usage_text);
  if (line.positional.empty() || line.positional.size() > 2)
    tools::exit_with_usage("make_dictionary_index", "expected DICTIONARY and at most one INDEX", usage_text);
  const std::string& dictionary_path = line.positional[0];
  const std::string index_path =
      line.positional.size() == 2
          ? line.positional[1]
          : std::filesystem::path(dictionary_path).replace_extension(accents::index_extension).string();

  const std::optional<std::string> file = tools::read_file(dictionary_path);
  if (!file) fail("cannot read " + dictionary_path);
  const std::span<const unsigned char> bytes(reinterpret_cast<const unsigned char*>(file->data()), file->size());
  accents::DictionaryLoad load = accents::load_accent_dictionary(bytes);
  if (load.format_error) fail(dictionary_path + " is not a whole number of records");
  const std::size_t distinct = load.dictionary.distinct_count();
  const std::vector<unsigned char> index =
      accents::make_dictionary_index(std::move(load.dictionary), accents::fingerprint_of(bytes));

  // Written under another name first: a reader never finds half an index.
  const std::string partial = index_path + ".part";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(index.data()), static_cast<std::streamsize>(index.size()));
    if (!out.flush()) fail("cannot write " + partial);
  }
  std::error_code error;
  std::filesystem::rename(partial, index_path, error);
  if (error) fail("cannot write " + index_path + ": " + error.message());
  std::printf("make_dictionary_index: %s: %zu bytes for %zu distinct words\n", index_path.c_str(), index.size(),
              distinct);
  return 0;
}

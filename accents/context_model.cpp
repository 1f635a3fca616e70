#include "accents/context_model.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "accents/word_filter.h"
#include "text/ascii_chunk.h"
#include "text/char_classes.h"
#include "text/code_page_1252.h"
#include "text/marked_letters.h"
#include "text/tokens.h"

namespace accents {

namespace {

// Small letters without marks: how a token is compared, so that a word reads the same whether
// or not its own accent, ñ or ü is missing.
constexpr unsigned char token_byte(unsigned char b) { return text::without_mark(text::cp1252::to_lower(b)); }
constexpr text::cp1252::ByteMap token_bytes = text::cp1252::make_byte_map(token_byte);

enum class ByteKind : std::uint8_t { word, space, line, digit, mark };

constexpr ByteKind byte_kind(unsigned char b) {
  if (!text::byte_tables::separators[b]) return ByteKind::word;
  if (b == '\n' || b == '\r') return ByteKind::line;
  if (b >= '0' && b <= '9') return ByteKind::digit;
  if (b < 0x20 || b == ' ' || b == 0xA0) return ByteKind::space;
  return ByteKind::mark;
}
constexpr auto byte_kinds = [] {
  std::array<ByteKind, 256> kinds{};
  for (int b = 0; b < 256; ++b) kinds[b] = byte_kind(static_cast<unsigned char>(b));
  return kinds;
}();
ByteKind kind_of(unsigned char b) { return byte_kinds[b]; }

constexpr std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 30;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 27;
  h *= 0x94D049BB133111EBull;
  return h ^ (h >> 31);
}

// token_hash is made of chunks of eight bytes, little-endian, the last one padded with zeros;
// the length goes in first, so that the padding cannot make two tokens equal.
constexpr std::uint64_t hash_start(std::size_t size) { return mix(size + 1); }
constexpr auto token_starts = [] {
  std::array<std::uint64_t, context_token_limit + 1> starts{};
  for (std::size_t size = 0; size <= context_token_limit; ++size) starts[size] = hash_start(size);
  return starts;
}();
constexpr std::uint64_t hash_chunk(std::uint64_t h, std::uint64_t chunk) {
  h = (h ^ chunk) * 0x9E3779B97F4A7C15ull;
  return h ^ (h >> 29);
}

struct Token {
  std::string_view text;
  std::uint64_t hash;
};

// The token of the `size` bytes at `start`, written into `room`; `readable`: how many bytes of
// the text may be read from `start` on. ASCII is made small eight bytes at a time.
Token make_token(const unsigned char* start, std::size_t size, std::size_t readable,
                 std::array<char, context_token_limit>& room) {
  size = std::min(size, context_token_limit);
  if (std::endian::native == std::endian::little && size <= 8 && readable >= 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, start, 8);
    chunk &= ~std::uint64_t{0} >> (64 - 8 * size);
    if ((chunk & text::ascii_chunk::high_bits) == 0) {
      chunk = text::ascii_chunk::to_lower(chunk);
      std::memcpy(room.data(), &chunk, 8);
      return {std::string_view(room.data(), size), hash_chunk(token_starts[size], chunk)};
    }
  }
  std::uint64_t h = token_starts[size];
  for (std::size_t i = 0; i < size; i += 8) {
    const std::size_t n = std::min<std::size_t>(8, size - i);
    const std::uint64_t kept = n == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * n)) - 1;
    const bool whole = std::endian::native == std::endian::little && readable - i >= 8;
    std::uint64_t chunk = 0;
    if (whole) std::memcpy(&chunk, start + i, 8);
    chunk &= kept;
    if (whole && (chunk & text::ascii_chunk::high_bits) == 0) {
      chunk = text::ascii_chunk::to_lower(chunk);
      // The room's 40 bytes take every chunk whole: no chunk starts past its 32nd.
      std::memcpy(room.data() + i, &chunk, 8);
    } else {
      chunk = 0;
      for (std::size_t k = 0; k < n; ++k) {
        const unsigned char b = token_bytes[start[i + k]];
        room[i + k] = static_cast<char>(b);
        chunk |= std::uint64_t{b} << (8 * k);
      }
    }
    h = hash_chunk(h, chunk);
  }
  return {std::string_view(room.data(), size), h};
}

constexpr std::uint64_t boundary_hash = hash_start(0);
const Token digits_token{"0", token_hash("0")};
constexpr Token boundary_token{{}, boundary_hash};

// The token of a mark, a byte.
constexpr auto mark_hashes = [] {
  std::array<std::uint64_t, 256> hashes{};
  for (int b = 0; b < 256; ++b) hashes[b] = hash_chunk(hash_start(1), token_bytes[b]);
  return hashes;
}();
Token mark_token(unsigned char b) {
  return {std::string_view(reinterpret_cast<const char*>(&token_bytes[b]), 1), mark_hashes[b]};
}

// Where the word that ends at `end` starts, and where the word that starts at `start` ends, in
// a text of `size` bytes: sixteen bytes at a time.
std::size_t word_start(const unsigned char* bytes, std::size_t end) {
  for (; end >= 16; end -= 16) {
    const int run = std::countl_one(static_cast<std::uint16_t>(text::word_bits_of_16(bytes + end - 16)));
    if (run < 16) return end - static_cast<std::size_t>(run);
  }
  while (end > 0 && kind_of(bytes[end - 1]) == ByteKind::word) --end;
  return end;
}
std::size_t word_end(const unsigned char* bytes, std::size_t start, std::size_t size) {
  for (; size - start >= 16; start += 16) {
    const int run = std::countr_one(static_cast<std::uint16_t>(text::word_bits_of_16(bytes + start)));
    if (run < 16) return start + static_cast<std::size_t>(run);
  }
  while (start < size && kind_of(bytes[start]) == ByteKind::word) ++start;
  return start;
}

std::uint32_t read_u32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
std::uint64_t read_u64(const unsigned char* p) { return read_u32(p) | std::uint64_t{read_u32(p + 4)} << 32; }
std::int16_t read_i16(const unsigned char* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

}  // namespace

const WordContext& ContextReader::around(std::string_view text, std::size_t offset, std::size_t size) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  // Before the word, nearest first.
  std::size_t i = offset;
  bool ended = false;
  for (std::size_t k = 0; k < context_reach; ++k) {
    Token token = boundary_token;
    while (!ended) {
      if (i == 0) {
        ended = true;
        break;
      }
      const ByteKind kind = kind_of(bytes[i - 1]);
      if (kind == ByteKind::space) {
        --i;
        continue;
      }
      if (kind == ByteKind::line) {
        ended = true;
      } else if (kind == ByteKind::digit) {
        while (i > 0 && kind_of(bytes[i - 1]) == ByteKind::digit) --i;
        token = digits_token;
      } else if (kind == ByteKind::mark) {
        --i;
        token = mark_token(bytes[i]);
      } else {
        const std::size_t end = i;
        i = word_start(bytes, end);
        token = make_token(bytes + i, end - i, text.size() - i, room_[k]);
      }
      break;
    }
    context_.before[k] = token.text;
    context_.before_hashes[k] = token.hash;
  }
  // After it.
  i = offset + size;
  ended = false;
  for (std::size_t k = 0; k < context_reach; ++k) {
    Token token = boundary_token;
    while (!ended) {
      if (i == text.size()) {
        ended = true;
        break;
      }
      const ByteKind kind = kind_of(bytes[i]);
      if (kind == ByteKind::space) {
        ++i;
        continue;
      }
      if (kind == ByteKind::line) {
        ended = true;
      } else if (kind == ByteKind::digit) {
        while (i < text.size() && kind_of(bytes[i]) == ByteKind::digit) ++i;
        token = digits_token;
      } else if (kind == ByteKind::mark) {
        token = mark_token(bytes[i]);
        ++i;
      } else {
        const std::size_t start = i;
        i = word_end(bytes, start, text.size());
        token = make_token(bytes + start, i - start, text.size() - start, room_[context_reach + k]);
      }
      break;
    }
    context_.after[k] = token.text;
    context_.after_hashes[k] = token.hash;
  }
  return context_;
}

std::string word_token(std::string_view word) {
  std::string token(word.substr(0, context_token_limit));
  for (char& c : token) c = static_cast<char>(token_bytes[static_cast<unsigned char>(c)]);
  return token;
}

std::uint64_t token_hash(std::string_view token) {
  std::uint64_t h = hash_start(token.size());
  for (std::size_t i = 0; i < token.size(); i += 8) {
    std::uint64_t chunk = 0;
    for (std::size_t k = 0; k < 8 && i + k < token.size(); ++k)
      chunk |= std::uint64_t{static_cast<unsigned char>(token[i + k])} << (8 * k);
    h = hash_chunk(h, chunk);
  }
  return h;
}

FeatureTokens feature_tokens(const WordContext& c, ContextFeature feature) {
  constexpr std::uint64_t none = boundary_hash;
  switch (feature) {
    case ContextFeature::one_before: return {c.before[0], {}, c.before_hashes[0], none};
    case ContextFeature::one_after: return {c.after[0], {}, c.after_hashes[0], none};
    case ContextFeature::two_before: return {c.before[1], c.before[0], c.before_hashes[1], c.before_hashes[0]};
    case ContextFeature::two_after: return {c.after[0], c.after[1], c.after_hashes[0], c.after_hashes[1]};
    case ContextFeature::ending_before:
    case ContextFeature::ending_after: {
      // Only words make tokens longer than one byte: marks and numbers make one.
      const std::string_view word = feature == ContextFeature::ending_before ? c.before[0] : c.after[0];
      if (word.size() <= context_ending_length) return {{}, {}, none, none};
      const std::string_view ending = word.substr(word.size() - context_ending_length);
      return {ending, {}, token_hash(ending), none};
    }
  }
  return {};
}

std::uint64_t feature_key(std::uint32_t form, ContextFeature feature, std::uint64_t first_hash,
                          std::uint64_t second_hash) {
  const std::uint64_t h =
      mix(first_hash ^ std::rotl(second_hash, 23) ^
          ((std::uint64_t{form} << 8 | static_cast<std::uint8_t>(feature)) * 0xC2B2AE3D27D4EB4Full));
  return h == 0 ? 1 : h;
}

std::optional<ContextModel> ContextModel::load(std::span<const unsigned char> file) {
  namespace f = context_file;
  if (file.size() < f::header_size || std::memcmp(file.data(), f::magic.data(), f::magic.size()) != 0)
    return std::nullopt;
  const unsigned char* const header = file.data();
  const std::uint32_t feature_mask = read_u32(header + 8);
  const auto accent_threshold = static_cast<std::int32_t>(read_u32(header + 12));
  const auto plain_threshold = static_cast<std::int32_t>(read_u32(header + 16));
  const std::uint64_t form_count = read_u32(header + 20), candidate_count = read_u32(header + 24),
                      string_bytes = read_u32(header + 28), slot_count = read_u32(header + 32),
                      weight_count = read_u32(header + 36), max_distance = read_u32(header + 40),
                      mark_count = read_u32(header + 44), mark_bytes = read_u32(header + 48);
  constexpr std::uint32_t known_features = [] {
    std::uint32_t mask = 0;
    for (const ContextFeature feature : context_features) mask |= f::feature_bit(feature);
    return mask;
  }();
  if (feature_mask == 0 || (feature_mask & ~known_features) != 0 || !std::has_single_bit(slot_count) ||
      max_distance >= slot_count || max_distance > f::max_distance)
    return std::nullopt;
  const std::uint64_t forms_at = f::header_size;
  const std::uint64_t candidates_at = forms_at + form_count * f::form_record_size;
  const std::uint64_t strings_at = candidates_at + candidate_count * f::candidate_record_size;
  const std::uint64_t slots_at = strings_at + string_bytes;
  const std::uint64_t weights_at = slots_at + slot_count * f::slot_record_size;
  const std::uint64_t marks_at = weights_at + weight_count * f::weight_size;
  const std::uint64_t mark_text_at = marks_at + mark_count * f::mark_record_size;
  if (mark_text_at + mark_bytes != file.size()) return std::nullopt;

  ContextModel model;
  model.accent_threshold_ = accent_threshold;
  model.plain_threshold_ = plain_threshold;
  model.max_distance_ = max_distance;
  for (const ContextFeature feature : context_features)
    if (feature_mask & f::feature_bit(feature)) model.features_.push_back(feature);

  model.candidates_.reserve(candidate_count);
  for (std::uint64_t c = 0; c < candidate_count; ++c) {
    const unsigned char* record = file.data() + candidates_at + c * f::candidate_record_size;
    model.candidates_.push_back({read_u32(record), read_i16(record + 4), false});
  }
  model.forms_.reserve(form_count);
  model.form_text_.assign(reinterpret_cast<const char*>(file.data() + strings_at), string_bytes);
  model.form_slots_.size_for(form_count);
  for (std::uint64_t n = 0; n < form_count; ++n) {
    const unsigned char* record = file.data() + forms_at + n * f::form_record_size;
    const std::uint64_t start = read_u32(record), first = read_u32(record + 4);
    const std::size_t length = record[8], count = record[9];
    if (length == 0 || start + length > string_bytes || count < 2 || count > f::max_candidates ||
        first + count > candidate_count)
      return std::nullopt;
    const std::string_view form = std::string_view(model.form_text_).substr(start, length);
    // A form is a word in small letters without marks; each of its spellings has the same
    // letters, some of them with a mark, one acute accent at most.
    if (word_token(form) != form) return std::nullopt;
    for (std::size_t c = first; c < first + count; ++c) {
      if (std::uint64_t{model.candidates_[c].start} + length > string_bytes) return std::nullopt;
      const std::string_view spelling = std::string_view(model.form_text_).substr(model.candidates_[c].start, length);
      if (word_token(spelling) != form) return std::nullopt;
      model.candidates_[c].plain = spelling == form;
      std::size_t acute = 0;
      for (const char b : spelling) {
        if (text::cp1252::to_lower(static_cast<unsigned char>(b)) != static_cast<unsigned char>(b)) return std::nullopt;
        acute += text::is_acute_vowel(static_cast<unsigned char>(b));
      }
      // A word takes one written accent at most.
      if (acute > 1) return std::nullopt;
    }
    if (model.find_form(form)) return std::nullopt;  // given twice
    model.form_slots_.add(token_hash(form), static_cast<std::uint32_t>(n));
    model.forms_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(first),
                            static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(count)});
    model.longest_form_ = std::max(model.longest_form_, length);
  }
  // A feature's weights are one per spelling of its form. A slot of a damaged file may point at
  // the last weights with a form that has more spellings: the zeros after them keep its reads
  // inside the table.
  model.weights_.assign(weight_count + f::max_candidates, 0);
  for (std::uint64_t w = 0; w < weight_count; ++w)
    model.weights_[w] = read_i16(file.data() + weights_at + w * f::weight_size);
  model.slots_.resize(slot_count);
  model.first_weights_.resize(slot_count);
  for (std::uint64_t s = 0; s < slot_count; ++s) {
    const unsigned char* record = file.data() + slots_at + s * f::slot_record_size;
    Slot slot{read_u64(record), {}};
    const std::uint32_t first_weight = read_u32(record + 8);
    if (slot.key != 0) {
      if (first_weight >= weight_count) return std::nullopt;
      ++model.feature_count_;
      std::copy_n(model.weights_.begin() + first_weight, slot_weights, slot.weights.begin());
    }
    model.slots_[s] = slot;
    model.first_weights_[s] = first_weight;
  }
  model.feature_filter_.assign(WordFilter::blocks_for(model.feature_count_), 0);
  for (const Slot& slot : model.slots_)
    if (slot.key != 0) WordFilter::add(model.feature_filter_, slot.key);
  if (!model.load_mark_words(file.subspan(marks_at, mark_count * f::mark_record_size),
                             file.subspan(mark_text_at, mark_bytes)))
    return std::nullopt;
  return model;
}

bool ContextModel::load_mark_words(std::span<const unsigned char> records, std::span<const unsigned char> text) {
  namespace f = context_file;
  const std::size_t count = records.size() / f::mark_record_size;
  mark_text_.assign(reinterpret_cast<const char*>(text.data()), text.size());
  mark_words_.reserve(count);
  mark_slots_.size_for(count);
  for (std::size_t n = 0; n < count; ++n) {
    const unsigned char* record = records.data() + n * f::mark_record_size;
    const MarkWord word{read_u32(record), read_u32(record + 4), record[8]};
    if (word.length == 0 || word.length > f::max_mark_length || std::uint64_t{word.start} + word.length > text.size() ||
        word.mask == 0 || (word.length < 32 && (word.mask >> word.length) != 0))
      return false;
    const std::string_view plain = std::string_view(mark_text_).substr(word.start, word.length);
    // Only an n takes the tilde, only a u the diaeresis, and the word itself holds no mark.
    for (std::size_t i = 0; i < plain.size(); ++i) {
      const auto b = static_cast<unsigned char>(plain[i]);
      if (text::without_mark(b) != b || text::cp1252::to_lower(b) != b) return false;
      if ((word.mask >> i & 1) && b != 'n' && b != 'u') return false;
    }
    if (find_mark_word(plain)) return false;  // given twice
    mark_slots_.add(token_hash(plain), static_cast<std::uint32_t>(n));
    mark_words_.push_back(word);
    longest_mark_word_ = std::max<std::size_t>(longest_mark_word_, word.length);
  }
  return true;
}

const ContextModel::MarkWord* ContextModel::find_mark_word(std::string_view lower) const {
  if (lower.size() > longest_mark_word_) return nullptr;
  const auto found = mark_slots_.find(lower, [this](std::uint32_t n) {
    return std::string_view(mark_text_).substr(mark_words_[n].start, mark_words_[n].length);
  });
  return found ? &mark_words_[*found] : nullptr;
}

bool ContextModel::restore_marks(char* lower, std::size_t size) const {
  const MarkWord* word = find_mark_word(std::string_view(lower, size));
  if (!word) return false;
  for (std::size_t i = 0; i < size; ++i)
    if (word->mask >> i & 1)
      lower[i] = static_cast<char>(text::marked_letter(static_cast<unsigned char>(lower[i]),
                                                       lower[i] == 'n' ? text::Mark::tilde : text::Mark::diaeresis));
  return true;
}

std::vector<std::string_view> ContextModel::plain_words() const {
  std::vector<std::string_view> words;
  words.reserve(forms_.size() + mark_words_.size());
  for (const Form& f : forms_) words.push_back(std::string_view(form_text_).substr(f.start, f.length));
  for (const MarkWord& w : mark_words_) words.push_back(std::string_view(mark_text_).substr(w.start, w.length));
  return words;
}

std::optional<std::uint32_t> ContextModel::find_form(std::string_view lower) const {
  if (lower.size() > longest_form_) return std::nullopt;
  return form_slots_.find(lower, [this](std::uint32_t n) {
    return std::string_view(form_text_).substr(forms_[n].start, forms_[n].length);
  });
}

std::optional<std::uint32_t> ContextModel::find_written(std::string_view lower) const {
  if (lower.size() > longest_form_) return std::nullopt;
  char plain[context_token_limit];
  for (std::size_t i = 0; i < lower.size(); ++i) {
    const auto b = static_cast<unsigned char>(lower[i]);
    if (text::is_acute_vowel(b)) return std::nullopt;
    plain[i] = static_cast<char>(text::without_mark(b));
  }
  return find_form(std::string_view(plain, lower.size()));
}

std::optional<std::size_t> ContextModel::slot_of(std::uint64_t key) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = static_cast<std::size_t>(key) & mask;
  for (std::size_t distance = 0; distance <= max_distance_; ++distance, s = (s + 1) & mask) {
    if (slots_[s].key == key) return s;
    if (slots_[s].key == 0) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<ContextModel::WrittenWord> ContextModel::written_word(std::string_view written,
                                                                    std::string_view dictionary_spelling,
                                                                    std::string_view as_written) const {
  const std::optional<std::uint32_t> form = find_written(written);
  if (!form) return std::nullopt;
  const Form& f = forms_[*form];
  const Candidate* const candidates = candidates_.data() + f.first_candidate;
  WrittenWord word{*form, f.candidate_count, 0, 0xFF};
  for (std::size_t c = 0; c < f.candidate_count; ++c) {
    const std::string_view spelling(form_text_.data() + candidates[c].start, f.length);
    if (spelling == dictionary_spelling) word.dictionary_choice = static_cast<std::uint8_t>(c);
    if (spelling == as_written) word.as_written = static_cast<std::uint8_t>(c);
    // A ñ or ü as written stays: the spellings without it are no choice.
    bool keeps_marks = true;
    for (std::size_t i = 0; i < spelling.size(); ++i)
      if (text::without_acute(static_cast<unsigned char>(written[i])) !=
              text::without_mark(static_cast<unsigned char>(written[i])) &&
          spelling[i] != written[i])
        keeps_marks = false;
    if (keeps_marks) word.choices |= static_cast<std::uint8_t>(1u << c);
  }
  if (word.dictionary_choice == f.candidate_count) return std::nullopt;
  if ((word.choices & ~(1u << word.dictionary_choice)) == 0) return std::nullopt;
  return word;
}

std::string_view ContextModel::spelling(const WrittenWord& word, std::size_t choice) const {
  const Form& f = forms_[word.form];
  return std::string_view(form_text_.data() + candidates_[f.first_candidate + choice].start, f.length);
}

std::size_t ContextModel::choose(const WrittenWord& word, const WordContext& context) const {
  const Form& f = forms_[word.form];
  const Candidate* const candidates = candidates_.data() + f.first_candidate;
  // The slots of the features that the filter may hold are fetched from memory side by side,
  // then read.
  const WordFilter filter(0, feature_filter_);
  std::uint64_t keys[context_features.size()];
  ContextFeature kinds[context_features.size()];
  std::size_t kept = 0;
  for (const ContextFeature feature : features_) {
    if (whole_word_of(feature)) continue;
    const FeatureTokens tokens = feature_tokens(context, feature);
    const std::uint64_t key = feature_key(word.form, feature, tokens.first_hash, tokens.second_hash);
    if (!filter.may_hold(key)) continue;
    keys[kept] = key;
    kinds[kept++] = feature;
#if defined(__GNUC__)
    __builtin_prefetch(&slots_[static_cast<std::size_t>(key) & (slots_.size() - 1)]);
#endif
  }
  std::int32_t scores[context_file::max_candidates];
  for (std::size_t c = 0; c < f.candidate_count; ++c) scores[c] = candidates[c].prior;
  const auto add_weights = [&](std::size_t s) {
    const std::int16_t* const weights =
        f.candidate_count <= slot_weights ? slots_[s].weights.data() : weights_.data() + first_weights_[s];
    for (std::size_t c = 0; c < f.candidate_count; ++c) scores[c] += weights[c];
  };
  bool held[context_features.size() + 1] = {};
  for (std::size_t i = 0; i < kept; ++i) {
    const std::optional<std::size_t> s = slot_of(keys[i]);
    if (!s) continue;
    held[static_cast<std::size_t>(kinds[i])] = true;
    add_weights(*s);
  }
  // The ending of a neighbour speaks only where the model holds nothing of the neighbour itself.
  for (const ContextFeature feature : features_) {
    const std::optional<ContextFeature> whole = whole_word_of(feature);
    if (!whole || held[static_cast<std::size_t>(*whole)]) continue;
    const FeatureTokens tokens = feature_tokens(context, feature);
    if (tokens.first.empty()) continue;
    const std::uint64_t key = feature_key(word.form, feature, tokens.first_hash, tokens.second_hash);
    if (!filter.may_hold(key)) continue;
    if (const std::optional<std::size_t> s = slot_of(key)) add_weights(*s);
  }
  std::size_t best = word.dictionary_choice;
  for (std::size_t c = 0; c < f.candidate_count; ++c)
    if (scores[c] > scores[best] && (word.choices >> c & 1)) best = c;
  const std::int32_t threshold = candidates[best].plain ? plain_threshold_ : accent_threshold_;
  if (best != word.dictionary_choice && scores[best] - scores[word.dictionary_choice] < threshold)
    best = word.dictionary_choice;
  return best;
}

}  // namespace accents

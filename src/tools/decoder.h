#pragma once

// Reading a game's bytes through a table. A decoder is built once from a
// table into a lookup whose cost per byte does not grow with the table: a
// direct array of 256 slots for the first byte of a key (one-byte entries
// are answered there alone), another after each first byte that longer
// keys start with (two-byte entries are answered there), and a trie below
// for longer keys still. Then any range of bytes decodes:
//
// - at each position the longest key that matches wins, and its text is
//   written as it stands;
// - a byte no key matches is written as "[$XX]" and decoding moves one
//   byte on;
// - end tokens and newline entries write their label, then a line end for
//   every "\n" that ends the label (at least one);
// - a control code writes its label with its parameter bytes formatted
//   inside the label's brackets ("[Color palette=$A4 index=52]"), or, in
//   the older linked form "<label>,N", the label and then each of its N
//   bytes as "<$XX>" (or "[$XX]" after a "[label]");
// - a table switch writes its label, if it has one, and decodes on in the
//   table it names: for N matches, until no entry of that table matches
//   (0), or until its own key comes again (-1).
//
// The line end written is "\n", whatever the platform.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mojihyo {

struct FontTable;
class TfsDocument;

inline constexpr char kDecodedLineEnd = '\n';

enum class PieceKind : std::uint8_t { Text, Raw, EndToken, Newline, ControlCode, TableSwitch };

// One step of a decode: the bytes it took and the text it wrote.
struct DecodedPiece {
  std::uint64_t at = 0;      // its first byte, as an offset into the data
  std::uint64_t textAt = 0;  // where its text starts in the output
  std::uint32_t length = 0;  // bytes taken: the key and any parameters
  std::uint32_t textLength = 0;
  PieceKind kind = PieceKind::Text;

  std::uint64_t end() const { return at + length; }
  bool operator==(const DecodedPiece&) const = default;
};

class Decoder {
public:
  // A decoder without entries: every byte is written as "[$XX]".
  Decoder();

  // Logical table `logicalTable` of a TFS document is where decoding
  // starts; the others are there for its table switches. Within a logical
  // table the first line of a key counts, whatever its kind; a switch to a
  // table the file does not hold matches nothing.
  static Decoder FromTfs(const TfsDocument& doc, std::size_t logicalTable = 0);

  // A table as the editor holds it. One read from a TFS file decodes
  // through its document, brought up to date with the fields. Otherwise
  // only normal entries are used: the 256 entries, the 16-bit entries (the
  // first line of a number counts), and the Line Break and String Break
  // values as newline entries and end tokens without labels, which win
  // over an entry of the same byte.
  static Decoder FromFontTable(const FontTable& table);

  // One table of normal entries, keys given as bytes; the first of equal
  // keys counts, and empty keys are left out.
  static Decoder FromEntries(const std::vector<std::pair<std::string, std::string>>& entries);

  // Where a decode stands: the next byte, and the tables switched to on
  // the way there.
  class Cursor {
  public:
    std::uint64_t at = 0;

  private:
    friend class Decoder;
    struct Frame {
      std::uint32_t table = 0;
      std::uint32_t switchEntry = 0;  // the switch that led here
      long count = 0;                 // -1, 0 or the matches it lasts
      long matches = 0;
    };
    std::vector<Frame> frames_;
  };

  // A decode starting at `at` in the starting table.
  Cursor Start(std::uint64_t at) const;

  // Decodes `data` from the cursor on while it stands before `stopAt`,
  // appending the text to `out` and, when asked, each step to `pieces`
  // (their textAt counted in `out`). The last step may run past `stopAt`;
  // no key or parameter ever reaches past the end of `data`.
  void Decode(std::string_view data, Cursor& cursor, std::uint64_t stopAt, std::string& out,
              std::vector<DecodedPiece>* pieces = nullptr) const;

  // All of `data`, as text.
  std::string Decode(std::string_view data) const;

  // All of `data`, handed to `write` a buffer at a time, so that the text of
  // a large file never needs memory of its own size. Stops at the first
  // write that returns false, and returns false then.
  bool Stream(std::string_view data, const std::function<bool(std::string_view)>& write) const;

private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  struct Entry {
    PieceKind kind = PieceKind::Text;
    // Written before the parameters (the text, or a label without its
    // closing bracket), and after them (the bracket and the line ends).
    std::uint32_t headAt = 0, headLength = 0;
    std::uint32_t tailAt = 0, tailLength = 0;
    std::uint32_t firstParam = 0, paramCount = 0;
    char linkedStyle = 0;  // '<' or '[' for the linked form's raw bytes
    std::uint32_t keyAt = 0, keyLength = 0;
    std::uint32_t target = kNone;  // a switch's table
    long count = 0;
  };
  struct Param {
    std::uint32_t at = 0, length = 0;  // " palette=%X" as it is written
    bool placeholder = false;          // holds %D, %X or %B
  };
  // A node holds what the decode of its entry needs most, so that a match
  // costs no look into the entry list: whether it only writes a text (a
  // normal entry, an end token or a newline), where that text is, and how
  // many parameter bytes it takes. Its children stand in byte order from
  // childAt in slots_, and a bitmap says which byte values have one.
  struct Node {
    std::uint32_t entry = kNone;
    std::uint32_t childAt = 0;
    std::uint32_t bitsAt = 0;  // in bits_
    std::uint16_t childCount = 0;
    bool plain = false;
    std::uint32_t textAt = 0, textLength = 0;
    std::uint32_t paramCount = 0;
  };
  // Which byte values a node has a child for, and how many children the
  // words before each word hold: a child is found with one bit test and one
  // count of bits, and the children of a node lie side by side, however
  // few they are.
  struct Bits {
    std::uint64_t words[4] = {};
    std::uint16_t before[4] = {};
  };
  // A child, and the first byte of every key: sixteen bytes, so a table's
  // 256 first slots fill 4 KiB. A key that ends here with a short text (no
  // more than eight bytes, and no parameters) has the text here too, copied
  // as eight bytes; "simple" says that no longer key goes on from it.
  struct Slot {
    char text[8] = {};
    std::uint8_t textLength = 0;
    bool shortText = false;
    bool simple = false;
    // A first byte that longer keys start with: where its 256 second
    // slots begin in seconds_, in blocks of 256 (0: the empty block).
    std::uint8_t secondBlock = 0;
    std::uint32_t node = kNone;
  };
  // A second byte after a first byte that longer keys start with: eight
  // bytes, so that the 256 after one first byte fill 2 KiB. A two-byte key
  // that ends here with a text of up to six bytes and no longer key after
  // it is "done" here; "more" says that a key goes on in some other way.
  struct Second {
    char text[6] = {};
    std::uint8_t textLength = 0;
    std::uint8_t flags = 0;
    static constexpr std::uint8_t kDone = 1, kMore = 2;
  };
  // The first two bytes of keys are looked up straight from the bytes
  // read: a slot for every first byte, and for a first byte that longer
  // keys start with, one for every second byte (in seconds_, from
  // secondBase), so that a two-byte key costs two loads and no search.
  struct Table {
    Slot first[256];
    std::uint32_t secondBase = 0;
  };
  class Builder;
  template <typename Sink>
  void Run(std::string_view data, Cursor& cursor, std::uint64_t stopAt, Sink& sink,
           std::vector<DecodedPiece>* pieces) const;
  template <typename Sink>
  void Write(const Entry& entry, const unsigned char* parameters, Sink& sink) const;
  // The node of the longest key at `at` whose parameters fit before `end`,
  // and the key's length; kNone and 0 when none.
  std::pair<std::uint32_t, std::size_t> Longest(const Table& table, const unsigned char* data,
                                                std::size_t at, std::size_t end) const;
  // Decodes from `p` in the starting table for as long as only texts are
  // written, with no pieces asked for; returns where it stopped.
  template <typename Sink>
  std::size_t RunPlain(const Table& table, const unsigned char* data, std::size_t p, std::size_t stop,
                       std::size_t end, Sink& sink) const;
  // The slot of `byte` among the children of `node`, or nullptr.
  const Slot* Child(const Node& n, unsigned char byte) const {
    if (n.childCount == 0) return nullptr;
    const Bits& bits = bits_[n.bitsAt];
    const std::uint64_t word = bits.words[byte >> 6];
    const std::uint64_t bit = std::uint64_t{1} << (byte & 63);
    if (!(word & bit)) return nullptr;
    return &slots_[n.childAt + bits.before[byte >> 6] +
                   static_cast<std::uint32_t>(std::popcount(word & (bit - 1)))];
  }

  std::vector<Table> tables_;
  std::vector<Node> nodes_;
  std::vector<Slot> slots_;
  std::vector<Bits> bits_;
  std::vector<Second> seconds_;
  std::vector<Entry> entries_;
  std::vector<Param> params_;
  std::string pool_;  // texts, labels and keys
  std::uint32_t start_ = 0;
};

}  // namespace mojihyo

#include "core/line_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace mojihyo {
namespace {

using Strings = std::vector<std::string>;

TEST(LineList, HoldsLinesInOrderWithEveryByte) {
  LineList l{"a", "", std::string_view("\0\xFF", 2)};
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], "a");
  EXPECT_EQ(l[1], "");
  EXPECT_EQ(l[2], std::string_view("\0\xFF", 2));
  EXPECT_EQ(l.ToVector(), (Strings{"a", "", std::string("\0\xFF", 2)}));
  EXPECT_EQ(l.text_bytes(), 3u);
}

TEST(LineList, EditsKeepTheOtherLines) {
  LineList l{"0400=Cecil", "0401=Rosa", "0402=Kain"};
  l.set(1, "0401=R");                 // shorter: in place
  l.set(2, "0402=Kain Highwind");     // longer: stored anew
  l.insert(0, "0300=first");
  l.swap_lines(1, 2);
  l.erase(3);
  EXPECT_EQ(l.ToVector(), (Strings{"0300=first", "0401=R", "0400=Cecil"}));
  l.push_back_joined({"04", "03", "=", "x"});
  EXPECT_EQ(l.back(), "0403=x");
  l.clear();
  EXPECT_TRUE(l.empty());
  EXPECT_EQ(l.text_bytes(), 0u);
}

TEST(LineList, LinesTakenFromTheListItselfSurviveItsGrowth) {
  LineList l{"abcdefghijklmnopqrstuvwxyz"};
  for (int i = 0; i < 20; ++i) l.push_back(l[0]);
  l.set(0, l[5]);
  l.insert(1, l[2]);
  l.push_back_joined({l[0], "+", l[1]});
  for (std::size_t i = 0; i + 1 < l.size(); ++i) EXPECT_EQ(l[i], "abcdefghijklmnopqrstuvwxyz") << i;
  EXPECT_EQ(l.back(), "abcdefghijklmnopqrstuvwxyz+abcdefghijklmnopqrstuvwxyz");
}

TEST(LineList, AppendKeepsOrderAfterEditsAndOnItself) {
  LineList a{"1", "2"};
  LineList b{"x", "yy", "zzz"};
  b.swap_lines(0, 2);
  a.append(b);
  EXPECT_EQ(a.ToVector(), (Strings{"1", "2", "zzz", "yy", "x"}));
  b.erase(1);  // leaves unused bytes behind
  a.append(b);
  EXPECT_EQ(a.size(), 7u);
  EXPECT_EQ(a[5], "zzz");
  EXPECT_EQ(a[6], "x");
  LineList c{"p", "q"};
  c.append(c);
  EXPECT_EQ(c.ToVector(), (Strings{"p", "q", "p", "q"}));
}

// Random edits against a vector of strings doing the same.
TEST(LineList, BehavesLikeAVectorOfStringsUnderRandomEdits) {
  std::mt19937 rng(99);
  LineList list;
  Strings model;
  auto text = [&] { return std::string(rng() % 40, static_cast<char>('a' + rng() % 26)); };
  for (int step = 0; step < 20000; ++step) {
    const std::size_t n = model.size();
    switch (rng() % 5) {
      case 0:
      case 1: {
        std::string t = text();
        list.push_back(t);
        model.push_back(t);
        break;
      }
      case 2:
        if (n) {
          std::size_t i = rng() % n;
          std::string t = text();
          list.set(i, t);
          model[i] = t;
        }
        break;
      case 3:
        if (n) {
          std::size_t i = rng() % n;
          list.erase(i);
          model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
        }
        break;
      case 4:
        if (n > 1) {
          std::size_t i = rng() % n, j = rng() % n;
          list.swap_lines(i, j);
          std::swap(model[i], model[j]);
        }
        break;
    }
  }
  EXPECT_EQ(list.ToVector(), model);
  std::size_t bytes = 0;
  for (const auto& s : model) bytes += s.size();
  EXPECT_EQ(list.text_bytes(), bytes);
}

TEST(LineList, ComparesByContent) {
  LineList a{"x", "y"};
  LineList b{"x"};
  EXPECT_NE(a, b);
  b.push_back("y");
  EXPECT_EQ(a, b);
  b.set(1, "z");
  b.set(1, "y");
  EXPECT_EQ(a, b);
  EXPECT_EQ(LineList(Strings{"x", "y"}), a);
}

TEST(LineList, LinesFromAdoptedBytesStayWhereTheyAre) {
  LineList l{"gone"};
  const std::string_view file = l.adopt(std::string("0400=a\r\n; note\r\n0401=bb\r\n"));
  EXPECT_TRUE(l.empty());
  EXPECT_EQ(l.text_bytes(), 0u);
  const std::string_view first = file.substr(0, 6), second = file.substr(16, 7);
  l.push_back(first);
  l.push_back(second);
  EXPECT_EQ(l.ToVector(), (Strings{"0400=a", "0401=bb"}));
  EXPECT_EQ(l[0].data(), first.data()) << "kept in place, not copied";
  EXPECT_EQ(l[1].data(), second.data());
  EXPECT_EQ(l.text_bytes(), 13u);
  // A line before the last one kept is copied: two lines never share bytes.
  l.push_back(first);
  EXPECT_NE(l[2].data(), first.data());
  l.set(2, "x");
  EXPECT_EQ(l.ToVector(), (Strings{"0400=a", "0401=bb", "x"}));
  EXPECT_EQ(l.text_bytes(), 14u);
}

TEST(LineList, TidyingGivesBackAnAdoptedFileItsLinesDoNotUse) {
  std::string file(100000, '#');
  file += "\n0400=kept\n";
  LineList l;
  const std::string_view bytes = l.adopt(std::move(file));
  l.push_back(bytes.substr(100001, 9));
  l.tidy();
  EXPECT_EQ(l.ToVector(), Strings{"0400=kept"});
  EXPECT_NE(l[0].data(), bytes.data() + 100001) << "the line moved to a small buffer of its own";
  // Lines that are most of the file stay in it.
  LineList m;
  const std::string_view most = m.adopt(std::string(5000, 'x') + "\n#\n");
  m.push_back(most.substr(0, 5000));
  m.tidy();
  EXPECT_EQ(m[0].data(), most.data());
}

// Lines taken from an adopted file, then copies of them and random edits,
// against a vector of strings doing the same.
TEST(LineList, BehavesLikeAVectorOfStringsAfterAdoptingAFile) {
  std::mt19937 rng(7);
  for (int round = 0; round < 50; ++round) {
    std::string file;
    for (int i = 0; i < 300; ++i) file += std::string(rng() % 12, static_cast<char>('a' + rng() % 26)) + "\n";
    LineList list;
    Strings model;
    const std::string_view bytes = list.adopt(std::string(file));
    std::size_t at = 0;
    while (at < bytes.size()) {
      const std::size_t end = bytes.find('\n', at);
      const std::string_view line = bytes.substr(at, end - at);
      if (rng() % 3 != 0) {
        list.push_back(line);
        model.emplace_back(line);
      }
      at = end + 1;
    }
    // Storing a line from elsewhere may move the adopted bytes; the file's
    // views are done with by now.
    for (int copies = 0; copies < 20 && !model.empty(); ++copies) {
      const std::size_t i = rng() % model.size();
      list.push_back(list[i]);
      model.push_back(model[i]);
    }
    for (int step = 0; step < 200 && !model.empty(); ++step) {
      const std::size_t i = rng() % model.size();
      const std::string t(rng() % 20, static_cast<char>('A' + rng() % 26));
      if (rng() % 2) {
        list.set(i, t);
        model[i] = t;
      } else {
        list.insert(i, t);
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(i), t);
      }
    }
    list.tidy();
    ASSERT_EQ(list.ToVector(), model) << "round " << round;
    std::size_t text = 0;
    for (const auto& s : model) text += s.size();
    EXPECT_EQ(list.text_bytes(), text);
  }
}

}  // namespace
}  // namespace mojihyo

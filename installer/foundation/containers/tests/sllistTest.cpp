#include <foundation/tests/checkrecorder.h>

#include <foundation/containers/itemmoves.h>
#include <foundation/containers/sllist.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing::ElementsAre;
using Pair = CheckRecorder::Pair;

namespace {

struct Node {
  sllink link;
  char name;
};

// A list of lettered nodes, read back as a string.
class Letters {
public:
  explicit Letters(const char* names) {
    for (const char* c = names; *c; ++c)
      nodes_.push_back(Node{{}, *c});
    for (Node& node : nodes_)
      list.append(&node.link);
  }
  std::string text() const {
    std::string out;
    for (sllink* link = list.head(); link; link = link->next)
      out += reinterpret_cast<Node*>(link)->name;
    return out;
  }
  sllink* node(int i) { return &nodes_[i].link; }

  sllist list;

private:
  std::vector<Node> nodes_;
};

} // namespace

TEST(sllistTest, MoveEndsBeforeTheNodeThatWasAtTheTarget) {
  struct Case {
    int from, to;
    const char* expected;
  } cases[] = {{2, 3, "abcd"}, {2, 2, "abcd"}, {0, 3, "bcad"},
               {0, 4, "bcda"}, {3, 0, "dabc"}, {1, 3, "acbd"}};
  for (const Case& c : cases) {
    Letters letters("abcd");
    letters.list.move(c.from, c.to);
    EXPECT_EQ(c.expected, letters.text()) << c.from << " to " << c.to;
    EXPECT_EQ(4, letters.list.count());
  }
}

TEST(sllistTest, InsertAndRemove) {
  Letters letters("abc");
  Node x{{}, 'x'}, y{{}, 'y'};
  EXPECT_EQ(1, letters.list.insertat(1, &x.link));
  EXPECT_EQ(1, letters.list.insertat(4, &y.link));
  EXPECT_EQ("axbcy", letters.text());
  EXPECT_EQ(3, letters.list.indexof(letters.node(2)));

  EXPECT_EQ(nullptr, letters.list.removeafter(&y.link));
  EXPECT_EQ(&x.link, letters.list.removeat(1));
  EXPECT_EQ(nullptr, x.link.next);
  EXPECT_EQ(letters.node(0), letters.list.removeafter(nullptr));
  EXPECT_EQ("bcy", letters.text());
  EXPECT_EQ(3, letters.list.count());

  sllist other;
  letters.list.swap(other);
  EXPECT_EQ(0, letters.list.count());
  EXPECT_EQ(3, other.count());
  EXPECT_EQ(&y.link, other.last());
}

TEST(sllistTest, IndexFaultsAreFailedChecks) {
  CheckRecorder recorder;
  Letters letters("ab");
  Node stranger{{}, 's'};
  EXPECT_EQ(-1, letters.list.indexof(&stranger.link));
  EXPECT_EQ(nullptr, letters.list.at(2));
  EXPECT_EQ(0, letters.list.insertat(3, &stranger.link));
  EXPECT_EQ("ab", letters.text());
  EXPECT_THAT(recorder.seen, ElementsAre(Pair{"SLLIST", 40}, Pair{"SLLIST", 149}, Pair{"SLLIST", 78}));
}

// A move with an end outside the list is refused before anything is unlinked.
TEST(sllistTest, MoveOutsideTheListLosesNoNode) {
  struct Case {
    int from, to;
    Pair check;
  } cases[] = {
      {0, 5, {"SLLIST", 78}}, {2, -1, {"SLLIST", 78}}, {3, 0, {"SLLIST", 149}}, {-1, 1, {"SLLIST", 149}}};
  for (const Case& c : cases) {
    CheckRecorder recorder;
    Letters letters("abc");
    letters.list.move(c.from, c.to);
    EXPECT_EQ("abc", letters.text()) << c.from << " to " << c.to;
    EXPECT_EQ(3, letters.list.count());
    EXPECT_THAT(recorder.seen, ElementsAre(c.check)) << c.from << " to " << c.to;
  }
}

TEST(sllistTest, VisitorStopsWhenItAnswersZero) {
  struct Until : slvisitor {
    int visit(sllink* node) override {
      seen += reinterpret_cast<Node*>(node)->name;
      return reinterpret_cast<Node*>(node)->name != 'b';
    }
    std::string seen;
  } until;
  Letters letters("abc");
  EXPECT_EQ(0, letters.list.foreach (until));
  EXPECT_EQ("ab", until.seen);
  Letters short_("a");
  EXPECT_EQ(1, short_.list.foreach (until));
}

namespace {

// Moves and copies on a string of letters, as the selection helpers drive them.
struct StringMover : indexop {
  explicit StringMover(std::string text) : text(std::move(text)) {}
  int apply(int index, int to) override {
    char c = text[index];
    text.erase(index, 1);
    text.insert(static_cast<size_t>(index < to ? to - 1 : to), 1, c);
    return 1;
  }
  std::string text;
};

struct StringCopier : indexop {
  explicit StringCopier(std::string text) : text(std::move(text)) {}
  int apply(int index, int to) override {
    text.insert(static_cast<size_t>(to), 1, text[index]);
    return 1;
  }
  std::string text;
};

} // namespace

TEST(ItemMovesTest, SelectionsKeepTheirOrder) {
  struct Case {
    std::vector<int> indices;
    int to;
    const char* moved;
    const char* copied;
  } cases[] = {
      {{1, 3, -1}, 5, "acebdf", "abcdebdf"},
      {{3, 4, -1}, 1, "adebcf", "adebcdef"},
      {{0, 2, -1}, 1, "acbdef", "aacbcdef"},
  };
  for (const Case& c : cases) {
    std::vector<int> indices = c.indices;
    StringMover mover("abcdef");
    EXPECT_EQ(1, MoveItems(mover, indices.data(), c.to));
    EXPECT_EQ(c.moved, mover.text) << "move to " << c.to;
    indices = c.indices;
    StringCopier copier("abcdef");
    EXPECT_EQ(1, CopyItems(copier, indices.data(), c.to));
    EXPECT_EQ(c.copied, copier.text) << "copy to " << c.to;
  }

  Letters letters("abcdef");
  int indices[] = {1, 3, -1};
  EXPECT_EQ(1, letters.list.moveitems(indices, 5));
  EXPECT_EQ("acebdf", letters.text());
}

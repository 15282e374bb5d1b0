#include <foundation/dialogs/opttree.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/RealInput.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::MemoryDib;

namespace {

optnode* option(const char* name, int check, int kind = optnode::normalbox, int exclusive = 0) {
  auto* node = new optnode;
  node->initoption(name, exclusive, check, kind);
  return node;
}

optnode* branch(const char* name, std::initializer_list<optnode*> children, int expanded = 1,
                int exclusive = 0) {
  auto* node = new optnode;
  node->init(name, exclusive, expanded);
  for (optnode* child : children)
    node->addchild(child);
  node->updatestate();
  return node;
}

optnode* find(const nodelist& list, const std::string& name) {
  for (optnode* node = list.first(); node; node = node->next) {
    if (name == node->name)
      return node;
    if (optnode* below = find(node->children, name))
      return below;
  }
  return nullptr;
}

// Records what the owner hears, as "select X", "change X", "done".
class recordingtree : public opttree {
public:
  using opttree::opttree;
  void onselect(optnode* node) override { heard.push_back(std::string("select ") + node->name); }
  void onchange(optnode* node) override { heard.push_back(std::string("change ") + node->name); }
  void onchangesdone() override { heard.push_back("done"); }
  // What Editor's box shows each time the tree is painted.
  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT)
      if (optnode* editor = node("Editor"))
        paintedEditor.push_back(editor->state);
    return opttree::wndproc(message, wParam, lParam);
  }
  optnode* node(const std::string& name) const { return find(roots(), name); }

  std::vector<std::string> heard;
  std::vector<int> paintedEditor;
};

// Tree used by most tests:
//   Programs (branch)            row 0
//     Editor                     row 1
//     Tools (branch)             row 2
//       Grep                     row 3
//       Sed                      row 4
//     Core (grey, checked)       row 5
//   Language (branch)            row 6
//     English (exclusive)        row 7
//     German (exclusive)         row 8
void build(opttree& tree) {
  tree.addroot(
      branch("Programs", {option("Editor", 0), branch("Tools", {option("Grep", 0), option("Sed", 0)}),
                          option("Core", 1, optnode::greybox)}));
  tree.addroot(branch(
      "Language", {option("English", 1, optnode::normalbox, 1), option("German", 0, optnode::normalbox, 1)}));
}

std::vector<std::string> displayOrder(const opttree& tree) {
  std::vector<std::string> names;
  for (optnode* node = tree.roots().first(); node; node = opttree::nextvisible(node))
    names.push_back(node->name + std::string(":") + std::to_string(node->row));
  return names;
}

} // namespace

TEST(OptnodeTest, StateAndBoxKindFromTheChildren) {
  struct Case {
    const char* name;
    std::vector<int> states;
    std::vector<int> kinds;
    int state;
    int kind;
  };
  const Case cases[] = {
      {"all off", {0, 0}, {1, 1}, 0, 1},
      {"all on", {1, 1}, {1, 1}, 1, 1},
      {"mixed", {0, 1}, {1, 1}, 2, 1},
      {"a mixed child", {1, 2}, {1, 1}, 2, 1},
      {"mixed child among off", {2, 0}, {1, 1}, 2, 1},
      {"grey children", {1, 1}, {0, 0}, 1, 0},
      {"one normal box makes it normal", {0, 0}, {0, 1}, 0, 1},
      {"first child's kind otherwise", {0, 0}, {2, 0}, 0, 2},
  };
  for (const Case& c : cases) {
    optnode parent;
    parent.init("parent", 0, 1);
    std::vector<optnode> children(c.states.size());
    for (size_t i = 0; i < children.size(); ++i) {
      children[i].initoption("child", 0, c.states[i] == 1, c.kinds[i]);
      children[i].state = c.states[i];
      parent.addchild(&children[i]);
    }
    parent.updatestate();
    EXPECT_EQ(c.state, parent.state) << c.name;
    EXPECT_EQ(c.state != 0, parent.check) << c.name;
    EXPECT_EQ(c.kind, parent.boxkind) << c.name;
    parent.resetchildren();
  }
}

TEST(OptnodeTest, NamesAreCutAndListsCountAndFree) {
  optnode node;
  node.init(std::string(100, 'n').c_str(), 0, 0);
  EXPECT_EQ(std::string(39, 'n'), node.name);

  static int deleted = 0;
  struct counted : optnode {
    ~counted() override { ++deleted; }
  };
  nodelist list;
  auto* parent = new counted;
  parent->addchild(new counted);
  list.append(parent);
  list.append(new counted);
  EXPECT_EQ(2, list.count());
  EXPECT_EQ(parent, list.at(0));
  EXPECT_EQ(nullptr, list.at(2));
  EXPECT_EQ(1, parent->children.first()->depth());
  list.freeall();
  EXPECT_EQ(3, deleted);
  EXPECT_EQ(0, list.count());
}

TEST(OpttreeTest, PropagationDownUpAndBetweenExclusiveSiblings) {
  recordingtree tree;
  build(tree);
  tree.refresh();
  optnode* programs = tree.node("Programs");
  EXPECT_EQ(optnode::mixed, programs->state) << "the grey Core is checked";

  tree.setstate(programs, 1, 1);
  for (const char* name : {"Editor", "Grep", "Sed", "Tools"})
    EXPECT_EQ(optnode::on, tree.node(name)->state) << name;
  EXPECT_EQ(optnode::on, programs->state);

  tree.setstate(programs, 0, 1);
  EXPECT_EQ(optnode::on, tree.node("Core")->state) << "a grey box keeps its state";
  EXPECT_EQ(1, tree.node("Core")->check);
  EXPECT_EQ(optnode::mixed, programs->state);

  tree.setstate(tree.node("Grep"), 1, 1);
  EXPECT_EQ(optnode::mixed, tree.node("Tools")->state);
  tree.setstate(tree.node("Grep"), 0, 1);
  EXPECT_EQ(optnode::off, tree.node("Tools")->state);

  tree.setstate(tree.node("German"), 1, 1);
  EXPECT_EQ(optnode::off, tree.node("English")->state);
  EXPECT_EQ(optnode::on, tree.node("German")->state);
  EXPECT_EQ(optnode::mixed, tree.node("Language")->state);
  tree.freenodes();
}

TEST(OpttreeTest, ExclusiveBranchUnchecksItsSiblingsSubtree) {
  recordingtree tree;
  tree.addroot(branch("Setup", {branch("Typical", {option("A", 1), option("B", 1)}, 1, 1),
                                branch("Minimal", {option("C", 0)}, 1, 1)}));
  tree.refresh();
  tree.setstate(tree.node("Minimal"), 1, 1);
  EXPECT_EQ(optnode::on, tree.node("C")->state);
  for (const char* name : {"A", "B", "Typical"})
    EXPECT_EQ(optnode::off, tree.node(name)->state) << name;
  EXPECT_EQ(optnode::mixed, tree.node("Setup")->state);
  tree.freenodes();
}

TEST(OpttreeTest, DisplayOrderSkipsCollapsedBranches) {
  recordingtree tree;
  build(tree);
  tree.refresh();
  EXPECT_EQ((std::vector<std::string>{"Programs:0", "Editor:1", "Tools:2", "Grep:3", "Sed:4", "Core:5",
                                      "Language:6", "English:7", "German:8"}),
            displayOrder(tree));
  EXPECT_EQ(9, tree.rowcount());
  EXPECT_EQ(tree.node("Sed"), opttree::prevvisible(tree.node("Core")));
  EXPECT_EQ(tree.node("Programs"), opttree::prevvisible(tree.node("Editor")));

  tree.node("Tools")->expanded = 0;
  tree.refresh();
  EXPECT_EQ((std::vector<std::string>{"Programs:0", "Editor:1", "Tools:2", "Core:3", "Language:4",
                                      "English:5", "German:6"}),
            displayOrder(tree));
  EXPECT_EQ(tree.node("Tools"), opttree::prevvisible(tree.node("Core")));
  EXPECT_EQ(tree.node("Core"), tree.nodeofrow(3));
  EXPECT_EQ(nullptr, tree.nodeofrow(7));
  tree.freenodes();
}

// The tree in a window of its own, in place of a placeholder item.
class OpttreeWindowTest : public testing::Test {
protected:
  void SetUp() override {
    owner =
        CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND placeholder =
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 20, 240, 6 * tree.rowheight() + 30, owner,
                        reinterpret_cast<HMENU>(100), nullptr, nullptr);
    SendMessageA(placeholder, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    build(tree);
    ASSERT_EQ(1, tree.create(owner, 101, 100));
    tree.refresh();
    tree.heard.clear();
  }
  void TearDown() override {
    tree.freenodes();
    DestroyWindow(owner);
  }
  void clickAt(const RECT& r) {
    SendMessageA(tree.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }

  HWND owner = nullptr;
  recordingtree tree;
};

TEST_F(OpttreeWindowTest, TakesThePlaceholdersPlace) {
  HWND window = GetDlgItem(owner, 101);
  ASSERT_EQ(tree.hwnd(), window);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(owner, 100)));
  EXPECT_EQ(0x50B00000u, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0x50B00000u);
  RECT place;
  tree.getrect(place);
  EXPECT_EQ(10, place.left);
  EXPECT_EQ(20, place.top);
  char name[40];
  GetClassNameA(window, name, sizeof name);
  EXPECT_STREQ("wndclassopttree", name);
}

TEST_F(OpttreeWindowTest, ClicksOnTextBoxAndExpander) {
  clickAt(tree.textrect(tree.node("Editor")));
  EXPECT_EQ(tree.node("Editor"), tree.selected());
  EXPECT_EQ((std::vector<std::string>{"select Editor"}), tree.heard);

  tree.heard.clear();
  clickAt(tree.boxrect(tree.node("Tools")));
  EXPECT_EQ((std::vector<std::string>{"select Tools", "change Tools", "change Grep", "change Sed", "done"}),
            tree.heard);
  EXPECT_EQ(optnode::on, tree.node("Tools")->state);
  for (const char* name : {"Tools", "Grep", "Sed"})
    EXPECT_EQ(0, tree.node(name)->changed) << name;

  tree.heard.clear();
  clickAt(tree.boxrect(tree.node("Core")));
  EXPECT_EQ((std::vector<std::string>{"select Core"}), tree.heard) << "a grey box changes nothing";

  tree.heard.clear();
  clickAt(tree.expanderrect(tree.node("Tools")));
  EXPECT_EQ(0, tree.node("Tools")->expanded);
  EXPECT_EQ(7, tree.rowcount());
  EXPECT_EQ(3, tree.node("Core")->row);
  clickAt(tree.expanderrect(tree.node("Tools")));
  EXPECT_EQ(9, tree.rowcount());

  tree.heard.clear();
  clickAt(tree.expanderrect(tree.node("Editor")));
  RECT pastRows{0, 9 * tree.rowheight(), 10, 9 * tree.rowheight() + 2};
  clickAt(pastRows);
  EXPECT_TRUE(tree.heard.empty()) << "no expander without children; nothing past the last row";
}

TEST_F(OpttreeWindowTest, ScrollingIsClampedAndCollapsingTheTopRowKeepsIt) {
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(8, tree.toprow());
  int low = -1, high = -1;
  GetScrollRange(tree.hwnd(), SB_VERT, &low, &high);
  EXPECT_EQ(0, low);
  EXPECT_EQ(8, high);
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(8, tree.toprow());
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(7, tree.toprow());
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_THUMBTRACK | (2 << 16), 0);
  EXPECT_EQ(7, tree.toprow()) << "thumb tracking is ignored";
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_THUMBPOSITION | (2 << 16), 0);
  EXPECT_EQ(2, tree.toprow());
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(0, tree.toprow());

  // Tools is the top row; collapsed, it stays at the top.
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_THUMBPOSITION | (2 << 16), 0);
  clickAt(tree.expanderrect(tree.node("Tools")));
  EXPECT_EQ(2, tree.toprow());
  EXPECT_EQ(tree.node("Tools"), tree.nodeofrow(tree.toprow()));

  // Collapsing the first branch from the bottom pulls the top row back to the last row.
  SendMessageA(tree.hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(6, tree.toprow());
  tree.node("Programs")->expanded = 0;
  tree.refresh();
  EXPECT_EQ(4, tree.rowcount());
  EXPECT_EQ(3, tree.toprow());
  GetScrollRange(tree.hwnd(), SB_VERT, &low, &high);
  EXPECT_EQ(3, high);

  SendMessageA(tree.hwnd(), WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(tree.widest(), tree.hoffset());
  SendMessageA(tree.hwnd(), WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(tree.widest() - tree.rowheight(), tree.hoffset());
  SendMessageA(tree.hwnd(), WM_HSCROLL, SB_PAGELEFT, 0);
  EXPECT_EQ(0, tree.hoffset());
}

TEST_F(OpttreeWindowTest, PaintsBoxesExpandersAndTheSelection) {
  tree.setstate(tree.node("Editor"), 1, 1);
  tree.node("Language")->expanded = 0;
  tree.refresh(); // selects Programs
  MemoryDib picture(tree.clientwidth(), tree.clientheight(), RGB(1, 2, 3));
  testsupport::paintClient(tree.hwnd(), picture);

  RECT box = tree.boxrect(tree.node("Editor"));
  EXPECT_EQ(RGB(0, 0, 0), picture.pixel(box.left, box.top)) << "normal box outline";
  EXPECT_EQ(RGB(0, 0, 0), picture.pixel(box.left + 6, box.top + 6)) << "the cross of a checked box";
  box = tree.boxrect(tree.node("Core"));
  EXPECT_EQ(RGB(128, 128, 128), picture.pixel(box.left, box.top)) << "grey box outline";
  box = tree.boxrect(tree.node("Programs"));
  EXPECT_EQ(RGB(128, 128, 128), picture.pixel(box.left + 3, box.top + 2)) << "mixed fill";
  box = tree.boxrect(tree.node("Grep"));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), picture.pixel(box.left + 6, box.top + 6))
      << "an unchecked box is empty";

  RECT expander = tree.expanderrect(tree.node("Language"));
  EXPECT_EQ(RGB(0, 255, 255), picture.pixel(expander.left + 4, expander.top + 2)) << "collapsed: the plus";
  expander = tree.expanderrect(tree.node("Tools"));
  EXPECT_EQ(RGB(0, 0, 0), picture.pixel(expander.left + 4, expander.top + 4)) << "expanded: the bar";
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), picture.pixel(expander.left + 4, expander.top + 1));

  RECT text = tree.textrect(tree.node("Programs"));
  EXPECT_GT(picture.count(GetSysColor(COLOR_WINDOWTEXT), text),
            (text.right - text.left) * (text.bottom - text.top) / 2)
      << "the selected text shows inverted";
  text = tree.textrect(tree.node("Editor"));
  EXPECT_GT(picture.count(GetSysColor(COLOR_WINDOW), text),
            (text.right - text.left) * (text.bottom - text.top) / 2);
  EXPECT_EQ(0, picture.count(RGB(1, 2, 3), RECT{0, 0, tree.clientwidth(), 5 * tree.rowheight()}));
}

// The same tree on the screen, clicked the way a user clicks it.
class OpttreeByUser : public OpttreeWindowTest {
protected:
  void SetUp() override {
    OpttreeWindowTest::SetUp();
    SetWindowPos(owner, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    testsupport::realinput::settle();
    tree.heard.clear();
  }
  static POINT centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  void clickBox(const char* name) {
    testsupport::realinput::click(tree.hwnd(), centre(tree.boxrect(tree.node(name))));
  }
  int shown(const char* name) { return tree.node(name)->state; }
};

TEST_F(OpttreeByUser, EveryClickOnAGroupsBoxChangesWhatItShows) {
  clickBox("Tools");
  clickBox("Grep");
  clickBox("Sed");
  ASSERT_EQ(optnode::off, shown("Tools")) << "unchecked child by child";
  clickBox("Tools");
  EXPECT_EQ(optnode::on, shown("Tools"));
  EXPECT_EQ(optnode::on, shown("Grep"));
  EXPECT_EQ(optnode::on, shown("Sed"));
  clickBox("Grep");
  ASSERT_EQ(optnode::mixed, shown("Tools"));
  clickBox("Tools");
  EXPECT_EQ(optnode::off, shown("Tools")) << "a mixed group clears first";
  EXPECT_EQ(optnode::off, shown("Sed"));

  // Programs is mixed by its grey checked Core alone: clearing changes nothing, so the click checks.
  ASSERT_EQ(optnode::mixed, shown("Programs"));
  clickBox("Programs");
  EXPECT_EQ(optnode::on, shown("Programs"));
  clickBox("Programs");
  EXPECT_EQ(optnode::mixed, shown("Programs"));
  EXPECT_EQ(optnode::off, shown("Editor"));
  EXPECT_EQ(optnode::on, shown("Core"));
}

TEST_F(OpttreeByUser, ADoubleClickIsTwoClicksAndBothAreShown) {
  tree.paintedEditor.clear();
  testsupport::realinput::doubleClick(tree.hwnd(), centre(tree.boxrect(tree.node("Editor"))));
  EXPECT_EQ(optnode::off, shown("Editor"));
  EXPECT_EQ((std::vector<std::string>{"select Editor", "change Editor", "done", "select Editor",
                                      "change Editor", "done"}),
            tree.heard);
  EXPECT_NE(tree.paintedEditor.end(),
            std::find(tree.paintedEditor.begin(), tree.paintedEditor.end(), optnode::on))
      << "the first click was painted before the second";
}

TEST_F(OpttreeByUser, ChildrenOfACollapsedGroupAreReportedWithTheClick) {
  testsupport::realinput::click(tree.hwnd(), centre(tree.expanderrect(tree.node("Tools"))));
  ASSERT_EQ(0, tree.node("Tools")->expanded);
  tree.heard.clear();
  clickBox("Tools");
  EXPECT_EQ((std::vector<std::string>{"select Tools", "change Tools", "change Grep", "change Sed", "done"}),
            tree.heard);

  tree.heard.clear();
  clickBox("Editor");
  EXPECT_EQ((std::vector<std::string>{"select Editor", "change Programs", "change Editor", "done"}),
            tree.heard)
      << "nothing left over from the earlier click";
}

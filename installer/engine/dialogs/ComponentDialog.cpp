#include <engine/dialogs/ComponentDialog.h>

#include <engine/dialogs/AcceptDialog.h>

#include <foundation/dialogs/gauge.h>
#include <foundation/dialogs/opttree.h>
#include <foundation/drawing/font.h>
#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

#include <cstdio>
#include <windows.h>

namespace {

constexpr int SelectionHelpContext = 12;
// The tree takes the place of the placeholder and of the frame under it, with the frame's id.
constexpr int TreeId = IDC_SELCOMPS_TREEFRAME;
// The dialog's own end codes.
constexpr int EndOk = 0;
constexpr int EndCancel = 1;

// A row of the tree, knowing the component it stands for.
class componentnode : public optnode {
public:
  explicit componentnode(int index) : component(index) {}
  const int component;
};

// The option nodes for a built component tree; the caller owns them.
componentnode* MakeNode(const ComponentNode& source) {
  auto* node = new componentnode(source.component);
  if (source.children.empty() && source.holdsEvents) {
    node->initoption(source.name.c_str(), 0, source.checked, source.boxKind);
    return node;
  }
  node->init(source.name.c_str(), 0, 1);
  for (const ComponentNode& child : source.children)
    node->addchild(MakeNode(child));
  node->updatestate();
  return node;
}

template <typename Visit> void ForEachNode(const nodelist& list, Visit visit) {
  for (optnode* node = list.first(); node; node = node->next) {
    visit(static_cast<componentnode*>(node));
    ForEachNode(node->children, visit);
  }
}

std::string Kilobytes(long long kb) {
  char text[32];
  std::snprintf(text, sizeof text, "%lu K", static_cast<unsigned long>(kb < 0 ? 0 : kb));
  return text;
}

class ComponentDialog;

// The check tree tells the dialog which rows the user changed and which one is selected.
class selectiontree : public opttree {
public:
  explicit selectiontree(ComponentDialog& owner) : owner_(owner) {}
  void onselect(optnode* node) override;
  void onchange(optnode* node) override {
    if (!node->children.first())
      changed_.push_back(static_cast<componentnode*>(node));
  }
  void onchangesdone() override;

private:
  ComponentDialog& owner_;
  std::vector<componentnode*> changed_;
};

class ComponentDialog : public acceptdialog {
public:
  ComponentDialog(ComponentChoice& choice, nodelist& roots)
      : acceptdialog(IDC_SELCOMPS_HELP, SelectionHelpContext, {EndOk, EndCancel}), choice_(choice),
        roots_(roots), tree_(*this) {}

  void describe(const componentnode* node) {
    const ComponentShape* shape = component(node->component);
    SetDlgItemTextA(hwnd(), IDC_SELCOMPS_TEXT, shape ? shape->description.c_str() : "");
  }

  // Every other row of a changed component follows it.
  void follow(const std::vector<componentnode*>& changed) {
    for (componentnode* leader : changed)
      ForEachNode(roots_, [&](componentnode* node) {
        if (node != leader && node->component == leader->component && node->state != leader->state)
          tree_.setstate(node, leader->state, 1);
      });
    recompute();
  }

private:
  int accept() override { return 1; }

  INT_PTR init() override {
    SetDlgItemTextA(hwnd(), IDC_SELCOMPS_TEXT, TextOf(TEXT_SELCOMPS_HINT).c_str());
    DestroyWindow(GetDlgItem(hwnd(), TreeId));
    tree_.create(hwnd(), TreeId, IDC_SELCOMPS_TREE);
    // Adding a root relinks it, so the list is read before the tree takes the nodes.
    std::vector<optnode*> roots;
    for (optnode* root = roots_.first(); root; root = root->next)
      roots.push_back(root);
    for (optnode* root : roots)
      tree_.addroot(root);
    tree_.refresh();
    gauge_.attach(GetDlgItem(hwnd(), IDC_SELCOMPS_GAUGE));
    showdrives();
    recompute();
    SetFocus(GetDlgItem(hwnd(), IDOK));
    return FALSE;
  }

  const ComponentShape* component(int index) const {
    return index >= 0 && static_cast<size_t>(index) < choice_.components.size()
               ? &choice_.components[static_cast<size_t>(index)]
               : nullptr;
  }

  void showdrives() {
    std::string lines;
    for (const std::string& line : choice_.driveLines)
      lines += (lines.empty() ? "" : "\r\n") + line;
    HWND list = GetDlgItem(hwnd(), IDC_SELCOMPS_DRIVES);
    drivefont_.set("Courier New", 9, 0, 0, 0);
    if (drivefont_.createfor(list))
      drivefont_.setonwindow(list);
    SetWindowTextA(list, lines.c_str());
  }

  // The enable array from the checked rows, then the sizes and the gauge.
  void recompute() {
    std::vector<int> checked;
    ForEachNode(roots_, [&](componentnode* node) {
      if (!node->children.first() && node->state == optnode::on)
        checked.push_back(node->component);
    });
    ApplySelection(choice_.components, checked, choice_.componentBound, choice_.enabled);
    long long total = 0, enabled = 0;
    for (size_t e = 0; e < choice_.eventSizes.size(); ++e) {
      total += choice_.eventSizes[e];
      if (e < choice_.enabled.size() && choice_.enabled[e])
        enabled += choice_.eventSizes[e];
    }
    SetDlgItemTextA(hwnd(), IDC_SELCOMPS_TOTAL, Kilobytes(total).c_str());
    SetDlgItemTextA(hwnd(), IDC_SELCOMPS_ENABLED, Kilobytes(enabled).c_str());
    gauge_.setpercent(total > 0 ? static_cast<int>(enabled * 100 / total) : 100);
  }

  ComponentChoice& choice_;
  nodelist& roots_;
  selectiontree tree_;
  gauge gauge_;
  font drivefont_;
};

void selectiontree::onselect(optnode* node) { owner_.describe(static_cast<componentnode*>(node)); }

void selectiontree::onchangesdone() {
  std::vector<componentnode*> changed;
  changed.swap(changed_);
  owner_.follow(changed);
}

// The dialog's tree window goes with the dialog; the nodes stay for a second showing.
struct NodeOwner {
  nodelist roots;
  ~NodeOwner() { roots.freeall(); }
};

} // namespace

std::vector<std::string> SelectionDriveLines(const DrivePlatform& drives) {
  std::vector<std::string> lines;
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    char root[4] = {letter, ':', '\\', 0};
    UINT type = drives.type(root);
    if (type != DRIVE_FIXED && type != DRIVE_REMOTE && type != DRIVE_CDROM)
      continue;
    long long free = drives.freebytes(root);
    lines.push_back(DriveLine(letter, free < 0 ? 0 : static_cast<unsigned long long>(free) / 10240));
  }
  return lines;
}

int RunSelectComponentsDialog(ComponentChoice& choice, const std::function<int()>& queryabort, HWND owner) {
  NodeOwner nodes;
  for (const ComponentNode& root : BuildComponentTree(choice.components))
    nodes.roots.append(MakeNode(root));
  std::vector<int> before = choice.enabled;
  for (;;) {
    ComponentDialog dialog(choice, nodes.roots);
    INT_PTR end = RunDialog(dialog, owner, "DLGSELCOMPS");
    if (end == EndOk)
      return 1;
    if (end != EndCancel) {
      choice.enabled = before;
      return -1;
    }
    if (queryabort()) {
      choice.enabled = before;
      return 0;
    }
  }
}

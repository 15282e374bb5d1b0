#include <foundation/windows/subclasser.h>

#include <wincore/BoundWindow.h>

// The binding of one window to its stack of subclassers: the window core subclasses the window once and
// hands every message to the top of the stack. At the window's last message the core lets go of it; the
// stack's objects are then told that their window is gone, and the binding ends with them.
class SubclassChain : public wincore::BoundWindow {
public:
  static SubclassChain* of(HWND window) { return dynamic_cast<SubclassChain*>(fromHandle(window)); }

  subclasser* top = nullptr;

protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (!top)
      return callDefault(message, wParam, lParam);
    return top->wndproc(handle(), message, wParam, lParam);
  }
  void onFinalMessage(HWND) override {
    while (top)
      top->detach();
    delete this;
  }
};

subclasser* GetSubclassObject(HWND window) {
  SubclassChain* chain = SubclassChain::of(window);
  return chain ? chain->top : nullptr;
}

subclasser::~subclasser() { detach(); }

void subclasser::attach(HWND window) {
  SubclassChain* chain = SubclassChain::of(window);
  if (!chain) {
    chain = new SubclassChain;
    if (!chain->subclass(window)) {
      delete chain;
      return;
    }
  }
  window_ = window;
  chain_ = chain;
  previous_ = chain->top;
  chain->top = this;
}

int subclasser::detach() {
  SubclassChain* chain = chain_;
  if (!chain)
    return 1;
  if (chain->top == this) {
    chain->top = previous_;
  } else {
    // Detached out of order: the object above this one passes on to what this one passed on to.
    for (subclasser* above = chain->top; above; above = above->previous_) {
      if (above->previous_ == this) {
        above->previous_ = previous_;
        break;
      }
    }
  }
  window_ = nullptr;
  chain_ = nullptr;
  previous_ = nullptr;
  // The last object gone from a live window, the window gets its own procedure back. At the window's
  // last message the binding has already let go and ends itself.
  if (!chain->top && chain->handle()) {
    chain->unsubclass();
    delete chain;
  }
  return 1;
}

LRESULT subclasser::defproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (previous_)
    return previous_->wndproc(window, message, wParam, lParam);
  if (chain_)
    return chain_->callDefault(message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

int subclasser::isattached() const { return chain_ && chain_->top == this; }

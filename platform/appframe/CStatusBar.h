#pragma once

#include <appframe/CControlBar.h>

#include <string>
#include <vector>

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// The status bar at the bottom of a frame: panes named by indicator ids. A pane's width comes from its
// prototype text (the string resource with the indicator's id); the stretched pane takes what is left;
// a disabled pane shows no text.
class CStatusBar : public CControlBar {
  DECLARE_MESSAGE_MAP()

public:
  bool Create(CWnd* parent, UINT id = 0xE801);
  bool SetIndicators(const UINT* ids, int count);
  int GetCount() const { return static_cast<int>(panes_.size()); }
  int CommandToIndex(UINT id) const;
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  bool SetPaneText(int index, const char* text, bool update = true);
  std::string GetPaneText(int index) const;
  // What the pane shows now: its text, or nothing while it is disabled.
  std::string GetShownText(int index) const;

  int CalcHeight(int width) const override;
  void RecalcParts();

protected:
  void OnSize(UINT type, int cx, int cy);

private:
  struct Pane {
    UINT id;
    UINT style;
    int width;
    std::string text;
  };
  void ShowPane(int index);
  std::vector<Pane> panes_;
};

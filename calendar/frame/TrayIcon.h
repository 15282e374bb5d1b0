#pragma once

#include <wincore/Seam.h>

#include <windows.h>

#include <shellapi.h>

#include <functional>

// The shell's task tray, through a seam: headless there is none, and a test stands one in to see the
// program hide to it and come back.
using TrayCall = std::function<bool(DWORD message, const NOTIFYICONDATAA& data)>;

bool CallTray(DWORD message, const NOTIFYICONDATAA& data);
wincore::Seam<TrayCall>& traySeam();

class TrayOverride : public wincore::ScopedOverride<TrayCall> {
public:
  explicit TrayOverride(TrayCall replacement) : ScopedOverride(traySeam(), std::move(replacement)) {}
};

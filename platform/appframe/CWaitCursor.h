#pragma once

#include <appframe/CWinApp.h>

// The wait cursor for the life of the object.
class CWaitCursor {
public:
  CWaitCursor() {
    if (CWinApp* app = AfxGetApp())
      app->BeginWaitCursor();
  }
  ~CWaitCursor() {
    if (CWinApp* app = AfxGetApp())
      app->EndWaitCursor();
  }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

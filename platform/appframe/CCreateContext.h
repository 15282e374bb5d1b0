#pragma once

#include <functional>

class CDocument;
class CView;

// What a frame needs to make its views: the document they show and how to make the first view.
struct CCreateContext {
  CDocument* m_pCurrentDoc = nullptr;
  std::function<CView*()> m_pNewViewClass;
};
